// Every text the user sees, written out whole and compared with tests/golden/testi.txt: the
// window's design table and the command line's summary and messages on the demo job.
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <sstream>

#include "app/campi.h"
#include "cli/comandi.h"
#include "form/form1.h"
#include "form/testi.h"
#include "suite_temp.h"

namespace tv::app {
namespace {
namespace fs = std::filesystem;

// Bars around each text keep its leading and trailing blanks visible in the file.
std::string b(const char* s) {
    return std::string("|") + s + "|";
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
    for (auto f : {form::FormulaDomanda::ec8, form::FormulaDomanda::circolare_c7_2_11}) {
        const auto& n = form::nomi_formula(f);
        const auto* immagine = scelta_formula().immagini[f == form::FormulaDomanda::ec8 ? 0 : 1];
        o << "[" << scelta_formula().nome << "] " << b(n.breve) << " " << b(n.completo) << " "
          << b(n.titolo) << " " << b(immagine) << "\n";
    }
    const DatiSceltaDatum& d = scelta_datum();
    o << "[" << d.nome << "] " << b(d.etichetta.testo) << " " << b(d.tooltip) << "\n";
}

// `vincoli`: the top, left and right restraints.
void check(std::ostream& o, const fs::path& root, std::vector<std::string> set, const char* nome,
           std::optional<std::array<int, 3>> vincoli = {},  // top, left, right
           std::optional<std::string> demand = {}, std::optional<std::string> datum = {}) {
    cli::OpzioniCheck c;
    c.root = root.string();
    c.demand = std::move(demand);
    c.datum = std::move(datum);
    c.set = std::move(set);
    if (vincoli) c.top = (*vincoli)[0], c.left = (*vincoli)[1], c.right = (*vincoli)[2];
    std::ostringstream out, err;
    const int codice = cli::esegui_check(c, fs::current_path(), out, err);
    o << "[check " << nome << "] exit " << codice << "\n" << out.str() << "[stderr]\n" << err.str();
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
            form.stato.text1[form::posizione(c)] = "x";
            o << "[rifiuto " << f.decimal << " " << form::indice(c) << "] "
              << form.motivo_rifiuto(form::indice(c)).value_or("") << "\n";
        }
    }
}

TEST(TestiUtente, AreThoseOfTheGoldenFile) {
    form::prova::CartellaTemp tmp;
    if (!form::prova::copia_suite_demo(tmp.path())) GTEST_SKIP() << "reference data not available";
    std::ostringstream o;
    design(o);
    finestra_messaggi(o);
    check(o, tmp.path(), {}, "demo");
    check(o, tmp.path(), {"7=abc"}, "latitudine");
    check(o, tmp.path(), {"4=Z"}, "suolo");
    check(o, tmp.path(), {"3=0"}, "qa");
    check(o, tmp.path(), {"7=60"}, "fuori zona");
    check(o, tmp.path(), {}, "vincoli", std::array{0, 1, 0});
    check(o, tmp.path(), {"B=100", "L=100", "t=25", "gamma=0.0018", "Z=900", "H=900", "qa=1"},
          "mensola", std::array{0, 0, 0});
    check(o, tmp.path(), {"lat=39.2305", "lon=9.1192"}, "cagliari c7.2.11", {}, "c7.2.11");
    check(o, tmp.path(), {"lat=41 54 10.08 N", "lon=12\u00b029'47.04\""}, "roma wgs84", {}, {},
          "wgs84");
    check(o, tmp.path(), {"VN=10", "Cu=1"}, "VR minimo");
    check(o, tmp.path(), {"qa=3", "St=1.6"}, "avvisi");
    check(o, tmp.path(), {"B=1e300"}, "B fuori intervallo");

    const fs::path file = fs::path(TV_SOURCE_DIR) / "tests" / "golden" / "testi.txt";
    std::ifstream in(file, std::ios::binary);
    const std::string atteso{std::istreambuf_iterator<char>(in), {}};
    if (o.str() != atteso) std::ofstream("testi_attuali.txt", std::ios::binary) << o.str();
    EXPECT_EQ(o.str(), atteso) << "actual texts written to testi_attuali.txt in the test folder";
}

}  // namespace
}  // namespace tv::app
