// SPDX-License-Identifier: GPL-3.0-or-later
// The principle of virtual work over rigid blocks: alpha0 and e* with every term kept.
#include "panel/cinematismo.h"

#include <algorithm>
#include <cmath>

#include "text/error.h"

namespace tv::panel {

LavoroVirtuale lavoro_virtuale(const Cinematismo& c) {
    LavoroVirtuale lv;
    lv.lavoro_interno = c.lavoro_interno;
    lv.termini.reserve(c.carichi.size());
    for (const Carico& q : c.carichi) {
        if (q.blocco < 0 || static_cast<std::size_t>(q.blocco) >= c.blocchi.size())
            throw Failure("Meccanismo non valido: il carico " + q.nome + " non sta su un blocco");
        const Punto d = spostamento(c.blocchi[static_cast<std::size_t>(q.blocco)], q.punto);
        TermineLavoro t;
        t.nome = q.nome;
        t.P = q.P;
        t.Q = q.Q;
        t.dy = d.z;
        t.dx = d.x;
        t.F = std::hypot(q.Fx, q.Fz);
        // Along the force: its work over the motion divided by its magnitude.
        t.dF = t.F > 0 ? (q.Fx * d.x + q.Fz * d.z) / t.F : 0;
        lv.lavoro_pesi += t.P * t.dy;
        lv.lavoro_forze += t.F * t.dF;
        lv.lavoro_inerzie += (t.P + t.Q) * t.dx;
        lv.somma_PQ_dx2 += (t.P + t.Q) * t.dx * t.dx;
        lv.termini.push_back(std::move(t));
    }
    // A load whose point does not move outward (the floor above a bending storey) hands its
    // inertia to its restraint: it takes no part in the mechanism's mass, nor in e*'s Σ(P + Q).
    double dx_max = 0;
    for (const TermineLavoro& t : lv.termini) dx_max = std::max(dx_max, std::abs(t.dx));
    for (const TermineLavoro& t : lv.termini)
        if (std::abs(t.dx) > 1e-9 * dx_max) lv.somma_PQ += t.P + t.Q;
    if (!(lv.lavoro_inerzie > 0) || !(lv.somma_PQ_dx2 > 0))
        throw Failure("Meccanismo non valido: le forze orizzontali non compiono lavoro");
    lv.alpha0 = (lv.lavoro_pesi - lv.lavoro_forze + lv.lavoro_interno) / lv.lavoro_inerzie;
    lv.e_star = lv.lavoro_inerzie * lv.lavoro_inerzie / (lv.somma_PQ * lv.somma_PQ_dx2);
    return lv;
}

}  // namespace tv::panel
