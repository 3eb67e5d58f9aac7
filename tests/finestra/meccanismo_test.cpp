// SPDX-License-Identifier: GPL-3.0-or-later
// The window's local-mechanism kinds: the run behind AGGIORNA against a hand-worked wall, the
// stale marking over the storey table, and a mechanism panel saved and reopened.
#include "app/modello/meccanismo.h"

#include <gtest/gtest.h>

#include "app/modello/sessione_pannelli.h"
#include "finestra_temp.h"
#include "panel/domanda.h"
#include "text/encoding.h"

namespace tv::form {
namespace {
using prova::Finestra;
using prova::SuiteTemp;

// The hand-worked wall of one storey, in the job's cm and daN.
void muro_di_prova(Form1& f) {
    f.stato.pannello.testi[Campo::B] = "100";
    f.stato.pannello.testi[Campo::gamma] = "0.002";
    f.stato.pannello.testi[Campo::H] = "320";
    f.imposta_tipo(TipoVerifica::ribaltamento);
    const std::pair<GrandezzaPiano, const char*> piano[] = {{GrandezzaPiano::h, "320"},
                                                            {GrandezzaPiano::t, "50"},
                                                            {GrandezzaPiano::N, "1000"},
                                                            {GrandezzaPiano::dN, "40"},
                                                            {GrandezzaPiano::F, "200"}};
    for (const auto& [g, testo] : piano) f.imposta_campo_meccanismo(campo_piano(g, 1), testo);
}

double valore(const Form1& f, std::size_t i) {
    return text::parse_dot_or_locale(f.stato.esito_meccanismo.valori.at(i), f.formato()).value();
}

// Per metre of wall (B 100 cm, γ 0.002 daN/cm3 = 20 kN/m3), one storey h1 320 cm, t1 50 cm,
// N1 1000 daN = 10 kN at dN1 40 cm, F1 200 daN = 2 kN, turning about the outer base edge:
//   W = 20·0.5·3.2 = 32 kN at x 0.25, y 1.6; N at x 0.40, y 3.2; F at y 3.2
//   α0 = (32·0.25 + 10·0.40 − 2·3.20)/(32·1.60 + 10·3.20) = 5.6/83.2 = 0.0673077
//   e* = (ΣP δx)²/(ΣP · ΣP δx²) = 83.2²/(42·184.32) = 0.894180
//   a0* = α0 g/(e* FC) = 0.0673077·9.81/(0.894180·1.35) = 0.546985 m/s² (LC1: FC 1.35)
// Choosing the kind moves EC8 to C7.2.5; EC8 picked again is refused with its message; a
// storey text changed greys the results and undone makes them current again.
TEST(MeccanismoFinestra, HandWorkedWallStaleMarkingAndEC8Refused) {
    SuiteTemp suite{prova::kConSito};
    Finestra w;
    ASSERT_TRUE(w.avvia(suite));
    ASSERT_EQ(w.form.stato.pannello.formula, panel::FormulaDomanda::ec8);
    muro_di_prova(w.form);
    EXPECT_EQ(w.form.stato.pannello.formula, panel::FormulaDomanda::circolare_c7_2_5);
    ASSERT_TRUE(w.form.Command1_Click(0)) << (w.testi().empty() ? "" : w.testi().back());
    const TestiEsitoMeccanismo& t = w.form.stato.esito_meccanismo;
    EXPECT_EQ(t.governante.rfind("ribaltamento 1: z 0 m", 0), 0u) << t.governante;
    EXPECT_NEAR(valore(w.form, 0), 0.0673077, 5e-6);
    EXPECT_NEAR(valore(w.form, 1), 0.894180, 5e-5);
    EXPECT_NEAR(valore(w.form, 2), 0.546985, 5e-5);
    EXPECT_TRUE(t.altri.empty());  // one storey: one overturning
    // The SLV verdict is ζE SLV against 1, and it is what the verdict's place shows.
    EXPECT_EQ(t.verdetto_SLV, valore(w.form, 4) >= 1 ? " > : OK" : " < : !!!");
    EXPECT_EQ(t.verdetto_SLD, valore(w.form, 3) >= 1 ? " > : OK" : " < : !!!");
    EXPECT_FALSE(w.form.risultati_scaduti());
    EXPECT_EQ(w.form.aspetto().label28, t.verdetto_SLV);

    w.form.imposta_campo_meccanismo(campo_piano(GrandezzaPiano::F, 1), "300");
    EXPECT_TRUE(w.form.risultati_scaduti());
    EXPECT_EQ(w.form.aspetto().label28, kDaAggiornare);
    w.form.imposta_campo_meccanismo(campo_piano(GrandezzaPiano::F, 1), "200");
    EXPECT_FALSE(w.form.risultati_scaduti());
    w.form.imposta_campo_meccanismo(CampoMeccanismo::piani, "2");  // storey 2 has no h2
    EXPECT_EQ(piani_mostrati(w.form.stato, w.form.formato()), 2);
    EXPECT_FALSE(w.form.Command1_Click(0));
    EXPECT_NE(w.testi().back().find("h2"), std::string::npos) << w.testi().back();
    EXPECT_TRUE(w.form.risultati_scaduti());

    w.form.imposta_campo_meccanismo(CampoMeccanismo::piani, "1");
    w.form.stato.pannello.formula = panel::FormulaDomanda::ec8;
    const std::size_t prima = w.messaggi.elenco.size();
    EXPECT_FALSE(w.form.Command1_Click(0));
    ASSERT_EQ(w.messaggi.elenco.size(), prima + 1);
    EXPECT_NE(w.testi().back().find("C7.2.5"), std::string::npos) << w.testi().back();
    EXPECT_EQ(t.valori[0], text::rounded(5.6 / 83.2, 5, w.form.formato()));  // kept from the run
}

// The nonlinear analysis chosen, on the wall's block alone (no floor, no thrust) at ground: it
// stops turning when its centroid is over the outer edge, d0 = t/2 = 50/2 cm = 0.25 m. ζE SLV and
// ag,cap SLV show the nonlinear check's, which decides the verdict; SLC's is beside it.
TEST(MeccanismoFinestra, TheNonlinearAnalysisShowsD0AndDecidesTheVerdicts) {
    SuiteTemp suite{prova::kConSito};
    Finestra w;
    ASSERT_TRUE(w.avvia(suite));
    muro_di_prova(w.form);
    for (GrandezzaPiano g : {GrandezzaPiano::N, GrandezzaPiano::dN, GrandezzaPiano::F})
        w.form.imposta_campo_meccanismo(campo_piano(g, 1), "");
    ASSERT_TRUE(w.form.Command1_Click(0)) << (w.testi().empty() ? "" : w.testi().back());
    const double zeta_lineare = valore(w.form, 4);
    EXPECT_FALSE(w.form.stato.esito_meccanismo.non_lineare);
    w.form.imposta_campo_meccanismo(CampoMeccanismo::analisi, kAnalisiNonLineare);
    EXPECT_TRUE(w.form.risultati_scaduti());
    ASSERT_TRUE(w.form.Command1_Click(0)) << (w.testi().empty() ? "" : w.testi().back());
    const TestiEsitoMeccanismo& t = w.form.stato.esito_meccanismo;
    ASSERT_TRUE(t.non_lineare);
    EXPECT_NE(t.governante.find("analisi non lineare"), std::string::npos) << t.governante;
    EXPECT_EQ(t.valori_SLC[0], "0.25");
    const auto& nl = w.form.risultato_meccanismo->esito.governante().non_lineare;
    ASSERT_TRUE(nl.has_value());
    EXPECT_NE(nl->SLV.zeta, zeta_lineare);
    EXPECT_NEAR(valore(w.form, 4), nl->SLV.zeta, 5e-4);
    EXPECT_EQ(t.verdetto_SLV, nl->SLV.zeta >= 1 ? " > : OK" : " < : !!!");
    const double zeta_SLC = text::parse_dot_or_locale(t.valori_SLC[1], w.form.formato()).value();
    EXPECT_EQ(t.verdetto_SLC, zeta_SLC >= 1 ? " > : OK" : " < : !!!");
    EXPECT_EQ(t.pericolosita_SLC.rfind("SLC: TR ", 0), 0u) << t.pericolosita_SLC;
}

// The side walls typed in the job's cm: hb 8, lb 16, ts 40, mu left empty (0.577), two walls
// interlocked on the wall above: n = 320/8 = 40, Φ = 0.5, F = 0.4·40·41·0.5·0.577·0.16²·0.40·20
// = 38.7596 kN a wall, L_i = 2·38.7596·3.20/3 = 82.6872 kN·m, α0 = (5.6 + 82.6872)/83.2 =
// 1.06114. The wedge kind reads beta and lati_cuneo instead (β 30°, two sides, ts 40): W =
// 2·20·0.40·3.2²·tan 30°/2 = 47.2965 kN at 0.5 + 3.2·tan 30°/3 = 1.11584 m from the outer face and
// 2.1333 m up, α0 = (5.6 + 52.7754)/(83.2 + 100.8993) = 0.317086; without β it stops naming it.
TEST(MeccanismoFinestra, TheSideWallsFieldsReadInWorkUnitsByTheKindsThatUseThem) {
    SuiteTemp suite{prova::kConSito};
    Finestra w;
    ASSERT_TRUE(w.avvia(suite));
    muro_di_prova(w.form);
    for (const auto& [c, testo] : {std::pair{CampoMeccanismo::ammorsamenti, "2"},
                                   {CampoMeccanismo::hb, "8"}, {CampoMeccanismo::lb, "16"},
                                   {CampoMeccanismo::ts, "40"}, {CampoMeccanismo::mu, ""}})
        w.form.imposta_campo_meccanismo(c, testo);
    ASSERT_TRUE(w.form.Command1_Click(0)) << (w.testi().empty() ? "" : w.testi().back());
    EXPECT_NEAR(valore(w.form, 0), 1.06114, 5e-6);
    ASSERT_TRUE(w.form.risultato_meccanismo.has_value());
    EXPECT_NEAR(w.form.risultato_meccanismo->esito.governante().lavoro.lavoro_interno, 82.6872,
                5e-5);

    w.form.imposta_tipo(TipoVerifica::ribaltamento_composto);
    EXPECT_FALSE(w.form.Command1_Click(0));
    EXPECT_NE(w.testi().back().find("beta (angolo"), std::string::npos) << w.testi().back();
    w.form.imposta_campo_meccanismo(CampoMeccanismo::beta, "30");
    w.form.imposta_campo_meccanismo(CampoMeccanismo::lati_cuneo, "2");
    ASSERT_TRUE(w.form.Command1_Click(0)) << w.testi().back();
    EXPECT_NEAR(valore(w.form, 0), 0.317086, 5e-6);
    EXPECT_EQ(w.form.stato.esito_meccanismo.governante.rfind("ribaltamento composto 1", 0), 0u);
}

// An arching panel saved writes none of the mechanism's columns; a mechanism panel saved next
// adds `verifica` and the columns of its fields that hold a text, and comes back with its kind
// and texts when chosen again and in another window opened on the job.
TEST(MeccanismoFinestra, SavedAndReopenedKeepsItsKindAndAnArchingPanelWritesNoNewColumn) {
    SuiteTemp suite{prova::kConSito};
    Finestra w;
    ASSERT_TRUE(w.avvia(suite));
    SessionePannelli s(w.form);
    const auto csv = suite.lavoro() / "pannelli.csv";
    w.form.stato.pannello.testi[Campo::t] = "25";
    ASSERT_EQ(s.registra(), std::nullopt);
    const std::string arco = text::read_bytes(csv).value();
    const std::string intestazione = arco.substr(0, arco.find('\n'));
    for (const char* c : {"verifica", "piani", "h1", "catena5", "LC", "z0"})
        EXPECT_EQ(intestazione.find(c), std::string::npos) << c << " in " << intestazione;
    EXPECT_EQ(s.registra(), std::nullopt);  // nothing changed: the bytes stay
    EXPECT_EQ(text::read_bytes(csv), arco);

    ASSERT_EQ(s.nuovo(), std::nullopt);
    const std::string id = s.corrente();
    muro_di_prova(w.form);
    w.form.imposta_campo_meccanismo(CampoMeccanismo::LC, "2");
    w.form.imposta_campo_meccanismo(CampoMeccanismo::analisi, kAnalisiNonLineare);
    w.form.imposta_campo_meccanismo(CampoMeccanismo::d_rottura, "2");
    const TestiMeccanismo testi = w.form.stato.pannello.meccanismo;
    ASSERT_EQ(s.registra(), std::nullopt);
    const std::string dopo = text::read_bytes(csv).value();
    for (const char* c : {"verifica", "piani", "h1", "dN1", "F1", "LC", "z0"})
        EXPECT_NE(dopo.substr(0, dopo.find('\n')).find(c), std::string::npos) << c;
    EXPECT_NE(dopo.find("ribaltamento"), std::string::npos);

    ASSERT_TRUE(s.scegli(s.ids().front()));
    EXPECT_EQ(w.form.stato.pannello.tipo, TipoVerifica::pannello);  // its `verifica` cell is empty
    EXPECT_EQ(w.form.stato.pannello.testi[Campo::t], "25");
    ASSERT_TRUE(s.scegli(id));
    EXPECT_EQ(std::tuple(w.form.stato.pannello.tipo, w.form.stato.pannello.meccanismo, w.form.stato.pannello.formula),
              std::tuple(TipoVerifica::ribaltamento, testi, panel::FormulaDomanda::circolare_c7_2_5));

    Finestra altra;
    ASSERT_TRUE(altra.avvia(suite));
    SessionePannelli sa(altra.form);  // opens on the panel last shown, and checks it
    EXPECT_EQ(sa.corrente(), id);
    EXPECT_EQ(std::tuple(altra.form.stato.pannello.tipo, altra.form.stato.pannello.meccanismo),
              std::tuple(TipoVerifica::ribaltamento, testi));
    EXPECT_FALSE(altra.form.risultati_scaduti());
    // LC2: FC 1.20, so a0* = 0.0673077·9.81/(0.894180·1.20) = 0.615358 m/s²
    EXPECT_NEAR(valore(altra.form, 2), 0.615358, 5e-5);
}

}  // namespace
}  // namespace tv::form
