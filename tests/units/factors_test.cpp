// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the editor's unit table and family formulas, of the family of a work unit and of the
// text of converted values.
#include "units/factors.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tv::units::Famiglia;
using tv::units::fattore_famiglia;
using tv::units::formatta_convertito;

namespace {

constexpr double kG = 9.81;
const tv::text::NumberFormat kPunto{".", ","};
const tv::text::NumberFormat kVirgola{",", "."};

using F = Famiglia;

// A few rows of the editor worked out by hand (1 kN = 100 daN, 1 m = 100 cm, 1 kgf = 9.81 N).
TEST(TabellaEditor, HandCheckedFactorsAndFamilyWhateverTheCase) {
    EXPECT_DOUBLE_EQ(fattore_famiglia(F::forza, "kN", kG), 0.01);
    EXPECT_DOUBLE_EQ(fattore_famiglia(F::forza, "kgf", kG), 10 / 9.81);
    EXPECT_DOUBLE_EQ(fattore_famiglia(F::peso_specifico, "kN/m3", kG), 1e4);
    EXPECT_DOUBLE_EQ(fattore_famiglia(F::tensione, "MPa", kG), 0.1);
    EXPECT_DOUBLE_EQ(fattore_famiglia(F::momento, "kNm", kG), 1e-4);
    EXPECT_EQ(tv::units::famiglia_editor("KN/M3"), F::peso_specifico);
    EXPECT_EQ(tv::units::unita_editor(F::lunghezza), (std::vector<std::string>{"cm", "m", "mm"}));
}

}  // namespace

TEST(FamilyFactor, FollowsTheGravityAndIsZeroWhenItCannotBeFormed) {
    EXPECT_DOUBLE_EQ(fattore_famiglia(F::momento, "tm", 5), 2e-5);
    EXPECT_EQ(fattore_famiglia(F::tensione, "daN", kG), 0.0);           // F over a missing L
    EXPECT_EQ(fattore_famiglia(F::peso_specifico, "xyz", kG), 0.0);  // 0 over 0
    EXPECT_EQ(fattore_famiglia(F::forza, "kgf", 0), 0.0);             // 10/g with g = 0
    for (const char* u : {"daN / cm2", " cm", "dm", "kN/m2", ""})  // no row of the editor
        EXPECT_EQ(tv::units::famiglia_editor(u), std::nullopt) << u;
}

TEST(FormattaConvertito, ReadsAndWritesTheLocaleSeparatorAndGivesZeroForNoNumber) {
    EXPECT_EQ(formatta_convertito(std::string_view("2,5"), 100.0, 5, kVirgola), "250");
    EXPECT_EQ(formatta_convertito(2.0, 0.1, 5, kVirgola), "0,2");
    EXPECT_EQ(formatta_convertito(1234567.0, 1.0, 5, kPunto), "1234567");  // no grouping
    EXPECT_EQ(formatta_convertito(0.125, 1.0, 2, kPunto), "0.12");
    EXPECT_EQ(formatta_convertito(2.5, 1.0, -1, kPunto), "2");   // negative count read as 0
    EXPECT_EQ(formatta_convertito(-4e-6, 1.0, 5, kPunto), "0");  // not "-0"
    for (const char* t : {"2.5x", "nan"})
        EXPECT_EQ(formatta_convertito(std::string_view(t), 10.0, 5, kPunto), "0") << t;
    EXPECT_EQ(formatta_convertito(std::string_view("2.5"), 10.0, 5, kVirgola), "0");
    EXPECT_EQ(formatta_convertito(1e300, 1e300, 5, kPunto), "0");
}
