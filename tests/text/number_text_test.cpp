// Number text: the "." parser, the strict locale reading, rounding and the two writing forms.
#include "text/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace tv::text;

namespace {
const NumberFormat kComma{",", "."};
}

struct ValCase {
    const char* text;
    double expected;
};
class Val : public ::testing::TestWithParam<ValCase> {};
TEST_P(Val, ReadsTheLeadingNumberLikeTheOldBasic) {
    EXPECT_DOUBLE_EQ(val(GetParam().text), GetParam().expected) << GetParam().text;
}
INSTANTIATE_TEST_SUITE_P(Texts, Val,
                         ::testing::Values(ValCase{"12.5abc", 12.5}, ValCase{"1e1", 10},
                                           ValCase{"abc", 0}, ValCase{" 7", 7}, ValCase{"", 0},
                                           ValCase{"-3.25", -3.25}, ValCase{".5", 0.5},
                                           ValCase{"2D2", 200}, ValCase{"4e", 4},
                                           ValCase{"1,5", 1}, ValCase{"45.0703   7.68", 45.0703},
                                           ValCase{"1e-400", 0}));

TEST(Val, HugeExponentOverflowsToInfinitySoCallersCanRefuseIt) {
    EXPECT_TRUE(std::isinf(val("1e400")));
    EXPECT_LT(val("-1e400"), 0);
}

struct ParseCase {
    const char* text;
    bool comma_locale;
    bool accepted;
    double value;
};
class ParseNumber : public ::testing::TestWithParam<ParseCase> {};
TEST_P(ParseNumber, IsStrictAboutTheLocaleSeparators) {
    const auto& c = GetParam();
    auto v = parse_number(c.text, c.comma_locale ? kComma : dot_format());
    ASSERT_EQ(v.has_value(), c.accepted) << c.text;
    if (c.accepted) {
        EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
    }
}
INSTANTIATE_TEST_SUITE_P(
    Texts, ParseNumber,
    ::testing::Values(ParseCase{"1.5", false, true, 1.5}, ParseCase{" 12 ", false, true, 12},
                      ParseCase{"-1e3", false, true, -1000}, ParseCase{"+.5", false, true, 0.5},
                      ParseCase{"", false, false, 0}, ParseCase{" ", false, false, 0},
                      ParseCase{"abc", false, false, 0}, ParseCase{"nan", false, false, 0},
                      ParseCase{"inf", false, false, 0}, ParseCase{"0x10", false, false, 0},
                      ParseCase{"1,500", false, false, 0}, ParseCase{"1e", false, false, 0},
                      ParseCase{"1e309", false, false, 0}, ParseCase{"1 2", false, false, 0},
                      ParseCase{"12abc", false, false, 0}, ParseCase{"1,5", true, true, 1.5},
                      ParseCase{"1.5", true, false, 0}, ParseCase{"1.000,5", true, false, 0},
                      ParseCase{"-0,25e1", true, true, -2.5}, ParseCase{"1e308", false, true, 1e308}));

TEST(ParseDotOrLocale, DotReadingWinsAndTheLocaleReadingIsTheFallback) {
    EXPECT_DOUBLE_EQ(*parse_dot_or_locale("45.0703", kComma), 45.0703);
    EXPECT_DOUBLE_EQ(*parse_dot_or_locale("45,07", kComma), 45.07);
    EXPECT_FALSE(parse_dot_or_locale("45,07", dot_format()).has_value());
}

