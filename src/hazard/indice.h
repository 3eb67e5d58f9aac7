// The grid held in memory with its index: a k-d tree on unit vectors for the nearest point and a
// table of codes, answering exactly as the linear scans of RicercaLineare do.
#pragma once

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "hazard/grid.h"
#include "hazard/ricerca.h"

namespace tv::hazard {

// Owns one grid and its index, built once. The answers are those of RicercaLineare over the same
// grid, bit for bit: the same dist_geo, strict "less than" and the earlier record on a tie.
// Immutable after construction, so one object may serve many threads at once.
class GrigliaIndicizzata : public RicercaGriglia {
  public:
    explicit GrigliaIndicizzata(Griglia grid);
    ~GrigliaIndicizzata() override;
    GrigliaIndicizzata(const GrigliaIndicizzata&) = delete;
    GrigliaIndicizzata& operator=(const GrigliaIndicizzata&) = delete;

    const PuntoGriglia* nearest(double lon, double lat) const override;
    const PuntoGriglia* by_code(std::int64_t cod) const override;

    const Griglia& grid() const { return grid_; }

  private:
    struct Albero;  // unit vectors and k-d tree

    Griglia grid_;
    std::unique_ptr<Albero> albero_;  // null when the grid must be scanned (see indice.cpp)
    // Codes close together (as in the grid file): position + 1 of the first record of each code
    // from cod_minimo_ on, 0 for none. Otherwise (code, position) pairs sorted.
    std::int64_t cod_minimo_ = 0;
    std::vector<std::uint32_t> per_codice_;
    std::vector<std::pair<std::int64_t, std::uint32_t>> codici_;
};

}  // namespace tv::hazard
