// Tests of the editor's unit table and family formulas, of the family of a work unit and of the
// text of converted values.
#include "units/factors.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

using tv::units::Family;
using tv::units::family_factor;
using tv::units::formatta_convertito;

namespace {

constexpr double kG = 9.81;
const tv::text::NumberFormat kPunto{".", ","};
const tv::text::NumberFormat kVirgola{",", "."};

// Value 1 in unit `da` expressed in unit `a` of the same family, as the editor writes it.
std::string converti(Family f, const char* da, const char* a, double valore, double g = kG) {
    return formatta_convertito(valore, family_factor(f, a, g) / family_factor(f, da, g), 5, kPunto);
}

}  // namespace

// ---- every unit the editor offers, with its factor ------------------------------------------

struct RigaTabella {
    Family family;
    const char* unit;
    double factor;  // at g = 9.81
};

// The editor's table, family by family and in row order.
const std::vector<RigaTabella> kTabella{
    {Family::length, "cm", 1},
    {Family::length, "m", 0.01},
    {Family::length, "mm", 10},
    {Family::force, "daN", 1},
    {Family::force, "N", 10},
    {Family::force, "kN", 0.01},
    {Family::force, "kgf", 10 / kG},
    {Family::force, "t", 0.01 / kG},
    {Family::moment, "daNcm", 1},
    {Family::moment, "daNm", 0.01},
    {Family::moment, "Nm", 0.1},
    {Family::moment, "kNm", 1e-4},
    {Family::moment, "kgfm", 0.1 / kG},
    {Family::moment, "tm", 1e-4 / kG},
    {Family::specific_weight, "daN/cm3", 1},
    {Family::specific_weight, "daN/m3", 1e6},
    {Family::specific_weight, "N/m3", 1e7},
    {Family::specific_weight, "kN/m3", 1e4},
    {Family::specific_weight, "kgf/m3", 1e7 / kG},
    {Family::specific_weight, "t/m3", 1e4 / kG},
    {Family::stress, "daN/cm2", 1},
    {Family::stress, "daN/mm2", 0.01},
    {Family::stress, "N/mm2", 0.1},
    {Family::stress, "kgf/cm2", 10 / kG},
    {Family::stress, "KPa", 100},
    {Family::stress, "MPa", 0.1},
    {Family::volume, "mm3", 1000},
    {Family::volume, "cm3", 1},
    {Family::volume, "m3", 1e-6},
};

class TabellaEditor : public ::testing::TestWithParam<RigaTabella> {};

TEST_P(TabellaEditor, UnitGetsItsFactorFromTheFamilyFormula) {
    const RigaTabella& r = GetParam();
    EXPECT_DOUBLE_EQ(family_factor(r.family, r.unit, kG), r.factor);
}

TEST_P(TabellaEditor, UnitBelongsToItsOwnFamilyWhateverTheCase) {
    const RigaTabella& r = GetParam();
    EXPECT_EQ(tv::units::family_of_unit(r.unit), r.family);
    std::string lower = r.unit, upper = r.unit;
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(tv::units::family_of_unit(lower), r.family);
    EXPECT_EQ(tv::units::family_of_unit(upper), r.family);
}

INSTANTIATE_TEST_SUITE_P(Units, TabellaEditor, ::testing::ValuesIn(kTabella),
                         [](const ::testing::TestParamInfo<RigaTabella>& info) {
                             std::string name;
                             for (char c : std::string(info.param.unit))
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name + "_" + std::to_string(info.index);
                         });

TEST(TabellaEditor, RowsOfEachFamilyInTableOrder) {
    std::map<Family, std::vector<std::string>> attese;
    for (const RigaTabella& r : kTabella) attese[r.family].push_back(r.unit);
    for (const auto& [family, rows] : attese) EXPECT_EQ(tv::units::editor_units(family), rows);
}

