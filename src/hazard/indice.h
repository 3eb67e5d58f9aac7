// SPDX-License-Identifier: GPL-3.0-or-later
// The index of a grid's codes and positions (bands of latitude, then a k-d tree on unit vectors,
// for the nearest point; a table of codes), and the grid held in memory with it.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "hazard/grid.h"
#include "hazard/ricerca.h"

namespace tv::hazard {

// Code and position of a grid record: all that the searches look at.
struct Posto {
    std::int64_t cod = 0;
    double lon = 0, lat = 0;
};

// The index over the records' codes and positions: answers with the position of a record, or
// kNessuno, exactly as the linear scans of RicercaLineare over the same records do, bit for bit:
// the same dist_geo, strict "less than" and the earlier record on a tie. The first searches
// (`ricerche_a_bande`) look only at the bands of latitude a nearer point could lie in; the k-d
// tree, which a long run of searches pays back, is built at the next one. Safe to share between
// threads.
class IndicePosti {
  public:
    static constexpr std::size_t kNessuno = static_cast<std::size_t>(-1);
    // Enough for the check runs of a start-up and a command; a batch soon passes it.
    static constexpr std::size_t kRicercheABande = 64;

    explicit IndicePosti(std::vector<Posto> posti, std::size_t ricerche_a_bande = kRicercheABande);
    ~IndicePosti();
    IndicePosti(const IndicePosti&) = delete;
    IndicePosti& operator=(const IndicePosti&) = delete;

    std::size_t nearest(double lon, double lat) const;
    std::size_t by_code(std::int64_t cod) const;
    std::optional<Posizione> posizione(std::int64_t cod) const {
        const std::size_t i = by_code(cod);
        if (i == kNessuno) return std::nullopt;
        return Posizione{posti_[i].lon, posti_[i].lat};
    }
    const std::vector<Posto>& posti() const { return posti_; }

  private:
    struct Albero;  // unit vectors and k-d tree
    // The records whose latitudes fall between lat_min and lat_max, positions from..to of ordine_.
    struct Banda {
        double lat_min, lat_max;
        std::uint32_t da, a;
    };
    void fai_bande(double lat_min, double lat_max);
    std::size_t nearest_bande(double lon, double lat) const;
    std::size_t nearest_albero(double lon, double lat) const;
    std::size_t scansione(double lon, double lat) const;
    const Albero& albero() const;

    std::vector<Posto> posti_;
    bool indicizzabile_ = false;  // false when the records must be scanned (see indice.cpp)
    std::vector<Banda> bande_;    // the bands holding records, south to north; empty for none
    std::vector<std::uint32_t> ordine_;  // record positions band by band, in file order in each
    std::size_t ricerche_a_bande_;
    mutable std::atomic<std::size_t> ricerche_{0};
    mutable std::once_flag costruito_;
    mutable std::unique_ptr<Albero> albero_;
    // Codes close together (as in the grid file): position + 1 of the first record of each code
    // from cod_minimo_ on, 0 for none. Otherwise (code, position) pairs sorted.
    std::int64_t cod_minimo_ = 0;
    std::vector<std::uint32_t> per_codice_;
    std::vector<std::pair<std::int64_t, std::uint32_t>> codici_;
};

// The codes and positions of a grid's records, in file order.
std::vector<Posto> posti_di(const Griglia& grid);

// Owns one grid and its index.
class GrigliaIndicizzata : public RicercaGriglia {
  public:
    explicit GrigliaIndicizzata(Griglia grid,
                                std::size_t ricerche_a_bande = IndicePosti::kRicercheABande)
        : grid_(std::move(grid)), indice_(posti_di(grid_), ricerche_a_bande) {}

    const PuntoGriglia* nearest(double lon, double lat) const override {
        return punto(indice_.nearest(lon, lat));
    }
    const PuntoGriglia* by_code(std::int64_t cod) const override {
        return punto(indice_.by_code(cod));
    }
    std::optional<Posizione> posizione(std::int64_t cod) const override {
        return indice_.posizione(cod);
    }

    const Griglia& grid() const { return grid_; }

  private:
    const PuntoGriglia* punto(std::size_t i) const {
        return i == IndicePosti::kNessuno ? nullptr : &grid_.points[i];
    }

    Griglia grid_;
    IndicePosti indice_;
};

}  // namespace tv::hazard
