// SPDX-License-Identifier: GPL-3.0-or-later
// Distances on the sphere and the linear scans over the in-memory grid, which behave exactly as
// a sequential reading of the grid file would.
#include "hazard/ricerca.h"

#include <cmath>
#include <limits>

namespace tv::hazard {
namespace {

constexpr double kGradiPerRadiante = 57.29577951;
constexpr double kRaggioTerra = 6371.0;  // km
constexpr double kPassoNordSud = 0.05;   // degrees of latitude

Vicino trova_verticale(const RicercaGriglia& search, const PuntoGriglia& from, double dlat) {
    const PuntoGriglia* found = search.nearest(from.lon, from.lat + dlat);
    if (!found) return {from, true};
    return {*found, found->cod == from.cod};
}

}  // namespace

double arccos(double x) {
    if (x >= 1) return 0;
    if (x <= -1) return 4 * std::atan(1.0);
    return std::atan(-x / std::sqrt(1 - x * x)) + 2 * std::atan(1.0);
}

double dist_geo(double LON_1, double LAT_1, double LON_2, double LAT_2) {
    const double a = LAT_1 / kGradiPerRadiante;
    const double b = LAT_2 / kGradiPerRadiante;
    const double d = std::fabs(LON_1 - LON_2) / kGradiPerRadiante;
    const double x = std::cos(a) * std::cos(b) * std::cos(d) + std::sin(a) * std::sin(b);
    return arccos(x) * kRaggioTerra;
}

const PuntoGriglia* RicercaLineare::nearest(double lon, double lat) const {
    const PuntoGriglia* best = nullptr;
    double best_d = std::numeric_limits<double>::infinity();
    for (const PuntoGriglia& p : grid_->points) {
        const double d = dist_geo(p.lon, p.lat, lon, lat);
        if (d < best_d) {
            best = &p;
            best_d = d;
        }
    }
    return best;
}

const PuntoGriglia* RicercaLineare::by_code(std::int64_t cod) const {
    for (const PuntoGriglia& p : grid_->points)
        if (p.cod == cod) return &p;
    return nullptr;
}

Vicino trova_NORD(const RicercaGriglia& search, const PuntoGriglia& S) {
    return trova_verticale(search, S, kPassoNordSud);
}

Vicino trova_SUD(const RicercaGriglia& search, const PuntoGriglia& N) {
    return trova_verticale(search, N, -kPassoNordSud);
}

std::optional<PuntoGriglia> trova_EST(const RicercaGriglia& search, std::int64_t cod) {
    if (const PuntoGriglia* p = search.by_code(cod + 1)) return *p;
    return std::nullopt;
}

std::optional<PuntoGriglia> trova_WEST(const RicercaGriglia& search, std::int64_t cod) {
    if (const PuntoGriglia* p = search.by_code(cod - 1)) return *p;
    return std::nullopt;
}

}  // namespace tv::hazard