struct RoundCase {
    double value;
    int decimals;
    const char* text;
};
class Rounded : public ::testing::TestWithParam<RoundCase> {};
TEST_P(Rounded, RoundsHalfToEvenAndDropsTrailingZeros) {
    EXPECT_EQ(rounded(GetParam().value, GetParam().decimals, dot_format()), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Values, Rounded,
                         ::testing::Values(RoundCase{0.125, 2, "0.12"}, RoundCase{0.375, 2, "0.38"},
                                           RoundCase{2.5, 0, "2"}, RoundCase{3.5, 0, "4"},
                                           RoundCase{12.5, 2, "12.5"}, RoundCase{1440, 2, "1440"},
                                           RoundCase{-0.0, 2, "0"}, RoundCase{-0.001, 2, "0"},
                                           RoundCase{0.26070123, 4, "0.2607"},
                                           RoundCase{1e300, 4, "1E+300"}));

TEST(RoundHalfEven, LeavesAValueWhoseProductOverflowsAsItIs) {
    EXPECT_EQ(round_half_even(1.7e307, 4), 1.7e307);
}

struct GeneralCase {
    double value;
    const char* text;
};
class General : public ::testing::TestWithParam<GeneralCase> {};
TEST_P(General, WritesFifteenSignificantDigitsWithoutGrouping) {
    EXPECT_EQ(general(GetParam().value, dot_format()), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(
    Values, General,
    ::testing::Values(GeneralCase{3 * 0.1, "0.3"}, GeneralCase{1e-5, "1E-05"},
                      GeneralCase{1e15, "1E+15"}, GeneralCase{999999999999999, "999999999999999"},
                      GeneralCase{0.0001, "0.0001"}, GeneralCase{-2.5e-7, "-2.5E-07"},
                      GeneralCase{1234567.25, "1234567.25"}, GeneralCase{0.0008, "0.0008"},
                      GeneralCase{1.5e20, "1.5E+20"}, GeneralCase{-0.0, "0"},
                      GeneralCase{0.3897, "0.3897"}, GeneralCase{10000, "10000"}));

TEST(General, TheLargestDoublesAreWrittenAsANumberThatReadsBack) {
    // 15 digits rounded to nearest gave 1.79769313486232E+308, past the largest double: the text
    // written could not be read back.
    const double max = std::numeric_limits<double>::max();
    EXPECT_EQ(general(max, dot_format()), "1.79769313486231E+308");
    EXPECT_EQ(general(-max, dot_format()), "-1.79769313486231E+308");
    EXPECT_EQ(general(1.79769313486231e308, dot_format()), "1.79769313486231E+308");
    EXPECT_EQ(general(1.7976931348623e308, dot_format()), "1.7976931348623E+308");
    for (const std::string& t :
         {general(max, kComma), rounded(-max, 2, kComma), fixed(max, 2, kComma)}) {
        const auto v = parse_number(t, kComma);
        ASSERT_TRUE(v.has_value()) << t;
        EXPECT_NEAR(std::fabs(*v) / max, 1.0, 1e-14) << t;
    }
}

TEST(General, UsesTheLocaleDecimalSeparator) {
    EXPECT_EQ(general(0.2, kComma), "0,2");
    EXPECT_EQ(rounded(1.25e-6, 8, kComma), "1,25E-06");
    EXPECT_EQ(general(1234.5, kComma), "1234,5");
}

struct FixedCase {
    double value;
    int decimals;
    const char* text;
};
class Fixed : public ::testing::TestWithParam<FixedCase> {};
TEST_P(Fixed, KeepsEveryDecimalAndRoundsHalvesAwayFromZero) {
    EXPECT_EQ(fixed(GetParam().value, GetParam().decimals, dot_format()), GetParam().text);
}
INSTANTIATE_TEST_SUITE_P(Values, Fixed,
                         ::testing::Values(FixedCase{0.3897, 2, "0.39"}, FixedCase{1, 3, "1.000"},
                                           FixedCase{0.125, 2, "0.13"}, FixedCase{-0.125, 2, "-0.13"},
                                           FixedCase{1.005, 2, "1.01"}, FixedCase{9.9996, 3, "10.000"},
                                           FixedCase{-0.0004, 3, "0.000"}, FixedCase{0, 2, "0.00"},
                                           FixedCase{10.29, 2, "10.29"},
                                           FixedCase{0.00001234, 2, "0.00"},
                                           FixedCase{2.5, 0, "3"}));

TEST(Fixed, UsesTheLocaleDecimalSeparator) { EXPECT_EQ(fixed(0.854, 3, kComma), "0,854"); }
