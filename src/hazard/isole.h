// SPDX-License-Identifier: GPL-3.0-or-later
// The islands the reference grid does not reach (Allegato B, Tabella 2): five groups of values
// constant over each island, and the zones on the map where each group applies.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "hazard/grid.h"

namespace tv::hazard {

// One group: its name ("G1") and islands as the table lists them, and nine triples laid out
// like PuntoGriglia::dati (ag in tenths of g, F0, Tc* in s at 30, 50, ... 2475 years).
struct GruppoIsole {
    std::string_view nome;
    std::string_view isole;
    std::array<double, kValoriPunto> dati;
};

// Where a group applies: a box in latitude and longitude (bounds included) or a circle of
// great-circle radius about a centre (points at the radius included). Degrees, km.
struct ZonaIsole {
    enum class Forma { riquadro, cerchio };
    std::size_t gruppo;  // index into gruppi_isole()
    Forma forma;
    double lat_min, lat_max, lon_min, lon_max;  // riquadro only
    double lat, lon, raggio_km;                 // cerchio only
    std::string_view nome;
};

inline constexpr std::size_t kGruppiIsole = 5;
inline constexpr std::size_t kZoneIsole = 30;

// The compiled table, G1 to G5, and the zones in the order of the islands' data file.
const std::array<GruppoIsole, kGruppiIsole>& gruppi_isole();
const std::array<ZonaIsole, kZoneIsole>& zone_isole();

// Whether the zone holds the site; circles by dist_geo, the distance of the grid search.
bool contiene(const ZonaIsole& zona, double lon, double lat);

// The first zone, in file order, that holds the site; nullptr when none does. Overlapping zones
// of one group are thus named by the earlier one.
const ZonaIsole* zona_isole(double lon, double lat);

}  // namespace tv::hazard
