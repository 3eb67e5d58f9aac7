// SPDX-License-Identifier: GPL-3.0-or-later
// Search over the lines of the locality list regardless of case and accents, names that start
// with the text first, and the split of a picked line.
#include "hazard/localita.h"

#include "hazard/grid.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/number_text.h"

namespace tv::hazard {
namespace {

// The plain lower-case letters of a Latin letter with an accent or other mark, for the letters
// of Latin-1 and the few more that Windows-1252 holds; empty for every other character.
std::string_view senza_accento(char32_t c) {
    // U+00C0..U+00FF, capitals and small letters alike; "" for the signs x and / among them.
    static constexpr std::string_view latin1[64] = {
        "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
        "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "ss",
        "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i",  "i",
        "d", "n", "o", "o", "o", "o", "o",  "",  "o", "u", "u", "u", "u", "y", "th", "y"};
    if (c >= 0xC0 && c <= 0xFF) return latin1[c - 0xC0];
    switch (c) {
        case 0x152:
        case 0x153:
            return "oe";
        case 0x160:
        case 0x161:
            return "s";
        case 0x178:
            return "y";
        case 0x17D:
        case 0x17E:
            return "z";
        case 0x2018:
        case 0x2019:
            return "'";  // typographic apostrophes: L’Aquila
        default:
            return {};
    }
}

// The name part of a list line: what follows the second three-blank separator, blanks skipped.
std::string_view nome_localita(std::string_view line) {
    constexpr std::string_view kSeparatore = "   ";
    std::size_t inizio = 0;
    for (int pezzo = 0; pezzo < 2; ++pezzo) {
        const auto p = line.find(kSeparatore, inizio);
        if (p == std::string_view::npos) return {};
        inizio = p + kSeparatore.size();
    }
    const auto nome = line.find_first_not_of(' ', inizio);
    return nome == std::string_view::npos ? std::string_view{} : line.substr(nome);
}

// Lower case without accents, for a search that ignores both: ASCII capitals lowered, accented
// Latin letters to their plain letters, combining accents dropped, everything else unchanged.
std::string piega(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto b0 = static_cast<unsigned char>(utf8[i]);
        if (b0 < 0x80) {
            out += text::minuscola_ascii(static_cast<char>(b0));
            ++i;
            continue;
        }
        char32_t c = 0;
        const std::size_t len = text::utf8_sequence(utf8, i, &c);
        if (len == 0) {  // a stray byte stays as it is: it can only match itself
            out += static_cast<char>(b0);
            ++i;
            continue;
        }
        if (const std::string_view base = senza_accento(c);
            !base.empty() || (c >= 0x300 && c < 0x370))
            out += base;  // combining accents (typed decomposed) fold to nothing
        else
            out.append(utf8.substr(i, len));
        i += len;
    }
    return out;
}

}  // namespace

std::optional<std::vector<std::string>> cerca_localita(const std::vector<std::string>& lines,
                                                       std::string_view typed) {
    // Typed bytes that are not UTF-8 (a Latin-1 terminal) are read as Windows-1252, as the list is.
    const std::string digitato = text::decode(typed);
    if (text::char_count(digitato) < kMinCaratteriRicerca) return std::nullopt;
    const std::string needle = piega(digitato);
    std::vector<std::string> found;
    std::vector<std::string> altre;  // matches elsewhere in the line, after the names that start so
    for (const std::string& line : lines) {
        const std::string piegata = piega(line);
        if (piegata.find(needle) == std::string::npos) continue;
        if (piega(nome_localita(line)).starts_with(needle))
            found.push_back(line);
        else
            altre.push_back(line);
    }
    found.insert(found.end(), std::make_move_iterator(altre.begin()),
                 std::make_move_iterator(altre.end()));
    return found;
}

namespace {

// The bytes of the locality file; throws naming it when it cannot be read or holds no line.
std::string testo_localita(const std::filesystem::path& file) {
    auto bytes = text::read_bytes(file);
    if (!bytes)
        throw Failure("Impossibile leggere il file delle località \"" + path_text(file) + "\".");
    // An empty list would only say "no match" for every text: say that the file is empty. The
    // decoding drops a leading byte-order mark and nothing else, so such a file holds no line.
    if (bytes->empty() || *bytes == "\xEF\xBB\xBF")
        throw Failure("Il file delle località \"" + path_text(file) + "\" è vuoto.");
    return std::move(*bytes);
}

}  // namespace

std::optional<std::vector<std::string>> cerca_localita(const std::filesystem::path& file,
                                                       std::string_view typed) {
    if (text::char_count(text::decode(typed)) < kMinCaratteriRicerca) return std::nullopt;
    return cerca_localita(text::split_lines(text::decode(testo_localita(file))), typed);
}

void controlla_localita(const std::filesystem::path& file, std::string_view typed) {
    if (text::char_count(text::decode(typed)) >= kMinCaratteriRicerca) testo_localita(file);
}

std::optional<std::pair<std::string, std::string>> scegli_localita(std::string_view line) {
    constexpr std::string_view kSeparatore = "   ";
    const auto first = line.find(kSeparatore);
    if (first == std::string_view::npos) return std::nullopt;
    const std::string_view rest = line.substr(first + kSeparatore.size());
    return std::pair{std::string(line.substr(0, first)),
                     std::string(rest.substr(0, rest.find(kSeparatore)))};
}

std::optional<std::string> localita_alle_coordinate(const std::vector<std::string>& lines,
                                                    double lon, double lat) {
    for (const std::string& riga : lines) {
        const auto pick = scegli_localita(riga);
        if (!pick) continue;
        const auto y = text::parse_number(pick->first, text::dot_format());
        const auto x = text::parse_number(pick->second, text::dot_format());
        if (!x || !y || *x != lon || *y != lat) continue;
        const auto dopo = riga.find(pick->second, pick->first.size());
        return text::trim(riga.substr(dopo + pick->second.size()));
    }
    return std::nullopt;
}

std::optional<std::string> localita_alle_coordinate(const std::filesystem::path& file, double lon,
                                                    double lat) {
    const auto lines = text::read_lines(file);
    if (!lines) return std::nullopt;
    return localita_alle_coordinate(*lines, lon, lat);
}

}  // namespace tv::hazard
