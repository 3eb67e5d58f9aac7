// Stratigraphic factor by subsoil category with its limits, the topographic factor read from
// its field, and the texts shown for Ss and S.
#include "hazard/spettro.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace tv::hazard {
namespace {

const text::NumberFormat kVirgola{",", "."};

TEST(Spettro, FactorWithinTheCategoryLimits) {
    // F0 = 2.5 throughout: Ss = constant - coefficient * 2.5 * ag, then limited.
    for (const auto& [campo4, ag, suolo, Ss] :
         {std::tuple{"a", 0.3, "a", 1.0}, std::tuple{"b", 0.05, "b", 1.2},
          std::tuple{"B", 0.25, "B", 1.15}, std::tuple{"B", 0.5, "B", 1.0},
          std::tuple{" c ", 0.2, "c", 1.4}, std::tuple{"C", 0.04, "C", 1.5},
          std::tuple{"\tD\t", 0.08, "D", 1.8}, std::tuple{"d", 0.48, "d", 0.9},
          std::tuple{"E", 0.1, "E", 1.6}, std::tuple{"e", 0.5, "e", 1.0},
          std::tuple{"F", 0.2, "A", 1.0}, std::tuple{"BC", 0.2, "A", 1.0},
          std::tuple{"", 0.2, "A", 1.0}}) {
        const Spettro r = spettro("1.0", campo4, ag, 2.5, text::dot_format());
        EXPECT_EQ(r.suolo, suolo) << campo4;
        EXPECT_NEAR(r.Ss, Ss, 1e-12) << campo4 << " " << ag;
        EXPECT_EQ(r.s, r.Ss);
    }
    // Here (2.2 * 1.1) * 0.174 and 2.2 * (1.1 * 0.174) differ in the last bit.
    ASSERT_NE((2.2 * 1.1) * 0.174, 2.2 * (1.1 * 0.174));
    EXPECT_EQ(spettro("1", "E", 0.174, 2.2, text::dot_format()).Ss, 1.57892);
}

TEST(Spettro, TopographicFactorFromItsFieldDotFirstThenTheLocale) {
    for (const auto& [campo5, virgola, St] :
         {std::tuple{"1.2", true, 1.2}, std::tuple{"1,4", true, 1.4}, std::tuple{"1,4", false, 1.0},
          std::tuple{" 1.3 ", false, 1.3}, std::tuple{"alto", false, 1.0},
          std::tuple{"-1.2", false, 1.0}, std::tuple{"1e999", false, 1.0}}) {
        const Spettro r = spettro(campo5, "C", 0.2, 2.5, virgola ? kVirgola : text::dot_format());
        EXPECT_DOUBLE_EQ(r.St, St) << campo5;
        EXPECT_DOUBLE_EQ(r.s, 1.4 * St) << campo5;
    }
}

TEST(Spettro, TextsRoundedToThreeDecimalsInTheLocaleFormat) {
    // Ss = 1.4 - 0.4 * 2.36 * 0.2607 = 1.1539..., S = 1.2 * Ss = 1.3847...
    const Spettro b = spettro("1.2", "B", 0.2607, 2.36, kVirgola);
    EXPECT_EQ(b.testo_Ss, "1,154");
    EXPECT_EQ(b.testo_s, "1,385");
    EXPECT_EQ(spettro("1.2", "A", 0.2, 2.5, kVirgola).testo_Ss, "1");
}

}  // namespace
}  // namespace tv::hazard
