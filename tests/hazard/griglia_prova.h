// SPDX-License-Identifier: GPL-3.0-or-later
// Small grids for the hazard tests: lattices built in memory and records in the file format.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "hazard/grid.h"
#include "prova.h"

namespace tv::hazard::prova {

// A point whose 27 values are positive and different from those of every other code.
inline PuntoGriglia nodo(std::int64_t cod, double lon, double lat) {
    PuntoGriglia p{cod, lon, lat, {}};
    for (std::size_t i = 0; i < p.dati.size(); ++i)
        p.dati[i] = 1.0 + static_cast<double>(cod) / 1000.0 + static_cast<double>(i) / 100.0;
    return p;
}

// Rows from north to south 0.05 degrees apart, columns 0.07 degrees apart from 10 E, 45 N.
// Code = 101 + 10 * row + column, so a row ends without an east neighbour by code.
inline double lon_colonna(int col) { return 10.0 + 0.07 * col; }
inline double lat_riga(int row) { return 45.0 - 0.05 * row; }
// No code there is 222 from another: no complete cell of the grid's lattice, so the cells are
// those of the nearest-point search. codice_222 follows the lattice: code + 222 is the south one.
inline std::int64_t codice(int row, int col) { return 101 + 10 * row + col; }
inline std::int64_t codice_222(int row, int col) { return 101 + 222 * row + col; }

inline Griglia reticolo(int rows, int cols, const std::vector<std::int64_t>& senza = {},
                        std::int64_t (*cod)(int, int) = codice) {
    Griglia g;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c)
            if (std::find(senza.begin(), senza.end(), cod(r, c)) == senza.end())
                g.points.push_back(nodo(cod(r, c), lon_colonna(c), lat_riga(r)));
    return g;
}

// A grid record: code, 6.5448 E 45.134 N and the values 1..27, with the given separator.
inline std::string record(const std::string& cod, const std::string& sep = " ") {
    std::string out = cod + sep + "6.5448" + sep + "45.134";
    for (int i = 1; i <= 27; ++i) out += sep + std::to_string(i);
    return out;
}

using tv::prova::CartellaTemp;

// The message of the tv::Failure thrown by f, whose title is the window's caption.
std::string messaggio(auto&& f) { return tv::prova::messaggio(f, kWindowCaption); }

}  // namespace tv::hazard::prova
