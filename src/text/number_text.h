// SPDX-License-Identifier: GPL-3.0-or-later
// Number <-> text conversions used everywhere: the "." parser of the old Val function, the strict
// locale test, rounding, the general number text, fixed patterns and sexagesimal degrees.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tv::text {

// The separators of the user's locale, handed in by the front end (the core never asks the C
// library). Both are UTF-8 text, usually one character.
struct NumberFormat {
    std::string decimal = ".";
    std::string grouping = ",";
};

// "." with "," grouping: the convention of the data files and of the command line.
const NumberFormat& dot_format();

// The leading decimal number of a text as Val read it: blanks before it skipped, optional sign,
// digits, "." as decimal point, optional exponent (e/E/d/D). 0 when the text starts with no
// number. A number too large for a double gives +-infinity; callers check finiteness.
double val(std::string_view text);

// Strict locale reading: blanks around, optional sign, digits with the locale's decimal
// separator, optional exponent. Empty text, nan, inf, hexadecimal and grouping are refused.
std::optional<double> parse_number(std::string_view text, const NumberFormat& fmt);
inline bool is_number(std::string_view text, const NumberFormat& fmt) {
    return parse_number(text, fmt).has_value();
}

// Reading for texts that the data files write with "." whatever the locale: the "." reading
// wins, else the locale's reading.
std::optional<double> parse_dot_or_locale(std::string_view text, const NumberFormat& fmt);

// Degrees, minutes and seconds as typed for a site: 42°47'28", 42 47 28, 42°47.5', with an
// optional hemisphere letter N or E (either case) before or after. Marks ° (or º), ' and "
// (or ′ ″ ’, and '' for seconds), UTF-8; blanks between parts. Only the last part may have
// decimals ("." or the locale's separator); minutes and seconds below 60; no sign.
struct Dms {
    double degrees = 0;
    char hemisphere = 0;  // 'N', 'E' or 0 when none was written
};
std::optional<Dms> parse_dms(std::string_view text, const NumberFormat& fmt);

// Round half to even at n decimals (multiply by 10^n, nearbyint, divide). A value whose product
// does not stay finite is returned unchanged.
double round_half_even(double value, int decimals);

// General number text: 15 significant digits, trailing zeros dropped, no grouping, the locale's
// decimal separator, exponent form "1E-05" / "1E+15" below 1e-4 and from 1e15 on. -0 is "0".
std::string general(double value, const NumberFormat& fmt);

// round_half_even then general.
std::string rounded(double value, int decimals, const NumberFormat& fmt);

// Fixed pattern with exactly `decimals` decimals ("0.00" is 2), halves away from zero.
std::string fixed(double value, int decimals, const NumberFormat& fmt);

}  // namespace tv::text
