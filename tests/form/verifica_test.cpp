// SPDX-License-Identifier: GPL-3.0-or-later
// The check run behind "AGGIORNA" on a small grid written by the test: what a completed run
// writes, that a stopped run writes nothing, and a "," locale.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/modello/form1.h"
#include "finestra_temp.h"
#include "text/number_text.h"

namespace tv::form {
namespace {
using prova::Finestra;
using prova::SuiteTemp;

constexpr int kNodo = 33;  // the number of row 2, column 2: 7.29 E, 45 N

// A window started on a fresh temporary suite, its site put on node 33.
class Verifica : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(w.avvia(suite));
        ASSERT_TRUE(w.messaggi.elenco.empty());
        campo(tv::form::Campo::lon) = "7.29";
        campo(tv::form::Campo::lat) = "45";
    }
    std::string& campo(tv::form::Campo c) { return w.form.stato.pannello.testi[c]; }

    SuiteTemp suite;
    Finestra w;
};

// TR itself is the hazard library's: here fields 8 to 10 reach it (VR = 25 x 2, PVR 5%: TR 975
// years, a tabulated period) and field 0 shows its ag.
TEST_F(Verifica, FieldZeroShowsAgOfTheSiteAtTheReturnPeriodOfTheFields) {
    campo(tv::form::Campo::VN) = "25", campo(tv::form::Campo::Cu) = "2", campo(tv::form::Campo::PVR) = "5";
    ASSERT_TRUE(w.form.Command1_Click(0));
    const AzioneSito& a = w.form.risultato->azione;
    EXPECT_EQ(w.form.stato.label2_6, "50");
    EXPECT_EQ(a.TR, 975);
    EXPECT_EQ(campo(tv::form::Campo::ag), text::rounded(prova::ag_nodo(kNodo, 7), 4, text::dot_format()));
    EXPECT_NEAR(a.ag, prova::ag_nodo(kNodo, 7), 1e-9) << "ag keeps full precision";
    EXPECT_TRUE(w.messaggi.elenco.empty());
}

// Ss and S are the hazard library's: here soil and topography reach them. T1 comes from field 1
// and a changed grid file is read again.
TEST_F(Verifica, RunTakesSoilTopographyAndT1AndReadsTheGridFileAgainWhenItChanges) {
    campo(tv::form::Campo::suolo) = " b ", campo(tv::form::Campo::St) = "1.2", campo(tv::form::Campo::T1) = "0.5";
    ASSERT_TRUE(w.form.Command1_Click(0));
    // Ss = 1.4 - 0.4 x F0 x ag = 1.4 - 0.4 x 2.5 x 0.2033, within the limits of soil B.
    EXPECT_EQ(w.form.stato.label2_0 + " " + w.form.stato.label2_1, "1.197 1.436");
    EXPECT_EQ(campo(tv::form::Campo::suolo), " b ") << "the run reads the soil, it does not rewrite it";
    EXPECT_EQ(w.form.T1, 0.5);
    EXPECT_EQ(campo(tv::form::Campo::ag), "0.2033");
    prova::scrivi(suite.file_griglia(), prova::testo_griglia(100) + "\n\n");
    ASSERT_TRUE(w.form.Command1_Click(0));
    EXPECT_EQ(campo(tv::form::Campo::ag), "0.2133");
}

// Warnings, never refusals: each rule with the numbers it judged, in order. H = 900 cm:
// 0.05 x 9^0.75 = 0.26 s, so T1 from 0.13 to 0.52 s.
TEST_F(Verifica, ImplausibleInputsAreWarnedAboutAndTheRunCompletes) {
    using V = std::vector<std::string>;
    // St's warning, before qa's, is in the texts' golden and the cantilever report's golden.
    campo(tv::form::Campo::Z) = "1000", campo(tv::form::Campo::Cu) = "1.2", campo(tv::form::Campo::qa) = "3", campo(tv::form::Campo::T1) = "2";
    ASSERT_TRUE(w.form.Command1_Click(0));
    EXPECT_EQ(w.form.stato.avvisi,
              (V{"Z (quota baricentro) maggiore di H (altezza edificio)",
                 "Cu = 1.2 diverso da 0.7, 1, 1.5 e 2 (tab. 2.4.II)", "qa = 3 diverso da 1 e da 2",
                 "T1 = 2 s fuori da 0.13 a 0.52 s (metà e doppio di 0.05·H^0.75, H in m)"}));
    campo(tv::form::Campo::Z) = "750", campo(tv::form::Campo::Cu) = "1.5", campo(tv::form::Campo::qa) = "1", campo(tv::form::Campo::T1) = "0.5";
    for (const auto& [t, atteso] :
         {std::pair{"10", V{"Snellezza l_a/t = 30 maggiore di 25"}},  // L / t = 300 / 10
          std::pair{"12", V{}},                                       // 300 / 12 = 25
          std::pair{"600", V{"t (spessore) non minore di L (altezza)",
                             "t (spessore) non minore di B (lunghezza in pianta)"}}}) {
        campo(tv::form::Campo::t) = t;
        ASSERT_TRUE(w.form.Command1_Click(0)) << w.testi().back();
        EXPECT_EQ(w.form.stato.avvisi, atteso) << t;
    }
    // A cantilever: Z above H is a roof parapet, qa 2 is warned about (1 is expected), qa 1 not.
    campo(tv::form::Campo::t) = "25", campo(tv::form::Campo::Z) = "1000", campo(tv::form::Campo::qa) = "2";
    w.form.imposta_check(0, false);
    ASSERT_TRUE(w.form.Command1_Click(0)) << w.testi().back();
    EXPECT_EQ(w.form.stato.avvisi,
              (V{"qa = 2 diverso da 1, il valore per le mensole (Circolare 2019, Tab. C7.2.I)"}));
    campo(tv::form::Campo::qa) = "1";
    ASSERT_TRUE(w.form.Command1_Click(0));
    EXPECT_EQ(w.form.stato.avvisi, V{});
}

