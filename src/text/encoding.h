// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding of the data files (Windows-1252 or UTF-8, any line end) and the small text helpers
// (trim, lower case, character count, terminal-safe text, edit distance) that work on the decoded UTF-8.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tv::text {

bool is_valid_utf8(std::string_view bytes);

// Length of the valid UTF-8 sequence at s[i] (its code point in *cp_out when given), 0 when the
// bytes there are not valid UTF-8.
std::size_t utf8_sequence(std::string_view s, std::size_t i, char32_t* cp_out);

// UTF-8 as is where the bytes are valid UTF-8 (a BOM is dropped), else read as Windows-1252.
std::string decode(std::string_view bytes);

// Windows-1252 bytes of a UTF-8 text; characters the code page lacks become "?".
std::string encode_cp1252(std::string_view utf8);

// CR LF, LF and a lone CR each end a line; a last line without an end counts, an empty tail
// after the last end does not.
std::vector<std::string> split_lines(std::string_view text);

// The most a data file is read: far above the real ones (the grid is under 2 MB), so that a
// wrong file (a disk image, a link to /dev/zero) ends with a message instead of the memory.
inline constexpr std::uintmax_t kLimiteFileDati = std::uintmax_t{256} << 20;

// A whole regular file (links followed) of at most `limite` bytes, or why it cannot be read in
// Italian ("non è un file regolare", "è più grande di 256 MiB", the system's message). A pipe
// or a device is refused without waiting on it.
struct LetturaFile {
    std::optional<std::string> byte;
    std::string motivo;  // set when `byte` is not
};
LetturaFile leggi_file_regolare(const std::filesystem::path& path,
                                std::uintmax_t limite = kLimiteFileDati);

// Whole file as bytes, as leggi_file_regolare; nullopt when it cannot be read.
std::optional<std::string> read_bytes(const std::filesystem::path& path);

// Whole file, decoded and split into lines; nullopt when it cannot be read.
std::optional<std::vector<std::string>> read_lines(const std::filesystem::path& path);

// Blanks (spaces and tabs) removed at both ends.
std::string trim(std::string_view text);

// Lower / upper case of ASCII and of the Latin-1 letters (À..Þ <-> à..þ), UTF-8 in and out.
std::string to_lower(std::string_view utf8);
std::string to_upper(std::string_view utf8);

// A byte, and every byte of a text, with the ASCII capitals lowered and every other byte as it
// is: positions stay those of the text, also where it is not UTF-8 (a command line is any bytes).
constexpr char minuscola_ascii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}
std::string minuscole_ascii(std::string_view s);

// Number of characters (code points) of a UTF-8 text.
std::size_t char_count(std::string_view utf8);

// Case-insensitive (to_lower) substring test.
bool contains_nocase(std::string_view haystack, std::string_view needle);

// A text as a terminal line shows it: every control character (below U+0020, U+007F, and the C1
// controls U+0080..U+009F) and every byte that is not UTF-8 made "?", so that a name read from a
// file can neither move the cursor nor retitle the window or change its colours.
std::string printable(std::string_view text);

// The fewest characters (code points) inserted, removed, replaced, or two neighbours swapped,
// that make one UTF-8 text the other (optimal string alignment distance).
std::size_t edit_distance(std::string_view a, std::string_view b);

}  // namespace tv::text

namespace tv::text {

// `name` inside `dir`: the exact name when it exists, else the first entry whose name matches
// ignoring letter case (files written by Windows programs), else dir / name as given.
std::filesystem::path find_nocase(const std::filesystem::path& dir, std::string_view name);

}  // namespace tv::text
