// The window's panels over a job's panels file: a refused cell keeps the job's value and is said
// once, each with its panel and column.
#include "form/sessione_pannelli.h"

#include <gtest/gtest.h>

#include "panel/domanda.h"
#include "suite_temp.h"
#include "text/encoding.h"

namespace tv::form {
namespace {

TEST(SessionePannelli, RefusedCellsKeepTheJobsValuesAndAreSaidOnce) {
    prova::SuiteTemp suite;
    prova::scrivi(suite.lavoro() / "pannelli.csv",
                  "id,t,top,left,right,domanda,datum\n"
                  "P1,abc,2,,,xx,GPS\n"
                  "P2,20,0,1,0,c7.2.11,\n"
                  "P3,\"rotta\n");
    prova::Finestra w;
    ASSERT_TRUE(w.avvia(suite));
    const StatoFinestra lavoro = w.form.stato;
    SessionePannelli s(w.form);
    const std::string resta = "; resta il valore del lavoro.";
    EXPECT_EQ(s.prendi_avvisi(),
              (std::vector<std::string>{
                  "pannelli.csv, riga 4: virgolette non chiuse; la riga resta nel file com'era.",
                  "Pannello \"P1\", t: Richiesto valore numerico" + resta,
                  "Pannello \"P1\", top: accettati solo 1 (appoggiato) e 0 (libero)" + resta,
                  "Pannello \"P1\", domanda: accettate solo EC8, C7.2.11 e C7.2.5" + resta,
                  "Pannello \"P1\", datum: accettati solo ED50 e WGS84" + resta}));
    EXPECT_EQ(std::tuple(w.form.stato.text1[13], w.form.stato.check1, w.form.stato.formula,
                         w.form.stato.datum),
              std::tuple(lavoro.text1[13], lavoro.check1, lavoro.formula, lavoro.datum));
    ASSERT_TRUE(s.scegli("P2"));  // a free top beside one supported side is no panel's
    EXPECT_EQ(s.prendi_avvisi(),
              std::vector<std::string>{std::string("Pannello \"P2\", top: VINCOLI SCORRETTI: ") +
                                       panel::kVincoliNonAmmessi + resta});
    EXPECT_EQ(std::tuple(w.form.stato.text1[13], w.form.stato.check1, w.form.stato.formula),
              std::tuple("20", lavoro.check1, panel::FormulaDomanda::circolare_c7_2_11));
    EXPECT_TRUE(s.prendi_avvisi().empty());
}

// In a ";" file "1.100" is a grouped 1100, not 1.1: refused with its cell named, and written
// back as read, as "1.000,5" is (never "1,000,5"), when another field is saved.
TEST(SessionePannelli, APointInANumberOfACommaFileIsRefusedAndSavedAsRead) {
    prova::SuiteTemp suite;
    prova::scrivi(suite.lavoro() / "pannelli.csv", "id;L;B;t\nP1;1.100;1.000,5;20\n");
    prova::Finestra w(prova::formato_virgola());
    ASSERT_TRUE(w.avvia(suite));
    const StatoFinestra lavoro = w.form.stato;
    SessionePannelli s(w.form);
    const std::string motivo = "Richiesto valore numerico con la virgola decimale e senza punti: ";
    EXPECT_EQ(s.prendi_avvisi(),
              (std::vector<std::string>{
                  "Pannello \"P1\", B: " + motivo + "\"1.000,5\"; resta il valore del lavoro.",
                  "Pannello \"P1\", L: " + motivo + "\"1.100\"; resta il valore del lavoro."}));
    EXPECT_EQ(w.form.stato.text1[posizione(Campo::L)], lavoro.text1[posizione(Campo::L)]);
    EXPECT_EQ(w.form.stato.text1[posizione(Campo::t)], "20");
    w.form.stato.text1[posizione(Campo::t)] = "25,5";
    ASSERT_FALSE(w.form.Text1_Validate(indice(Campo::t)));  // accepted: not cancelled
    EXPECT_EQ(s.registra(), std::nullopt);
    EXPECT_EQ(text::read_bytes(suite.lavoro() / "pannelli.csv"),
              "id;L;B;t\nP1;1.100;1.000,5;25,5\n");
    ASSERT_EQ(s.duplica(), std::nullopt);  // the copy keeps the cells as read, refused
    EXPECT_EQ(text::read_bytes(suite.lavoro() / "pannelli.csv"),
              "id;L;B;t\nP1;1.100;1.000,5;25,5\n1;1.100;1.000,5;25,5\n");
    EXPECT_EQ(s.prendi_avvisi().size(), 2u);
}

}  // namespace
}  // namespace tv::form
