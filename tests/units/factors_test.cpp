// Tests of the editor's unit table and family formulas, of the family of a work unit and of the
// text of converted values.
#include "units/factors.h"

#include <gtest/gtest.h>

#include <cctype>
#include <limits>
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

// One family of the editor: its rows in order, each with its factor at g = 9.81.
struct FamigliaEditor {
    Famiglia family;
    std::vector<std::string> units;
    std::vector<double> factors;
};

class TabellaEditor : public ::testing::TestWithParam<FamigliaEditor> {};

TEST_P(TabellaEditor, RowsInOrderWithTheirFactorsAndFamilyWhateverTheCase) {
    const FamigliaEditor& c = GetParam();
    ASSERT_EQ(tv::units::unita_editor(c.family), c.units);
    for (std::size_t i = 0; i < c.units.size(); ++i) {
        std::string upper = c.units[i];
        for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        EXPECT_DOUBLE_EQ(fattore_famiglia(c.family, c.units[i], kG), c.factors[i]) << c.units[i];
        EXPECT_EQ(tv::units::famiglia_editor(c.units[i]), c.family) << c.units[i];
        EXPECT_EQ(tv::units::famiglia_editor(upper), c.family) << upper;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Units, TabellaEditor,
    ::testing::Values(
        FamigliaEditor{F::lunghezza, {"cm", "m", "mm"}, {1, 0.01, 10}},
        FamigliaEditor{F::forza, {"daN", "N", "kN", "kgf", "t"}, {1, 10, 0.01, 10 / kG, 0.01 / kG}},
        FamigliaEditor{F::momento,
                       {"daNcm", "daNm", "Nm", "kNm", "kgfm", "tm"},
                       {1, 0.01, 0.1, 1e-4, 0.1 / kG, 1e-4 / kG}},
        FamigliaEditor{F::peso_specifico,
                       {"daN/cm3", "daN/m3", "N/m3", "kN/m3", "kgf/m3", "t/m3"},
                       {1, 1e6, 1e7, 1e4, 1e7 / kG, 1e4 / kG}},
        FamigliaEditor{F::tensione,
                       {"daN/cm2", "daN/mm2", "N/mm2", "kgf/cm2", "KPa", "MPa"},
                       {1, 0.01, 0.1, 10 / kG, 100, 0.1}},
        FamigliaEditor{F::volume, {"mm3", "cm3", "m3"}, {1000, 1, 1e-6}}));

}  // namespace

TEST(FamilyFactor, FollowsTheGravityAndIsZeroWhenItCannotBeFormed) {
    EXPECT_DOUBLE_EQ(fattore_famiglia(F::momento, "tm", 5), 2e-5);
    EXPECT_EQ(fattore_famiglia(F::tensione, "daN", kG), 0.0);           // F over a missing L
    EXPECT_EQ(fattore_famiglia(F::peso_specifico, "xyz", kG), 0.0);  // 0 over 0
    EXPECT_EQ(fattore_famiglia(F::forza, "kgf", 0), 0.0);             // 10/g with g = 0
    for (const char* u : {"daN / cm2", " cm", "dm", "kN/m2", ""})  // no row of the editor
        EXPECT_EQ(tv::units::famiglia_editor(u), std::nullopt) << u;
}

TEST(FormattaConvertito, ReadsAndWritesTheLocaleSeparatorRoundingHalfToEven) {
    EXPECT_EQ(formatta_convertito(std::string_view("2,5"), 100.0, 5, kVirgola), "250");
    EXPECT_EQ(formatta_convertito(2.0, 0.1, 5, kVirgola), "0,2");
    EXPECT_EQ(formatta_convertito(1234567.0, 1.0, 5, kPunto), "1234567");  // no grouping
    EXPECT_EQ(formatta_convertito(0.125, 1.0, 2, kPunto), "0.12");
    EXPECT_EQ(formatta_convertito(2.5, 1.0, -1, kPunto), "2");   // negative count read as 0
    EXPECT_EQ(formatta_convertito(-4e-6, 1.0, 5, kPunto), "0");  // not "-0"
}

TEST(FormattaConvertito, NoNumberOrAProductThatIsNotFiniteGivesZero) {
    for (const char* t : {"abc", "2.5x", "nan"})
        EXPECT_EQ(formatta_convertito(std::string_view(t), 10.0, 5, kPunto), "0") << t;
    EXPECT_EQ(formatta_convertito(std::string_view("2.5"), 10.0, 5, kVirgola), "0");
    EXPECT_EQ(formatta_convertito(1e300, 1e300, 5, kPunto), "0");
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(formatta_convertito(std::string_view("0"), inf, 5, kPunto), "0");  // 0 * inf
}