// Inputs beyond the field table reach the pure check only from a caller that skips it: with
// B = 1e300, E · J · g overflowed and Ta came out 0 with the verdict OK; now the run stops.
TEST_F(Verifica, NonFiniteIntermediateStopsTheRun) {
    auto in = std::get<IngressiVerifica>(w.form.leggi_ingressi());
    const auto griglia = w.form.fonte_griglia()->ricerca([&] { return w.form.file_griglia(); });
    in.pannello.B = 1e300;
    const EsitoVerifica e = calcola_verifica(in, *griglia);
    ASSERT_TRUE(std::holds_alternative<Arresto>(e));
    EXPECT_EQ(std::get<Arresto>(e).testo.rfind("Risultato non valido: ", 0), 0u)
        << std::get<Arresto>(e).testo;
}

// A suite without a job file: no verdict, and no message at start-up, until both coordinates
// are changed; AGGIORNA says why it stops.
TEST(SitoIniziale, NoVerdictUntilBothCoordinatesAreChanged) {
    SuiteTemp suite;
    Finestra w;
    ASSERT_TRUE(w.avvia(suite));
    EXPECT_FALSE(w.form.risultato.has_value());
    EXPECT_TRUE(w.messaggi.elenco.empty());
    EXPECT_TRUE(w.form.stato.sito_iniziale);
    EXPECT_EQ(w.form.aspetto().label28, "Sito da indicare");
    w.form.stato.pannello.testi[tv::form::Campo::lat] = "45";
    EXPECT_FALSE(w.form.Command1_Click(0)) << "the longitude is still the initial one";
    ASSERT_EQ(w.messaggi.elenco.size(), 1u);
    EXPECT_EQ(w.messaggi.elenco[0].titolo, "SITO DA INDICARE");
    EXPECT_EQ(w.form.aspetto().label28, "Sito da indicare");
    w.form.stato.pannello.testi[tv::form::Campo::lon] = "7.29";
    ASSERT_TRUE(w.form.Command1_Click(0));
    EXPECT_FALSE(w.form.stato.sito_iniziale);
    EXPECT_NE(w.form.aspetto().label28, "Sito da indicare");
}

TEST(VerificaVirgola, SameResultsAsUnderADotLocale) {
    SuiteTemp suite{prova::kConSito};
    Finestra punto, virgola(prova::formato_virgola());
    ASSERT_TRUE(punto.avvia(suite));
    ASSERT_TRUE(virgola.avvia(suite));
    auto& tp = punto.form.stato.pannello.testi;
    auto& tv = virgola.form.stato.pannello.testi;
    tp[tv::form::Campo::lon] = "7.28", tp[tv::form::Campo::lat] = "45.07", tp[tv::form::Campo::t] = "12.5", tp[tv::form::Campo::PVR] = "9.5";
    tv[tv::form::Campo::lon] = "7,28", tv[tv::form::Campo::lat] = "45,07", tv[tv::form::Campo::t] = "12,5", tv[tv::form::Campo::PVR] = "9,5";
    ASSERT_TRUE(punto.form.Command1_Click(0));
    ASSERT_TRUE(virgola.form.Command1_Click(0));
    for (auto i : prova::kRisultati) {
        std::string v = tv[i];
        std::replace(v.begin(), v.end(), ',', '.');
        EXPECT_EQ(v, tp[i]) << "field " << tv::form::indice(i);
    }
    EXPECT_EQ(virgola.form.risultato->azione.ag, punto.form.risultato->azione.ag);
    EXPECT_NE(tv[tv::form::Campo::ag].find(','), std::string::npos);
}


// The batch's one reading of a field against validation, in work units: texts at and beside the
// ends of each input field's range, far outside, not numbers, degrees and minutes, both locales.
TEST(NumeroAccettato, AcceptsWhatValidationAcceptsWithTheNumberItReads) {
    units::Unita u;
    u.fattore_lunghezze = 0.01, u.fattore_tensioni = 10, u.fattore_pesi_specifici = 1e6;
    const text::NumberFormat virgola{",", "."};
    for (const text::NumberFormat* f : {&text::dot_format(), &virgola})
        for (Campo c : kCampiIngresso) {
            if (c == Campo::suolo) continue;  // a letter: read apart
            const Intervallo r = intervallo(c);
            const double fattore = u.fattore(dati_campo(c).famiglia);
            const double k = fattore > 0 ? fattore : 1;
            std::vector<std::string> testi = {"x", "1e400", "-0", "3", "2.5", "1,5", "45 30",
                                              "45°30'N", "7 E", "12.5.1", "-1"};
            for (double estremo : {r.minimo, r.massimo})
                for (double scarto : {-1e-9, 0.0, 1e-9, 0.5, -0.5})
                    if (std::isfinite(estremo))
                        testi.push_back(text::general(estremo * k * (1 + scarto) + scarto, *f));
            for (const std::string& t : testi) {
                const auto v = numero_accettato(c, t, *f, u);
                EXPECT_EQ(v.has_value(), !motivo_rifiuto(c, t, *f, false, &u))
                    << nome_esteso(c) << " " << t;
                if (v) {
                    EXPECT_EQ(*v, numero_di_testo(c, t, *f).value_or(NAN)) << t;
                }
            }
        }
}

}  // namespace
}  // namespace tv::form
