// SPDX-License-Identifier: GPL-3.0-or-later
// Arching resistance: arc length, pressure at one deflection, the search for the largest pressure
// (with the strength-limited design point) and the EC6 coefficients K1, K2.
#include "panel/resistenza.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "panel/controlli.h"

namespace tv::panel {

namespace {

// One trial point of the search: deflection F, pressure Q and arch stress S there.
struct Punto {
    double F = 0.0;
    double Q = 0.0;
    double S = 0.0;
};

// The bracket of the maximum search is narrowed until it is thinner than this (cm).
constexpr double kLarghezzaFinale = 0.01;

// Halvings enough for any finite rise (2^1100 > 1.8e308 / 0.01). The cap also ends the search
// for an absurdly thick arch, where doubles are too coarse for a bracket of 0.01 cm.
constexpr int kMaxDimezzamenti = 1100;

// The root search stops after this many evaluations.
constexpr int kMaxValutazioni = 101;

// Largest relative distance of the design stress from fd that the root search may leave; on
// sound data it stays below 1e-4.
constexpr double kScartoTensione = 1e-3;

}  // namespace

double parabola(double x0, double y0) {
    // u = k x0 with k = 2 y0 / x0^2. ln(u + sqrt(u^2 + 1)) / (2k) is written as asinh(u) x0 / (2u):
    // the same value, without the rounding of the logarithm near 1 for a shallow arc.
    const double u = 2.0 * y0 / x0;
    const double r = std::hypot(u, 1.0);
    const double asinh_su_u = (u == 0.0) ? 1.0 : std::asinh(u) / u;
    return asinh_su_u * x0 / 2.0 + r * x0 / 2.0;
}

double q_di_f(double fr, double E, double h, double a, double l_arco, double& sigma) {
    const double freccia_residua = h - fr;
    const double D = 4.5 * (a / freccia_residua) * (a / freccia_residua);
    const double arco = parabola(a, freccia_residua);
    sigma = (1.0 - arco / l_arco) * E;
    return sigma / D / 0.72;
}

Qmax qmax(double E, double h, double a, double sigma_d) {
    richiedi_positivo(E, "E (modulo elastico)");
    richiedi_positivo(h, "h (freccia iniziale dell'arco)");
    richiedi_positivo(a, "a (semiluce dell'arco)");
    richiedi_positivo(sigma_d, "fd (resistenza a compressione di progetto)");

    const double l_arco = parabola(a, h);
    const auto valuta = [&](double F) {
        Punto p{F, 0.0, 0.0};
        p.Q = q_di_f(F, E, h, a, l_arco, p.S);
        return p;
    };

    // First phase: bracket 1-2-3 over 0..h, point 2 the best so far and always the midpoint,
    // so each step halves the bracket. The ends are not evaluated (no pressure without rise).
    Punto p1{0.0, 0.0, 0.0};
    Punto p2 = valuta(h / 2.0);
    Punto p3{h, 0.0, 0.0};
    for (int i = 0; i < kMaxDimezzamenti; ++i) {
        const Punto p4 = valuta(std::midpoint(p1.F, p2.F));
        if (p4.Q > p2.Q) {
            p3 = p2;
            p2 = p4;
        } else {
            const Punto p5 = valuta(std::midpoint(p2.F, p3.F));
            if (p5.Q > p2.Q) {
                p1 = p2;
                p2 = p5;
            } else {
                p1 = p4;
                p3 = p5;
            }
        }
        if (p3.F - p1.F < kLarghezzaFinale) break;
    }
    Qmax r{p2.Q, p2.F, p2.S, p2.F, p2.Q};
    // Geometry at the edge of the doubles (a rise near 1e308) makes the stress undefined.
    richiedi_finito(r.sigmacrit, "tensione critica di instabilità");
    if (r.sigmacrit < sigma_d) return r;

    // Second phase: the stress reaches sigma_d before the maximum. Regula falsi with the Pegasus
    // scaling on g(f) = stress(f) - sigma_d over 0..fcrit; the undeflected arch has no stress.
    double fa = 0.0;
    double ga = -sigma_d;
    double fb = r.fcrit;
    double gb = r.sigmacrit - sigma_d;
    const double tolleranza = std::min(std::abs(ga), std::abs(gb)) / 1e6;
    double passo_relativo = 1000.0;
    enum class Lato { nessuno, sinistro, destro } ultimo = Lato::nessuno;
    double m = fb;
    double gm = gb;
    for (int n = 1;; ++n) {
        m = (fb - fa) * ga / (ga - gb) + fa;
        double sm = 0.0;
        r.qd = q_di_f(m, E, h, a, l_arco, sm);
        gm = sm - sigma_d;
        if (std::abs(gm) < tolleranza || passo_relativo < 0.001 || n >= kMaxValutazioni) break;
        if (gm * ga > 0.0) {
            if (ultimo == Lato::sinistro) gb = gb * ga / (gm + ga);
            passo_relativo = std::abs((m - fa) / (m + fa));
            fa = m;
            ga = gm;
            ultimo = Lato::sinistro;
        } else {
            if (ultimo == Lato::destro) ga = ga * gb / (gm + gb);
            passo_relativo = std::abs((m - fb) / (m + fb));
            fb = m;
            gb = gm;
            ultimo = Lato::destro;
        }
    }
    // When E is many orders of magnitude above fd the arch stress moves in steps larger than fd
    // (the shortening is lost in rounding): no deflection puts it on fd, and the pressure found
    // would be an artefact of rounding.
    if (!(std::abs(gm) <= kScartoTensione * sigma_d))
        throw Failure(
            "Risultato non valido: E (modulo elastico) troppo grande rispetto a fd (resistenza "
            "a compressione di progetto): l'inflessione di progetto non si può calcolare");
    r.deltafreccia = m;
    return r;
}

Freccia freccia(double DL, double DZ, double sigma, double E) {
    const Qmax q = qmax(E, DZ, DL, sigma);
    richiedi_finito(q.sigmacrit, "tensione critica di instabilità");
    richiedi_finito(q.qd, "pressione laterale di progetto");
    richiedi_finito(q.deltafreccia, "inflessione sotto carico laterale di progetto");
    if (!(q.sigmacrit > 0.0)) {
        throw Failure(
            "Risultato non valido: tensione critica di instabilità nulla "
            "(spessore troppo piccolo rispetto alla luce)");
    }

    const double t = DZ / 0.9;
    const double span = 2.0 * DL;
    const double snellezza = (t / span) * (t / span);

    Freccia f{};
    f.deltafreccia = q.deltafreccia;
    f.sigmacrit = q.sigmacrit;
    f.qd = q.qd;
    f.a = DL;
    f.h = DZ;
    f.l_arco = parabola(DL, DZ);
    f.qcrit = q.qcrit;
    f.fcrit = q.fcrit;
    f.instabilita = q.sigmacrit < sigma;
    double riferimento = 0.0;
    if (f.instabilita) {
        riferimento = snellezza * q.sigmacrit;
        f.K2 = q.sigmacrit / sigma;
    } else {
        riferimento = snellezza * sigma;
        f.K2 = 1.0;
    }
    f.K1 = richiedi_finito(q.qd / riferimento, "K1 (coefficiente di inflessione laterale)");
    richiedi_finito(f.K2, "K2 (coefficiente di instabilità)");
    f.coeff = richiedi_finito(f.K2 * f.K1, "coefficiente di resistenza laterale K1 x K2");
    return f;
}

}  // namespace tv::panel
