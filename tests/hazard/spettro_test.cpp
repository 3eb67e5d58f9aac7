// Stratigraphic factor by subsoil category with its limits, the topographic factor read from
// its field, and the texts shown for Ss and S.
#include "hazard/spettro.h"

#include <gtest/gtest.h>

#include <string>

namespace tv::hazard {
namespace {

const text::NumberFormat kVirgola{",", "."};

struct CasoSuolo {
    const char* nome;
    const char* campo4;
    double F0;
    double ag;
    const char* suolo;
    double Ss;
};

class SpettroSuolo : public ::testing::TestWithParam<CasoSuolo> {};

TEST_P(SpettroSuolo, FactorWithinTheCategoryLimits) {
    const CasoSuolo& c = GetParam();
    const Spettro r = spettro("1.0", c.campo4, c.ag, c.F0, text::dot_format());
    EXPECT_EQ(r.suolo, c.suolo);
    EXPECT_NEAR(r.Ss, c.Ss, 1e-12);
    EXPECT_EQ(r.s, r.Ss);
}

// F0 = 2.5 throughout: the product coefficient * F0 * ag is 2.5 * coefficient * ag.
INSTANTIATE_TEST_SUITE_P(
    Categorie, SpettroSuolo,
    ::testing::Values(
        CasoSuolo{"A", "A", 2.5, 0.3, "A", 1.0}, CasoSuolo{"LowerA", "a", 2.5, 0.3, "a", 1.0},
        CasoSuolo{"BAboveUpper", "B", 2.5, 0.05, "B", 1.2},
        CasoSuolo{"BAtUpper", "b", 2.5, 0.2, "b", 1.2},
        CasoSuolo{"BMid", "B", 2.5, 0.25, "B", 1.15},
        CasoSuolo{"BBelowLower", "B", 2.5, 0.5, "B", 1.0},
        CasoSuolo{"CWithin", "C", 2.5, 0.2, "C", 1.4},
        CasoSuolo{"CAboveUpper", "c", 2.5, 0.04, "c", 1.5},
        CasoSuolo{"CBelowLower", "C", 2.5, 0.6, "C", 1.0},
        CasoSuolo{"DAboveUpper", "D", 2.5, 0.08, "D", 1.8},
        CasoSuolo{"DBelowLower", "d", 2.5, 0.48, "d", 0.9},
        CasoSuolo{"DWithin", "D", 2.5, 0.2, "D", 1.65},
        CasoSuolo{"EAboveUpper", "E", 2.5, 0.1, "E", 1.6},
        CasoSuolo{"EWithin", "e", 2.5, 0.2, "e", 1.45},
        CasoSuolo{"EBelowLower", "E", 2.5, 0.5, "E", 1.0},
        CasoSuolo{"Trimmed", " c ", 2.5, 0.2, "c", 1.4},
        CasoSuolo{"TabsTrimmed", "\tD\t", 2.5, 0.2, "D", 1.65},
        CasoSuolo{"Empty", "", 2.5, 0.2, "A", 1.0}, CasoSuolo{"Unknown", "F", 2.5, 0.2, "A", 1.0},
        CasoSuolo{"TwoLetters", "BC", 2.5, 0.2, "A", 1.0}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(SpettroSuolo, ProductIsFormedAsF0TimesCoefficientThenTimesAg) {
    // Here (2.2 * 1.1) * 0.174 and 2.2 * (1.1 * 0.174) differ in the last bit.
    ASSERT_NE((2.2 * 1.1) * 0.174, 2.2 * (1.1 * 0.174));
    EXPECT_EQ(spettro("1", "E", 0.174, 2.2, text::dot_format()).Ss, 1.57892);
}

struct CasoSt {
    const char* nome;
    const char* campo5;
    bool virgola;
    double St;
};

class SpettroSt : public ::testing::TestWithParam<CasoSt> {};

TEST_P(SpettroSt, TopographicFactorFromItsField) {
    const CasoSt& c = GetParam();
    const Spettro r = spettro(c.campo5, "C", 0.2, 2.5, c.virgola ? kVirgola : text::dot_format());
    EXPECT_DOUBLE_EQ(r.St, c.St);
    EXPECT_DOUBLE_EQ(r.s, 1.4 * c.St);
}

INSTANTIATE_TEST_SUITE_P(
    Campo5, SpettroSt,
    ::testing::Values(CasoSt{"Dot", "1.2", false, 1.2}, CasoSt{"DotInCommaLocale", "1.2", true, 1.2},
                      CasoSt{"CommaInCommaLocale", "1,4", true, 1.4},
                      CasoSt{"CommaInDotLocale", "1,4", false, 1.0}, CasoSt{"Empty", "", false, 1.0},
                      CasoSt{"Word", "alto", false, 1.0}, CasoSt{"Zero", "0", false, 1.0},
                      CasoSt{"Negative", "-1.2", false, 1.0},
                      CasoSt{"TooLarge", "1e999", false, 1.0},
                      CasoSt{"Blanks", " 1.3 ", false, 1.3}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(SpettroTesti, RoundedToThreeDecimalsInTheLocaleFormat) {
    const Spettro a = spettro("1.2", "A", 0.2, 2.5, kVirgola);
    EXPECT_EQ(a.testo_Ss, "1");
    EXPECT_EQ(a.testo_s, "1,2");
    // Ss = 1.4 - 0.4 * 2.36 * 0.2607 = 1.1539..., S = 1.2 * Ss = 1.3847...
    const Spettro b = spettro("1.2", "B", 0.2607, 2.36, text::dot_format());
    EXPECT_EQ(b.testo_Ss, "1.154");
    EXPECT_EQ(b.testo_s, "1.385");
}

}  // namespace
}  // namespace tv::hazard
