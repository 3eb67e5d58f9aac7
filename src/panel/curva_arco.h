// SPDX-License-Identifier: GPL-3.0-or-later
// The arch's lateral pressure q(f) and stress sigma(f) over the deflections 0 <= f < h, sampled
// for the report's plot, with the maximum and the design point of the search.
#pragma once

#include <vector>

#include "panel/resistenza.h"

namespace tv::panel {

struct PuntoArco {
    double f;      // deflection at mid-span, cm
    double q;      // lateral pressure carried, daN/cm2
    double sigma;  // arch stress, daN/cm2
};

struct CurvaArco {
    double l_arco = 0;  // unloaded arch length parabola(a, h), cm
    Qmax massimo{};     // the search's maximum (fcrit, qcrit) and design point (deltafreccia, qd)
    std::vector<PuntoArco>
        punti;  // increasing f, from 0 to below h, fcrit and deltafreccia among them
};

// campioni equal steps of h / campioni from f = 0 (q is undefined at f = h, which is left out),
// with fcrit and the design deflection added. Throws tv::Failure as qmax() does, and unless
// campioni is at least 2.
CurvaArco curva_arco(double E, double h, double a, double fd, int campioni = 200);

}  // namespace tv::panel
