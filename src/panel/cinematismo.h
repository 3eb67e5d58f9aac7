// SPDX-License-Identifier: GPL-3.0-or-later
// Rigid blocks in a vertical plane given compatible virtual motions, and the principle of virtual
// work on them: the activation multiplier alpha0 [C8.7.1.1] and the participating mass [C8.7.1.5].
#pragma once

#include <string>
#include <vector>

namespace tv::panel {

// A point of the wall's section: x outward from the outer face (so the wall lies at x <= 0),
// z upward from the wall's base. Any one length unit.
struct Punto {
    double x = 0;
    double z = 0;
};

// A block's virtual rigid motion: a rotation theta about `polo`, clockwise in the x-z plane (the
// top moves outward for theta > 0), plus a translation (ux, uz).
struct MotoBlocco {
    double theta = 0;
    Punto polo;
    double ux = 0;
    double uz = 0;
};

// Virtual displacement of a point that moves with the block.
constexpr Punto spostamento(const MotoBlocco& m, Punto p) {
    return {m.ux + m.theta * (p.z - m.polo.z), m.uz - m.theta * (p.x - m.polo.x)};
}

// A load on a block at a point: P a weight (down) whose mass also pushes horizontally, Q a mass
// whose weight bears elsewhere, (Fx, Fz) a given external force (a thrust, a tie).
struct Carico {
    std::string nome;  // for the report: "W2 (peso del piano 2)", "N1", "F3"
    int blocco = 0;
    Punto punto;
    double P = 0;
    double Q = 0;
    double Fx = 0;
    double Fz = 0;
};

// A mechanism as a geometry: how its blocks move, what loads them and the work of the internal
// forces (interlocks, friction) over the same motion.
struct Cinematismo {
    std::vector<MotoBlocco> blocchi;
    std::vector<Carico> carichi;
    double lavoro_interno = 0;  // L_i
};

// One load's terms of the virtual-work equation.
struct TermineLavoro {
    std::string nome;
    double P = 0, Q = 0;
    double F = 0;   // magnitude of the external force
    double dy = 0;  // upward virtual displacement of the point (work against P)
    double dx = 0;  // outward virtual displacement (work of the horizontal load)
    double dF = 0;  // virtual displacement along the external force
};

struct LavoroVirtuale {
    std::vector<TermineLavoro> termini;
    double lavoro_pesi = 0;      // sum of P dy
    double lavoro_forze = 0;     // sum of F dF
    double lavoro_interno = 0;   // L_i
    double lavoro_inerzie = 0;   // sum of (P + Q) dx
    double somma_PQ = 0;         // sum of (P + Q) of the loads that move outward
    double somma_PQ_dx2 = 0;     // sum of (P + Q) dx^2
    double alpha0 = 0;           // [C8.7.1.1]
    double e_star = 0;           // [C8.7.1.5]
};

// alpha0 = (sum P dy - sum F dF + L_i) / sum (P + Q) dx [C8.7.1.1];
// e* = [sum (P + Q) dx]^2 / (sum (P + Q) x sum (P + Q) dx^2) [C8.7.1.5].
// Throws tv::Failure when the horizontal loads do no work over the motion (no mechanism) or a
// load names a block the mechanism does not have.
LavoroVirtuale lavoro_virtuale(const Cinematismo& c);

}  // namespace tv::panel
