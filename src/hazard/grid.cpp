// Reading of the hazard grid file into memory, and the cache that spares a new reading while the
// file stays the same.
#include "hazard/grid.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "text/encoding.h"
#include "text/error.h"

namespace tv::hazard {
namespace {

bool is_separator(char c) { return c == ' ' || c == '\t' || c == ',' || c == '\r' || c == '\n'; }

// A whole token as a finite number ("." decimal point, optional sign and exponent).
bool read_number(std::string_view token, double& value) {
    std::string_view t = token;
    if (!t.empty() && t.front() == '+') {
        t.remove_prefix(1);
        if (!t.empty() && t.front() == '-') return false;
    }
    const char* end = t.data() + t.size();
    auto [ptr, ec] = std::from_chars(t.data(), end, value, std::chars_format::general);
    return ec == std::errc() && ptr == end && std::isfinite(value);
}

// Codes must be whole, positive and exactly representable.
bool read_code(double value, std::int64_t& cod) {
    constexpr double kMaxExact = 9007199254740992.0;  // 2^53
    if (value < 1 || value > kMaxExact || std::trunc(value) != value) return false;
    cod = static_cast<std::int64_t>(value);
    return true;
}

// A token as shown in a message: decoded for display, cut when very long.
std::string shown(std::string_view token) {
    constexpr std::size_t kMax = 32;
    if (token.size() <= kMax) return text::decode(token);
    return text::decode(token.substr(0, kMax)) + "...";
}

[[noreturn]] void fail_record(std::string_view name, std::size_t record, std::size_t line,
                              const std::string& what) {
    throw Failure("File della griglia \"" + std::string(name) + "\", record " +
                  std::to_string(record) + " (riga " + std::to_string(line) + "): " + what);
}

}  // namespace

std::string path_text(const std::filesystem::path& file) {
    std::u8string u = file.u8string();
    return std::string(u.begin(), u.end());
}

Grid parse_grid(std::string_view bytes, std::string_view name) {
    Grid grid;
    std::size_t i = 0;
    const std::size_t n = bytes.size();

    // Header: the whole first line, whatever it holds.
    while (i < n && bytes[i] != '\r' && bytes[i] != '\n') ++i;
    if (i < n && bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
    if (i < n) ++i;
    std::size_t line = 2;

    GridPoint current;
    std::size_t count = 0;       // numbers read into the current record
    std::size_t record_line = 0;  // line where the current record began
    while (true) {
        // Skip separators, counting line ends (CR LF is one end).
        while (i < n && is_separator(bytes[i])) {
            if (bytes[i] == '\n' || (bytes[i] == '\r' && !(i + 1 < n && bytes[i + 1] == '\n')))
                ++line;
            ++i;
        }
        if (i >= n) break;
        std::size_t start = i;
        while (i < n && !is_separator(bytes[i])) ++i;
        std::string_view token = bytes.substr(start, i - start);

        const std::size_t record = grid.points.size() + 1;
        if (count == 0) record_line = line;
        double value = 0;
        if (!read_number(token, value))
            fail_record(name, record, line,
                        "il valore \"" + shown(token) + "\" non è un numero valido.");
        if (count == 0) {
            if (!read_code(value, current.cod))
                fail_record(name, record, line,
                            "il codice \"" + shown(token) + "\" non è un numero intero positivo.");
        } else if (count == 1) {
            current.lon = value;
        } else if (count == 2) {
            current.lat = value;
        } else {
            current.dati[count - 3] = value;
        }
        if (++count == kNumeriRecord) {
            grid.points.push_back(current);
            count = 0;
        }
    }
    if (count != 0)
        fail_record(name, grid.points.size() + 1, record_line,
                    "il record ha " + std::to_string(count) + " numeri invece di " +
                        std::to_string(kNumeriRecord) + ".");
    if (grid.points.empty())
        throw Failure("Il file della griglia \"" + std::string(name) + "\" non contiene alcun punto.");
    return grid;
}

Grid load_grid(const std::filesystem::path& file) {
    const std::string name = path_text(file);
    auto bytes = text::read_bytes(file);
    if (!bytes) throw Failure("Impossibile leggere il file della griglia \"" + name + "\".");
    return parse_grid(*bytes, name);
}

const Grid& GridCache::get(const std::filesystem::path& file) {
    std::error_code ec_size, ec_time;
    const auto size = std::filesystem::file_size(file, ec_size);
    const auto mtime = std::filesystem::last_write_time(file, ec_time);
    if (ec_size || ec_time)
        throw Failure("Impossibile leggere il file della griglia \"" + path_text(file) + "\".");
    if (grid_ && file == path_ && size == size_ && mtime == mtime_) return *grid_;
    // Identity taken before reading: a change during the reading shows at the next call.
    auto fresh = std::make_unique<Grid>(load_grid(file));
    grid_ = std::move(fresh);
    path_ = file;
    size_ = size;
    mtime_ = mtime;
    return *grid_;
}

}  // namespace tv::hazard
