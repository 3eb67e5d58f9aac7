// SPDX-License-Identifier: GPL-3.0-or-later
// Soil and topographic factors, and the elastic response spectrum of the site: Cc by category,
// corner periods, the four branches of Se(T), the sampled series and the refused inputs.
#include "hazard/spettro_elastico.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "hazard/spettro.h"
#include "prova.h"

namespace tv::hazard {
namespace {

TEST(Spettro, FactorWithinTheCategoryLimits) {
    // F0 = 2.5 throughout: Ss = constant - coefficient * 2.5 * ag, then limited.
    for (const auto& [suolo, ag, Ss] :
         {std::tuple{Suolo::A, 0.3, 1.0}, std::tuple{Suolo::B, 0.05, 1.2},
          std::tuple{Suolo::B, 0.25, 1.15}, std::tuple{Suolo::B, 0.5, 1.0},
          std::tuple{Suolo::C, 0.2, 1.4}, std::tuple{Suolo::C, 0.04, 1.5},
          std::tuple{Suolo::D, 0.08, 1.8}, std::tuple{Suolo::D, 0.48, 0.9},
          std::tuple{Suolo::E, 0.1, 1.6}, std::tuple{Suolo::E, 0.5, 1.0}}) {
        const Spettro r = spettro(1.0, suolo, ag, 2.5);
        EXPECT_EQ(r.suolo, suolo);
        EXPECT_NEAR(r.Ss, Ss, 1e-12) << static_cast<int>(suolo) << " " << ag;
        EXPECT_EQ(r.s, r.Ss);
    }
    // Here (2.2 * 1.1) * 0.174 and 2.2 * (1.1 * 0.174) differ in the last bit.
    EXPECT_EQ(spettro(1, Suolo::E, 0.174, 2.2).Ss, 1.57892);
}

TEST(Spettro, TopographicFactorNotAboveZeroOrNotFiniteCountsAsOne) {
    for (const auto& [dato, St] : {std::pair{1.2, 1.2}, std::pair{0.0, 1.0},
                                   std::pair{-1.2, 1.0}, std::pair{std::nan(""), 1.0}})
        EXPECT_DOUBLE_EQ(spettro(dato, Suolo::C, 0.2, 2.5).s, 1.4 * St) << dato;
}

TEST(CoefficienteCc, ByCategory) {
    // At Tc* = 0.3 s, by hand: coefficient x 0.3^exponent.
    for (const auto& [suolo, Cc] :
         {std::pair{Suolo::A, 1.0}, std::pair{Suolo::B, 1.3994856001933313},
          std::pair{Suolo::C, 1.5622095378895753}, std::pair{Suolo::D, 2.282177322938192},
          std::pair{Suolo::E, 1.8614412701824479}})
        EXPECT_NEAR(coefficiente_Cc(suolo, 0.3), Cc, 1e-12) << lettera(suolo);
}

// ag 0.2, F0 2.5, Tc* 0.3 s, S 1.2, category C: Cc 1.56221, TC 0.468663 s, TB 0.156221 s,
// TD = 4 x 0.2 + 1.6 = 2.4 s, plateau 0.2 x 1.2 x 2.5 = 0.6.
TEST(SpettroElastico, CornerPeriodsAndBranches) {
    const SpettroElastico s = spettro_elastico(0.2, 2.5, 0.3, 1.2, Suolo::C);
    EXPECT_NEAR(s.TC, 0.4686628613668726, 1e-12);
    EXPECT_NEAR(s.TB, 0.15622095378895753, 1e-12);
    EXPECT_NEAR(s.TD, 2.4, 1e-12);
    EXPECT_NEAR(s.plateau, 0.6, 1e-12);
    for (const auto& [T, Se] : {std::pair{0.0, 0.24}, std::pair{s.TB / 2, 0.42},
                                std::pair{0.3, 0.6}, std::pair{1.0, 0.2811977168201235},
                                std::pair{3.0, 0.07498605781869962}})
        EXPECT_NEAR(accelerazione_spettrale(s, T), Se, 1e-12) << T;
}

TEST(SpettroElastico, SeriesFromZeroToFourSecondsWithTheCorners) {
    const SpettroElastico s = spettro_elastico(0.2, 2.5, 0.3, 1.2, Suolo::C, 0.01);
    ASSERT_EQ(s.punti.size(), 401u + 3u);
    EXPECT_EQ(s.punti.back().T, 4.0);
    EXPECT_TRUE(std::is_sorted(s.punti.begin(), s.punti.end(),
                               [](const auto& x, const auto& y) { return x.T <= y.T; }));
    for (double angolo : {s.TB, s.TC, s.TD})
        EXPECT_TRUE(std::any_of(s.punti.begin(), s.punti.end(),
                                [&](const PuntoSpettro& p) { return p.T == angolo; }));
    EXPECT_NEAR(s.punti.back().Se, 0.6 * s.TC * 2.4 / 16.0, 1e-12);
    // A TD beyond 4 s (ag 0.7: TD 4.4 s) adds only TB and TC; a coarse step still ends at 4 s.
    const SpettroElastico alto = spettro_elastico(0.7, 2.5, 0.35, 1.0, Suolo::A, 0.3);
    EXPECT_EQ(alto.punti.size(), 14u + 1u + 2u);
    EXPECT_EQ(alto.punti.back().T, 4.0);
}

TEST(SpettroElastico, RefusedInputsNameTheQuantity) {
    EXPECT_EQ(
        tv::prova::messaggio([] { spettro_elastico(0.0, 2.5, 0.3, 1.0, Suolo::A); }),
        "Valore non valido: ag (accelerazione orizzontale massima) deve essere maggiore di 0");
    EXPECT_EQ(tv::prova::messaggio([] { spettro_elastico(0.2, 2.5, 0.3, 1.0, Suolo::A, -0.1); }),
              "Valore non valido: passo dei periodi dello spettro deve essere maggiore di 0");
}

}  // namespace
}  // namespace tv::hazard
