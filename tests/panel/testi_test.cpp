// Texts and colours the window shows from a panel check, in work units and in the user's locale.
#include "panel/testi.h"

#include <gtest/gtest.h>

#include "messaggio.h"

namespace tv::panel {
namespace {

const text::NumberFormat kVirgola{",", "."};
constexpr Rgb kVerdeChiaro{128, 255, 128}, kVerde{0, 128, 0};
constexpr Rgb kRossoChiaro{255, 128, 128}, kRosso{255, 0, 0};
constexpr Rgb kGiallo{255, 255, 0}, kBianco{255, 255, 255};

TEST(TestiPannello, StartUpPanelEndToEnd) {
    const EsitoPannello e =
        verifica_pannello({300, 500, 12, 0.0008, 3, 6000, 750, 900, 2, {}}, {0.2, 1.0, 0.39});
    const TestiPannello t = testi_pannello(e, 1.0, 1.0, "[daN]", "daN/cm2", text::dot_format());
    EXPECT_EQ(t.campo2, "1440");
    EXPECT_EQ(t.campo18, "0.7761");
    EXPECT_EQ(t.campo19, "0.1928");
    EXPECT_EQ(t.campo20, "558.77");
    EXPECT_EQ(t.campo21, "1440");
    EXPECT_EQ(t.campo22, "614.87");
    EXPECT_EQ(t.campo24, "8.2");
    EXPECT_EQ(t.campo25, "0.854");
    EXPECT_EQ(t.campo26, "1.000");
    EXPECT_EQ(t.label8, "L");
    EXPECT_EQ(t.label3, "Ripartizione massa verticale / orizzontale = 100 / 0 [%]");
    EXPECT_EQ(t.label28, "[daN] > Fa : OK");
    EXPECT_EQ(t.label34, " = 10.29 daN/cm2)");
    EXPECT_EQ(t.campo22_sfondo, kVerdeChiaro);
    EXPECT_EQ(t.label28_testo, kVerde);
    EXPECT_EQ(t.label34_sfondo, kBianco);
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
    e.ok = false;
    return e;
}

TEST(TestiPannello, FailingVerdictInWorkUnitsAndCommaLocale) {
    const TestiPannello t =
        testi_pannello(orizzontale_instabile(), 0.01, 0.1, "[kN]", "N/mm2", kVirgola);
    EXPECT_EQ(t.campo2, "12,35");
    EXPECT_EQ(t.campo18, "0,1235");
    EXPECT_EQ(t.campo19, "0,05");  // no trailing zeros
    EXPECT_EQ(t.campo20, "0,99");
    EXPECT_EQ(t.campo21, "0");
    EXPECT_EQ(t.campo22, "0,12");  // 0.125 is exact: half to even
    EXPECT_EQ(t.campo24, "1,23");  // 0.1234 cm shows in mm whatever the length unit
    EXPECT_EQ(t.campo25, "0,600");
    EXPECT_EQ(t.campo26, "0,500");
    EXPECT_EQ(t.label8, "B");
    EXPECT_EQ(t.label3, "Ripartizione massa verticale / orizzontale = 88,3 / 11,7 [%]");
    EXPECT_EQ(t.label28, "[kN] < Fa : !!!");
    EXPECT_EQ(t.label34, " = 0,43 N/mm2)");
    EXPECT_EQ(t.campo22_sfondo, kRossoChiaro);
    EXPECT_EQ(t.label28_testo, kRosso);
    EXPECT_EQ(t.label34_sfondo, kGiallo);
}

TEST(TestiPannello, RefusesBadFactorsAndNonFiniteShownValues) {
    const EsitoPannello e = orizzontale_instabile();
    const auto dot = text::dot_format();
    EXPECT_EQ(messaggio([&] { testi_pannello(e, 0.0, 1.0, "[daN]", "daN/cm2", dot); }),
              "Valore non valido: fattore delle forze deve essere maggiore di 0");
    EXPECT_EQ(messaggio([&] { testi_pannello(e, 1e307, 1.0, "[daN]", "daN/cm2", dot); }),
              "Risultato non valido: peso totale del pannello non è un numero finito");
    EsitoPannello k1 = e;
    k1.arco.K1 = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(messaggio([&] { testi_pannello(k1, 1.0, 1.0, "[daN]", "daN/cm2", dot); }),
              "Risultato non valido: K1 (coefficiente di inflessione laterale) non è un numero "
              "finito");
}

}  // namespace
}  // namespace tv::panel
