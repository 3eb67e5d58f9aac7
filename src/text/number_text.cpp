// Number text: parsing with from_chars and writing with to_chars, never through the C locale.
#include "text/number_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace tv::text {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Reads "[digits][.digits][e[+-]digits]" already normalised to "." and converts it.
// Out-of-range magnitudes become infinity (overflow) or zero (underflow).
double convert_plain(const std::string& mantissa_int, const std::string& mantissa_frac,
                     const std::string& exponent, bool negative) {
    std::string s = mantissa_int.empty() ? "0" : mantissa_int;
    if (!mantissa_frac.empty()) s += "." + mantissa_frac;
    if (!exponent.empty()) s += "e" + exponent;
    double v = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), v, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // Decide overflow against underflow from the decimal exponent of the first significant digit.
        long long lead = 0;
        std::size_t i = 0;
        while (i < mantissa_int.size() && mantissa_int[i] == '0') ++i;
        if (i < mantissa_int.size()) {
            lead = static_cast<long long>(mantissa_int.size() - i);
        } else {
            std::size_t j = 0;
            while (j < mantissa_frac.size() && mantissa_frac[j] == '0') ++j;
            lead = -static_cast<long long>(j);
        }
        long long e = 0;
        if (!exponent.empty()) {
            std::string digits = exponent;
            bool eneg = digits[0] == '-';
            if (digits[0] == '+' || digits[0] == '-') digits.erase(0, 1);
            if (digits.size() > 6) digits = "999999";
            std::from_chars(digits.data(), digits.data() + digits.size(), e);
            if (eneg) e = -e;
        }
        v = (lead + e > 0) ? HUGE_VAL : 0.0;
    } else if (ec != std::errc()) {
        v = 0;
    }
    return negative ? -v : v;
}

struct Digits {
    bool negative = false;
    std::string digits;  // 15 significant digits, no point
    int exp10 = 0;       // value = 0.d1d2... no: d1.d2d3... x 10^exp10
};

Digits decompose(double value) {
    Digits d;
    d.negative = std::signbit(value);
    std::array<char, 64> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), std::fabs(value),
                                   std::chars_format::scientific, 14);
    std::string s(buf.data(), end);
    auto e = s.find('e');
    for (std::size_t i = 0; i < e; ++i)
        if (is_digit(s[i])) d.digits += s[i];
    int ex = 0;
    std::string es = s.substr(e + 1);
    if (!es.empty() && es[0] == '+') es.erase(0, 1);
    std::from_chars(es.data(), es.data() + es.size(), ex);
    d.exp10 = ex;
    return d;
}

std::string strip_trailing_zeros(std::string s) {
    while (!s.empty() && s.back() == '0') s.pop_back();
    return s;
}

}  // namespace

const NumberFormat& dot_format() {
    static const NumberFormat f{".", ","};
    return f;
}

double val(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && is_blank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::string ip, fp, ex;
    while (i < text.size() && is_digit(text[i])) ip += text[i++];
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && is_digit(text[i])) fp += text[i++];
    }
    if (ip.empty() && fp.empty()) return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        std::string e;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) e += text[j++];
        std::string digits;
        while (j < text.size() && is_digit(text[j])) digits += text[j++];
        if (!digits.empty()) ex = e + digits;
    }
    return convert_plain(ip, fp, ex, negative);
}

std::optional<double> parse_number(std::string_view text, const NumberFormat& fmt) {
    std::size_t b = 0, e = text.size();
    while (b < e && is_blank(text[b])) ++b;
    while (e > b && is_blank(text[e - 1])) --e;
    std::string_view s = text.substr(b, e - b);
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        negative = s[i] == '-';
        ++i;
    }
    std::string ip, fp, ex;
    while (i < s.size() && is_digit(s[i])) ip += s[i++];
    const std::string& dec = fmt.decimal.empty() ? std::string(".") : fmt.decimal;
    if (s.substr(i, dec.size()) == dec) {
        i += dec.size();
        while (i < s.size() && is_digit(s[i])) fp += s[i++];
    }
    if (ip.empty() && fp.empty()) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) ex += s[i++];
        std::string digits;
        while (i < s.size() && is_digit(s[i])) digits += s[i++];
        if (digits.empty()) return std::nullopt;
        ex += digits;
    }
    if (i != s.size()) return std::nullopt;
    double v = convert_plain(ip, fp, ex, negative);
    if (!std::isfinite(v)) return std::nullopt;  // too large for a double: not a number
    return v;
}

