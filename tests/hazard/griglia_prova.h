// Small grids for the hazard tests: lattices built in memory, their text in the grid file
// format, and a temporary folder that removes itself.
#pragma once

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "hazard/grid.h"

namespace tv::hazard::prova {

// A point whose 27 values are positive and different from those of every other code.
inline GridPoint nodo(std::int64_t cod, double lon, double lat) {
    GridPoint p;
    p.cod = cod;
    p.lon = lon;
    p.lat = lat;
    for (std::size_t i = 0; i < p.dati.size(); ++i)
        p.dati[i] = 1.0 + static_cast<double>(cod) / 1000.0 + static_cast<double>(i) / 100.0;
    return p;
}

// Rows from north to south 0.05 degrees apart, columns 0.07 degrees apart from 10 E, 45 N.
// Code = 101 + 10 * row + column, so a row ends without an east neighbour by code.
inline double lon_colonna(int col) { return 10.0 + 0.07 * col; }
inline double lat_riga(int row) { return 45.0 - 0.05 * row; }
inline std::int64_t codice(int row, int col) { return 101 + 10 * row + col; }

inline Grid reticolo(int rows, int cols, const std::vector<std::int64_t>& senza = {}) {
    Grid g;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            if (std::find(senza.begin(), senza.end(), codice(r, c)) == senza.end())
                g.points.push_back(nodo(codice(r, c), lon_colonna(c), lat_riga(r)));
    return g;
}

inline std::string numero(double v) {
    std::array<char, 64> buf{};
    auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), v);
    return std::string(buf.data(), end);
}

// The grid as file text: header line, one record per line, single blanks, LF.
inline std::string testo_griglia(const Grid& g) {
    std::string out = "ID LON LAT valori\n";
    for (const GridPoint& p : g.points) {
        out += std::to_string(p.cod) + " " + numero(p.lon) + " " + numero(p.lat);
        for (double v : p.dati) out += " " + numero(v);
        out += "\n";
    }
    return out;
}

// A fresh folder under the system's temporary folder, removed with its content at the end.
class CartellaTemp {
public:
    CartellaTemp() {
        std::random_device rd;
        dir_ = std::filesystem::temp_directory_path() /
               ("tv_hazard_" + std::to_string(rd()) + "_" + std::to_string(rd()));
        std::filesystem::create_directories(dir_);
    }
    ~CartellaTemp() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    CartellaTemp(const CartellaTemp&) = delete;
    CartellaTemp& operator=(const CartellaTemp&) = delete;

    // Writes the bytes as they are into a file of this folder and returns its path.
    std::filesystem::path scrivi(const std::string& name, std::string_view bytes) const {
        auto path = dir_ / name;
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    const std::filesystem::path& path() const { return dir_; }

private:
    std::filesystem::path dir_;
};

}  // namespace tv::hazard::prova
