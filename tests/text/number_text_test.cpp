// SPDX-License-Identifier: GPL-3.0-or-later
// Number text: the "." parser, the strict locale reading, rounding and the two writing forms.
#include "text/number_text.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <tuple>

using namespace tv::text;

namespace {
const NumberFormat kComma{",", "."};
}

TEST(Val, ReadsTheLeadingNumberLikeTheOldBasic) {
    for (const auto& [text, expected] :
         {std::pair{"12.5abc", 12.5}, {"abc", 0.0}, {" 7", 7.0}, {"", 0.0}, {".5", 0.5},
          {"2D2", 200.0}, {"4e", 4.0}, {"1,5", 1.0}, {"45.0703   7.68", 45.0703}, {"1e-400", 0.0},
          {"-1e400", -HUGE_VAL}})
        EXPECT_DOUBLE_EQ(val(text), expected) << text;
}

TEST(ParseNumber, IsStrictAboutTheLocaleSeparators) {
    struct Caso { const char* text; bool comma_locale, accepted; double value; };
    for (const Caso& c :
         {Caso{" 12 ", false, true, 12}, Caso{"-1e3", false, true, -1000},
          Caso{"+.5", false, true, 0.5}, Caso{" ", false, false, 0}, Caso{"nan", false, false, 0},
          Caso{"inf", false, false, 0}, Caso{"0x10", false, false, 0},
          Caso{"1,500", false, false, 0}, Caso{"1e", false, false, 0},
          Caso{"1e309", false, false, 0}, Caso{"1 2", false, false, 0},
          Caso{"1,5", true, true, 1.5}, Caso{"1.5", true, false, 0},
          Caso{"1.000,5", true, false, 0}, Caso{"-0,25e1", true, true, -2.5}}) {
        const auto v = parse_number(c.text, c.comma_locale ? kComma : dot_format());
        EXPECT_EQ(v.value_or(0), c.value) << c.text;
        EXPECT_EQ(v.has_value(), c.accepted) << c.text;
    }
}

TEST(ParseDotOrLocale, DotReadingWinsAndTheLocaleReadingIsTheFallback) {
    EXPECT_DOUBLE_EQ(*parse_dot_or_locale("45.0703", kComma), 45.0703);
    EXPECT_DOUBLE_EQ(*parse_dot_or_locale("45,07", kComma), 45.07);
    EXPECT_FALSE(parse_dot_or_locale("45,07", dot_format()).has_value());
}

// rounded: half to even, trailing zeros dropped; general: 15 significant digits, no grouping;
// fixed: every decimal kept, halves away from zero.
TEST(Write, WritesTheNumberInItsForm) {
    const NumberFormat f = dot_format();
    for (const auto& [value, decimals, text] :
         {std::tuple{0.125, 2, "0.12"}, {0.375, 2, "0.38"}, {2.5, 0, "2"}, {3.5, 0, "4"},
          {12.5, 2, "12.5"}, {-0.001, 2, "0"}, {1e300, 4, "1E+300"}})
        EXPECT_EQ(rounded(value, decimals, f), text) << value;
    for (const auto& [value, text] :
         {std::pair{3 * 0.1, "0.3"}, {1e-5, "1E-05"}, {1e15, "1E+15"},
          {999999999999999.0, "999999999999999"}, {0.0001, "0.0001"}, {-2.5e-7, "-2.5E-07"},
          {1234567.25, "1234567.25"}, {-0.0, "0"}, {-42.0, "-42"}, {1e14, "100000000000000"}})
        EXPECT_EQ(general(value, f), text) << value;
    for (const auto& [value, decimals, text] :
         {std::tuple{0.3897, 2, "0.39"}, {1.0, 3, "1.000"}, {0.125, 2, "0.13"},
          {-0.125, 2, "-0.13"}, {1.005, 2, "1.01"}, {9.9996, 3, "10.000"}, {-0.0004, 3, "0.000"},
          {2.5, 0, "3"}, {0.0, 2, "0.00"}})
        EXPECT_EQ(fixed(value, decimals, f), text) << value;
}

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
TEST(ParseDms, ReadsSexagesimalDegreesWithTheirMarksOrBlanks) {
    struct Caso { const char* text; bool comma_locale; double value; char hemisphere; };
    for (const Caso& c :
         {Caso{"42\u00b047'28\"", false, 42.791111111, 0},
          Caso{" 42 47 28 ", false, 42.791111111, 0},
          Caso{"42\u00ba 47\u2032 28\u2033N", false, 42.791111111, 'N'},
          Caso{"e 12\u00b029'47''", false, 12.496388889, 'E'},
          Caso{"42\u00b047.5'", false, 42.791666667, 0},
          Caso{"41 54 10,2", true, 41.902833333, 0}}) {
        const auto v = parse_dms(c.text, c.comma_locale ? kComma : dot_format());
        ASSERT_TRUE(v.has_value()) << c.text;
        EXPECT_NEAR(v->degrees, c.value, 1e-9) << c.text;
        EXPECT_EQ(v->hemisphere, c.hemisphere) << c.text;
    }
    for (const char* t : {"42 60 0", "42 47 60", "42.5 30", "42 47 28 5", "42\u00b028\"",
                          "-42 47 28", "42 47 28 W", "N", "42\xb0" "47'28\""})
        EXPECT_FALSE(parse_dms(t, dot_format()).has_value()) << t;
}

