// SPDX-License-Identifier: GPL-3.0-or-later
// The wall's mechanisms as geometries of rigid blocks, and their linear kinematic checks.
#include "panel/meccanismi.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "hazard/spettro_elastico.h"
#include "text/error.h"
#include "text/number_text.h"

namespace tv::panel {

namespace {

std::string n_piano(const char* nome, std::size_t i) {
    return std::string(nome) + std::to_string(i + 1);
}

// The loads of storey i on block `blocco`: its own weight at mid-thickness and mid-height, then
// the floor load, the thrust and the tie at its top.
void carichi_piano(const Parete& p, std::size_t i, double base, int blocco, Cinematismo& c) {
    const PianoParete& s = p.piani[i];
    const double cima = base + s.h;
    c.carichi.push_back({n_piano("W", i), blocco, {-s.t / 2, base + s.h / 2},
                         p.gamma * s.t * s.h * p.B, 0, 0, 0});
    if (s.N != 0) c.carichi.push_back({n_piano("N", i), blocco, {-s.dN, cima}, s.N, 0, 0, 0});
    if (s.F != 0) c.carichi.push_back({n_piano("F", i), blocco, {0, cima}, 0, 0, s.F, 0});
    if (s.catena != 0)
        c.carichi.push_back({n_piano("T", i), blocco, {0, cima}, 0, 0, -s.catena, 0});
}

// The floor spectrum at z and period Ta, fraction of g: at Ta = 0 the peak acceleration of a
// rigid element; for Ta > 0 (a free element) not below the site's elastic Se(Ta), which the
// element at ground level sees.
double domanda_a_quota(const DatiVerificaMeccanismo& d, const AzioneStato& a, double z,
                       double Ta) {
    const double ags = a.ag * a.s;
    const auto sito = hazard::angoli_spettro(a.ag, a.F0, a.Tcstar, a.s, d.suolo);
    const double minimo = Ta > 0 ? hazard::accelerazione_spettrale(sito, Ta) : 0.0;
    switch (d.formula) {
        case FormulaDomanda::circolare_c7_2_11:
            return std::max(accelerazione_c7(ags, z, d.H, d.T1, Ta).Sa, minimo);
        case FormulaDomanda::circolare_c7_2_5:
            return std::max(spettro_piano_c7(sito, ags, z, d.H, d.T1, d.edificio, Ta).Sa, minimo);
        case FormulaDomanda::ec8:
            break;
    }
    throw Failure(
        "Verifica non possibile: per i meccanismi locali la domanda è lo spettro di piano, "
        "C7.2.5 o C7.2.11");
}

EsitoCinematismo controlla(const Cinematismo& c, TipoMeccanismo tipo, int piano, double z,
                           double h1, const DatiVerificaMeccanismo& d, double FC,
                           double T0 = 0) {
    EsitoCinematismo e;
    e.tipo = tipo;
    e.piano = piano;
    e.z = z;
    e.h1 = h1;
    e.lavoro = lavoro_virtuale(c);
    const LavoroVirtuale& lv = e.lavoro;
    e.M_star = lv.e_star * lv.somma_PQ / d.g;
    e.a0_star = lv.alpha0 * d.g / (lv.e_star * FC);
    e.T0 = T0;
    e.domanda_SLD = domanda_a_quota(d, d.SLD, z, T0);
    e.domanda_SLV = domanda_a_quota(d, d.SLV, z, T0);
    e.attivo_senza_sisma = !(lv.alpha0 > 0);
    const double a0 = e.attivo_senza_sisma ? 0.0 : e.a0_star;
    e.zeta_SLD = a0 / (e.domanda_SLD * d.g);
    e.zeta_SLV = d.q * a0 / (e.domanda_SLV * d.g);
    e.ag_cap_SLD = e.zeta_SLD * d.SLD.ag;
    e.ag_cap_SLV = e.zeta_SLV * d.SLV.ag;
    richiedi_finito(e.zeta_SLD, "zeta E (SLD)");
    richiedi_finito(e.zeta_SLV, "zeta E (SLV)");
    return e;
}

// h1 of least alpha0 on the millimetre grid: a scan brackets the least value, a golden-section
// search narrows it, and the nearer millimetres decide.
double h1_minimo(const Parete& p) {
    const double h = p.piani[0].h;
    const auto alpha = [&](double h1) { return lavoro_virtuale(flessione_verticale(p, h1)).alpha0; };
    constexpr int passi = 64;
    int migliore = 1;
    for (int i = 2; i < passi; ++i)
        if (alpha(h * i / passi) < alpha(h * migliore / passi)) migliore = i;
    double a = h * (migliore - 1) / passi, b = h * (migliore + 1) / passi;
    const double r = (std::sqrt(5.0) - 1) / 2;
    while (b - a > 1e-6) {
        const double c = b - r * (b - a), e = a + r * (b - a);
        if (alpha(c) < alpha(e)) b = e; else a = c;
    }
    // The last whole millimetre strictly inside the storey, with h/mm's rounding error allowed.
    const double mm = 0.001, primo = mm, ultimo = (std::ceil(h / mm - 1e-9) - 1) * mm;
    double scelto = std::clamp(std::floor((a + b) / 2 / mm) * mm, primo, ultimo);
    for (const double x : {scelto + mm, scelto - mm, scelto + 2 * mm})
        if (x >= primo && x <= ultimo && alpha(x) < alpha(scelto)) scelto = x;
    return std::round(scelto / mm) * mm;
}

}  // namespace

Cinematismo cinematismo_di(const Parete& p, TipoMeccanismo tipo, int k, double h1) {
    switch (tipo) {
        case TipoMeccanismo::ribaltamento: return ribaltamento_semplice(p, k);
        case TipoMeccanismo::ribaltamento_composto: return ribaltamento_composto(p, k);
        case TipoMeccanismo::flessione: return flessione_verticale(p, h1);
        case TipoMeccanismo::elemento_libero:
            return p.libero.appoggiato ? flessione_verticale(p, h1) : ribaltamento_semplice(p, 1);
    }
    return ribaltamento_semplice(p, k);
}

std::vector<double> quote_piani(const Parete& p) {
    std::vector<double> quote;
    double z = 0;
    for (const PianoParete& s : p.piani) quote.push_back(z += s.h);
    return quote;
}

AttritoAmmorsamento attrito_ammorsamento(const Ammorsamento& a, double h, double w) {
    AttritoAmmorsamento f;
    f.h = h;
    f.n = h / a.hb;
    f.phi = a.hb / a.lb;
    f.F_parete = 0.4 * f.n * (f.n + 1) * f.phi * a.mu * a.lb * a.lb * a.ts * w;
    f.F = a.pareti * f.F_parete;
    f.braccio = h / 3;
    f.L_i = f.F * f.braccio;
    return f;
}

namespace {

double base_piano(const Parete& p, int k) {
    double base = 0;
    for (int i = 1; i < k; ++i) base += p.piani[static_cast<std::size_t>(i - 1)].h;
    return base;
}

// Storeys k..n as one block turning by 1 about the outer edge of storey k's base.
Cinematismo blocco_ribaltante(const Parete& p, int k) {
    Cinematismo c;
    const double base = base_piano(p, k);
    c.blocchi.push_back({1, {0, base}});
    double z = base;
    for (std::size_t i = static_cast<std::size_t>(k - 1); i < p.piani.size(); ++i) {
        carichi_piano(p, i, z, 0, c);
        z += p.piani[i].h;
    }
    return c;
}

}  // namespace

Cinematismo ribaltamento_semplice(const Parete& p, int k) {
    Cinematismo c = blocco_ribaltante(p, k);
    // The friction opposes the outward motion of its point at h/3: internal work F h/3.
    if (p.ammorsamento.pareti > 0)
        c.lavoro_interno = attrito_ammorsamento(p.ammorsamento, quote_piani(p).back() -
                                                                    base_piano(p, k), p.gamma)
                               .L_i;
    return c;
}

std::vector<PezzoCuneo> pezzi_cuneo(const Parete& p, int k) {
    const double tan_beta = std::tan(p.cuneo.beta * std::numbers::pi / 180);
    const double base = base_piano(p, k);
    std::vector<PezzoCuneo> out;
    double z = 0;  // above the hinge
    for (std::size_t i = static_cast<std::size_t>(k - 1); i < p.piani.size(); ++i) {
        PezzoCuneo c;
        c.piano = static_cast<int>(i) + 1;
        c.base = z;
        c.cima = z += p.piani[i].h;
        const double a = c.base * tan_beta, b = c.cima * tan_beta, h = p.piani[i].h;
        c.largo_base = a;
        c.largo_cima = b;
        c.area = h * (a + b) / 2;
        c.W = p.cuneo.lati * p.gamma * p.cuneo.ts * c.area;
        // The trapezoid's centroid: from its base h (a + 2b) / 3 (a + b), from the wall's inner
        // face (a² + ab + b²) / 3 (a + b).
        c.baricentro = {-p.piani[i].t - (a * a + a * b + b * b) / (3 * (a + b)),
                        base + c.base + h * (a + 2 * b) / (3 * (a + b))};
        out.push_back(c);
    }
    return out;
}

Cinematismo ribaltamento_composto(const Parete& p, int k) {
    Cinematismo c = blocco_ribaltante(p, k);
    for (const PezzoCuneo& q : pezzi_cuneo(p, k))
        c.carichi.push_back({"C" + std::to_string(q.piano), 0, q.baricentro, q.W, 0, 0, 0});
    return c;
}

Cinematismo flessione_verticale(const Parete& p, double h1) {
    const PianoParete& s = p.piani[0];
    // The lower block turns by 1 about the base; the upper one by theta2 the other way about the
    // top, which rises so that both meet at the inner face at h1.
    const double theta2 = h1 / (s.h - h1);
    Cinematismo c;
    c.blocchi.push_back({1, {0, 0}});
    c.blocchi.push_back({-theta2, {0, s.h}, 0, s.t * (1 + theta2)});
    c.carichi.push_back({"W1 (inferiore)", 0, {-s.t / 2, h1 / 2}, p.gamma * s.t * h1 * p.B, 0, 0, 0});
    c.carichi.push_back({"W1 (superiore)", 1, {-s.t / 2, (h1 + s.h) / 2},
                         p.gamma * s.t * (s.h - h1) * p.B, 0, 0, 0});
    if (s.N != 0) c.carichi.push_back({"N1", 1, {-s.dN, s.h}, s.N, 0, 0, 0});
    if (s.F != 0) c.carichi.push_back({"F1", 1, {0, s.h}, 0, 0, s.F, 0});
    if (s.catena != 0) c.carichi.push_back({"T1", 1, {0, s.h}, 0, 0, -s.catena, 0});
    return c;
}

double kappa_elemento(const ElementoLibero& e) {
    return e.appoggiato ? 2.2 : 6.2;
}

double periodo_elemento(double kappa, double L, double t, double W, double E, double g) {
    return kappa * (L / t) * L * std::sqrt(W / (E * g));
}

double fattore_confidenza(LivelloConoscenza lc) {
    switch (lc) {
        case LivelloConoscenza::LC1: return 1.35;
        case LivelloConoscenza::LC2: return 1.20;
        case LivelloConoscenza::LC3: return 1.00;
    }
    return 1.35;
}

void controlla_parete(const Parete& p, TipoMeccanismo tipo) {
    if (p.piani.empty() || p.piani.size() > kPianiMassimi)
        throw Failure("Valore non valido: piani deve essere da 1 a " +
                      std::to_string(kPianiMassimi));
    if (tipo == TipoMeccanismo::flessione && p.piani.size() != 1)
        throw Failure("Verifica non possibile: la flessione verticale è di un solo piano "
                      "vincolato in sommità e alla base (piani = 1)");
    if (tipo == TipoMeccanismo::elemento_libero) {
        if (p.piani.size() != 1)
            throw Failure("Verifica non possibile: un elemento libero di vibrare è un solo "
                          "piano della parete (piani = 1)");
        const PianoParete& s = p.piani[0];
        if (s.N != 0 || s.F != 0 || s.catena != 0)
            throw Failure("Verifica non possibile: un elemento libero di vibrare porta solo il "
                          "suo peso [C8.7.1.7]: N1, F1 e catena1 devono essere 0");
        richiedi_positivo(p.libero.E, "Em (modulo elastico della muratura dell'elemento)");
    }
    richiedi_positivo(p.B, "B (lunghezza)");
    richiedi_non_negativo(p.gamma, "γ (peso specifico)");
    richiedi_non_negativo(p.z0, "z0 (quota della base della parete)");
    for (std::size_t i = 0; i < p.piani.size(); ++i) {
        const PianoParete& s = p.piani[i];
        richiedi_positivo(s.h, n_piano("h", i) + " (altezza del piano)");
        richiedi_positivo(s.t, n_piano("t", i) + " (spessore del piano)");
        richiedi_non_negativo(s.N, n_piano("N", i) + " (carico del solaio)");
        richiedi_non_negativo(s.F, n_piano("F", i) + " (spinta)");
        richiedi_non_negativo(s.catena, n_piano("catena", i) + " (tiro della catena)");
        richiedi_non_negativo(s.dN, n_piano("dN", i) + " (distanza del carico dal filo esterno)");
        if (s.dN > s.t)
            throw Failure("Valore non valido: " + n_piano("dN", i) +
                          " (distanza del carico dal filo esterno) deve stare nello spessore " +
                          n_piano("t", i));
    }
    const Ammorsamento& a = p.ammorsamento;
    if (a.pareti < 0 || a.pareti > 2)
        throw Failure("Valore non valido: ammorsamenti (pareti ortogonali ammorsate) deve essere "
                      "0, 1 o 2");
    if (a.pareti > 0) {
        switch (tipo) {
            case TipoMeccanismo::ribaltamento:
                break;
            case TipoMeccanismo::flessione:
            case TipoMeccanismo::ribaltamento_composto:
            case TipoMeccanismo::elemento_libero:
                throw Failure("Verifica non possibile: l'attrito dell'ammorsamento [C8.7.1.2] "
                              "vale per il ribaltamento semplice; per questa verifica "
                              "ammorsamenti deve essere 0");
        }
        richiedi_positivo(a.hb, "hb (altezza media degli elementi della muratura)");
        richiedi_positivo(a.lb, "lb (sovrapposizione tra gli elementi di due corsi)");
        richiedi_positivo(a.ts, "ts (spessore delle pareti ortogonali)");
        richiedi_positivo(a.mu, "mu (coefficiente d'attrito dell'ammorsamento)");
        if (a.hb > p.piani.back().h)
            throw Failure("Valore non valido: hb (altezza media degli elementi della muratura) "
                          "deve essere al più l'altezza " + n_piano("h", p.piani.size() - 1) +
                          " del piano più alto");
    }
    switch (tipo) {
        case TipoMeccanismo::ribaltamento:
        case TipoMeccanismo::flessione:
        case TipoMeccanismo::elemento_libero:
            break;
        case TipoMeccanismo::ribaltamento_composto:
            if (p.cuneo.lati != 1 && p.cuneo.lati != 2)
                throw Failure("Valore non valido: lati_cuneo (pareti ortogonali che danno il "
                              "cuneo) deve essere 1 o 2");
            if (!(p.cuneo.beta > 0 && p.cuneo.beta < 90))
                throw Failure("Valore non valido: beta (angolo della lesione del cuneo dalla "
                              "verticale, in gradi) deve essere maggiore di 0 e minore di 90");
            richiedi_positivo(p.cuneo.ts, "ts (spessore delle pareti ortogonali)");
            break;
    }
}

EsitoMeccanismi verifica_meccanismi(const Parete& p, TipoMeccanismo tipo,
                                    const DatiVerificaMeccanismo& d) {
    controlla_parete(p, tipo);
    richiedi_positivo(d.H, "H (altezza dell'edificio)");
    richiedi_positivo(d.g, "g (accelerazione di gravità)");
    richiedi_positivo(d.q, "q (fattore di comportamento)");
    EsitoMeccanismi out;
    out.FC = fattore_confidenza(d.lc);
    const auto sopra_H = [&](double z) {
        if (z > d.H)
            throw Failure("Valore non valido: la cerniera del meccanismo (z = " +
                          text::fixed(z, 2, text::dot_format()) +
                          " m) sta sopra H (altezza dell'edificio)");
    };
    // Overturning about every storey's base, each mechanism from `di(k, base)`.
    const auto per_piano = [&](const auto& di) {
        for (int k = 1; k <= static_cast<int>(p.piani.size()); ++k) {
            const double base = base_piano(p, k);
            sopra_H(p.z0 + base);
            out.meccanismi.push_back(di(k, base));
        }
    };
    const double cima = quote_piani(p).back();
    switch (tipo) {
        case TipoMeccanismo::ribaltamento:
            per_piano([&](int k, double base) {
                EsitoCinematismo e =
                    controlla(ribaltamento_semplice(p, k), tipo, k, p.z0 + base, 0, d, out.FC);
                if (p.ammorsamento.pareti > 0)
                    e.ammorsamento = attrito_ammorsamento(p.ammorsamento, cima - base, p.gamma);
                return e;
            });
            break;
        case TipoMeccanismo::ribaltamento_composto:
            per_piano([&](int k, double base) {
                EsitoCinematismo e =
                    controlla(ribaltamento_composto(p, k), tipo, k, p.z0 + base, 0, d, out.FC);
                e.cuneo = pezzi_cuneo(p, k);
                return e;
            });
            break;
        case TipoMeccanismo::flessione: {
            sopra_H(p.z0);
            const double h1 = h1_minimo(p);
            out.meccanismi.push_back(
                controlla(flessione_verticale(p, h1), tipo, 1, p.z0, h1, d, out.FC));
            break;
        }
        case TipoMeccanismo::elemento_libero: {
            // A cantilever overturns about its base; held at both ends it bends like a storey.
            sopra_H(p.z0);
            const PianoParete& s = p.piani[0];
            const double kappa = kappa_elemento(p.libero);
            const double T0 = periodo_elemento(kappa, s.h, s.t, p.gamma, p.libero.E, d.g);
            richiedi_finito(T0, "T0 (periodo dell'elemento)");
            const double h1 = p.libero.appoggiato ? h1_minimo(p) : 0.0;
            EsitoCinematismo e = controlla(cinematismo_di(p, tipo, 1, h1), tipo, 1, p.z0, h1, d, out.FC, T0);
            e.kappa = kappa;
            e.d_y = e.a0_star * T0 * T0 / (4 * std::numbers::pi * std::numbers::pi);
            out.meccanismi.push_back(std::move(e));
            break;
        }
    }
    if (d.non_lineare) {
        richiedi_non_negativo(d.d_rottura, "d_rottura (spostamento di rottura delle catene)");
        for (EsitoCinematismo& e : out.meccanismi)
            e.non_lineare = analisi_non_lineare(p, e, d, out.FC);
    }
    // The governing mechanism first (the least zeta at SLV, the lower storey on a tie), the
    // others after it by storey.
    const auto g = std::min_element(out.meccanismi.begin(), out.meccanismi.end(),
                                    [](const EsitoCinematismo& a, const EsitoCinematismo& b) {
                                        return a.zeta_verifica() < b.zeta_verifica();
                                    });
    std::rotate(out.meccanismi.begin(), g, g + 1);
    out.ok = out.governante().zeta_verifica() >= 1;
    out.ok_SLD = std::all_of(out.meccanismi.begin(), out.meccanismi.end(),
                             [](const EsitoCinematismo& e) { return e.zeta_SLD >= 1; });
    out.ok_SLC = d.non_lineare &&
                 std::all_of(out.meccanismi.begin(), out.meccanismi.end(),
                             [](const EsitoCinematismo& e) { return e.non_lineare->SLC.zeta >= 1; });
    return out;
}

}  // namespace tv::panel
