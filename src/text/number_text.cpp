// SPDX-License-Identifier: GPL-3.0-or-later
// Number text: parsing with from_chars and writing with to_chars, never through the C locale.
// Texts are scanned in place and written into stack buffers: batches convert millions of them.
#include "text/number_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace tv::text {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// The pieces of a decimal number found in a text: [int_b, int_e) and [frac_b, frac_e) digits,
// exponent digits [exp_b, exp_e) with their sign.
struct Pezzi {
    std::string_view s;
    std::size_t int_b = 0, int_e = 0, frac_b = 0, frac_e = 0, exp_b = 0, exp_e = 0;
    bool negative = false, exp_negative = false;
};

// Decimal exponent of the first significant digit, used to tell overflow from underflow.
long long esponente_guida(const Pezzi& p) {
    long long lead = 0;
    std::size_t i = p.int_b;
    while (i < p.int_e && p.s[i] == '0') ++i;
    if (i < p.int_e) {
        lead = static_cast<long long>(p.int_e - i);
    } else {
        std::size_t j = p.frac_b;
        while (j < p.frac_e && p.s[j] == '0') ++j;
        lead = -static_cast<long long>(j - p.frac_b);
    }
    long long e = 0;
    for (std::size_t k = p.exp_b; k < p.exp_e && e < 1000000; ++k) e = e * 10 + (p.s[k] - '0');
    return lead + (p.exp_negative ? -e : e);
}

// Converts the pieces; out-of-range magnitudes become infinity (overflow) or zero (underflow).
double converti(const Pezzi& p) {
    const std::size_t n = (p.int_e - p.int_b) + (p.frac_e - p.frac_b) + (p.exp_e - p.exp_b) + 4;
    std::array<char, 96> small{};
    std::string large;
    char* buf = small.data();
    if (n > small.size()) {
        large.resize(n);
        buf = large.data();
    }
    char* o = buf;
    *o++ = '0';  // never an empty mantissa
    for (std::size_t k = p.int_b; k < p.int_e; ++k) *o++ = p.s[k];
    if (p.frac_e > p.frac_b) {
        *o++ = '.';
        for (std::size_t k = p.frac_b; k < p.frac_e; ++k) *o++ = p.s[k];
    }
    if (p.exp_e > p.exp_b) {
        *o++ = 'e';
        if (p.exp_negative) *o++ = '-';
        for (std::size_t k = p.exp_b; k < p.exp_e; ++k) *o++ = p.s[k];
    }
    double v = 0;
    auto [ptr, ec] = std::from_chars(buf, o, v, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        v = esponente_guida(p) > 0 ? HUGE_VAL : 0.0;
    } else if (ec != std::errc()) {
        v = 0;
    }
    return p.negative ? -v : v;
}

// Reads an exponent marker and its digits at s[i]; leaves i unchanged when no digit follows.
bool leggi_esponente(Pezzi& p, std::size_t& i, bool d_too) {
    const std::string_view s = p.s;
    if (i >= s.size()) return false;
    const char c = s[i];
    if (!(c == 'e' || c == 'E' || (d_too && (c == 'd' || c == 'D')))) return false;
    std::size_t j = i + 1;
    bool neg = false;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) neg = s[j++] == '-';
    const std::size_t b = j;
    while (j < s.size() && is_digit(s[j])) ++j;
    if (j == b) return false;
    p.exp_b = b;
    p.exp_e = j;
    p.exp_negative = neg;
    i = j;
    return true;
}

// Sign, significant digits and decimal exponent of a finite non-zero value, 15 digits.
struct Cifre {
    bool negative = false;
    std::array<char, 16> d{};  // 15 digits
    int n = 0;                 // digits kept after dropping trailing zeros
    int exp10 = 0;             // value = d1.d2d3... x 10^exp10
};

// The largest 15-digit decimal that is still a double. Above it, 15 digits rounded to nearest
// give 1.79769313486232E+308, which is no double: such values keep this text instead, so that
// every number written reads back.
constexpr double kMassimo15Cifre = 1.79769313486231e308;