std::optional<double> parse_dot_or_locale(std::string_view text, const NumberFormat& fmt) {
    static const NumberFormat dot_only{".", ""};
    if (auto v = parse_number(text, dot_only)) return v;
    return parse_number(text, fmt);
}

double round_half_even(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    double scale = std::pow(10.0, decimals);
    double product = value * scale;
    if (!std::isfinite(product) || !std::isfinite(scale) || scale == 0) return value;
    double r = std::nearbyint(product) / scale;
    return std::isfinite(r) ? r : value;
}

std::string general(double value, const NumberFormat& fmt) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    if (value == 0) return "0";
    Digits d = decompose(value);
    std::string sig = strip_trailing_zeros(d.digits);
    std::string out = d.negative ? "-" : "";
    if (d.exp10 < -4 || d.exp10 >= 15) {
        out += sig.substr(0, 1);
        if (sig.size() > 1) out += fmt.decimal + sig.substr(1);
        int ae = std::abs(d.exp10);
        out += d.exp10 < 0 ? "E-" : "E+";
        if (ae < 10) out += "0";
        out += std::to_string(ae);
        return out;
    }
    if (d.exp10 < 0) {
        out += "0" + fmt.decimal + std::string(static_cast<std::size_t>(-d.exp10 - 1), '0') + sig;
    } else {
        std::size_t int_len = static_cast<std::size_t>(d.exp10) + 1;
        if (sig.size() <= int_len) {
            out += sig + std::string(int_len - sig.size(), '0');
        } else {
            out += sig.substr(0, int_len) + fmt.decimal + sig.substr(int_len);
        }
    }
    return out;
}

std::string rounded(double value, int decimals, const NumberFormat& fmt) {
    return general(round_half_even(value, decimals), fmt);
}

std::string fixed(double value, int decimals, const NumberFormat& fmt) {
    if (!std::isfinite(value)) return general(value, fmt);
    if (decimals < 0) decimals = 0;
    // Work on the 15-digit decimal text, as the old Format did, then round half away from zero.
    std::string int_part = "0", frac;
    bool negative = false;
    if (value != 0) {
        Digits d = decompose(value);
        negative = d.negative;
        std::string all;  // digits with an implied point after position `point`
        long long point = d.exp10 + 1;
        if (point <= 0) {
            all = std::string(static_cast<std::size_t>(-point), '0') + d.digits;
            point = 0;
        } else {
            all = d.digits;
            if (static_cast<long long>(all.size()) < point)
                all += std::string(static_cast<std::size_t>(point) - all.size(), '0');
        }
        int_part = point == 0 ? "0" : all.substr(0, static_cast<std::size_t>(point));
        frac = all.substr(static_cast<std::size_t>(point));
    }
    std::string kept = frac.substr(0, std::min<std::size_t>(frac.size(), decimals));
    kept += std::string(static_cast<std::size_t>(decimals) - kept.size(), '0');
    bool round_up = frac.size() > static_cast<std::size_t>(decimals) &&
                    frac[static_cast<std::size_t>(decimals)] >= '5';
    std::string number = int_part + kept;
    if (round_up) {
        int k = static_cast<int>(number.size()) - 1;
        while (k >= 0) {
            if (number[static_cast<std::size_t>(k)] == '9') {
                number[static_cast<std::size_t>(k)] = '0';
                --k;
            } else {
                ++number[static_cast<std::size_t>(k)];
                break;
            }
        }
        if (k < 0) number.insert(number.begin(), '1');
    }
    std::size_t int_len = number.size() - static_cast<std::size_t>(decimals);
    std::string ip = number.substr(0, int_len);
    std::size_t nz = ip.find_first_not_of('0');
    ip = nz == std::string::npos ? "0" : ip.substr(nz);
    std::string fp = number.substr(int_len);
    bool all_zero = ip == "0" && fp.find_first_not_of('0') == std::string::npos;
    std::string out = (negative && !all_zero) ? "-" : "";
    out += ip;
    if (decimals > 0) out += fmt.decimal + fp;
    return out;
}

}  // namespace tv::text
