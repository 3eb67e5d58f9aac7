// SPDX-License-Identifier: GPL-3.0-or-later
// Nearest point by a scan of the bands of latitude it could lie in, or by a k-d tree on unit
// vectors followed by the recheck with dist_geo of every point that rounding could make nearest;
// points by code through a table.
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

// Points up to this much (km) farther than the nearest (by chord in the tree, by latitude in the
// bands) are measured with dist_geo. The rounding of dist_geo stays below 1 m even for coincident
// points (the arccos near 1), and that of the chords and of the tree's bounds below a millimetre.
constexpr double kMargine = 0.1;

// Beyond this many degrees the rounding of the angles could grow past the margin: such targets
// (and grids with such points) are scanned record by record instead.
constexpr double kLimiteGradi = 1e6;

using Versore = std::array<double, 3>;

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

// Within these latitudes the cosines of dist_geo stay positive, so that the angle between two
// points is at least the difference of their latitudes; the bands hold only such points.
constexpr double kLatitudineBande = 89.9;
// Degrees of latitude of a band: a row of the grid file.
constexpr double kAltezzaBanda = 0.05;

bool in_banda(double lon, double lat) {
    return std::fabs(lat) <= kLatitudineBande && std::isfinite(lon);
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
    Ricontrollo(const std::vector<Posto>& punti, double lon, double lat, double raggio2)
        : punti_(punti), lon_(lon), lat_(lat), raggio2_(raggio2) {}
    double worstDist() const { return raggio2_; }
    bool full() const { return true; }
    bool addPoint(double, std::uint32_t i) {
        const Posto& p = punti_[i];
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
    const std::vector<Posto>& punti_;
    double lon_, lat_, raggio2_;
    double best_d_ = std::numeric_limits<double>::infinity();
    std::uint32_t best_i_ = kNessuno;
};

}  // namespace

struct IndicePosti::Albero {
    explicit Albero(std::vector<Versore> versori)
        : nuvola{std::move(versori)},
          tree(3, nuvola, nanoflann::KDTreeSingleIndexAdaptorParams(16)) {}
    Nuvola nuvola;
    KdTree tree;  // built by its constructor over nuvola, which is declared first
};

std::vector<Posto> posti_di(const Griglia& grid) {
    std::vector<Posto> posti;
    posti.reserve(grid.points.size());
    for (const PuntoGriglia& p : grid.points) posti.push_back({p.cod, p.lon, p.lat});
    return posti;
}

IndicePosti::IndicePosti(std::vector<Posto> posti, std::size_t ricerche_a_bande)
    : posti_(std::move(posti)), ricerche_a_bande_(ricerche_a_bande) {
    const auto& punti = posti_;
    // Positions are held in 32 bits; a larger grid is scanned (the file has about ten thousand).
    if (punti.empty() || punti.size() >= std::numeric_limits<std::uint32_t>::max()) return;
    std::int64_t cod_massimo = punti[0].cod;
    cod_minimo_ = punti[0].cod;
    double lat_min = punti[0].lat, lat_max = punti[0].lat;
    bool a_bande = true;
    for (const Posto& p : punti) {
        if (!indicizzabile(p.lon, p.lat)) return;
        a_bande = a_bande && in_banda(p.lon, p.lat);
        lat_min = std::min(lat_min, p.lat);
        lat_max = std::max(lat_max, p.lat);
        cod_minimo_ = std::min(cod_minimo_, p.cod);
        cod_massimo = std::max(cod_massimo, p.cod);
    }
    indicizzabile_ = true;
    if (a_bande) fai_bande(lat_min, lat_max);

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

IndicePosti::~IndicePosti() = default;

void IndicePosti::fai_bande(double lat_min, double lat_max) {
    // Bands as high as a row of the grid file, or fewer bands than records on a wider grid.
    const auto& punti = posti_;
    const double altezza =
        std::max(kAltezzaBanda, (lat_max - lat_min) / static_cast<double>(punti.size()));
    const auto banda = [&](double lat) {
        return std::min(static_cast<std::size_t>((lat - lat_min) / altezza), punti.size());
    };
    // Records counted and laid out band by band, in file order within each (a counting sort).
    std::vector<std::uint32_t> inizio(banda(lat_max) + 2, 0);
    for (const Posto& p : punti) ++inizio[banda(p.lat) + 1];
    for (std::size_t b = 1; b < inizio.size(); ++b) inizio[b] += inizio[b - 1];
    ordine_.resize(punti.size());
    std::vector<std::uint32_t> prossimo(inizio.begin(), inizio.end() - 1);
    for (std::size_t i = 0; i < punti.size(); ++i)
        ordine_[prossimo[banda(punti[i].lat)]++] = static_cast<std::uint32_t>(i);
    for (std::size_t b = 0; b + 1 < inizio.size(); ++b) {
        if (inizio[b] == inizio[b + 1]) continue;
        Banda nuova{HUGE_VAL, -HUGE_VAL, inizio[b], inizio[b + 1]};
        for (std::uint32_t k = nuova.da; k < nuova.a; ++k) {
            nuova.lat_min = std::min(nuova.lat_min, punti[ordine_[k]].lat);
            nuova.lat_max = std::max(nuova.lat_max, punti[ordine_[k]].lat);
        }
        bande_.push_back(nuova);
    }
}

std::size_t IndicePosti::nearest_bande(double lon, double lat) const {
    // The bands on either side of the target, the nearer in latitude first. A band whose nearest
    // latitude is farther than the best distance so far plus the margin holds no nearer point:
    // the angle between two points is at least the difference of their latitudes.
    const auto primo = std::partition_point(bande_.begin(), bande_.end(),
                                            [&](const Banda& b) { return b.lat_max < lat; });
    std::ptrdiff_t giu = primo - bande_.begin() - 1;
    auto su = static_cast<std::size_t>(primo - bande_.begin());
    double best_d = std::numeric_limits<double>::infinity();
    std::size_t best = kNessuno;
    while (giu >= 0 || su < bande_.size()) {
        const double limite = (best_d + kMargine) * kGradiPerRadiante / kRaggioTerra;
        const double scarto_giu = giu >= 0 ? lat - bande_[static_cast<std::size_t>(giu)].lat_max
                                           : std::numeric_limits<double>::infinity();
        const double scarto_su = su < bande_.size() ? std::max(0.0, bande_[su].lat_min - lat)
                                                    : std::numeric_limits<double>::infinity();
        if (std::min(scarto_giu, scarto_su) > limite) break;
        const Banda& b =
            scarto_giu < scarto_su ? bande_[static_cast<std::size_t>(giu--)] : bande_[su++];
        for (std::uint32_t k = b.da; k < b.a; ++k) {
            const std::size_t i = ordine_[k];
            const double d = dist_geo(posti_[i].lon, posti_[i].lat, lon, lat);
            if (d < best_d || (d == best_d && i < best)) {
                best_d = d;
                best = i;
            }
        }
    }
    return best;
}

const IndicePosti::Albero& IndicePosti::albero() const {
    std::call_once(costruito_, [this] {
        std::vector<Versore> versori;
        versori.reserve(posti_.size());
        for (const Posto& p : posti_) versori.push_back(versore(p.lon, p.lat));
        albero_ = std::make_unique<Albero>(std::move(versori));
    });
    return *albero_;
}

std::size_t IndicePosti::scansione(double lon, double lat) const {
    std::size_t best = kNessuno;
    double best_d = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < posti_.size(); ++i) {
        const double d = dist_geo(posti_[i].lon, posti_[i].lat, lon, lat);
        if (d < best_d) {
            best = i;
            best_d = d;
        }
    }
    return best;
}

