// SPDX-License-Identifier: GPL-3.0-or-later
// The wall's mechanisms as geometries of rigid blocks, and their linear kinematic checks.
#include "panel/meccanismi.h"

#include <algorithm>
#include <cmath>
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

// The floor peak acceleration at z, fraction of g: the floor formula for a rigid element.
double domanda_a_quota(const DatiVerificaMeccanismo& d, const AzioneStato& a, double z) {
    const double ags = a.ag * a.s;
    switch (d.formula) {
        case FormulaDomanda::circolare_c7_2_11:
            return accelerazione_c7(ags, z, d.H, d.T1, 0).Sa;
        case FormulaDomanda::circolare_c7_2_5:
            return spettro_piano_c7(hazard::angoli_spettro(a.ag, a.F0, a.Tcstar, a.s, d.suolo),
                                    ags, z, d.H, d.T1, d.edificio, 0)
                .Sa;
        case FormulaDomanda::ec8:
            break;
    }
    throw Failure(
        "Verifica non possibile: per i meccanismi locali la domanda è lo spettro di piano, "
        "C7.2.5 o C7.2.11");
}

EsitoCinematismo controlla(const Cinematismo& c, TipoMeccanismo tipo, int piano, double z,
                           double h1, const DatiVerificaMeccanismo& d, double FC) {
    EsitoCinematismo e;
    e.tipo = tipo;
    e.piano = piano;
    e.z = z;
    e.h1 = h1;
    e.lavoro = lavoro_virtuale(c);
    const LavoroVirtuale& lv = e.lavoro;
    e.M_star = lv.e_star * lv.somma_PQ / d.g;
    e.a0_star = lv.alpha0 * d.g / (lv.e_star * FC);
    e.domanda_SLD = domanda_a_quota(d, d.SLD, z);
    e.domanda_SLV = domanda_a_quota(d, d.SLV, z);
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
    const double mm = 0.001, primo = mm, ultimo = std::floor(h / mm - 1) * mm;
    double scelto = std::clamp(std::floor((a + b) / 2 / mm) * mm, primo, ultimo);
    for (const double x : {scelto + mm, scelto - mm, scelto + 2 * mm})
        if (x >= primo && x <= ultimo && alpha(x) < alpha(scelto)) scelto = x;
    return std::round(scelto / mm) * mm;
}

}  // namespace

std::vector<double> quote_piani(const Parete& p) {
    std::vector<double> quote;
    double z = 0;
    for (const PianoParete& s : p.piani) quote.push_back(z += s.h);
    return quote;
}

Cinematismo ribaltamento_semplice(const Parete& p, int k) {
    Cinematismo c;
    double base = 0;
    for (int i = 1; i < k; ++i) base += p.piani[static_cast<std::size_t>(i - 1)].h;
    c.blocchi.push_back({1, {0, base}});
    double z = base;
    for (std::size_t i = static_cast<std::size_t>(k - 1); i < p.piani.size(); ++i) {
        carichi_piano(p, i, z, 0, c);
        z += p.piani[i].h;
    }
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
    switch (tipo) {
        case TipoMeccanismo::ribaltamento: {
            double base = 0;
            for (int k = 1; k <= static_cast<int>(p.piani.size()); ++k) {
                sopra_H(p.z0 + base);
                out.meccanismi.push_back(controlla(ribaltamento_semplice(p, k), tipo, k,
                                                   p.z0 + base, 0, d, out.FC));
                base += p.piani[static_cast<std::size_t>(k - 1)].h;
            }
            break;
        }
        case TipoMeccanismo::flessione: {
            sopra_H(p.z0);
            const double h1 = h1_minimo(p);
            out.meccanismi.push_back(
                controlla(flessione_verticale(p, h1), tipo, 1, p.z0, h1, d, out.FC));
            break;
        }
    }
    // The governing mechanism first (the least zeta at SLV, the lower storey on a tie), the
    // others after it by storey.
    const auto g = std::min_element(out.meccanismi.begin(), out.meccanismi.end(),
                                    [](const EsitoCinematismo& a, const EsitoCinematismo& b) {
                                        return a.zeta_SLV < b.zeta_SLV;
                                    });
    std::rotate(out.meccanismi.begin(), g, g + 1);
    out.ok = out.governante().zeta_SLV >= 1;
    out.ok_SLD = std::all_of(out.meccanismi.begin(), out.meccanismi.end(),
                             [](const EsitoCinematismo& e) { return e.zeta_SLD >= 1; });
    return out;
}

}  // namespace tv::panel
