// Stratigraphic factor by subsoil category with its limits, and the topographic factor.
#include "hazard/spettro.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>

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
    ASSERT_NE((2.2 * 1.1) * 0.174, 2.2 * (1.1 * 0.174));
    EXPECT_EQ(spettro(1, Suolo::E, 0.174, 2.2).Ss, 1.57892);
}

TEST(Spettro, TopographicFactorNotAboveZeroOrNotFiniteCountsAsOne) {
    for (const auto& [dato, St] :
         {std::tuple{1.2, 1.2}, std::tuple{0.0, 1.0}, std::tuple{-1.2, 1.0},
          std::tuple{std::numeric_limits<double>::infinity(), 1.0},
          std::tuple{std::nan(""), 1.0}}) {
        const Spettro r = spettro(dato, Suolo::C, 0.2, 2.5);
        EXPECT_DOUBLE_EQ(r.St, St) << dato;
        EXPECT_DOUBLE_EQ(r.s, 1.4 * St) << dato;
    }
}

}  // namespace
}  // namespace tv::hazard
