// Nearest point by a k-d tree on unit vectors followed by the recheck with dist_geo of every
// point that rounding could make nearest; points by code through a table.
#include "hazard/indice.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <nanoflann.hpp>

namespace tv::hazard {
namespace {

constexpr double kGradiPerRadiante = 57.29577951;  // the constant of dist_geo
constexpr double kRaggioTerra = 6371.0;            // km, the radius of dist_geo

// Points up to this much (km) farther than the nearest by chord are rechecked with dist_geo.
// The rounding of dist_geo stays below 1 m even for coincident points (the arccos near 1), and
// that of the chords and of the tree's bounds below a millimetre.
constexpr double kMargine = 0.1;

// Beyond this many degrees the rounding of the angles could grow past the margin: such targets
// (and grids with such points) are scanned record by record instead.
constexpr double kLimiteGradi = 1e6;

using Versore = std::array<double, 3>;

// Longitude and latitude of a point, side by side for the rechecks.
struct Posizione {
    double lon, lat;
};

// Unit vector of a position, with the degrees turned into radians as dist_geo does: the chord
// between two of them grows with the angle dist_geo measures.
Versore versore(double lon, double lat) {
    const double a = lat / kGradiPerRadiante;
    const double l = lon / kGradiPerRadiante;
    return {std::cos(a) * std::cos(l), std::cos(a) * std::sin(l), std::sin(a)};
}

bool indicizzabile(double lon, double lat) {
    return std::fabs(lon) <= kLimiteGradi && std::fabs(lat) <= kLimiteGradi;  // false for NaN
}

struct Nuvola {
    std::vector<Versore> punti;
    std::size_t kdtree_get_point_count() const { return punti.size(); }
    double kdtree_get_pt(std::uint32_t i, std::size_t d) const { return punti[i][d]; }
    template <class Box>
    bool kdtree_get_bbox(Box&) const {
        return false;
    }
};

using Metrica = nanoflann::L2_Simple_Adaptor<double, Nuvola, double, std::uint32_t>;
using KdTree = nanoflann::KDTreeSingleIndexAdaptor<Metrica, Nuvola, 3, std::uint32_t>;

// Result set of one descent: every point met while the radius (the smallest chord so far plus
// the margin) admits it, up to kCandidati of them.
class Candidati {
  public:
    static constexpr std::size_t kCandidati = 32;
    explicit Candidati(double margine) : margine_(margine) {}

    double worstDist() const { return raggio2_; }
    bool full() const { return true; }
    bool addPoint(double d2, std::uint32_t i) {
        if (n_ < kCandidati) {
            corde2_[n_] = d2;
            indici_[n_] = i;
            ++n_;
        } else {
            traboccato_ = true;
        }
        if (d2 < minima2_) {
            minima2_ = d2;
            const double r = std::sqrt(d2) + margine_;
            raggio2_ = r >= 2 ? std::numeric_limits<double>::infinity() : r * r;
        }
        return true;
    }

    // Every point within the final radius was met: the tree prunes only what lies beyond the
    // radius of the moment, which never grows.
    std::size_t size() const { return n_; }
    bool traboccato() const { return traboccato_; }
    bool entro(std::size_t k) const { return corde2_[k] < raggio2_; }
    std::uint32_t indice(std::size_t k) const { return indici_[k]; }

  private:
    double margine_;
    double minima2_ = std::numeric_limits<double>::infinity();
    double raggio2_ = std::numeric_limits<double>::infinity();
    std::array<double, kCandidati> corde2_{};
    std::array<std::uint32_t, kCandidati> indici_{};
    std::size_t n_ = 0;
    bool traboccato_ = false;
};

// Result set of a descent with a fixed radius (when Candidati overflowed): every point within it
// measured with dist_geo as the scan measures it; the smallest distance wins, the earlier
// record on equal distances.
class Ricontrollo {
  public:
    Ricontrollo(const std::vector<Posizione>& punti, double lon, double lat, double raggio2)
        : punti_(punti), lon_(lon), lat_(lat), raggio2_(raggio2) {}
    double worstDist() const { return raggio2_; }
    bool full() const { return true; }
    bool addPoint(double, std::uint32_t i) {
        const Posizione& p = punti_[i];
        const double d = dist_geo(p.lon, p.lat, lon_, lat_);
        if (d < best_d_ || (d == best_d_ && i < best_i_)) {
            best_d_ = d;
            best_i_ = i;
        }
        return true;
    }
    std::uint32_t migliore() const { return best_i_; }
    bool trovato() const { return best_i_ != kNessuno; }

