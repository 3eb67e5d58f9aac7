// SPDX-License-Identifier: GPL-3.0-or-later
// Code-page decoding and UTF-8 helpers for the suite's data files.
#include "text/encoding.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <fstream>
#include <iterator>

#include "text/errori_sistema.h"

namespace tv::text {
namespace {

// Windows-1252 bytes 0x80..0x9F; the five bytes the code page leaves undefined map to the C1
// control with the same number, as Windows itself does.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void append_utf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::vector<char32_t> code_points(std::string_view utf8) {
    std::vector<char32_t> out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t cp = 0xFFFD;
        std::size_t n = utf8_sequence(utf8, i, &cp);
        if (n == 0) {
            cp = 0xFFFD;
            n = 1;
        }
        out.push_back(cp);
        i += n;
    }
    return out;
}

char32_t lower_cp(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
    switch (c) {
        case 0x0160: return 0x0161;
        case 0x0152: return 0x0153;
        case 0x017D: return 0x017E;
        case 0x0178: return 0x00FF;
        default: return c;
    }
}

char32_t upper_cp(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
    switch (c) {
        case 0x0161: return 0x0160;
        case 0x0153: return 0x0152;
        case 0x017E: return 0x017D;
        case 0x00FF: return 0x0178;
        default: return c;
    }
}

template <typename F>
std::string map_case(std::string_view utf8, F f) {
    std::string out;
    out.reserve(utf8.size());
    for (char32_t c : code_points(utf8)) append_utf8(out, f(c));
    return out;
}

}  // namespace

std::size_t utf8_sequence(std::string_view s, std::size_t i, char32_t* cp_out) {
    auto u = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    unsigned char c = u(i);
    std::size_t n;
    char32_t cp;
    if (c < 0x80) {
        if (cp_out) *cp_out = c;
        return 1;
    } else if (c >= 0xC2 && c <= 0xDF) {
        n = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        n = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        n = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + n > s.size()) return 0;
    for (std::size_t k = 1; k < n; ++k) {
        if ((u(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (u(i + k) & 0x3F);
    }
    if ((n == 3 && cp < 0x800) || (n == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    if (cp_out) *cp_out = cp;
    return n;
}

bool is_valid_utf8(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t n = utf8_sequence(bytes, i, nullptr);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string decode(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
    if (is_valid_utf8(bytes)) return std::string(bytes);
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 8);
    for (char ch : bytes) {
        auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            out += ch;
        } else if (c < 0xA0) {
            append_utf8(out, kCp1252High[c - 0x80]);
        } else {
            append_utf8(out, c);
        }
    }
    return out;
}

std::string encode_cp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char32_t c : code_points(utf8)) {
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        char mapped = '?';
        for (std::size_t k = 0; k < kCp1252High.size(); ++k) {
            if (kCp1252High[k] == c) {
                mapped = static_cast<char>(0x80 + k);
                break;
            }
        }
        out += mapped;
    }
    return out;
}

std::vector<std::string> split_lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.emplace_back(text.substr(start, i - start));
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
    if (start < text.size()) lines.emplace_back(text.substr(start));
    return lines;
}

LetturaFile leggi_file_regolare(const std::filesystem::path& path, std::uintmax_t limite) {
    // Opened without waiting (a pipe with no writer would block), then looked at: only a
    // regular file is read, and never past the limit.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {std::nullopt, messaggio_errno(errno)};
    struct Chiudi {
        int fd;
        ~Chiudi() { ::close(fd); }
    } chiudi{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) return {std::nullopt, messaggio_errno(errno)};
    if (!S_ISREG(st.st_mode)) return {std::nullopt, "non è un file regolare"};
    const std::string troppo = "è più grande di " + std::to_string(limite >> 20) + " MiB";
    if (static_cast<std::uintmax_t>(st.st_size) > limite) return {std::nullopt, troppo};
    std::string data(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t letti = 0;
    for (;;) {
        // Past the size just seen the file may have grown: read on, up to the limit.
        if (letti == data.size()) {
            if (data.size() > limite) return {std::nullopt, troppo};
            data.resize(data.size() + 4096);
        }
        const ssize_t n = ::read(fd, data.data() + letti, data.size() - letti);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return {std::nullopt, messaggio_errno(errno)};
        if (n == 0) break;
        letti += static_cast<std::size_t>(n);
    }
    data.resize(letti);
    return {std::move(data), {}};
}

std::optional<std::string> read_bytes(const std::filesystem::path& path) {
    return leggi_file_regolare(path).byte;
}

std::optional<std::vector<std::string>> read_lines(const std::filesystem::path& path) {
    auto bytes = read_bytes(path);
    if (!bytes) return std::nullopt;
    return split_lines(decode(*bytes));
}

std::string trim(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && (text[b] == ' ' || text[b] == '\t')) ++b;
    while (e > b && (text[e - 1] == ' ' || text[e - 1] == '\t')) --e;
    return std::string(text.substr(b, e - b));
}

std::string minuscole_ascii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = minuscola_ascii(c);
    return out;
}

std::string to_lower(std::string_view utf8) { return map_case(utf8, lower_cp); }
std::string to_upper(std::string_view utf8) { return map_case(utf8, upper_cp); }

std::size_t char_count(std::string_view utf8) { return code_points(utf8).size(); }

bool contains_nocase(std::string_view haystack, std::string_view needle) {
    return to_lower(haystack).find(to_lower(needle)) != std::string::npos;
}

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t cp = 0;
        const std::size_t n = utf8_sequence(text, i, &cp);
        if (n == 0 || cp < 0x20 || (cp >= 0x7F && cp <= 0x9F)) {
            out += '?';
            i += n == 0 ? 1 : n;
            continue;
        }
        out.append(text.substr(i, n));
        i += n;
    }
    return out;
}

std::size_t edit_distance(std::string_view a, std::string_view b) {
    const std::vector<char32_t> x = code_points(a), y = code_points(b);
    // Three rows of the table: the one above the previous row serves the swaps.
    std::vector<std::size_t> earlier(y.size() + 1), above(y.size() + 1), row(y.size() + 1);
    for (std::size_t j = 0; j <= y.size(); ++j) above[j] = j;
    for (std::size_t i = 1; i <= x.size(); ++i) {
        row[0] = i;
        for (std::size_t j = 1; j <= y.size(); ++j) {
            const std::size_t change = x[i - 1] == y[j - 1] ? 0 : 1;
            row[j] = std::min({above[j] + 1, row[j - 1] + 1, above[j - 1] + change});
            if (i > 1 && j > 1 && x[i - 1] == y[j - 2] && x[i - 2] == y[j - 1])
                row[j] = std::min(row[j], earlier[j - 2] + 1);
        }
        std::swap(earlier, above);
        std::swap(above, row);
    }
    return above[y.size()];
}

}  // namespace tv::text

namespace tv::text {

std::filesystem::path find_nocase(const std::filesystem::path& dir, std::string_view name) {
    std::filesystem::path exact = dir / std::string(name);
    std::error_code ec;
    if (std::filesystem::exists(exact, ec)) return exact;
    // Several spellings side by side: the first by name, the same on every run.
    const std::string wanted = to_lower(name);
    std::optional<std::filesystem::path> best;
    std::filesystem::directory_iterator it(dir, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const auto& p = it->path();
        if (to_lower(p.filename().string()) == wanted && (!best || p < *best)) best = p;
    }
    return best ? *best : exact;
}

}  // namespace tv::text
