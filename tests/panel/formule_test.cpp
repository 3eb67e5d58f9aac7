// SPDX-License-Identifier: GPL-3.0-or-later
// The contract every demand formula keeps, run over each row of the formula table: Sa never below ag x S,
// Fa = Sa x Wa / qa, names unique that read back to it and through the command line's word, and
// the report naming its reference. A new formula is tested by adding its row.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <tuple>

#include "app/modello/contesto.h"
#include "cli/comandi.h"
#include "form/testi.h"
#include "panel/domanda.h"
#include "panel/formule.h"
#include "relazione/documento.h"
#include "finestra_temp.h"
#include "text/encoding.h"

namespace tv::panel {
namespace {

class Contratto : public ::testing::TestWithParam<DescrizioneFormula> {};

// The start-up panel (B 500, L 300, t 12 cm, Z 750, H 900 cm, qa 2) and a slender one with its
// centroid at the foundation (Z 0, qa 1.5): with T1 0.05 s, far below its Ta, and a site whose
// spectrum falls early (Tc* 0.05 s), every formula gives less than ag x S there and Sa is raised
// to it.
TEST_P(Contratto, SaNeverBelowAgSAndFaIsSaWaOverQa) {
    const FormulaDomanda f = GetParam().formula;
    const DatiPannello avvio{300, 500, 12, 0.0008, 3, 6000, 750, 900, 2, {}};
    const DatiPannello basso{400, 500, 10, 0.0018, 3, 6000, 0, 900, 1.5, {true, true, true}};
    for (const auto& [p, sito, al_minimo] :
         {std::tuple{avvio, DatiAzione{0.2, 1.0, 0.39, 2.4, 0.3}, false},
          std::tuple{avvio, DatiAzione{0.35, 1.2, 1.2, 2.4, 0.6}, false},
          std::tuple{basso, DatiAzione{0.2, 1.15, 0.05, 2.4, 0.05}, true}}) {
        const EsitoPannello e = verifica_pannello(p, sito, f);
        EXPECT_EQ(e.formula(), f);
        EXPECT_GE(e.Sa, sito.ag * sito.s);
        EXPECT_EQ(e.al_minimo(), al_minimo) << sito.T1;
        if (al_minimo) {
            EXPECT_EQ(e.Sa, sito.ag * sito.s);
        }
        EXPECT_NEAR(e.Fa, e.Sa * e.Wa / p.qa, 1e-12 * e.Fa);
    }
}

TEST_P(Contratto, NamesUniqueAndReadBackAlsoThroughTheCommandLine) {
    const FormulaDomanda f = GetParam().formula;
    const DescrizioneFormula& n = GetParam();
    for (const DescrizioneFormula& m : kFormule) {
        if (m.formula == f) continue;
        for (const auto& [a, b] : {std::pair{n.breve, m.breve}, {n.completo, m.completo},
                                   {n.titolo, m.titolo}, {n.parola, m.parola}})
            EXPECT_NE(text::to_lower(a), text::to_lower(b));
    }
    EXPECT_EQ(formula_di_nome(n.breve), f);
    EXPECT_EQ(formula_di_nome(" " + text::to_upper(n.parola) + " "), f);
    form::prova::SuiteTemp suite{form::prova::kConSito};
    cli::OpzioniCheck o;
    o.root = suite.root().string(), o.json = true, o.demand = std::string(n.parola);
    std::ostringstream out, err;
    ASSERT_EQ(cli::esegui_check(o, suite.root(), out, err), 0) << err.str();
    const auto j = nlohmann::json::parse(out.str());
    EXPECT_EQ(j["demand"], n.parola);
    EXPECT_EQ(j["completed"], true);
}

TEST_P(Contratto, TheReportNamesTheFormulasReference) {
    form::prova::SuiteTemp suite{form::prova::kConSito};
    form::prova::Finestra w;
    ASSERT_TRUE(w.avvia(suite));
    w.form.stato.pannello.formula = GetParam().formula;
    ASSERT_TRUE(w.form.Command1_Click(0));
    const relazione::Documento doc = relazione::costruisci_relazione(
        *w.form.risultato, form::contesto_relazione(w.form, ""));
    std::string testi;
    for (const relazione::Sezione& s : doc.sezioni)
        for (const relazione::Blocco& b : s.blocchi)
            if (const auto* p = std::get_if<relazione::Paragrafo>(&b)) testi += p->testo + "\n";
    const std::string riferimento = "qui si usa " + std::string(GetParam().riferimento);
    EXPECT_NE(testi.find(riferimento), std::string::npos) << riferimento;
}

INSTANTIATE_TEST_SUITE_P(Formule, Contratto, ::testing::ValuesIn(kFormule),
                         [](const auto& info) { return "Riga" + std::to_string(info.index); });

}  // namespace
}  // namespace tv::panel
