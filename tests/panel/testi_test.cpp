// Texts and colours the window shows from a panel check, in work units and in the user's locale.
#include "panel/testi.h"

#include <gtest/gtest.h>

#include <vector>

#include "messaggio.h"

namespace tv::panel {
namespace {

// The shown texts in field order, then the three colours.
std::vector<std::string> testi(const TestiPannello& t) {
    return {t.campo2,  t.campo18, t.campo19, t.campo20, t.campo21, t.campo22, t.campo24,
            t.campo25, t.campo26, t.label8,  t.label3,  t.label28, t.label34};
}
std::vector<Rgb> colori(const TestiPannello& t) {
    return {t.campo22_sfondo, t.label28_testo, t.label34_sfondo};
}

TEST(TestiPannello, StartUpPanelEndToEnd) {
    const EsitoPannello e =
        verifica_pannello({300, 500, 12, 0.0008, 3, 6000, 750, 900, 2, {}}, {0.2, 1.0, 0.39});
    const TestiPannello t = testi_pannello(e, 1.0, 1.0, "[daN]", "daN/cm2", text::dot_format());
    EXPECT_EQ(testi(t),
              (std::vector<std::string>{"1440", "0.7761", "0.1928", "558.77", "1440", "614.87",
                                        "8.2", "0.854", "1.000", "L",
                                        "Ripartizione massa verticale / orizzontale = 100 / 0 [%]",
                                        "[daN] > Fa : OK", " = 10.29 daN/cm2)"}));
    EXPECT_EQ(colori(t), (std::vector<Rgb>{{128, 255, 128}, {0, 128, 0}, {255, 255, 255}}));
}

// A failing, horizontally spanning panel with instability governing, built by hand.
EsitoPannello orizzontale_instabile() {
    EsitoPannello e{};
    e.W = 1234.56;
    e.Sa = 0.123456;
    e.Ta = 0.05;
    e.Fa = 98.765;
    e.Wa = 0.125;
    e.Rlat = 12.5;
    e.direzione = Direzione::orizzontale;
    e.perc_verticale = 100.0 * (1.0 - 0.1169);
    e.perc_orizzontale = 11.69;
    e.arco = Freccia{0.3, 0.6, 0.5, 0.1234, 4.335, 0.01, true};
    return e;
}

TEST(TestiPannello, FailingVerdictInWorkUnitsAndCommaLocale) {
    const TestiPannello t =
        testi_pannello(orizzontale_instabile(), 0.01, 0.1, "[kN]", "N/mm2", {",", "."});
    // No trailing zeros; 0.125 is exact: half to even; the deflection shows in mm.
    EXPECT_EQ(testi(t),
              (std::vector<std::string>{
                  "12,35", "0,1235", "0,05", "0,99", "0", "0,12", "1,23", "0,600", "0,500", "B",
                  "Ripartizione massa verticale / orizzontale = 88,3 / 11,7 [%]", "[kN] < Fa : !!!",
                  " = 0,43 N/mm2)"}));
    EXPECT_EQ(colori(t), (std::vector<Rgb>{{255, 128, 128}, {255, 0, 0}, {255, 255, 0}}));
}

TEST(TestiPannello, RefusesBadFactorsAndNonFiniteShownValues) {
    EsitoPannello e = orizzontale_instabile();
    const auto dot = text::dot_format();
    EXPECT_EQ(messaggio([&] { testi_pannello(e, 0.0, 1.0, "[daN]", "daN/cm2", dot); }),
              "Valore non valido: fattore delle forze deve essere maggiore di 0");
    e.arco.K1 = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(messaggio([&] { testi_pannello(e, 1.0, 1.0, "[daN]", "daN/cm2", dot); }),
              "Risultato non valido: K1 (coefficiente di inflessione laterale) non è un numero "
              "finito");
}

}  // namespace
}  // namespace tv::panel