Cifre cifre(double value) {
    Cifre c;
    c.negative = std::signbit(value);
    if (std::fabs(value) > kMassimo15Cifre) {
        constexpr std::string_view kCifre = "179769313486231";
        std::copy(kCifre.begin(), kCifre.end(), c.d.begin());
        c.n = static_cast<int>(kCifre.size());
        c.exp10 = 308;
        return c;
    }
    std::array<char, 40> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                                   std::chars_format::scientific, 14);
    const char* p = buf.data();
    int k = 0;
    for (; p < end && *p != 'e'; ++p)
        if (is_digit(*p)) c.d[static_cast<std::size_t>(k++)] = *p;
    c.n = k;
    while (c.n > 1 && c.d[static_cast<std::size_t>(c.n - 1)] == '0') --c.n;
    if (p < end) {
        ++p;
        if (*p == '+') ++p;
        std::from_chars(p, end, c.exp10);
    }
    return c;
}

constexpr std::array<double, 23> kPotenze = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                             1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                             1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

double potenza10(int n) {
    if (n >= 0 && n < static_cast<int>(kPotenze.size())) return kPotenze[static_cast<std::size_t>(n)];
    return std::pow(10.0, n);
}

}  // namespace

const NumberFormat& dot_format() {
    static const NumberFormat f{".", ","};
    return f;
}

double val(std::string_view text) {
    Pezzi p;
    p.s = text;
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i])) ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) p.negative = text[i++] == '-';
    p.int_b = i;
    while (i < text.size() && is_digit(text[i])) ++i;
    p.int_e = i;
    p.frac_b = p.frac_e = i;
    if (i < text.size() && text[i] == '.') {
        p.frac_b = ++i;
        while (i < text.size() && is_digit(text[i])) ++i;
        p.frac_e = i;
    }
    if (p.int_e == p.int_b && p.frac_e == p.frac_b) return 0;
    leggi_esponente(p, i, true);
    return converti(p);
}

std::optional<double> parse_number(std::string_view text, const NumberFormat& fmt) {
    std::size_t b = 0, e = text.size();
    while (b < e && is_blank(text[b])) ++b;
    while (e > b && is_blank(text[e - 1])) --e;
    Pezzi p;
    p.s = text.substr(b, e - b);
    const std::string_view s = p.s;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) p.negative = s[i++] == '-';
    p.int_b = i;
    while (i < s.size() && is_digit(s[i])) ++i;
    p.int_e = i;
    p.frac_b = p.frac_e = i;
    const std::string_view dec = fmt.decimal.empty() ? std::string_view(".") : fmt.decimal;
    if (s.substr(i, dec.size()) == dec) {
        i += dec.size();
        p.frac_b = i;
        while (i < s.size() && is_digit(s[i])) ++i;
        p.frac_e = i;
    }
    if (p.int_e == p.int_b && p.frac_e == p.frac_b) return std::nullopt;
    if (i < s.size() && !leggi_esponente(p, i, false)) return std::nullopt;
    if (i != s.size()) return std::nullopt;
    // A text already in from_chars's own form ("." separator, no "+" before the digits) is
    // read where it lies; from_chars of "-x" is the negated reading of "x".
    if (dec == "." && !s.starts_with('+')) {
        double v = 0;
        const auto [fine, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec == std::errc() && fine == s.data() + s.size()) {
            if (!std::isfinite(v)) return std::nullopt;
            return v;
        }
    }
    const double v = converti(p);
    if (!std::isfinite(v)) return std::nullopt;  // too large for a double: not a number
    return v;
}

std::optional<double> parse_dot_or_locale(std::string_view text, const NumberFormat& fmt) {
    static const NumberFormat dot_only{".", ""};
    if (auto v = parse_number(text, dot_only)) return v;
    return parse_number(text, fmt);
}

namespace {
// The part (0 degrees, 1 minutes, 2 seconds) a mark at the start of `s` names, and its length.
std::optional<std::pair<int, std::size_t>> segno_dms(std::string_view s) {
    static constexpr std::pair<std::string_view, int> segni[] = {
        {"\"", 2}, {"\u2033", 2}, {"''", 2}, {"\u2019\u2019", 2}, {"\u2032\u2032", 2},
        {"\u00b0", 0}, {"\u00ba", 0}, {"'", 1}, {"\u2019", 1}, {"\u2032", 1}};
    for (const auto& [segno, parte] : segni)
        if (s.starts_with(segno)) return std::pair{parte, segno.size()};
    return std::nullopt;
}

std::string_view senza_blank(std::string_view s) {
    while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
    return s;
}

char emisfero(char c) {
    if (c == 'N' || c == 'n') return 'N';
    if (c == 'E' || c == 'e') return 'E';
    return 0;
}
}  // namespace