TEST(TabellaEditor, FamiliesTriedInEditorOrder) {
    EXPECT_EQ(tv::units::editor_family_order(),
              (std::vector<Family>{Family::force, Family::moment, Family::specific_weight,
                                   Family::length, Family::stress, Family::volume}));
}

TEST(TabellaEditor, KgfAndTonneRowsFollowTheGravity) {
    EXPECT_DOUBLE_EQ(family_factor(Family::force, "kgf", 10), 1.0);
    EXPECT_DOUBLE_EQ(family_factor(Family::specific_weight, "t/m3", 10), 1000.0);
    EXPECT_DOUBLE_EQ(family_factor(Family::moment, "tm", 5), 2e-5);
}

// ---- the family of a work unit ----------------------------------------------------------------

TEST(FamilyOfUnit, WholeTextMustMatchARow) {
    EXPECT_EQ(tv::units::family_of_unit("daN / cm2"), std::nullopt);  // inner blanks: no row
    EXPECT_EQ(tv::units::family_of_unit(" cm"), std::nullopt);
    EXPECT_EQ(tv::units::family_of_unit("dm"), std::nullopt);
    EXPECT_EQ(tv::units::family_of_unit("kN/m2"), std::nullopt);  // a stress no row offers
    EXPECT_EQ(tv::units::family_of_unit(""), std::nullopt);
    EXPECT_EQ(tv::units::family_of_unit("kpa"), Family::stress);
    EXPECT_EQ(tv::units::family_of_unit("T"), Family::force);
}

// ---- factors that cannot be formed ------------------------------------------------------------

struct SenzaFattore {
    Family family;
    const char* unit;
    double g;
};
class FattoreMancante : public ::testing::TestWithParam<SenzaFattore> {};