  private:
    static constexpr std::uint32_t kNessuno = std::numeric_limits<std::uint32_t>::max();
    const std::vector<Posizione>& punti_;
    double lon_, lat_, raggio2_;
    double best_d_ = std::numeric_limits<double>::infinity();
    std::uint32_t best_i_ = kNessuno;
};

}  // namespace

struct GrigliaIndicizzata::Albero {
    Albero(std::vector<Versore> versori, std::vector<Posizione> posizioni_)
        : nuvola{std::move(versori)},
          tree(3, nuvola, nanoflann::KDTreeSingleIndexAdaptorParams(16)),
          posizioni(std::move(posizioni_)) {}
    Nuvola nuvola;
    KdTree tree;  // built by its constructor over nuvola, which is declared first
    std::vector<Posizione> posizioni;
};

GrigliaIndicizzata::GrigliaIndicizzata(Griglia grid) : grid_(std::move(grid)) {
    const auto& punti = grid_.points;
    // Positions are held in 32 bits; a larger grid is scanned (the file has about ten thousand).
    if (punti.empty() || punti.size() >= std::numeric_limits<std::uint32_t>::max()) return;
    std::vector<Versore> versori;
    std::vector<Posizione> posizioni;
    versori.reserve(punti.size());
    posizioni.reserve(punti.size());
    std::int64_t cod_massimo = punti[0].cod;
    cod_minimo_ = punti[0].cod;
    for (const PuntoGriglia& p : punti) {
        if (!indicizzabile(p.lon, p.lat)) return;
        versori.push_back(versore(p.lon, p.lat));
        posizioni.push_back({p.lon, p.lat});
        cod_minimo_ = std::min(cod_minimo_, p.cod);
        cod_massimo = std::max(cod_massimo, p.cod);
    }
    albero_ = std::make_unique<Albero>(std::move(versori), std::move(posizioni));

    // Differences of codes taken in unsigned arithmetic, exact for any two 64-bit codes.
    const auto scarto = [&](std::int64_t cod) {
        return static_cast<std::uint64_t>(cod) - static_cast<std::uint64_t>(cod_minimo_);
    };
    if (scarto(cod_massimo) < 8 * static_cast<std::uint64_t>(punti.size()) + 1024) {
        per_codice_.assign(static_cast<std::size_t>(scarto(cod_massimo)) + 1, 0);
        for (std::size_t i = punti.size(); i-- > 0;)  // the earliest record is written last
            per_codice_[static_cast<std::size_t>(scarto(punti[i].cod))] =
                static_cast<std::uint32_t>(i + 1);
        return;
    }
    codici_.reserve(punti.size());
    for (std::size_t i = 0; i < punti.size(); ++i)
        codici_.emplace_back(punti[i].cod, static_cast<std::uint32_t>(i));
    std::sort(codici_.begin(), codici_.end());  // equal codes stay in file order
}

GrigliaIndicizzata::~GrigliaIndicizzata() = default;

const PuntoGriglia* GrigliaIndicizzata::nearest(double lon, double lat) const {
    if (!albero_ || !indicizzabile(lon, lat)) return RicercaLineare(grid_).nearest(lon, lat);
    const Versore q = versore(lon, lat);
    // A chord grows more slowly than its angle, so every point whose distance exceeds the
    // nearest one's by less than the margin lies within the nearest chord plus the margin.
    Candidati candidati(kMargine / kRaggioTerra);
    albero_->tree.findNeighbors(candidati, q.data(), nanoflann::SearchParams());

    if (candidati.traboccato()) {
        Ricontrollo tutti(albero_->posizioni, lon, lat, candidati.worstDist());
        albero_->tree.findNeighbors(tutti, q.data(), nanoflann::SearchParams());
        return tutti.trovato() ? &grid_.points[tutti.migliore()]
                               : RicercaLineare(grid_).nearest(lon, lat);
    }
    // The scan's choice among them: the smallest dist_geo, the earlier record on a tie.
    Ricontrollo scelta(albero_->posizioni, lon, lat, 0);
    for (std::size_t k = 0; k < candidati.size(); ++k)
        if (candidati.entro(k)) scelta.addPoint(0, candidati.indice(k));
    if (!scelta.trovato()) return RicercaLineare(grid_).nearest(lon, lat);  // never expected
    return &grid_.points[scelta.migliore()];
}

const PuntoGriglia* GrigliaIndicizzata::by_code(std::int64_t cod) const {
    if (!albero_) return RicercaLineare(grid_).by_code(cod);
    if (!per_codice_.empty()) {
        if (cod < cod_minimo_) return nullptr;
        const auto k = static_cast<std::uint64_t>(cod) - static_cast<std::uint64_t>(cod_minimo_);
        if (k >= per_codice_.size()) return nullptr;
        const std::uint32_t i = per_codice_[static_cast<std::size_t>(k)];
        return i == 0 ? nullptr : &grid_.points[i - 1];
    }
    const auto it = std::lower_bound(codici_.begin(), codici_.end(),
                                     std::pair<std::int64_t, std::uint32_t>{cod, 0});
    if (it == codici_.end() || it->first != cod) return nullptr;
    return &grid_.points[it->second];
}

}  // namespace tv::hazard