std::optional<Dms> parse_dms(std::string_view text, const NumberFormat& fmt) {
    std::string_view s = senza_blank(text);
    Dms out;
    if (!s.empty() && emisfero(s.back())) {
        out.hemisphere = emisfero(s.back());
        s = senza_blank(s.substr(0, s.size() - 1));
    } else if (!s.empty() && emisfero(s.front())) {
        out.hemisphere = emisfero(s.front());
        s = senza_blank(s.substr(1));
    }
    std::array<double, 3> parti{};
    int n = 0;
    bool decimali = false;  // the part before had decimals: nothing may follow it
    while (!s.empty()) {
        if (n == 3 || decimali) return std::nullopt;
        std::size_t k = 0;
        while (k < s.size() && (is_digit(s[k]) || s[k] == '.' ||
                                (!fmt.decimal.empty() && s.substr(k).starts_with(fmt.decimal))))
            k += is_digit(s[k]) || s[k] == '.' ? 1 : fmt.decimal.size();
        const std::string_view numero = s.substr(0, k);
        if (numero.empty() || !is_digit(numero.front())) return std::nullopt;
        const auto v = parse_dot_or_locale(numero, fmt);
        if (!v) return std::nullopt;
        decimali = !std::all_of(numero.begin(), numero.end(), is_digit);
        s = senza_blank(s.substr(k));
        if (const auto segno = segno_dms(s)) {
            if (segno->first != n) return std::nullopt;
            s = senza_blank(s.substr(segno->second));
        }
        parti[static_cast<std::size_t>(n++)] = *v;
    }
    if (n == 0 || parti[1] >= 60 || parti[2] >= 60) return std::nullopt;
    out.degrees = parti[0] + parti[1] / 60 + parti[2] / 3600;
    return out;
}

double round_half_even(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    const double scale = potenza10(decimals);
    const double product = value * scale;
    if (!std::isfinite(product) || !std::isfinite(scale) || scale == 0) return value;
    const double r = std::nearbyint(product) / scale;
    return std::isfinite(r) ? r : value;
}

std::string general(double value, const NumberFormat& fmt) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (value == 0) return "0";
    // A whole number of at most 15 digits is its own 15-digit text.
    if (std::fabs(value) < 1e15 && value == std::trunc(value)) {
        std::array<char, 24> buf{};
        const auto [fine, ec] =
            std::to_chars(buf.data(), buf.data() + buf.size(), static_cast<long long>(value));
        if (ec == std::errc()) return std::string(buf.data(), fine);
    }
    const Cifre c = cifre(value);
    std::string out;
    out.reserve(32);
    if (c.negative) out += '-';
    const char* d = c.d.data();
    if (c.exp10 < -4 || c.exp10 >= 15) {
        out += d[0];
        if (c.n > 1) {
            out += fmt.decimal;
            out.append(d + 1, static_cast<std::size_t>(c.n - 1));
        }
        const int ae = std::abs(c.exp10);
        out += c.exp10 < 0 ? "E-" : "E+";
        if (ae < 10) out += '0';
        out += std::to_string(ae);
    } else if (c.exp10 < 0) {
        out += '0';
        out += fmt.decimal;
        out.append(static_cast<std::size_t>(-c.exp10 - 1), '0');
        out.append(d, static_cast<std::size_t>(c.n));
    } else {
        const int int_len = c.exp10 + 1;
        if (c.n <= int_len) {
            out.append(d, static_cast<std::size_t>(c.n));
            out.append(static_cast<std::size_t>(int_len - c.n), '0');
        } else {
            out.append(d, static_cast<std::size_t>(int_len));
            out += fmt.decimal;
            out.append(d + int_len, static_cast<std::size_t>(c.n - int_len));
        }
    }
    return out;
}

