// The hazard grid: one record per reference point (code, position, 27 values), read whole from
// the grid file into memory and kept by a small cache until the file changes.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tv::hazard {

// Values per point: nine triples (ag in tenths of g, F0, Tc* in s), one per return period.
inline constexpr std::size_t kValoriPunto = 27;
// Numbers per record in the file: code, longitude, latitude and the values.
inline constexpr std::size_t kNumeriRecord = 3 + kValoriPunto;

// One grid point. dati[0] is the first value (ag at 30 years). The code is held in 64 bits so
// that code + 1 and code - 1 never overflow.
struct GridPoint {
    std::int64_t cod = 0;
    double lon = 0, lat = 0;
    std::array<double, kValoriPunto> dati{};
};

// The whole grid in file order.
struct Grid {
    std::vector<GridPoint> points;
};

// Reads grid text: the first line is a header and is discarded; then records of 30 numbers
// separated by any mix of commas, blanks, tabs and line ends. `name` names the source in
// messages. Throws tv::Failure on a short record, a token that is no finite number, a code that
// is not a whole positive number, or a grid without records.
Grid parse_grid(std::string_view bytes, std::string_view name);

// Reads and parses the grid file; a missing or unreadable file throws tv::Failure.
Grid load_grid(const std::filesystem::path& file);

// Keeps the last grid read and reads the file again only when its path, size or modification
// time changed. The reference returned stays valid until a later get() reloads.
class GridCache {
public:
    const Grid& get(const std::filesystem::path& file);

private:
    std::filesystem::path path_;
    std::uintmax_t size_ = 0;
    std::filesystem::file_time_type mtime_{};
    std::unique_ptr<Grid> grid_;
};

// Path as UTF-8 text, for messages.
std::string path_text(const std::filesystem::path& file);

}  // namespace tv::hazard
