// SPDX-License-Identifier: GPL-3.0-or-later
// WGS84 to ED50 through geocentric coordinates (a three-parameter shift), without any library.
#include "hazard/datum.h"

#include <cmath>
#include <numbers>

#include "text/encoding.h"

namespace tv::hazard {

namespace {
struct Ellissoide {
    double a;  // semi-major axis, m
    double f;  // flattening
    double e2() const { return f * (2 - f); }
};
constexpr Ellissoide kWgs84{6378137.0, 1 / 298.257223563};
constexpr Ellissoide kInternazionale1924{6378388.0, 1 / 297.0};
// EPSG:1133 gives ED50 -> WGS84 as (-87, -98, -121) m; the inverse adds them.
constexpr double kDx = 87, kDy = 98, kDz = 121;
constexpr double kRad = std::numbers::pi / 180;
}  // namespace

NomiDatum nomi_datum(Datum d) {
    switch (d) {
        case Datum::ed50:
            return {"ed50", "ED50"};
        case Datum::wgs84:
            return {"wgs84", "WGS84"};
    }
    return {};
}

std::optional<Datum> datum_di_testo(std::string_view testo) {
    const std::string t = text::to_upper(text::trim(testo));
    for (Datum d : {Datum::ed50, Datum::wgs84})
        if (t == nomi_datum(d).nome) return d;
    return std::nullopt;
}

Geografiche wgs84_a_ed50(Geografiche p) {
    // Geocentric on WGS84, height 0.
    const double phi = p.lat * kRad, lam = p.lon * kRad;
    const double N = kWgs84.a / std::sqrt(1 - kWgs84.e2() * std::sin(phi) * std::sin(phi));
    const double x = N * std::cos(phi) * std::cos(lam) + kDx;
    const double y = N * std::cos(phi) * std::sin(lam) + kDy;
    const double z = N * (1 - kWgs84.e2()) * std::sin(phi) + kDz;
    // Back to geographic on the International 1924 ellipsoid: the latitude by fixed-point
    // iteration with the height, which converges to well below 1e-9 degrees in a few steps.
    const Ellissoide& e = kInternazionale1924;
    const double q = std::hypot(x, y);
    double lat = std::atan2(z, q * (1 - e.e2()));
    for (int i = 0; i < 6; ++i) {
        const double n = e.a / std::sqrt(1 - e.e2() * std::sin(lat) * std::sin(lat));
        const double h = q / std::cos(lat) - n;
        lat = std::atan2(z, q * (1 - e.e2() * n / (n + h)));
    }
    return {lat / kRad, std::atan2(y, x) / kRad};
}

Geografiche in_ed50(Geografiche p, Datum d) {
    switch (d) {
        case Datum::ed50:
            return p;
        case Datum::wgs84:
            if (!(std::abs(p.lat) <= 90 && std::abs(p.lon) <= 180)) return p;
            return wgs84_a_ed50(p);
    }
    return p;
}

}  // namespace tv::hazard
