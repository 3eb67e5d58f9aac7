// SPDX-License-Identifier: GPL-3.0-or-later
// Elastic horizontal response spectrum of the site: Cc by subsoil category, corner periods and
// the four branches of Se(T), sampled for the report's plot.
#include "hazard/spettro_elastico.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "text/error.h"

namespace tv::hazard {

namespace {

// The plot's period range, s.
constexpr double kTMassimo = 4.0;

}  // namespace

double coefficiente_Cc(Suolo suolo, double Tcstar) {
    switch (suolo) {
        case Suolo::A: return 1.0;
        case Suolo::B: return 1.10 * std::pow(Tcstar, -0.20);
        case Suolo::C: return 1.05 * std::pow(Tcstar, -0.33);
        case Suolo::D: return 1.25 * std::pow(Tcstar, -0.50);
        case Suolo::E: return 1.15 * std::pow(Tcstar, -0.40);
    }
    return 1.0;
}

double fattore_eta(double xi) {
    return std::max(std::sqrt(10.0 / (5.0 + xi)), 0.55);
}

double accelerazione_spettrale(const SpettroElastico& s, double T, double xi) {
    // At 5 % eta is exactly 1: the products below are then the undamped ones, bit for bit.
    const double eta = fattore_eta(xi);
    const double plateau = s.plateau * eta;
    if (T < s.TB) return plateau * (T / s.TB + (1.0 - T / s.TB) / (eta * s.F0));
    if (T < s.TC) return plateau;
    if (T < s.TD) return plateau * s.TC / T;
    return plateau * s.TC * s.TD / (T * T);
}

PeriodiSpostamento periodi_spostamento(Suolo suolo) {
    switch (suolo) {
        case Suolo::A: return {4.5, 10.0};
        case Suolo::B: return {5.0, 10.0};
        case Suolo::C:
        case Suolo::D:
        case Suolo::E: return {6.0, 10.0};
    }
    return {4.5, 10.0};
}

double spostamento_spettrale(const SpettroElastico& s, Suolo suolo, double T, double xi,
                             double g) {
    const PeriodiSpostamento p = periodi_spostamento(suolo);
    const double dg = 0.025 * s.ag * g * s.S * s.TC * s.TD;
    if (T <= p.TE) {
        const double w = T / (2 * std::numbers::pi);
        return accelerazione_spettrale(s, T, xi) * g * w * w;
    }
    if (T > p.TF) return dg;
    const double f0_eta = s.F0 * fattore_eta(xi);
    return dg * (f0_eta + (1.0 - f0_eta) * (T - p.TE) / (p.TF - p.TE));
}

SpettroElastico angoli_spettro(double ag, double F0, double Tcstar, double S, Suolo suolo) {
    richiedi_positivo(ag, "ag (accelerazione orizzontale massima)");
    richiedi_positivo(F0, "F0 (amplificazione spettrale massima)");
    richiedi_positivo(Tcstar, "Tc* (periodo di inizio del tratto a velocità costante)");
    richiedi_positivo(S, "S (coefficiente di sottosuolo e topografia)");

    SpettroElastico s;
    s.ag = ag;
    s.S = S;
    s.F0 = F0;
    s.Tcstar = Tcstar;
    s.Cc = coefficiente_Cc(suolo, Tcstar);
    s.TC = s.Cc * Tcstar;
    s.TB = s.TC / 3.0;
    s.TD = 4.0 * ag + 1.6;
    s.plateau = ag * S * F0;
    return s;
}

SpettroElastico spettro_elastico(double ag, double F0, double Tcstar, double S,
                                 Suolo suolo, double passo) {
    SpettroElastico s = angoli_spettro(ag, F0, Tcstar, S, suolo);
    richiedi_positivo(passo, "passo dei periodi dello spettro");

    // Periods as i * passo, not a running sum, so that 4 s is reached without drift.
    std::vector<double> periodi;
    const auto n = static_cast<long>(std::floor(kTMassimo / passo + 1e-9));
    periodi.reserve(static_cast<std::size_t>(n) + 5);
    for (long i = 0; i <= n; ++i) periodi.push_back(static_cast<double>(i) * passo);
    if (periodi.back() < kTMassimo) periodi.push_back(kTMassimo);
    for (double angolo : {s.TB, s.TC, s.TD})
        if (angolo < kTMassimo) periodi.push_back(angolo);
    std::sort(periodi.begin(), periodi.end());
    periodi.erase(std::unique(periodi.begin(), periodi.end()), periodi.end());

    s.punti.reserve(periodi.size());
    for (double T : periodi) s.punti.push_back({T, accelerazione_spettrale(s, T)});
    return s;
}

}  // namespace tv::hazard
