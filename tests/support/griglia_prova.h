// SPDX-License-Identifier: GPL-3.0-or-later
// A 4 x 4 hazard grid for the tests, as the grid file's text, and the values of its nodes.
#pragma once

#include <array>
#include <string>

namespace tv::form::prova {

// The lattice: rows from north to south 0.05 degrees apart (45.1 N first), columns 0.07 degrees
// apart (7.15 E first), around the design site (7.28 E, 45.01 N). Codes form the grid's lattice:
// code + 1 is the east neighbour, code + 222 the south one. A node's number, 11 + 10 row + column
// (11..44), sets its values.
inline int codice(int riga, int colonna) { return 11 + 222 * riga + colonna; }
inline int numero(int riga, int colonna) { return 11 + 10 * riga + colonna; }

// ag of a node in thousandths of the file's tenths of g, by tabulated return period: the base
// below plus the node's number. F0 is 2.5 and Tc* 0.3 everywhere.
inline constexpr std::array<int, 9> kAgBase{500, 600, 700, 800, 1000, 1200, 2000, 2600, 3500};
// a/g of the node numbered `num` at tabulated period k (0 = 30 years ... 8 = 2475 years).
inline double ag_nodo(int num, int k) { return (kAgBase[static_cast<std::size_t>(k)] + num) / 10000.0; }

// The grid file text; `extra` thousandths are added to every ag (a changed grid).
inline std::string testo_griglia(int extra = 0) {
    const char* lon[] = {"7.15", "7.22", "7.29", "7.36"};
    const char* lat[] = {"45.1", "45.05", "45", "44.95"};
    std::string out = "ID LON LAT ag30 F030 Tc30 ...\n";
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            out += std::to_string(codice(r, c)) + " " + lon[c] + " " + lat[r];
            for (int base : kAgBase) out += " " + std::to_string((base + numero(r, c) + extra) / 1000.0) + " 2.5 0.3";
            out += "\n";
        }
    return out;
}

}  // namespace tv::form::prova
