// SPDX-License-Identifier: GPL-3.0-or-later
// Texts and colours the window shows from a check result, in work units and in the user's locale.
#include "form/testi.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "prova.h"

namespace tv::form {
namespace {
using tv::prova::messaggio;

// The shown texts in window order, then the three colours.
std::vector<std::string> testi(const TestiRisultato& t) {
    return {t.ag,   t.VR, t.Ss, t.S,  t.W,       t.Sa,           t.Ta,       t.Fa,     t.Wa,
            t.Rlat, t.d,  t.K1, t.K2, t.campata, t.ripartizione, t.verdetto, t.critica};
}
std::vector<Rgb> colori(const TestiRisultato& t) {
    return {t.sfondo_Rlat, t.colore_verdetto, t.sfondo_critica};
}

RisultatoVerifica con_pannello(const panel::EsitoPannello& e) {
    RisultatoVerifica r;
    r.azione.ag = 0.26066, r.azione.VR = 50;
    r.azione.spettro = {1.2, hazard::Suolo::B, 1.15394, 1.15394 * 1.2};
    r.pannello = e, r.ok = e.ok;
    return r;
}

TEST(TestiRisultato, StartUpPanelEndToEnd) {
    const panel::EsitoPannello e = panel::verifica_pannello(
        {300, 500, 12, 0.0008, 3, 6000, 750, 900, 2, {}}, {0.2, 1.0, 0.39});
    const TestiRisultato t =
        testi_risultato(con_pannello(e), 1.0, 1.0, "[daN]", "daN/cm2", text::dot_format());
    EXPECT_EQ(testi(t), (std::vector<std::string>{
                            "0.2607", "50", "1.154", "1.385", "1440", "0.7761", "0.1928", "558.77",
                            "1440", "614.87", "8.2", "0.854", "1.000", "L",
                            "Ripartizione massa verticale / orizzontale = 100 / 0 [%]",
                            "[daN] > Fa : OK", " = 10.29 daN/cm2)"}));
    EXPECT_EQ(colori(t), (std::vector<Rgb>{{128, 255, 128}, {0, 128, 0}, {255, 255, 255}}));
}

// A failing, horizontally spanning panel with instability governing, built by hand.
panel::EsitoPannello orizzontale_instabile() {
    panel::EsitoPannello e{};
    e.W = 1234.56, e.Sa = 0.123456, e.Ta = 0.05, e.Fa = 98.765, e.Wa = 0.125, e.Rlat = 12.5;
    e.direzione = panel::Direzione::orizzontale;
    e.perc_verticale = 100.0 * (1.0 - 0.1169);
    e.perc_orizzontale = 11.69;
    e.resistenza = panel::Freccia{0.3, 0.6, 0.5, 0.1234, 4.335, 0.01, true, 0, 0, 0, 0, 0};
    return e;
}

TEST(TestiRisultato, FailingVerdictInWorkUnitsAndCommaLocale) {
    const TestiRisultato t = testi_risultato(con_pannello(orizzontale_instabile()), 0.01, 0.1,
                                             "[kN]", "N/mm2", {",", "."});
    // No trailing zeros; 0.125 is exact: half to even; the deflection shows in mm.
    EXPECT_EQ(testi(t), (std::vector<std::string>{
                            "0,2607", "50", "1,154", "1,385", "12,35", "0,1235", "0,05", "0,99",
                            "0", "0,12", "1,23", "0,600", "0,500", "B",
                            "Ripartizione massa verticale / orizzontale = 88,3 / 11,7 [%]",
                            "[kN] < Fa : !!!", " = 0,43 N/mm2)"}));
    EXPECT_EQ(colori(t), (std::vector<Rgb>{{255, 128, 128}, {255, 0, 0}, {255, 255, 0}}));
}

TEST(TestiRisultato, RefusesBadFactorsAndNonFiniteShownValues) {
    RisultatoVerifica r = con_pannello(orizzontale_instabile());
    const auto dot = text::dot_format();
    EXPECT_EQ(messaggio([&] { testi_risultato(r, 0.0, 1.0, "[daN]", "daN/cm2", dot); }),
              "Valore non valido: fattore delle forze deve essere maggiore di 0");
    std::get<panel::Freccia>(r.pannello.resistenza).K1 = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(messaggio([&] { testi_risultato(r, 1.0, 1.0, "[daN]", "daN/cm2", dot); }),
              "Risultato non valido: K1 (coefficiente di inflessione laterale) non è un numero "
              "finito");
}

}  // namespace
}  // namespace tv::form
