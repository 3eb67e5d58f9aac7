// Results out of date after every kind of input change and after a stopped run, current again
// after a completed run; how they are drawn; the window's second line for a refused number.
#include "form/aggiornamento.h"

#include <gtest/gtest.h>

#include <functional>

#include "form/form1.h"
#include "suite_temp.h"

namespace tv::form {
namespace {

struct CasoModifica {
    const char* nome;
    std::function<void(Form1&)> modifica;
    bool scaduti;
};
void PrintTo(const CasoModifica& c, std::ostream* os) { *os << c.nome; }

class Modifica : public ::testing::TestWithParam<CasoModifica> {};

TEST_P(Modifica, MarksTheResultsByTheStateReached) {
    prova::SuiteTemp s;
    prova::Finestra w;
    ASSERT_TRUE(w.avvia(s));
    ASSERT_FALSE(w.form.risultati_scaduti());
    GetParam().modifica(w.form);
    EXPECT_EQ(w.form.risultati_scaduti(), GetParam().scaduti);
    // A completed run makes them current, whatever changed.
    ASSERT_TRUE(w.form.Command1_Click(0)) << w.testi().back();
    EXPECT_FALSE(w.form.risultati_scaduti());
}

void testo(Form1& f, Campo c, const char* t) { f.stato.text1[posizione(c)] = t; }

INSTANTIATE_TEST_SUITE_P(
    Ingressi, Modifica,
    ::testing::Values(
        CasoModifica{"FieldText", [](Form1& f) { testo(f, Campo::t, "20"); }, true},
        CasoModifica{"FieldTextPutBack",
                     [](Form1& f) { testo(f, Campo::t, "20"), testo(f, Campo::t, "12"); }, false},
        CasoModifica{"Toggle", [](Form1& f) { f.imposta_check(1, true); }, true},
        CasoModifica{"ToggleUndoneByTheRules", [](Form1& f) { f.imposta_check(0, false); }, false},
        CasoModifica{"BottomToggle", [](Form1& f) { f.imposta_check(2, false); }, false},
        CasoModifica{"ListPick", [](Form1& f) { f.imposta_testo_combo("nodo"), f.Combo1_Click(0); },
                     true},
        CasoModifica{"AlphaTyped", [](Form1& f) { testo(f, Campo::ag, "0.5"); }, true}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(Aggiornamento, StaleBeforeAnyRunAndAfterAStoppedRunUntilARunCompletes) {
    prova::SuiteTemp s;
    prova::Finestra w;
    EXPECT_TRUE(w.form.risultati_scaduti());
    ASSERT_TRUE(w.avvia(s));
    const StatoFinestra prima = w.form.stato;
    testo(w.form, Campo::t, "-1");
    EXPECT_FALSE(w.form.Command1_Click(0));
    EXPECT_TRUE(w.form.risultati_scaduti());
    StatoFinestra atteso = prima;
    atteso.text1[posizione(Campo::t)] = "-1";
    EXPECT_TRUE(w.form.stato == atteso) << "a stopped run writes nothing";
    // The inputs of the last completed run again: still stale, that run is not the last.
    testo(w.form, Campo::t, "12");
    EXPECT_TRUE(w.form.risultati_scaduti());
    EXPECT_TRUE(w.form.Command1_Click(0));
    EXPECT_FALSE(w.form.risultati_scaduti());
}

TEST(Aggiornamento, StaleResultsAreGreyWithoutVerdictAndCurrentOnesKeepTheRunsColours) {
    StatoFinestra s;
    s.text22_sfondo = {128, 255, 128};
    s.label28_testo = {0, 128, 0};
    s.label34_sfondo = {255, 255, 0};
    s.label1[kLabelVerdetto] = "[daN] > Fa : OK";
    EXPECT_EQ(aspetto_risultati(s, false),
              (AspettoRisultati{kBlack, {128, 255, 128}, {0, 128, 0}, {255, 255, 0},
                                "[daN] > Fa : OK", std::nullopt}));
    EXPECT_EQ(aspetto_risultati(s, true),
              (AspettoRisultati{{128, 128, 128}, kWhite, {128, 128, 128}, kWhite,
                                "da aggiornare", "Premere AGGIORNA"}));
}

// ---- The window's refused-number message (every wording is in the golden file) -------------

TEST(NotaNotazione, DotGroupingStaysRefusedAndOnlyTheWindowAddsTheSecondLine) {
    prova::Finestra w(prova::formato_virgola());
    testo(w.form, Campo::E, "6.000");  // never read as 6 with "." grouping
    w.form.imposta_nota_notazione(true);
    EXPECT_EQ(w.form.motivo_rifiuto(indice(Campo::E)),
              "Richiesto valore numerico\nE (modulo elastico): usare la virgola come separatore "
              "decimale, per esempio 0,39");
    w.form.imposta_nota_notazione(false);
    EXPECT_TRUE(w.form.Text1_Validate(indice(Campo::E)));
    EXPECT_EQ(w.testi(), std::vector<std::string>{"Richiesto valore numerico"});
}

}  // namespace
}  // namespace tv::form
