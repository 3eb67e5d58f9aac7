// SPDX-License-Identifier: GPL-3.0-or-later
// The window's panels over a job's panels file: a refused cell keeps the job's value, leaves the
// panel unchecked and is said once with its panel and column.
#include "app/modello/sessione_pannelli.h"

#include <gtest/gtest.h>

#include "panel/domanda.h"
#include "finestra_temp.h"
#include "text/encoding.h"

namespace tv::form {
namespace {

TEST(SessionePannelli, RefusedCellsKeepTheJobsValuesLeaveThePanelUncheckedAndAreSaidOnce) {
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
    // The first refused cell in the columns' order is said; the others keep the job's values too.
    EXPECT_EQ(s.prendi_avvisi(),
              (std::vector<std::string>{
                  "pannelli.csv, riga 4: virgolette non chiuse; la riga resta nel file com'era.",
                  "Pannello \"P1\", t: Richiesto valore numerico"}));
    EXPECT_EQ(std::tuple(w.form.stato.pannello.testi[tv::form::Campo::t], w.form.stato.pannello.vincoli, w.form.stato.pannello.formula,
                         w.form.stato.pannello.datum),
              std::tuple(lavoro.pannello.testi[tv::form::Campo::t], lavoro.pannello.vincoli, lavoro.pannello.formula, lavoro.pannello.datum));
    EXPECT_TRUE(w.form.risultati_scaduti());  // nothing checked: no result stands for P1
    EXPECT_TRUE(w.form.stato.label3.empty());
    ASSERT_TRUE(s.scegli("P2"));  // a free top beside one supported side is no panel's
    EXPECT_EQ(s.prendi_avvisi(), std::vector<std::string>{std::string("Pannello \"P2\": ") +
                                                          panel::kVincoliNonAmmessi});
    EXPECT_EQ(std::tuple(w.form.stato.pannello.testi[tv::form::Campo::t], w.form.stato.pannello.vincoli, w.form.stato.pannello.formula),
              std::tuple("20", lavoro.pannello.vincoli, panel::FormulaDomanda::circolare_c7_2_11));
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
              std::vector<std::string>{"Pannello \"P1\", B: " + motivo + "\"1.000,5\""});
    EXPECT_EQ(w.form.stato.pannello.testi[Campo::L], lavoro.pannello.testi[Campo::L]);
    EXPECT_EQ(w.form.stato.pannello.testi[Campo::t], "20");
    w.form.stato.pannello.testi[Campo::t] = "25,5";
    ASSERT_FALSE(w.form.Text1_Validate(indice(Campo::t)));  // accepted: not cancelled
    EXPECT_EQ(s.registra(), std::nullopt);
    EXPECT_EQ(text::read_bytes(suite.lavoro() / "pannelli.csv"),
              "id;L;B;t\nP1;1.100;1.000,5;25,5\n");
    ASSERT_EQ(s.duplica(), std::nullopt);  // the copy keeps the cells as read, refused
    EXPECT_EQ(text::read_bytes(suite.lavoro() / "pannelli.csv"),
              "id;L;B;t\nP1;1.100;1.000,5;25,5\n1;1.100;1.000,5;25,5\n");
    EXPECT_EQ(s.prendi_avvisi().size(), 1u);
}

// Two windows on one job, and a hand edit between two saves: each save first reads what the
// others wrote, so no panel is lost; a cell both changed is decided by the window's question.
TEST(SessionePannelli, TwoWritersOfOneJobLoseNoPanelAndAskOverTheSameCell) {
    prova::SuiteTemp suite{prova::kConSito};
    prova::Finestra a, b;
    ASSERT_TRUE(a.avvia(suite));
    ASSERT_TRUE(b.avvia(suite));
    SessionePannelli sa(a.form), sb(b.form);  // both opened before any panel was saved
    for (int i = 0; i < 3; ++i) ASSERT_EQ(sa.nuovo(), std::nullopt);
    ASSERT_EQ(sb.imposta_descrizione("Nord"), std::nullopt);
    const auto letto = [&] { return *carica_pannelli(suite.lavoro()); };
    EXPECT_EQ(letto().ids(), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(letto().cella(*letto().pannello("1"), "descrizione"), "Nord");
    EXPECT_TRUE(sb.prendi_nota().has_value());
    EXPECT_FALSE(sa.prendi_nota().has_value());
    // B's next panel takes a free id; A, which never saw it, keeps it when it saves.
    ASSERT_EQ(sb.nuovo(), std::nullopt);
    EXPECT_EQ(sb.corrente(), "5");
    // A hand edit between two of A's saves: its row stays.
    const auto testo = text::read_bytes(suite.lavoro() / "pannelli.csv");
    const auto colonne = letto().colonne.size();
    prova::scrivi(suite.lavoro() / "pannelli.csv",
                  *testo + "9,a mano" + std::string(colonne - 2, ',') + "\n");
    a.form.stato.pannello.testi[Campo::t] = "30";
    ASSERT_EQ(sa.registra(), std::nullopt);
    EXPECT_EQ(letto().ids(), (std::vector<std::string>{"1", "2", "3", "4", "5", "9"}));
    EXPECT_EQ(letto().cella(*letto().pannello("4"), "t"), "30");
    EXPECT_EQ(letto().cella(*letto().pannello("9"), "descrizione"), "a mano");
    // The same cell changed by both: A is asked, and keeps the file's text when told so.
    ASSERT_TRUE(sa.scegli("1") && sb.scegli("1"));
    ASSERT_EQ(sb.imposta_descrizione("Sud"), std::nullopt);
    std::vector<Conflitto> chiesti;
    sa.imposta_scelta([&](const Conflitto& c) { return chiesti.push_back(c), false; });
    ASSERT_EQ(sa.imposta_descrizione("Est"), std::nullopt);
    ASSERT_EQ(chiesti.size(), 1u);
    EXPECT_EQ(std::tie(chiesti[0].id, chiesti[0].colonna, chiesti[0].mio, chiesti[0].loro),
              std::tie("1", "descrizione", "Est", "Sud"));
    EXPECT_EQ(letto().cella(*letto().pannello("1"), "descrizione"), "Sud");
    EXPECT_EQ(letto().ids().size(), 6u);
}

}  // namespace
}  // namespace tv::form
