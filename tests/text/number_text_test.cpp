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

struct ValCase { const char* text; double expected; };
class Val : public ::testing::TestWithParam<ValCase> {};
TEST_P(Val, ReadsTheLeadingNumberLikeTheOldBasic) {
    EXPECT_DOUBLE_EQ(val(GetParam().text), GetParam().expected) << GetParam().text;
}
INSTANTIATE_TEST_SUITE_P(Texts, Val,
                         ::testing::Values(ValCase{"12.5abc", 12.5}, ValCase{"abc", 0},
                                           ValCase{" 7", 7}, ValCase{"", 0}, ValCase{".5", 0.5},
                                           ValCase{"2D2", 200}, ValCase{"4e", 4},
                                           ValCase{"1,5", 1}, ValCase{"45.0703   7.68", 45.0703},
                                           ValCase{"1e-400", 0}, ValCase{"-1e400", -HUGE_VAL}));

struct ParseCase { const char* text; bool comma_locale, accepted; double value; };
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
    ::testing::Values(ParseCase{" 12 ", false, true, 12}, ParseCase{"-1e3", false, true, -1000},
                      ParseCase{"+.5", false, true, 0.5}, ParseCase{" ", false, false, 0},
                      ParseCase{"nan", false, false, 0}, ParseCase{"inf", false, false, 0},
                      ParseCase{"0x10", false, false, 0}, ParseCase{"1,500", false, false, 0},
                      ParseCase{"1e", false, false, 0}, ParseCase{"1e309", false, false, 0},
                      ParseCase{"1 2", false, false, 0}, ParseCase{"1,5", true, true, 1.5},
                      ParseCase{"1.5", true, false, 0}, ParseCase{"1.000,5", true, false, 0},
                      ParseCase{"-0,25e1", true, true, -2.5}));

TEST(ParseDotOrLocale, DotReadingWinsAndTheLocaleReadingIsTheFallback) {
    EXPECT_DOUBLE_EQ(*parse_dot_or_locale("45.0703", kComma), 45.0703);
    EXPECT_DOUBLE_EQ(*parse_dot_or_locale("45,07", kComma), 45.07);
    EXPECT_FALSE(parse_dot_or_locale("45,07", dot_format()).has_value());
}

// rounded: half to even, trailing zeros dropped; general: 15 significant digits, no grouping;
// fixed: every decimal kept, halves away from zero.
enum class Modo { rounded, general, fixed };
struct WriteCase { Modo modo; double value; int decimals; const char* text; };
class Write : public ::testing::TestWithParam<WriteCase> {};
TEST_P(Write, WritesTheNumberInItsForm) {
    const auto& c = GetParam();
    const NumberFormat f = dot_format();
    EXPECT_EQ(c.modo == Modo::rounded   ? rounded(c.value, c.decimals, f)
              : c.modo == Modo::general ? general(c.value, f)
                                        : fixed(c.value, c.decimals, f),
              c.text);
}
constexpr Modo R = Modo::rounded, G = Modo::general, F = Modo::fixed;
INSTANTIATE_TEST_SUITE_P(
    Values, Write,
    ::testing::Values(WriteCase{R, 0.125, 2, "0.12"}, WriteCase{R, 0.375, 2, "0.38"},
                      WriteCase{R, 2.5, 0, "2"}, WriteCase{R, 3.5, 0, "4"},
                      WriteCase{R, 12.5, 2, "12.5"}, WriteCase{R, -0.001, 2, "0"},
                      WriteCase{R, 1e300, 4, "1E+300"}, WriteCase{G, 3 * 0.1, 0, "0.3"},
                      WriteCase{G, 1e-5, 0, "1E-05"}, WriteCase{G, 1e15, 0, "1E+15"},
                      WriteCase{G, 999999999999999, 0, "999999999999999"},
                      WriteCase{G, 0.0001, 0, "0.0001"}, WriteCase{G, -2.5e-7, 0, "-2.5E-07"},
                      WriteCase{G, 1234567.25, 0, "1234567.25"}, WriteCase{G, -0.0, 0, "0"},
                      WriteCase{F, 0.3897, 2, "0.39"}, WriteCase{F, 1, 3, "1.000"},
                      WriteCase{F, 0.125, 2, "0.13"}, WriteCase{F, -0.125, 2, "-0.13"},
                      WriteCase{F, 1.005, 2, "1.01"}, WriteCase{F, 9.9996, 3, "10.000"},
                      WriteCase{F, -0.0004, 3, "0.000"}, WriteCase{F, 2.5, 0, "3"},
                      WriteCase{F, 0, 2, "0.00"}));

TEST(General, LargestDoublesReadBackAndLocaleSeparatorIsUsed) {
    // 15 digits rounded to nearest gave 1.79769313486232E+308, past the largest double: the text
    // written could not be read back.
    const double max = std::numeric_limits<double>::max();
    EXPECT_EQ(general(-max, dot_format()), "-1.79769313486231E+308");
    for (const std::string& t :
         {general(max, kComma), rounded(-max, 2, kComma), fixed(max, 2, kComma)}) {
        const auto v = parse_number(t, kComma);
        ASSERT_TRUE(v.has_value()) << t;
        EXPECT_NEAR(std::fabs(*v) / max, 1.0, 1e-14) << t;
    }
    EXPECT_EQ(round_half_even(1.7e307, 4), 1.7e307);  // the product overflows: left as it is
    EXPECT_EQ(general(1234.5, kComma), "1234,5");
    EXPECT_EQ(rounded(1.25e-6, 8, kComma), "1,25E-06");
    EXPECT_EQ(fixed(0.854, 3, kComma), "0,854");
}

// Degrees, minutes and seconds, worked by hand: 42 + 47/60 + 28/3600 = 42.7911111...
struct DmsCase { const char* text; bool comma_locale, accepted; double value; char hemisphere; };
class ParseDms : public ::testing::TestWithParam<DmsCase> {};
TEST_P(ParseDms, ReadsSexagesimalDegreesWithTheirMarksOrBlanks) {
    const auto& c = GetParam();
    auto v = parse_dms(c.text, c.comma_locale ? kComma : dot_format());
    ASSERT_EQ(v.has_value(), c.accepted) << c.text;
    if (c.accepted) {
        EXPECT_NEAR(v->degrees, c.value, 1e-9) << c.text;
        EXPECT_EQ(v->hemisphere, c.hemisphere) << c.text;
    }
}
INSTANTIATE_TEST_SUITE_P(
    Texts, ParseDms,
    ::testing::Values(DmsCase{"42\u00b047'28\"", false, true, 42.791111111, 0},
                      DmsCase{" 42 47 28 ", false, true, 42.791111111, 0},
                      DmsCase{"42\u00ba 47\u2032 28\u2033N", false, true, 42.791111111, 'N'},
                      DmsCase{"e 12\u00b029'47''", false, true, 12.496388889, 'E'},
                      DmsCase{"42\u00b047.5'", false, true, 42.791666667, 0},
                      DmsCase{"41 54 10,2", true, true, 41.902833333, 0},
                      DmsCase{"42 60 0", false, false, 0, 0},
                      DmsCase{"42 47 60", false, false, 0, 0},
                      DmsCase{"42.5 30", false, false, 0, 0},
                      DmsCase{"42 47 28 5", false, false, 0, 0},
                      DmsCase{"42\u00b028\"", false, false, 0, 0},
                      DmsCase{"-42 47 28", false, false, 0, 0},
                      DmsCase{"42 47 28 W", false, false, 0, 0}, DmsCase{"N", false, false, 0, 0},
                      DmsCase{"42\xb0" "47'28\"", false, false, 0, 0}));