std::string rounded(double value, int decimals, const NumberFormat& fmt) {
    // The product rounded to a whole m below 10^15 is the text: m / 10^n is the double nearest
    // to that decimal of at most 15 digits, and 15 digits of it give the decimal back. Only
    // texts in exponent form (below 1e-4) take the general path.
    if (decimals >= 0 && decimals <= 15 && std::isfinite(value)) {
        const double m = std::nearbyint(value * kPotenze[static_cast<std::size_t>(decimals)]);
        if (m == 0) return "0";
        if (std::fabs(m) < 1e15) {
            std::array<char, 24> cifre{};
            const auto [fine, ec] =
                std::to_chars(cifre.data(), cifre.data() + cifre.size(),
                              static_cast<long long>(std::fabs(m)));
            const auto n = static_cast<std::size_t>(fine - cifre.data());
            const auto d = static_cast<std::size_t>(decimals);
            if (ec == std::errc() && n + 4 > d && fmt.decimal.size() <= 8) {
                std::size_t ultima = n;  // trailing zeros of the decimals dropped
                while (ultima > 0 && ultima + d > n && cifre[ultima - 1] == '0') --ultima;
                // Written in place, then copied once into the text.
                std::array<char, 48> out{};
                char* o = out.data();
                if (m < 0) *o++ = '-';
                if (n > d) {
                    o = std::copy_n(cifre.data(), n - d, o);
                } else {
                    *o++ = '0';
                }
                if (ultima + d > n) {
                    o = std::copy(fmt.decimal.begin(), fmt.decimal.end(), o);
                    if (d > n) o = std::fill_n(o, d - n, '0');
                    const std::size_t da = n > d ? n - d : 0;
                    o = std::copy_n(cifre.data() + da, ultima - da, o);
                }
                return std::string(out.data(), o);
            }
        }
    }
    return general(round_half_even(value, decimals), fmt);
}

std::string fixed(double value, int decimals, const NumberFormat& fmt) {
    if (!std::isfinite(value)) return general(value, fmt);
    if (decimals < 0) decimals = 0;
    // The 15-digit text of the value, scaled by 10^decimals, lies within q * 5.2e-15 of q: where
    // q is farther than that from a half, both round to the same whole number, written here.
    if (decimals <= 15) {
        const double q = std::fabs(value) * kPotenze[static_cast<std::size_t>(decimals)];
        const double intero = std::floor(q), resto = q - intero;
        if (q < 1e15 && std::fabs(resto - 0.5) > q * 1e-13 + 1e-12) {
            std::array<char, 40> buf{};
            const auto d = static_cast<std::size_t>(decimals);
            const auto n = static_cast<long long>(resto > 0.5 ? intero + 1 : intero);
            const auto [fine, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), n);
            if (ec == std::errc()) {
                std::string cifre(buf.data(), fine);
                if (cifre.size() <= d) cifre.insert(0, d + 1 - cifre.size(), '0');
                std::string out;
                out.reserve(cifre.size() + fmt.decimal.size() + 1);
                if (std::signbit(value) && n != 0) out += '-';
                out.append(cifre, 0, cifre.size() - d);
                if (d > 0) out.append(fmt.decimal).append(cifre, cifre.size() - d, d);
                return out;
            }
        }
    }
    // Work on the 15-digit decimal text, as the old Format did, then round half away from zero.
    // digits holds the integer part then the decimals, with `point` integer digits.
    std::string digits;
    std::size_t point = 1;
    bool negative = false;
    if (value == 0) {
        digits = "0";
    } else {
        const Cifre c = cifre(value);
        negative = c.negative;
        const long long lead = c.exp10 + 1;
        if (lead <= 0) {
            digits.assign(static_cast<std::size_t>(1 - lead), '0');  // "0" then leading zeros
            digits.append(c.d.data(), static_cast<std::size_t>(c.n));
            point = 1;
        } else {
            digits.assign(c.d.data(), static_cast<std::size_t>(c.n));
            if (static_cast<long long>(digits.size()) < lead)
                digits.append(static_cast<std::size_t>(lead) - digits.size(), '0');
            point = static_cast<std::size_t>(lead);
        }
    }
    const std::size_t keep = point + static_cast<std::size_t>(decimals);
    const bool round_up = digits.size() > keep && digits[keep] >= '5';
    digits.resize(keep, '0');
    if (round_up) {
        std::size_t k = keep;
        while (k > 0 && digits[k - 1] == '9') digits[--k] = '0';
        if (k == 0) {
            digits.insert(digits.begin(), '1');
            ++point;
        } else {
            ++digits[k - 1];
        }
    }
    std::size_t nz = 0;
    while (nz + 1 < point && digits[nz] == '0') ++nz;
    const bool all_zero = digits.find_first_not_of('0') == std::string::npos;
    std::string out;
    out.reserve(digits.size() + 4);
    if (negative && !all_zero) out += '-';
    out.append(digits, nz, point - nz);
    if (decimals > 0) {
        out += fmt.decimal;
        out.append(digits, point, std::string::npos);
    }
    return out;
}

}  // namespace tv::text
