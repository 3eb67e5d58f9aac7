// Elastic response spectrum of the site: Cc by subsoil category, corner periods, the four
// branches of Se(T), the sampled series and the refused inputs.
#include "hazard/spettro_elastico.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <ostream>

#include "text/error.h"

namespace tv::hazard {
namespace {

struct CasoCc {
    const char* suolo;
    double Cc;  // at Tc* = 0.3 s, by hand: coefficient x 0.3^exponent
};

void PrintTo(const CasoCc& c, std::ostream* os) {
    *os << '"' << c.suolo << '"';
}

class CoefficienteCc : public ::testing::TestWithParam<CasoCc> {};

TEST_P(CoefficienteCc, ByCategoryInEitherCase) {
    EXPECT_NEAR(coefficiente_Cc(GetParam().suolo, 0.3), GetParam().Cc, 1e-12) << GetParam().suolo;
}

INSTANTIATE_TEST_SUITE_P(
    Categorie, CoefficienteCc,
    ::testing::Values(CasoCc{"A", 1.0}, CasoCc{"a", 1.0}, CasoCc{"B", 1.3994856001933313},
                      CasoCc{"c", 1.5622095378895753}, CasoCc{" D ", 2.282177322938192},
                      CasoCc{"E", 1.8614412701824479}, CasoCc{"e", 1.8614412701824479},
                      CasoCc{"F", 1.0}, CasoCc{"", 1.0}));

// ag 0.2, F0 2.5, Tc* 0.3 s, S 1.2, category C: Cc 1.56221, TC 0.468663 s, TB 0.156221 s,
// TD = 4 x 0.2 + 1.6 = 2.4 s, plateau 0.2 x 1.2 x 2.5 = 0.6.
TEST(SpettroElastico, CornerPeriodsAndBranches) {
    const SpettroElastico s = spettro_elastico(0.2, 2.5, 0.3, 1.2, "C");
    EXPECT_NEAR(s.TC, 0.4686628613668726, 1e-12);
    EXPECT_NEAR(s.TB, 0.15622095378895753, 1e-12);
    EXPECT_NEAR(s.TD, 2.4, 1e-12);
    EXPECT_NEAR(s.plateau, 0.6, 1e-12);
    EXPECT_NEAR(accelerazione_spettrale(s, 0.0), 0.24, 1e-12);  // ag S
    EXPECT_NEAR(accelerazione_spettrale(s, s.TB / 2), 0.42, 1e-12);
    EXPECT_NEAR(accelerazione_spettrale(s, s.TB), 0.6, 1e-12);
    EXPECT_NEAR(accelerazione_spettrale(s, 0.3), 0.6, 1e-12);
    EXPECT_NEAR(accelerazione_spettrale(s, 1.0), 0.2811977168201235, 1e-12);
    EXPECT_NEAR(accelerazione_spettrale(s, 3.0), 0.07498605781869962, 1e-12);
    // Continuous at TC and TD.
    EXPECT_NEAR(accelerazione_spettrale(s, s.TD), 0.6 * s.TC / 2.4, 1e-12);
}

TEST(SpettroElastico, SeriesFromZeroToFourSecondsWithTheCorners) {
    const SpettroElastico s = spettro_elastico(0.2, 2.5, 0.3, 1.2, "C", 0.01);
    ASSERT_EQ(s.punti.size(), 401u + 3u);
    EXPECT_EQ(s.punti.front().T, 0.0);
    EXPECT_EQ(s.punti.back().T, 4.0);
    EXPECT_TRUE(std::is_sorted(s.punti.begin(), s.punti.end(),
                               [](const auto& x, const auto& y) { return x.T <= y.T; }));
    for (double angolo : {s.TB, s.TC, s.TD})
        EXPECT_TRUE(std::any_of(s.punti.begin(), s.punti.end(),
                                [&](const PuntoSpettro& p) { return p.T == angolo; }));
    const auto massimo = std::max_element(s.punti.begin(), s.punti.end(),
                                          [](const auto& x, const auto& y) { return x.Se < y.Se; });
    EXPECT_NEAR(massimo->Se, 0.6, 1e-12);
    EXPECT_NEAR(s.punti.back().Se, 0.6 * s.TC * 2.4 / 16.0, 1e-12);

    // A TD beyond 4 s (ag 0.7: TD 4.4 s) adds only TB and TC; a coarse step still ends at 4 s.
    const SpettroElastico alto = spettro_elastico(0.7, 2.5, 0.35, 1.0, "A", 0.3);
    EXPECT_NEAR(alto.TD, 4.4, 1e-12);
    EXPECT_EQ(alto.punti.size(), 14u + 1u + 2u);
    EXPECT_EQ(alto.punti.back().T, 4.0);
}

TEST(SpettroElastico, RefusedInputsNameTheQuantity) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const auto messaggio = [](auto&& f) {
        try {
            f();
        } catch (const Failure& e) {
            return std::string(e.what());
        }
        return std::string("nessun errore");
    };
    EXPECT_EQ(
        messaggio([] { spettro_elastico(0.0, 2.5, 0.3, 1.0, "A"); }),
        "Valore non valido: ag (accelerazione orizzontale massima) deve essere maggiore di 0");
    EXPECT_EQ(messaggio([&] { spettro_elastico(0.2, 2.5, nan, 1.0, "A"); }),
              "Valore non valido: Tc* (periodo di inizio del tratto a velocità costante) deve "
              "essere un numero finito");
    EXPECT_EQ(messaggio([] { spettro_elastico(0.2, 2.5, 0.3, 1.0, "A", -0.1); }),
              "Valore non valido: passo dei periodi dello spettro deve essere maggiore di 0");
}

}  // namespace
}  // namespace tv::hazard
