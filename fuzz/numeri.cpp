// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the number text readers and writers (and the code-page decoding every file goes
// through). Readers never give a number that is not finite; what a writer wrote reads back.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "comune.h"
#include "text/encoding.h"
#include "text/number_text.h"
#include "units/factors.h"

namespace {
using namespace tv;
using fuzz::richiedi;

const text::NumberFormat kFormati[] = {text::dot_format(), {",", "."}, {"\xC2\xB7", "'"}};

bool vicino(double a, double b, double tolleranza) {
    return std::fabs(a - b) <= tolleranza * std::fabs(a) + 1e-300;
}

// What a writer gives must read back as a finite number close to what was written.
void rilegge(const std::string& testo, double atteso, double tolleranza, const text::NumberFormat& f,
             const char* chi) {
    const auto v = text::parse_number(testo, f);
    richiedi(v.has_value(), std::string(chi) + " illeggibile: \"" + testo + "\"");
    richiedi(vicino(atteso, *v, tolleranza),
             std::string(chi) + " lontano dal valore: \"" + testo + "\"");
}

void scrittori(double x, const text::NumberFormat& f) {
    rilegge(text::general(x, f), x, 1e-14, f, "general");
    for (int d : {0, 2, 4}) {
        const double r = text::round_half_even(x, d);
        richiedi(std::isfinite(r), "round_half_even non finito");
        rilegge(text::rounded(x, d, f), r, 1e-14, f, "rounded");
        const std::string fx = text::fixed(x, d, f);
        const auto v = text::parse_number(fx, f);
        richiedi(v.has_value(), "fixed illeggibile: \"" + fx + "\"");
        richiedi(std::fabs(*v - x) <= 0.5 * std::pow(10.0, -d) + 1e-14 * std::fabs(x),
                 "fixed lontano dal valore: \"" + fx + "\"");
    }
}

void codifica(std::string_view bytes) {
    const std::string utf8 = text::decode(bytes);
    richiedi(text::is_valid_utf8(utf8), "decode non dà UTF-8");
    // Text that is not UTF-8 was Windows-1252, byte for byte: it goes back unchanged.
    if (!text::is_valid_utf8(bytes) && !bytes.starts_with("\xEF\xBB\xBF"))
        richiedi(text::encode_cp1252(utf8) == bytes, "Windows-1252 non torna uguale");
    const std::string basso = text::to_lower(utf8);
    richiedi(text::is_valid_utf8(basso) && text::is_valid_utf8(text::to_upper(utf8)),
             "maiuscole o minuscole non UTF-8");
    richiedi(text::char_count(basso) == text::char_count(utf8), "to_lower cambia i caratteri");
    for (const std::string& riga : text::split_lines(utf8))
        richiedi(riga.find_first_of("\r\n") == std::string::npos, "riga con un a capo");
    const std::string t = text::trim(utf8);
    richiedi(t.empty() || (t.front() != ' ' && t.back() != ' '), "trim lascia spazi");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view s = fuzz::come_testo(data, size);

    richiedi(!std::isnan(text::val(s)), "val dà nan");
    for (const auto& f : kFormati) {
        if (const auto v = text::parse_number(s, f)) {
            richiedi(std::isfinite(*v), "parse_number dà un numero non finito");
            richiedi(text::is_number(s, f), "is_number e parse_number in disaccordo");
            scrittori(*v, f);
        }
        if (const auto v = text::parse_dot_or_locale(s, f))
            richiedi(std::isfinite(*v), "parse_dot_or_locale dà un numero non finito");
        // The floating editor's conversion: always a number the field can take.
        for (double fattore : {0.01, 10.0, 1e4, 1e-5}) {
            const std::string c = units::formatta_convertito(s, fattore, 3, f);
            richiedi(fuzz::numero_finito(c, f), "formatta_convertito illeggibile: \"" + c + "\"");
        }
    }

    // Any double, bit for bit, through the writers and rounding.
    if (size >= sizeof(double)) {
        double x = 0;
        std::memcpy(&x, data, sizeof x);
        const int decimali = static_cast<int>(data[size - 1]) - 40;
        const double r = text::round_half_even(x, decimali);
        richiedi(std::isfinite(r) == std::isfinite(x), "round_half_even cambia la finitezza");
        if (std::isfinite(x))
            for (const auto& f : kFormati) scrittori(x, f);
    }

    codifica(s);
    return 0;
}