TEST_P(FattoreMancante, IsZeroNeverInfiniteOrNan) {
    const SenzaFattore& c = GetParam();
    EXPECT_EQ(family_factor(c.family, c.unit, c.g), 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Units, FattoreMancante,
    ::testing::Values(SenzaFattore{Family::length, "daN", kG},           // no length scale
                      SenzaFattore{Family::force, "cm", kG},             // no force scale
                      SenzaFattore{Family::moment, "daN", kG},           // F times a missing L
                      SenzaFattore{Family::stress, "cm2", kG},           // missing F over L^2
                      SenzaFattore{Family::stress, "daN", kG},           // F over a missing L
                      SenzaFattore{Family::specific_weight, "xyz", kG},  // 0 over 0
                      SenzaFattore{Family::force, "kgf", 0},             // 10/g with g = 0
                      SenzaFattore{Family::stress, "t/m2", 0}));

// ---- conversions between rows -------------------------------------------------------------

struct Conversione {
    Family family;
    const char* da;
    const char* a;
    double valore;
    const char* atteso;
};
class Conversioni : public ::testing::TestWithParam<Conversione> {};

TEST_P(Conversioni, ValueInOneRowShownInAnother) {
    const Conversione& c = GetParam();
    EXPECT_EQ(converti(c.family, c.da, c.a, c.valore), c.atteso);
}

INSTANTIATE_TEST_SUITE_P(
    Units, Conversioni,
    ::testing::Values(Conversione{Family::stress, "daN/cm2", "MPa", 1, "0.1"},
                      Conversione{Family::stress, "daN/cm2", "N/mm2", 1, "0.1"},
                      Conversione{Family::stress, "daN/cm2", "KPa", 1, "100"},
                      Conversione{Family::stress, "daN/cm2", "daN/mm2", 1, "0.01"},
                      Conversione{Family::specific_weight, "kN/m3", "daN/cm3", 1, "0.0001"},
                      Conversione{Family::specific_weight, "kN/m3", "N/m3", 1, "1000"},
                      Conversione{Family::specific_weight, "kN/m3", "daN/m3", 1, "100"},
                      Conversione{Family::length, "m", "cm", 3, "300"},
                      Conversione{Family::length, "m", "mm", 3, "3000"},
                      Conversione{Family::length, "cm", "m", 2.5, "0.025"},
                      Conversione{Family::volume, "m3", "cm3", 1, "1000000"},
                      Conversione{Family::force, "kN", "daN", 12.5, "1250"},
                      Conversione{Family::moment, "kNm", "daNcm", 1, "10000"}));

TEST(Conversioni, WithGravityTenKgfPerSquareCentimetreEqualsDecanewton) {
    EXPECT_EQ(family_factor(Family::stress, "daN/cm2", 10),
              family_factor(Family::stress, "kgf/cm2", 10));
    EXPECT_EQ(converti(Family::stress, "daN/cm2", "kgf/cm2", 1, 10), "1");
    EXPECT_EQ(converti(Family::stress, "daN/cm2", "kgf/cm2", 1, kG), "1.01937");
}

// ---- text of a converted value ----------------------------------------------------------------

TEST(FormattaConvertito, TextThatIsNoNumberGivesZero) {
    for (const char* t : {"", " ", "abc", "1,5", "1,000.5", "2.5x", "inf", "nan"})
        EXPECT_EQ(formatta_convertito(std::string_view(t), 10.0, 5, kPunto), "0") << t;
    EXPECT_EQ(formatta_convertito(std::string_view("2.5"), 10.0, 5, kVirgola), "0");
}

TEST(FormattaConvertito, TextReadWithTheLocaleSeparator) {
    EXPECT_EQ(formatta_convertito(std::string_view("2.5"), 100.0, 5, kPunto), "250");
    EXPECT_EQ(formatta_convertito(std::string_view("2,5"), 100.0, 5, kVirgola), "250");
    EXPECT_EQ(formatta_convertito(std::string_view(" -3 "), 0.5, 5, kPunto), "-1.5");
}

TEST(FormattaConvertito, WritesTheLocaleSeparatorWithoutTrailingZeros) {
    EXPECT_EQ(formatta_convertito(2.0, 0.1, 5, kPunto), "0.2");
    EXPECT_EQ(formatta_convertito(2.0, 0.1, 5, kVirgola), "0,2");
    EXPECT_EQ(formatta_convertito(1.5, 2.0, 5, kPunto), "3");
    EXPECT_EQ(formatta_convertito(1234567.0, 1.0, 5, kPunto), "1234567");  // no grouping
}

TEST(FormattaConvertito, RoundsHalfToEvenAtTheGivenDecimals) {
    EXPECT_EQ(formatta_convertito(0.125, 1.0, 2, kPunto), "0.12");
    EXPECT_EQ(formatta_convertito(0.375, 1.0, 2, kPunto), "0.38");
    EXPECT_EQ(formatta_convertito(2.5, 1.0, 0, kPunto), "2");
    EXPECT_EQ(formatta_convertito(1.0 / 3.0, 1.0, 5, kPunto), "0.33333");
    EXPECT_EQ(formatta_convertito(2.5, 1.0, -1, kPunto), "2");  // negative count read as 0
}

TEST(FormattaConvertito, ProductBelowHalfTheLastDecimalGivesZero) {
    EXPECT_EQ(formatta_convertito(4e-6, 1.0, 5, kPunto), "0");
    EXPECT_EQ(formatta_convertito(std::string_view("4"), 1e-6, 5, kPunto), "0");
    EXPECT_EQ(formatta_convertito(-4e-6, 1.0, 5, kPunto), "0");  // not "-0"
}

TEST(FormattaConvertito, ProductThatIsNotFiniteGivesZero) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(formatta_convertito(1e300, 1e300, 5, kPunto), "0");
    EXPECT_EQ(formatta_convertito(std::string_view("1"), inf, 5, kPunto), "0");
    EXPECT_EQ(formatta_convertito(std::string_view("0"), inf, 5, kPunto), "0");  // 0 * inf
    EXPECT_EQ(formatta_convertito(nan, 1.0, 5, kPunto), "0");
    EXPECT_EQ(formatta_convertito(1.0, nan, 5, kPunto), "0");
}
