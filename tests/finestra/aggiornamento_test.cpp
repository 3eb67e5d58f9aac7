// SPDX-License-Identifier: GPL-3.0-or-later
// Results out of date after every kind of input change and after a stopped run, current again
// after a completed run; how they are drawn; the window's second line for a refused number.
#include "app/modello/aggiornamento.h"

#include <gtest/gtest.h>

#include "app/modello/form1.h"
#include "finestra_temp.h"

namespace tv::form {
namespace {

void testo(Form1& f, Campo c, const char* t) { f.stato.pannello.testi[c] = t; }

TEST(Aggiornamento, EachKindOfInputChangeMarksTheResultsByTheStateReached) {
    using Modifica = void (*)(Form1&);
    const std::pair<Modifica, bool> casi[] = {
        {[](Form1& f) { testo(f, Campo::t, "20"); }, true},
        {[](Form1& f) { testo(f, Campo::t, "20"), testo(f, Campo::t, "12"); }, false},  // put back
        {[](Form1& f) { f.imposta_check(1, true); }, true},
        {[](Form1& f) { f.imposta_check(0, false); }, true},  // a cantilever
        // Top freed beside a supported side, then that side freed: a cantilever through a step.
        {[](Form1& f) { f.imposta_check(1, true), f.imposta_check(0, false), f.imposta_check(1, false); },
         true},
        {[](Form1& f) { f.imposta_check(1, true), f.imposta_check(1, false); }, false},
        {[](Form1& f) { f.imposta_check(2, false); }, false},  // the bottom never changes
        {[](Form1& f) { f.imposta_testo_combo("nodo"), f.Combo1_Click(0); }, true},
        {[](Form1& f) { testo(f, Campo::ag, "0.5"); }, true}};
    for (std::size_t i = 0; i < std::size(casi); ++i) {
        prova::SuiteTemp s{prova::kConSito};
        prova::Finestra w;
        ASSERT_TRUE(w.avvia(s));
        ASSERT_FALSE(w.form.risultati_scaduti());
        casi[i].first(w.form);
        EXPECT_EQ(w.form.risultati_scaduti(), casi[i].second) << "case " << i;
        // A completed run makes them current, whatever changed.
        ASSERT_TRUE(w.form.Command1_Click(0)) << w.testi().back();
        EXPECT_FALSE(w.form.risultati_scaduti());
    }
}

TEST(Aggiornamento, StaleBeforeAnyRunAndAfterAStoppedRunUntilARunCompletes) {
    prova::SuiteTemp s{prova::kConSito};
    prova::Finestra w;
    EXPECT_TRUE(w.form.risultati_scaduti());
    ASSERT_TRUE(w.avvia(s));
    const double ag = w.form.risultato->azione.ag, T1 = w.form.T1;
    testo(w.form, Campo::T1, "0.5");  // a completed run would take T1 from here
    testo(w.form, Campo::t, "-1");
    const StatoFinestra prima = w.form.stato;
    EXPECT_FALSE(w.form.Command1_Click(0));
    EXPECT_TRUE(w.form.risultati_scaduti());
    EXPECT_TRUE(w.form.stato == prima) << "a stopped run writes nothing";
    EXPECT_EQ(w.form.risultato->azione.ag + w.form.T1, ag + T1);
    testo(w.form, Campo::T1, "0.39");
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
    EXPECT_NE(w.form.motivo_rifiuto(Campo::E).value_or("").find("\nE (modulo"),
              std::string::npos);
    w.form.imposta_nota_notazione(false);
    EXPECT_TRUE(w.form.Text1_Validate(indice(Campo::E)));
    EXPECT_EQ(w.testi(), std::vector<std::string>{"Richiesto valore numerico"});
}

}  // namespace
}  // namespace tv::form
