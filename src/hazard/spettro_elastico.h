// SPDX-License-Identifier: GPL-3.0-or-later
// Elastic horizontal response spectrum of the site (NTC 2018 § 3.2.3.2.1): corner periods and the
// spectral acceleration Se(T, xi) as a fraction of g, 5 % damping (eta = 1) unless told.
#pragma once

#include <vector>

#include "hazard/spettro.h"

namespace tv::hazard {

struct PuntoSpettro {
    double T;   // period, s
    double Se;  // spectral acceleration, fraction of g
};

struct SpettroElastico {
    double ag = 0;  // a_g / g
    double S = 1;   // Ss x St
    double F0 = 0;
    double Tcstar = 0;                // Tc*, s
    double Cc = 1;                    // coefficient of the subsoil category
    double TB = 0, TC = 0, TD = 0;    // corner periods, s
    double plateau = 0;               // ag S F0, the value between TB and TC
    std::vector<PuntoSpettro> punti;  // T from 0 to 4 s, the corner periods among them
};

// Cc of the subsoil category: 1 (A), 1.10 Tc*^-0.20 (B), 1.05 Tc*^-0.33 (C), 1.25 Tc*^-0.50 (D),
// 1.15 Tc*^-0.40 (E).
double coefficiente_Cc(Suolo suolo, double Tcstar);

// The damping factor eta = sqrt(10 / (5 + xi)), never below 0.55; xi in per cent.
double fattore_eta(double xi);

// Se(T) on the four branches of the spectrum (T >= 0), with the damping ratio xi in per cent.
double accelerazione_spettrale(const SpettroElastico& s, double T, double xi = 5.0);

// TE and TF of the displacement spectrum by subsoil category (NTC 2018 Tab. 3.2.VII), s.
struct PeriodiSpostamento {
    double TE = 0, TF = 0;
};
PeriodiSpostamento periodi_spostamento(Suolo suolo);

// SDe(T) in m (NTC 2018 § 3.2.3.2.3): Se(T, xi) (T / 2 pi)^2 up to TE, then [3.2.11] towards the
// ground's peak displacement dg = 0.025 ag S TC TD (§ 3.2.3.3), which it keeps beyond TF; g in
// m/s2.
double spostamento_spettrale(const SpettroElastico& s, Suolo suolo, double T, double xi,
                             double g);

// The spectrum's constants and corner periods alone, without samples; the same checks as below.
SpettroElastico angoli_spettro(double ag, double F0, double Tcstar, double S, Suolo suolo);

// The spectrum of the site, sampled every `passo` seconds from 0 to 4 s with TB, TC and TD
// (those below 4 s) added, so that a polyline through the samples keeps the corners sharp.
// Throws tv::Failure unless ag, F0 and Tc* are finite and above 0, S is finite and above 0 and
// passo is finite and above 0.
SpettroElastico spettro_elastico(double ag, double F0, double Tcstar, double S,
                                 Suolo suolo, double passo = 0.01);

}  // namespace tv::hazard
