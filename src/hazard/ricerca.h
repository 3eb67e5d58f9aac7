// SPDX-License-Identifier: GPL-3.0-or-later
// Geographic distance and the searches over the grid: nearest point, point by code, and the
// north, south, east and west neighbours of a grid point.
#pragma once

#include <cstdint>
#include <optional>

#include "hazard/grid.h"

namespace tv::hazard {

// A grid point's position, decimal degrees.
struct Posizione {
    double lon = 0, lat = 0;
};

// Angle in radians whose cosine is x, by the arctangent; x >= 1 gives 0 and x <= -1 gives pi.
double arccos(double x);

// Great-circle distance in km (spherical law of cosines, radius 6371.0 km), degrees in.
double dist_geo(double LON_1, double LAT_1, double LON_2, double LAT_2);

// The two look-ups every search is made of. Their answers are those of a scan of the grid in
// file order: the nearest point is the first record whose distance dist_geo(point, target) is
// strictly less than every earlier one (the earlier record wins ties); by_code gives the first
// record with that code. A pointer returned stays valid as long as the object that gave it.
class RicercaGriglia {
  public:
    virtual ~RicercaGriglia() = default;

    // Nearest point to (lon, lat); nullptr on an empty grid or a target that is not finite.
    virtual const PuntoGriglia* nearest(double lon, double lat) const = 0;
    // First point with this code; nullptr when there is none.
    virtual const PuntoGriglia* by_code(std::int64_t cod) const = 0;
    // The position of by_code's point; a search holding the positions answers without reading
    // the record.
    virtual std::optional<Posizione> posizione(std::int64_t cod) const {
        const PuntoGriglia* p = by_code(cod);
        if (!p) return std::nullopt;
        return Posizione{p->lon, p->lat};
    }
};

// The linear scans over one grid in memory, record by record: the reference that the indexed
// grid (hazard/indice.h) is checked against.
class RicercaLineare : public RicercaGriglia {
  public:
    explicit RicercaLineare(const Griglia& grid) : grid_(&grid) {}

    const PuntoGriglia* nearest(double lon, double lat) const override;
    const PuntoGriglia* by_code(std::int64_t cod) const override;

    const Griglia& grid() const { return *grid_; }

private:
    const Griglia* grid_;
};

// Result of a north or south search: the point found, and whether it is the starting point
// itself (by code), i.e. there is no grid point further in that direction.
struct Vicino {
    PuntoGriglia punto;
    bool fuori_zona = false;
};

// Nearest point to the position 0.05 degrees north (south) of the starting point.
Vicino trova_NORD(const RicercaGriglia& search, const PuntoGriglia& S);
Vicino trova_SUD(const RicercaGriglia& search, const PuntoGriglia& N);

// The point with code cod + 1 (cod - 1), wherever it lies; nullopt when there is none.
std::optional<PuntoGriglia> trova_EST(const RicercaGriglia& search, std::int64_t cod);
std::optional<PuntoGriglia> trova_WEST(const RicercaGriglia& search, std::int64_t cod);

}  // namespace tv::hazard
