// SPDX-License-Identifier: GPL-3.0-or-later
// Nonlinear kinematic check of a local mechanism (Circolare 2019 C8.7.1.2.1.6 and .8): the capacity
// curve by finite rotations of the blocks, its SLV and SLC points and the displacement demand.
#pragma once

#include <vector>

#include "panel/cinematismo.h"

namespace tv::panel {

struct Parete;
struct EsitoCinematismo;
struct DatiVerificaMeccanismo;

struct PuntoCapacita {
    double d = 0;  // spectral displacement, m
    double a = 0;  // spectral acceleration, m/s2
};

// One ultimate limit state on the curve: its displacement threshold, the secant period
// [C8.7.1.10] or [C8.7.1.11] and the largest spectral displacement between T0 and that period.
struct StatoNonLineare {
    double d = 0;          // d_SLV or d_SLC, m
    double a = 0;          // a(d) on the curve, m/s2
    double T = 0;          // T_SLV = 1.68 pi sqrt(d / a(d)), T_SLC = 1.56 pi sqrt(d / a(d)), s
    double xi = 0;         // the mechanism's damping, per cent: 8 at SLV, 10 at SLC
    double domanda = 0;    // the displacement demand, m
    double T_domanda = 0;  // the period of the greatest spectral displacement, s
    double zeta = 0;       // d / domanda, or ag,SLD / ag where ag,SLD governs
    double ag_cap = 0;     // zeta ag of the limit state, fraction of g
    bool da_SLD = false;   // ag,cap below the SLD one: the SLD one taken [C8.7.1.2.1.8]
};

struct AnalisiNonLineare {
    // The control point (the masses' centroid, the middle hinge of a bending storey) and the
    // ratio d / d_C = sum (P + Q) dx^2 / (dCx sum (P + Q) dx) [C8.7.1.4].
    Punto controllo;
    double fattore_d = 0;
    double theta0 = 0;            // rotation of the first block where alpha vanishes, rad
    double d0 = 0;                // where the curve of the lasting actions vanishes, m
    double d_rottura = 0;         // where the ties break, as typed; 0: they hold
    double T0 = 0;                // the elastic branch's period of a free element, 0 otherwise
    std::vector<PuntoCapacita> curva;  // a(d) from 0 to d0, every action
    bool a_terra = false;         // demand on the ground's spectrum; otherwise on the floor's
    bool senza_capacita = false;  // the lasting actions alone turn the blocks: d0 = 0
    StatoNonLineare SLV, SLC;
};

// alpha of the mechanism with its first block turned by theta (rad), the loads carried with the
// blocks and the work taken over the motion at that configuration; `durature`: only the actions
// that last to collapse (the weights, floor loads and thrusts; no ties, no interlock friction).
double alpha_ruotato(const Parete& p, const EsitoCinematismo& e, double theta, bool durature,
                     bool catene = true);

// The nonlinear check of a mechanism already checked linearly (its alpha0, e*, z, T0 and SLD
// capacity). Throws tv::Failure when the demand at height is not on the floor spectrum [C7.2.5],
// or when the curve does not vanish.
AnalisiNonLineare analisi_non_lineare(const Parete& p, const EsitoCinematismo& e,
                                      const DatiVerificaMeccanismo& d, double FC);

}  // namespace tv::panel
