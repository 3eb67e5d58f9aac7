// SPDX-License-Identifier: GPL-3.0-or-later
// The datum of typed coordinates: the grid and the locality list are ED50, GPS and web maps give
// WGS84. WGS84 positions are moved to ED50 before the grid is searched.
#pragma once

#include <optional>
#include <string_view>

namespace tv::hazard {

enum class Datum { ed50, wgs84 };

// The datum's command-line and batch word ("ed50", "wgs84") and its name in texts ("ED50").
struct NomiDatum {
    std::string_view parola;
    std::string_view nome;
};
NomiDatum nomi_datum(Datum d);

// The datum of a word, either letter case, blanks around ignored; nullopt for anything else.
std::optional<Datum> datum_di_testo(std::string_view testo);

// A position in decimal degrees.
struct Geografiche {
    double lat = 0;
    double lon = 0;
};

// WGS84 to ED50 by EPSG:1133 (ED50 to WGS 84, Italy) inverted: geocentric on WGS84 at height 0,
// shifted by (+87, +98, +121) m, back to geographic on the International 1924 ellipsoid.
Geografiche wgs84_a_ed50(Geografiche p);

// The position in ED50: unchanged when typed in ED50, or when outside -90..90 / -180..180 (or not
// finite), so that the site's range check refuses it as typed.
Geografiche in_ed50(Geografiche p, Datum d);

}  // namespace tv::hazard