// The fast writing of a rounded value against the plain one, round_half_even then general: on
// values of every size and sign, halves, and values whose rounding leaves the exponent form.
TEST(Rounded, SameTextAsRoundingThenTheGeneralText) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> esponente(-12, 17), decimali(-1, 16);
    for (int i = 0; i < 200000; ++i) {
        const double v = mantissa(rng) * std::pow(10.0, esponente(rng));
        const int n = decimali(rng);
        ASSERT_EQ(rounded(v, n, kComma), general(round_half_even(v, n), kComma)) << v << " " << n;
    }
    for (double v : {0.5, 1.5, 2.5, -2.5, 0.125, 0.00005, 0.00015, -0.00004, 999999999999999.5,
                     -0.0, 1e-4, 0.000099996, 123.456})
        for (int n = 0; n <= 6; ++n)
            EXPECT_EQ(rounded(v, n, dot_format()), general(round_half_even(v, n), dot_format()))
                << v << " " << n;
}

// Texts the "." reading takes where they lie read as the same texts with a "," separator,
// which go through the digits copied apart.
TEST(ParseNumber, DotTextsReadAsTheirCommaTwins) {
    std::mt19937_64 rng(11);
    std::uniform_int_distribution<int> cifre(0, 9), lunghezza(0, 20), segno(0, 3);
    for (int i = 0; i < 100000; ++i) {
        std::string t = segno(rng) == 0 ? "-" : "";
        for (int k = lunghezza(rng); k > 0; --k) t += static_cast<char>('0' + cifre(rng));
        t += '.';
        for (int k = lunghezza(rng); k > 0; --k) t += static_cast<char>('0' + cifre(rng));
        if (segno(rng) == 1) t += "e" + std::to_string(cifre(rng) * 80 - 400);
        std::string virgola = t;
        virgola[virgola.find('.')] = ',';
        const auto a = parse_number(t, dot_format()), b = parse_number(virgola, kComma);
        ASSERT_EQ(a.has_value(), b.has_value()) << t;
        if (a) {
            ASSERT_EQ(std::signbit(*a), std::signbit(*b)) << t;
            ASSERT_EQ(*a, *b) << t;
        }
    }
}

// fixed by its definition, in whole numbers: the value's 15 significant digits M and exponent,
// scaled to the decimals and rounded half away from zero.
std::string fisso_di_riferimento(double v, int d) {
    std::array<char, 40> buf{};
    const auto fine = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(v),
                                    std::chars_format::scientific, 14).ptr;
    const std::string s(buf.data(), fine);
    const auto e = s.find('e');
    const unsigned long long M = std::stoull(s.substr(0, 1) + s.substr(2, e - 2));
    const int k = std::stoi(s.substr(e + 1)) - 14 + d;  // v = M x 10^(k - d)
    unsigned long long N = M, scala = 1;
    for (int i = 0; i < k; ++i) N *= 10;
    for (int i = 0; i < -k && i < 18; ++i) scala *= 10;
    if (k < 0) N = -k >= 18 ? 0 : (M + scala / 2) / scala;
    std::string cifre = std::to_string(N);
    if (cifre.size() <= static_cast<std::size_t>(d)) cifre.insert(0, d + 1 - cifre.size(), '0');
    const std::size_t punto = cifre.size() - static_cast<std::size_t>(d);
    return (std::signbit(v) && N != 0 ? "-" : "") + cifre.substr(0, punto) +
           (d > 0 ? "," + cifre.substr(punto) : "");
}

TEST(Fixed, RoundsTheFifteenDigitTextHalfAwayFromZero) {
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> decimali(0, 6), esponente(-12, 10);
    for (int i = 0; i < 200000; ++i) {
        const int d = decimali(rng);
        // Halves on the 15-digit text, which the value itself may lie just below or above.
        const double v = i % 4 == 0 ? (std::floor(mantissa(rng) * 1e4) + 0.5) / std::pow(10.0, d)
                                    : mantissa(rng) * std::pow(10.0, esponente(rng));
        ASSERT_EQ(fixed(v, d, kComma), fisso_di_riferimento(v, d)) << v << " " << d;
    }
}
