// SPDX-License-Identifier: GPL-3.0-or-later
// Every text the window shows, written out whole and compared with tests/golden/testi.txt: its
// design table and its messages. (The command line's are those of tests/golden/cli.txt.)
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/campi.h"
#include "app/modello/form1.h"
#include "form/testi.h"

namespace tv::app {
namespace {
namespace fs = std::filesystem;

// Bars around each text keep its leading and trailing blanks visible in the file.
std::string b(std::string_view s) {
    return "|" + std::string(s) + "|";
}

void design(std::ostream& o) {
    o << "[finestra] " << b(finestra().titolo) << "\n";
    for (std::size_t i = 0; i < campi().size(); ++i)
        o << "[Text1 " << i << "] " << b(form::kTabellaCampi[i].testo_progetto) << " "
          << b(campi()[i].tooltip) << "\n";
    for (std::size_t i = 0; i < etichette1().size(); ++i)
        o << "[Label1 " << i << "] " << b(etichette1()[i].testo) << " "
          << b(etichette1()[i].tooltip) << "\n";
    for (std::size_t i = 0; i < etichette2().size(); ++i)
        o << "[Label2 " << indici_label2[i] << "] " << b(etichette2()[i].testo) << " "
          << b(etichette2()[i].tooltip) << "\n";
    o << "[Label3] " << b(etichetta3().testo) << "\n";
    for (const auto& p : pulsanti()) o << "[" << p.nome << "] " << b(p.testo) << "\n";
    for (const auto& f : frames()) o << "[" << f.nome << "] " << b(f.titolo) << "\n";
    o << "[Combo1] " << b(ricerca().testo) << " " << b(ricerca().tooltip) << "\n";
    o << "[Check1] " << b(testo_appoggiato) << " " << b(testo_libero) << " " << b(tooltip_vincolo)
      << "\n";
    for (const auto& n : panel::kFormule)
        o << "[" << scelta_formula().nome << "] " << b(n.breve) << " " << b(n.completo) << " "
          << b(n.titolo) << " " << b(immagine_formula(n.formula)) << "\n";
    const DatiSceltaDatum& d = scelta_datum();
    o << "[" << d.nome << "] " << b(d.etichetta.testo) << " " << b(d.tooltip) << "\n";
}

// The window's own texts: the stale marking, and the refused-number message of every input in a
// "." and a "," locale.
void finestra_messaggi(std::ostream& o) {
    o << "[scaduti] " << b(form::kDaAggiornare) << " " << b(form::kPremereAggiorna) << "\n";
    for (const text::NumberFormat& f : {text::dot_format(), text::NumberFormat{",", "."}}) {
        form::RaccoltaMessaggi m;
        form::Form1 form(m, f);
        form.imposta_nota_notazione(true);
        for (form::Campo c : form::kCampiIngresso) {
            form.stato.pannello.testi[c] = "x";
            o << "[rifiuto " << f.decimal << " " << form::indice(c) << "] "
              << form.motivo_rifiuto(c).value_or("") << "\n";
        }
    }
}

TEST(TestiUtente, AreThoseOfTheGoldenFile) {
    std::ostringstream o;
    design(o);
    finestra_messaggi(o);
    const fs::path file = fs::path(TV_SOURCE_DIR) / "tests" / "golden" / "testi.txt";
    std::ifstream in(file, std::ios::binary);
    const std::string atteso{std::istreambuf_iterator<char>(in), {}};
    if (o.str() != atteso) std::ofstream("testi_attuali.txt", std::ios::binary) << o.str();
    EXPECT_EQ(o.str(), atteso) << "actual texts written to testi_attuali.txt in the test folder";
}

}  // namespace
}  // namespace tv::app
