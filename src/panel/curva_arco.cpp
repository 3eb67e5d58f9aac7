// SPDX-License-Identifier: GPL-3.0-or-later
// Sampled arch curve for the report: the same q_di_f the search uses, so that the plotted
// maximum is the search's own.
#include "panel/curva_arco.h"

#include <algorithm>

#include "text/error.h"

namespace tv::panel {

CurvaArco curva_arco(double E, double h, double a, double fd, int campioni) {
    if (campioni < 2)
        throw Failure("Valore non valido: i punti della curva dell'arco devono essere almeno 2");
    CurvaArco c;
    c.massimo = qmax(E, h, a, fd);
    c.l_arco = parabola(a, h);

    std::vector<double> frecce;
    frecce.reserve(static_cast<std::size_t>(campioni) + 2);
    for (int i = 0; i < campioni; ++i) frecce.push_back(h * i / campioni);
    frecce.push_back(c.massimo.fcrit);
    frecce.push_back(c.massimo.deltafreccia);
    std::sort(frecce.begin(), frecce.end());
    frecce.erase(std::unique(frecce.begin(), frecce.end()), frecce.end());

    c.punti.reserve(frecce.size());
    for (double f : frecce) {
        PuntoArco p{f, 0.0, 0.0};
        // The undeflected arch carries nothing; q_di_f gives the same up to rounding.
        if (f > 0.0) p.q = q_di_f(f, E, h, a, c.l_arco, p.sigma);
        c.punti.push_back(p);
    }
    return c;
}

}  // namespace tv::panel
