// Geographic distance and the searches over the grid: nearest point, point by code, and the
// north, south, east and west neighbours of a grid point.
#pragma once

#include <cstdint>
#include <optional>

#include "hazard/grid.h"

namespace tv::hazard {

// Angle in radians whose cosine is x, by the arctangent; x >= 1 gives 0 and x <= -1 gives pi.
double arccos(double x);

// Great-circle distance in km (spherical law of cosines, radius 6371.0 km), degrees in.
double dist_geo(double LON_1, double LAT_1, double LON_2, double LAT_2);

// Searches over the points of one grid, in the order of the file: the nearest point is the first
// record whose distance is strictly less than every earlier one (the earlier record wins ties);
// by_code gives the first record with that code.
class GridSearch {
public:
    explicit GridSearch(const Grid& grid) : grid_(&grid) {}

    // Nearest point to (lon, lat), measured as dist_geo(point, target); nullptr on an empty grid.
    const GridPoint* nearest(double lon, double lat) const;
    // First point with this code; nullptr when there is none.
    const GridPoint* by_code(std::int64_t cod) const;

    const Grid& grid() const { return *grid_; }

private:
    const Grid* grid_;
};

// Result of a north or south search: the point found, and whether it is the starting point
// itself (by code), i.e. there is no grid point further in that direction.
struct Vicino {
    GridPoint punto;
    bool fuori_zona = false;
};

// Nearest point to the position 0.05 degrees north (south) of the starting point.
Vicino trova_NORD(const GridSearch& search, const GridPoint& S);
Vicino trova_SUD(const GridSearch& search, const GridPoint& N);

// The point with code cod + 1 (cod - 1), wherever it lies; nullopt when there is none.
std::optional<GridPoint> trova_EST(const GridSearch& search, std::int64_t cod);
std::optional<GridPoint> trova_WEST(const GridSearch& search, std::int64_t cod);

}  // namespace tv::hazard
