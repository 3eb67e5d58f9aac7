// SPDX-License-Identifier: GPL-3.0-or-later
// Design lateral resistance of a masonry strip that arches between two opposite supports:
// a parabolic arch of half span a and rise h inside the thickness, shortened as it deflects.
#pragma once

#include <variant>

#include "panel/mensola.h"

namespace tv::panel {

// Length of the parabola with its vertex at the origin through (x0, y0), vertex to point.
// A flat arc (y0 = 0) is as long as its chord.
double parabola(double x0, double y0);

// Lateral pressure carried by the arch deflected by fr at mid-span; the arch stress there goes
// to sigma. l_arco is the unloaded arch length parabola(a, h).
double q_di_f(double fr, double E, double h, double a, double l_arco, double& sigma);

struct Qmax {
    double qcrit;         // largest pressure the arch carries (daN/cm2)
    double fcrit;         // deflection at that pressure (cm)
    double sigmacrit;     // arch stress there: the critical stress of instability (daN/cm2)
    double deltafreccia;  // design deflection (cm)
    double qd;            // design pressure (daN/cm2)
};

// Searches the largest pressure over the deflections 0..h; when the arch stress reaches
// sigma_d before it, the design point is where the stress equals sigma_d.
// Throws tv::Failure unless E, h, a and sigma_d are finite and above 0, and when no deflection
// puts the stress on sigma_d (E so far above sigma_d that the shortening is lost in rounding).
Qmax qmax(double E, double h, double a, double sigma_d);

struct Freccia {
    double coeff;         // lateral resistance coefficient K1 x K2
    double K1;            // lateral deflection coefficient
    double K2;            // instability coefficient (1 when the strength governs)
    double deltafreccia;  // design deflection (cm)
    double sigmacrit;     // critical stress of instability (daN/cm2)
    double qd;            // design pressure (daN/cm2)
    bool instabilita;     // true when the arch becomes unstable before reaching fd
    double a;             // half span of the arch (cm)
    double h;             // its initial rise, 0.9 t (cm)
    double l_arco;        // its unloaded length, vertex to support (cm)
    double qcrit;         // largest pressure it carries (daN/cm2)
    double fcrit;         // deflection at that pressure (cm)
};

// EC6 results for half span DL, initial rise DZ (0.9 t), design strength sigma and modulus E.
// coeff x sigma x (t / span)^2 equals qd. Throws tv::Failure on refused inputs, on a result
// that is not finite, and when the arch carries no stress at all (a panel so slender that its
// shortening is lost in rounding).
Freccia freccia(double DL, double DZ, double sigma, double E);

// How the panel resists: an arch between two opposite supports, or a cantilever. Every output
// visits it with one case per alternative (Overloaded), so that none can forget one.
using Resistenza = std::variant<Freccia, Mensola>;

template <class... F>
struct Overloaded : F... {
    using F::operator()...;
};
// Clang 14 does not deduce an aggregate's template arguments by itself.
template <class... F>
Overloaded(F...) -> Overloaded<F...>;

}  // namespace tv::panel
