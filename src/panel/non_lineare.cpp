// SPDX-License-Identifier: GPL-3.0-or-later
// The capacity curve of a mechanism by finite rotations, its thresholds at SLV and SLC, their
// secant periods and the displacement demand on the ground's or the floor's spectrum.
#include "panel/non_lineare.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "hazard/spettro_elastico.h"
#include "panel/meccanismi.h"
#include "text/error.h"

namespace tv::panel {

namespace {

constexpr double kPi = std::numbers::pi;

// p turned by theta clockwise (the top outward) about `polo`.
Punto ruota(Punto p, Punto polo, double theta) {
    const double rx = p.x - polo.x, rz = p.z - polo.z, c = std::cos(theta), s = std::sin(theta);
    return {polo.x + rx * c + rz * s, polo.z - rx * s + rz * c};
}

// A tie pulls inward; a thrust pushes outward.
bool e_catena(const Carico& c) {
    return c.Fx < 0;
}

// Where the blocks stand with the first turned by theta. One block turns about its hinge. Of two
// (a bending storey) the upper one keeps its top hinge on the wall's outer plumb line and meets
// the lower one at the middle hinge C; its rotation is solved from C's new abscissa.
struct Configurazione {
    Cinematismo c;
    Punto C;  // the middle hinge of two blocks where it now stands
};

Configurazione configura(const Cinematismo& c0, const Parete& p, double h1, double theta) {
    Configurazione out{c0, {}};
    Cinematismo& c = out.c;
    const Punto O = c0.blocchi[0].polo;
    if (c0.blocchi.size() == 1) {
        for (Carico& q : c.carichi) q.punto = ruota(q.punto, O, theta);
        // The interlock's friction acts at h/3 above the hinge, on its plumb line.
        c.lavoro_interno = c0.lavoro_interno * std::cos(theta);
        return out;
    }
    const double t = p.piani[0].t, h2 = p.piani[0].h - h1;
    const Punto A0 = c0.blocchi[1].polo;
    const Punto C = ruota({-t, h1}, O, theta);
    // -t cos(phi) + h2 sin(phi) = C.x with phi the upper block's turn (counter-clockwise),
    // increasing in phi on [0, pi/2): bisection.
    double lo = 0, hi = kPi / 2;
    if (-t * std::cos(hi) + h2 * std::sin(hi) < C.x)
        throw Failure("Meccanismo non valido: la flessione non si chiude a questa rotazione");
    for (int i = 0; i < 80; ++i) {
        const double m = (lo + hi) / 2;
        (-t * std::cos(m) + h2 * std::sin(m) < C.x ? lo : hi) = m;
    }
    const double psi = -(lo + hi) / 2;
    const Punto rel = ruota({-t, h1 - A0.z}, {0, 0}, psi);
    const Punto A{0, C.z - rel.z};
    for (Carico& q : c.carichi) {
        if (q.blocco == 0) {
            q.punto = ruota(q.punto, O, theta);
        } else {
            const Punto r = ruota({q.punto.x - A0.x, q.punto.z - A0.z}, {0, 0}, psi);
            q.punto = {A.x + r.x, A.z + r.z};
        }
    }
    // The virtual motion at this configuration: the lower block by 1 about O, the upper by w
    // about A plus a rise u, both moving C alike.
    const double w = (C.z - O.z) / (C.z - A.z);
    c.blocchi[0] = {1, O};
    c.blocchi[1] = {w, A, 0, (C.x - O.x) * (w - 1)};
    out.C = C;
    return out;
}

Cinematismo filtra(Cinematismo c, bool durature, bool catene) {
    if (durature) c.lavoro_interno = 0;
    if (durature || !catene)
        std::erase_if(c.carichi, [](const Carico& q) { return e_catena(q); });
    return c;
}

// The greatest of f on [a, b]: samples, the corners given, then a golden search about the best.
template <typename F>
std::pair<double, double> massimo(F f, double a, double b, const std::vector<double>& angoli) {
    std::vector<double> T;
    constexpr int passi = 400;
    for (int i = 0; i <= passi; ++i) T.push_back(a + (b - a) * i / passi);
    for (double x : angoli)
        if (x > a && x < b) T.push_back(x);
    double migliore = a, valore = f(a);
    for (double x : T)
        if (const double v = f(x); v > valore) valore = v, migliore = x;
    double lo = std::max(a, migliore - (b - a) / passi), hi = std::min(b, migliore + (b - a) / passi);
    const double r = (std::sqrt(5.0) - 1) / 2;
    while (hi - lo > 1e-7) {
        const double c = hi - r * (hi - lo), e = lo + r * (hi - lo);
        if (f(c) > f(e)) hi = e; else lo = c;
    }
    const double x = (lo + hi) / 2;
    if (const double v = f(x); v > valore) valore = v, migliore = x;
    return {valore, migliore};
}

}  // namespace

double alpha_ruotato(const Parete& p, const EsitoCinematismo& e, double theta, bool durature,
                     bool catene) {
    const Cinematismo c0 = cinematismo_di(p, e.tipo, e.piano, e.h1);
    const Cinematismo c = filtra(configura(c0, p, e.h1, theta).c, durature, catene);
    return lavoro_virtuale(c).alpha0;
}

AnalisiNonLineare analisi_non_lineare(const Parete& p, const EsitoCinematismo& e,
                                      const DatiVerificaMeccanismo& d, double FC) {
    AnalisiNonLineare n;
    n.d_rottura = d.d_rottura;
    n.T0 = e.T0;
    n.a_terra = !(e.z > 0);
    if (!n.a_terra) {
        switch (d.formula) {
            case FormulaDomanda::circolare_c7_2_5:
                break;
            case FormulaDomanda::circolare_c7_2_11:
            case FormulaDomanda::ec8:
                throw Failure("Verifica non possibile: l'analisi non lineare di un meccanismo in "
                              "quota legge lo spettro di piano in spostamento dalla [C7.2.5] "
                              "[C8.7.1.12]: scegliere C7.2.5");
        }
    }
    const Cinematismo c0 = cinematismo_di(p, e.tipo, e.piano, e.h1);
    const bool due = c0.blocchi.size() == 2;
    // The control point and its virtual displacement over the initial motion.
    double massa = 0;
    for (const Carico& q : c0.carichi) {
        n.controllo.x += (q.P + q.Q) * q.punto.x;
        n.controllo.z += (q.P + q.Q) * q.punto.z;
        massa += q.P + q.Q;
    }
    n.controllo = due ? Punto{-p.piani[0].t, e.h1}
                      : Punto{n.controllo.x / massa, n.controllo.z / massa};
    const double dCx = spostamento(c0.blocchi[0], n.controllo).x;
    n.fattore_d = e.lavoro.somma_PQ_dx2 / (dCx * e.lavoro.lavoro_inerzie);
    const auto d_di = [&](double theta) {
        const Configurazione k = configura(c0, p, e.h1, theta);
        const Punto P = due ? k.C : ruota(n.controllo, c0.blocchi[0].polo, theta);
        return (P.x - n.controllo.x) * n.fattore_d;
    };
    const auto alpha = [&](double theta, bool durature, bool catene) {
        return lavoro_virtuale(filtra(configura(c0, p, e.h1, theta).c, durature, catene)).alpha0;
    };
    const double g = d.g;
    const double rigido = g / (e.lavoro.e_star * FC);

    // theta0: a scan up to where the curve of the lasting actions turns negative, then bisection.
    if (!(alpha(0, true, true) > 0) || e.attivo_senza_sisma) {
        n.senza_capacita = true;
        return n;
    }
    double lo = 0, hi = 0;
    constexpr int passi = 400;
    for (int i = 1; i < passi; ++i) {
        const double th = kPi / 2 * i / passi;
        double a = 0;
        try {
            a = alpha(th, true, true);
        } catch (const Failure&) {
            break;
        }
        if (!(a > 0)) {
            hi = th;
            break;
        }
        lo = th;
    }
    if (hi == 0)
        throw Failure("Verifica non possibile: la curva di capacità del meccanismo non si annulla");
    for (int i = 0; i < 100; ++i) {
        const double m = (lo + hi) / 2;
        (alpha(m, true, true) > 0 ? lo : hi) = m;
    }
    n.theta0 = (lo + hi) / 2;
    n.d0 = d_di(n.theta0);

    // The rotation of a displacement d in [0, d0] (d grows with theta), and a(d) with every
    // action: the ties until they break, a free element's elastic branch first.
    const auto theta_di = [&](double dd) {
        double a = 0, b = n.theta0;
        for (int i = 0; i < 100; ++i) {
            const double m = (a + b) / 2;
            (d_di(m) < dd ? a : b) = m;
        }
        return (a + b) / 2;
    };
    const auto a_di = [&](double dd) {
        const bool catene = !(n.d_rottura > 0) || dd < n.d_rottura;
        double a = alpha(theta_di(dd), false, catene) * rigido;
        if (n.T0 > 0) a = std::min(a, 4 * kPi * kPi * dd / (n.T0 * n.T0));
        return a;
    };
    constexpr int punti = 40;
    for (int i = 0; i <= punti; ++i) {
        const double dd = n.d0 * i / punti;
        n.curva.push_back({dd, a_di(dd)});
    }
    if (n.d_rottura > 0 && n.d_rottura < n.d0) {
        n.curva.push_back({n.d_rottura, a_di(n.d_rottura)});
        std::sort(n.curva.begin(), n.curva.end(),
                  [](const PuntoCapacita& x, const PuntoCapacita& y) { return x.d < y.d; });
    }

    const auto stato = [&](double soglia, double coefficiente, double xi, const AzioneStato& az) {
        StatoNonLineare s;
        s.d = soglia;
        s.a = a_di(soglia);
        s.xi = xi;
        richiedi_positivo(s.a, "a(d) (accelerazione spettrale sulla curva di capacità)");
        s.T = coefficiente * kPi * std::sqrt(s.d / s.a);
        const auto sito = hazard::angoli_spettro(az.ag, az.F0, az.Tcstar, az.s, d.suolo);
        const hazard::PeriodiSpostamento te = hazard::periodi_spostamento(d.suolo);
        const double Tk = d.edificio.Tk.value_or(d.T1);
        const auto spettro = [&](double T) {
            if (n.a_terra) return hazard::spostamento_spettrale(sito, d.suolo, T, xi, g);
            const SpettroPianoC7 r =
                spettro_piano_c7(sito, az.ag * az.s, e.z, d.H, d.T1, d.edificio, T, xi);
            const double Sa = r.al_Se ? r.Se_Ta : r.SeZ_ramo;
            return Sa * g * T * T / (4 * kPi * kPi);
        };
        // On a free element's elastic branch T_SLV falls below T0: the interval is the same.
        const auto [D, T] = massimo(spettro, std::min(n.T0, s.T), std::max(n.T0, s.T),
                                    {sito.TB, sito.TC, sito.TD, te.TE, te.TF, kAPianoC7 * Tk,
                                     kBPianoC7 * Tk, Tk});
        s.domanda = D;
        s.T_domanda = T;
        s.zeta = richiedi_finito(s.d / s.domanda, "zeta E (analisi non lineare)");
        s.ag_cap = s.zeta * az.ag;
        return s;
    };
    double d_SLV = 0.4 * n.d0;
    if (n.d_rottura > 0) d_SLV = std::min(d_SLV, n.d_rottura);
    n.SLV = stato(d_SLV, 1.68, 8, d.SLV);
    n.SLC = stato(0.6 * n.d0, 1.56, 10, d.SLC);
    if (n.SLV.ag_cap < e.ag_cap_SLD) {
        n.SLV.da_SLD = true;
        n.SLV.ag_cap = e.ag_cap_SLD;
        n.SLV.zeta = e.ag_cap_SLD / d.SLV.ag;
    }
    return n;
}

}  // namespace tv::panel