std::size_t IndicePosti::nearest(double lon, double lat) const {
    if (!indicizzabile_ || !indicizzabile(lon, lat)) return scansione(lon, lat);
    // Once the bands are done with, the count is only read: threads of a batch share it.
    if (!bande_.empty() && in_banda(lon, lat) &&
        ricerche_.load(std::memory_order_relaxed) < ricerche_a_bande_ &&
        ricerche_.fetch_add(1, std::memory_order_relaxed) < ricerche_a_bande_)
        return nearest_bande(lon, lat);
    return nearest_albero(lon, lat);
}

std::size_t IndicePosti::nearest_albero(double lon, double lat) const {
    const Albero& a = albero();
    const Versore q = versore(lon, lat);
    // A chord grows more slowly than its angle, so every point whose distance exceeds the
    // nearest one's by less than the margin lies within the nearest chord plus the margin.
    Candidati candidati(kMargine / kRaggioTerra);
    a.tree.findNeighbors(candidati, q.data(), nanoflann::SearchParams());

    if (candidati.traboccato()) {
        Ricontrollo tutti(posti_, lon, lat, candidati.worstDist());
        a.tree.findNeighbors(tutti, q.data(), nanoflann::SearchParams());
        return tutti.trovato() ? tutti.migliore() : scansione(lon, lat);
    }
    // The scan's choice among them: the smallest dist_geo, the earlier record on a tie.
    Ricontrollo scelta(posti_, lon, lat, 0);
    for (std::size_t k = 0; k < candidati.size(); ++k)
        if (candidati.entro(k)) scelta.addPoint(0, candidati.indice(k));
    if (!scelta.trovato()) return scansione(lon, lat);  // never expected
    return scelta.migliore();
}

std::size_t IndicePosti::by_code(std::int64_t cod) const {
    if (!indicizzabile_) {
        for (std::size_t i = 0; i < posti_.size(); ++i)
            if (posti_[i].cod == cod) return i;
        return kNessuno;
    }
    if (!per_codice_.empty()) {
        if (cod < cod_minimo_) return kNessuno;
        const auto k = static_cast<std::uint64_t>(cod) - static_cast<std::uint64_t>(cod_minimo_);
        if (k >= per_codice_.size()) return kNessuno;
        const std::uint32_t i = per_codice_[static_cast<std::size_t>(k)];
        return i == 0 ? kNessuno : i - 1;
    }
    const auto it = std::lower_bound(codici_.begin(), codici_.end(),
                                     std::pair<std::int64_t, std::uint32_t>{cod, 0});
    if (it == codici_.end() || it->first != cod) return kNessuno;
    return it->second;
}

}  // namespace tv::hazard
