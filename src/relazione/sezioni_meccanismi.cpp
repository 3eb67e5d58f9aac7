// SPDX-License-Identifier: GPL-3.0-or-later
// The report's sections of a local-mechanism check: the wall, its side walls and the model's
// hypotheses, the hazard at SLD and SLV, every mechanism's virtual work term by term, the verdict.
#include "relazione/sezioni_meccanismi.h"

#include <algorithm>
#include <string>
#include <utility>

#include "relazione/redazione.h"

namespace tv::relazione {

namespace {

using namespace redazione;
using form::kBlack;

std::string formula_breve(panel::FormulaDomanda f) {
    switch (f) {
        case panel::FormulaDomanda::ec8: return "EC8 4.3.5.2";
        case panel::FormulaDomanda::circolare_c7_2_11: return "Circolare 2019 [C7.2.11]";
        case panel::FormulaDomanda::circolare_c7_2_5: return "Circolare 2019 [C7.2.5]-[C7.2.10]";
    }
    return "";
}

std::string livello(panel::LivelloConoscenza lc) {
    switch (lc) {
        case panel::LivelloConoscenza::LC1: return "LC1";
        case panel::LivelloConoscenza::LC2: return "LC2";
        case panel::LivelloConoscenza::LC3: return "LC3";
    }
    return "";
}

Sezione sezione_parete(const form::RisultatoMeccanismo& r) {
    const panel::Parete& p = r.ingressi.parete;
    Sezione s{"Parete e ipotesi del modello", {}};
    s.blocchi.push_back(Paragrafo{
        std::string("Meccanismi locali della parete per analisi cinematica ") +
        (r.ingressi.verifica.non_lineare ? "lineare e non lineare" : "lineare") + " (NTC 2018 § 8.7.1; "
        "Circolare 21/01/2019 n. 7, § C8.7.1.1 e § C8.7.1.2.1). Ipotesi: la parete è fatta di "
        "blocchi rigidi; la muratura non resiste a trazione; i blocchi non scorrono l'uno "
        "sull'altro; la resistenza a compressione è infinita; il filo esterno è a piombo e le "
        "cerniere stanno sui fili della muratura. Carichi, spinte e catene sono i totali sulla "
        "lunghezza B della parete."});
    Tabella t{{"Piano", "h [m]", "t [m]", "W [kN]", "N [kN]", "dN [m]", "F [kN]", "Catena [kN]"},
              std::vector<Allineamento>(8, Allineamento::destra),
              std::vector<double>(8, 1.0 / 8),
              {}};
    for (std::size_t i = 0; i < p.piani.size(); ++i) {
        const panel::PianoParete& q = p.piani[i];
        t.righe.push_back({std::to_string(i + 1), fx(q.h, 2), fx(q.t, 2),
                           fx(p.gamma * q.t * q.h * p.B, 2), fx(q.N, 2), fx(q.dN, 2), fx(q.F, 2),
                           fx(q.catena, 2)});
    }
    s.blocchi.push_back(std::move(t));
    const auto& v = r.ingressi.verifica;
    s.blocchi.push_back(Paragrafo{
        "γ = " + n(p.gamma, 2) + " kN/m³, B = " + n(p.B, 2) + " m, base della parete a z0 = " +
        n(p.z0, 2) + " m dalla fondazione; W = γ·t·h·B, al centro dello spessore e dell'altezza "
        "del piano. Livello di conoscenza " + livello(v.lc) + ", FC = " + fx(r.esito.FC, 2) +
        " (Circolare 2019 § C8.5.4)."});
    const panel::Ammorsamento& a = p.ammorsamento;
    switch (r.ingressi.tipo) {
        case panel::TipoMeccanismo::ribaltamento:
            if (a.pareti == 0) break;  // free at its sides
            s.blocchi.push_back(Paragrafo{
                    "Ammorsamento con " + std::to_string(a.pareti) +
                          (a.pareti == 1 ? " parete ortogonale" : " pareti ortogonali") +
                          " (Circolare 2019 § C8.7.1.2.1.1, [C8.7.1.2]): altezza media degli "
                          "elementi hb = " + fx(a.hb, 3) + " m, sovrapposizione tra due corsi "
                          "lb = " + fx(a.lb, 3) + " m, spessore ts = " + fx(a.ts, 3) +
                          " m, μ = " + n(a.mu, 3) + ", w = γ della parete. La lesione a pettine "
                          "corre lungo tutta l'altezza h della parte che ribalta; l'attrito, "
                          "orizzontale e opposto al moto, sta a h/3 sopra la cerniera."});
            break;
        case panel::TipoMeccanismo::flessione:
            break;
        case panel::TipoMeccanismo::elemento_libero:
            s.blocchi.push_back(Paragrafo{
                "Elemento libero di vibrare (Circolare 2019 § C8.7.1.2.1.5): il piano della "
                "parete " + std::string(p.libero.appoggiato
                                            ? "trattenuto alla base e in sommità (κ = 2,2), che "
                                              "si flette come il piano di una parete"
                                            : "a mensola dalla base (κ = 6,2), che si ribalta "
                                              "attorno allo spigolo esterno della base") +
                "; modulo elastico E = " + n(p.libero.E / 1000, 1) + " MPa. Prima "
                "dell'attivazione risponde come un oscillatore elastico di periodo T0 "
                "[C8.7.1.7]; porta solo il suo peso."});
            break;
        case panel::TipoMeccanismo::ribaltamento_composto:
            s.blocchi.push_back(Paragrafo{
                "Cuneo di " + std::to_string(p.cuneo.lati) +
                (p.cuneo.lati == 1 ? " parete ortogonale" : " pareti ortogonali") +
                " di spessore ts = " + fx(p.cuneo.ts, 3) + " m e peso specifico γ: la lesione "
                "diagonale parte dalla cerniera sul filo interno della parete e sale fino alla "
                "sommità con l'angolo β = " + n(p.cuneo.beta, 2) + "° dalla verticale, scelto "
                "dal quadro fessurativo (non minimizzato). Il cuneo ruota con la parete attorno "
                "alla stessa cerniera; nessun attrito lungo la lesione."});
            break;
    }
    return s;
}

Sezione sezione_azioni(const form::RisultatoMeccanismo& r) {
    Sezione s{r.SLC ? "Pericolosità agli stati limite SLD, SLV e SLC"
                    : "Pericolosità agli stati limite SLD e SLV",
              {}};
    Tabella t{{"Stato limite", "PVR [%]", "TR [anni]", "ag/g", "F0", "Tc* [s]", "S"},
              std::vector<Allineamento>(7, Allineamento::destra),
              std::vector<double>(7, 1.0 / 7),
              {}};
    for (const auto& [nome, p] : {std::pair{"SLD", &r.SLD}, std::pair{"SLV", &r.SLV}})
        t.righe.push_back({nome, n(p->PVR, 0), n(p->sito.TR, 0), fx(p->sito.ag, 4),
                           fx(p->sito.F0, 3), fx(p->sito.Tc, 3), fx(p->spettro.s, 3)});
    if (const auto& p = r.SLC)
        t.righe.push_back({"SLC", n(p->PVR, 0), n(p->sito.TR, 0), fx(p->sito.ag, 4),
                           fx(p->sito.F0, 3), fx(p->sito.Tc, 3), fx(p->spettro.s, 3)});
    s.blocchi.push_back(std::move(t));
    const auto& v = r.ingressi.verifica;
    std::string domanda, coda = ".";
    switch (r.ingressi.tipo) {
        case panel::TipoMeccanismo::ribaltamento:
        case panel::TipoMeccanismo::flessione:
        case panel::TipoMeccanismo::ribaltamento_composto:
            domanda = "l'accelerazione massima di piano alla quota z della cerniera di base del "
                      "meccanismo (Circolare 2019 § C8.7.1.2.1.4 e § C8.7.1.2.1.5), con " +
                      formula_breve(v.formula) + " per un elemento rigido (Ta = 0)";
            break;
        case panel::TipoMeccanismo::elemento_libero:
            domanda = "lo spettro di piano alla quota z della base dell'elemento al suo periodo "
                      "T0 (Circolare 2019 § C8.7.1.2.1.4 e § C8.7.1.2.1.5, [C8.7.1.9]), con " +
                      formula_breve(v.formula);
            coda = ", e non meno di Se(T0).";
            break;
    }
    s.blocchi.push_back(Paragrafo{
        "VR = " + n(r.SLV.sito.VR, 2) + " anni; PVR di ciascuno stato limite dalla NTC 2018 "
        "Tab. 3.2.I (il campo PVR del lavoro non è usato da questa verifica). La domanda è " +
        domanda + ", H = " + n(v.H, 2) + " m, T1 = " + n(v.T1, 3) + " s; a z = 0 vale ag·S" +
        coda});
    return s;
}

// The storeys that turn about the hinge, and where the hinge is.
std::string blocchi_ruotanti(const panel::EsitoCinematismo& m, std::size_t piani) {
    return (m.piano == static_cast<int>(piani)
                ? "del piano " + std::to_string(m.piano)
                : "dei piani " + std::to_string(m.piano) + "-" + std::to_string(piani)) +
           " (cerniera a z = " + n(m.z, 2) + " m)";
}

std::string titolo_meccanismo(const panel::EsitoCinematismo& m, std::size_t piani,
                              bool governa) {
    std::string t;
    switch (m.tipo) {
        case panel::TipoMeccanismo::ribaltamento:
            t = "Ribaltamento semplice " +
                blocchi_ruotanti(m, piani);
            break;
        case panel::TipoMeccanismo::flessione:
            t = "Flessione verticale del piano " + std::to_string(m.piano) +
                " (cerniera intermedia a h1 = " + fx(m.h1, 3) + " m)";
            break;
        case panel::TipoMeccanismo::elemento_libero:
            t = "Elemento libero di vibrare " +
                std::string(m.h1 > 0 ? "trattenuto in sommità (cerniera intermedia a h1 = " +
                                           fx(m.h1, 3) + " m)"
                                     : "a mensola (cerniera a z = " + n(m.z, 2) + " m)");
            break;
        case panel::TipoMeccanismo::ribaltamento_composto:
            t = "Ribaltamento composto con il cuneo " +
                blocchi_ruotanti(m, piani);
            break;
    }
    return governa ? t + ", meccanismo che governa" : t;
}

// The outline of x in [-t, 0], z in [da, a].
Serie rettangolo(std::string nome, double t, double da, double a, Rgb colore, bool tratteggiata) {
    return Serie{std::move(nome), {{0, da}, {-t, da}, {-t, a}, {0, a}, {0, da}}, colore, false,
                 tratteggiata};
}

// The wall seen in section, the outer face at x = 0 on the right: its storeys, the blocks of
// the mechanism in red, its hinges and the loads at their points. Thickness is drawn wider
// than height so that the loads' positions can be read.
Grafico schema_meccanismo(const panel::Parete& p, const panel::EsitoCinematismo& m) {
    Grafico g;
    g.titolo = "Schema della parete: blocchi del meccanismo e cerniere";
    const std::vector<double> quote = panel::quote_piani(p);
    double t_max = 0;
    for (std::size_t i = 0; i < p.piani.size(); ++i) {
        t_max = std::max(t_max, p.piani[i].t);
        const double base = i == 0 ? 0.0 : quote[i - 1];
        g.serie.push_back(
            rettangolo(i == 0 ? "Parete" : "", p.piani[i].t, p.z0 + base, p.z0 + quote[i], kBlack, true));
    }
    const auto cerniera = [&](double x, double z) {
        g.marcatori.push_back(Marcatore{{x, z}, "cerniera", kRosso});
    };
    const auto blocco = [&] {
        const std::size_t k = static_cast<std::size_t>(m.piano - 1);
        for (std::size_t i = k; i < p.piani.size(); ++i) {
            const double base = i == 0 ? 0.0 : quote[i - 1];
            g.serie.push_back(rettangolo(i == k ? "Blocco" : "", p.piani[i].t, p.z0 + base,
                                         p.z0 + quote[i], kRosso, false));
        }
        cerniera(0, m.z);
    };
    // Two blocks of the first storey bending about a hinge at h1, held at both ends.
    const auto due_blocchi = [&] {
        const double t = p.piani[0].t;
        g.serie.push_back(rettangolo("Blocchi", t, p.z0, p.z0 + m.h1, kRosso, false));
        g.serie.push_back(rettangolo("", t, p.z0 + m.h1, p.z0 + quote[0], kRosso, false));
        cerniera(0, p.z0);
        cerniera(-t, p.z0 + m.h1);
        cerniera(0, p.z0 + quote[0]);
    };
    double x_min = -2 * t_max;
    switch (m.tipo) {
        case panel::TipoMeccanismo::ribaltamento:
            blocco();
            if (m.ammorsamento) {
                // On the inner face of the storey at a third of the overturning part.
                const double z = m.z + m.ammorsamento->braccio;
                std::size_t i = 0;
                while (i + 1 < p.piani.size() && p.z0 + quote[i] < z) ++i;
                g.marcatori.push_back(Marcatore{{-p.piani[i].t, z}, "← attrito ammorsamento", kBlu});
            }
            break;
        case panel::TipoMeccanismo::ribaltamento_composto: {
            blocco();
            // Each piece of the wedge against its storey's inner face, in the side wall's plane.
            for (const panel::PezzoCuneo& c : m.cuneo) {
                const double t = p.piani[static_cast<std::size_t>(c.piano - 1)].t;
                const double z0 = m.z + c.base, z1 = m.z + c.cima;
                g.serie.push_back(Serie{c.piano == m.piano ? "Cuneo" : "",
                                        {{-t, z0}, {-t - c.largo_base, z0}, {-t - c.largo_cima, z1},
                                         {-t, z1}, {-t, z0}},
                                        kBlu, false, false});
                x_min = std::min(x_min, -t - c.largo_cima);
            }
            break;
        }
        case panel::TipoMeccanismo::elemento_libero:
            if (m.h1 > 0) due_blocchi();
            else blocco();
            break;
        case panel::TipoMeccanismo::flessione:
            due_blocchi();
            break;
    }
    for (std::size_t i = 0; i < p.piani.size(); ++i) {
        const panel::PianoParete& q = p.piani[i];
        const double z = p.z0 + quote[i];
        if (q.N > 0) g.marcatori.push_back(Marcatore{{-q.dN, z}, "N" + std::to_string(i + 1), kBlack});
        if (q.F > 0) g.marcatori.push_back(Marcatore{{0, z}, "F" + std::to_string(i + 1) + " →", kBlack});
        if (q.catena > 0)
            g.marcatori.push_back(Marcatore{{0, z}, "← catena " + std::to_string(i + 1), kBlack});
    }
    g.x = asse_con_tacche("x dal filo esterno [m]", x_min, 0.6 * t_max, 4);
    g.y = asse_con_tacche("z dalla fondazione [m]", 0, p.z0 + quote.back(), 6);
    return g;
}

Sezione sezione_meccanismo(const form::RisultatoMeccanismo& r, const panel::EsitoCinematismo& m,
                           bool governa) {
    const auto& v = r.ingressi.verifica;
    const panel::LavoroVirtuale& lv = m.lavoro;
    Sezione s{titolo_meccanismo(m, r.ingressi.parete.piani.size(), governa), {}};
    s.blocchi.push_back(schema_meccanismo(r.ingressi.parete, m));
    s.blocchi.push_back(Paragrafo{
        "Spostamenti virtuali per una rotazione unitaria del blocco di base: δy verso l'alto, "
        "δx verso l'esterno, δF nella direzione della forza [m]."});
    Tabella t{{"Carico", "P [kN]", "Q [kN]", "δy", "δx", "F [kN]", "δF"},
              std::vector<Allineamento>(7, Allineamento::destra),
              std::vector<double>(7, 1.0 / 7),
              {}};
    for (const panel::TermineLavoro& q : lv.termini)
        t.righe.push_back({q.nome, fx(q.P, 2), fx(q.Q, 2), fx(q.dy, 4), fx(q.dx, 4), fx(q.F, 2),
                           fx(q.dF, 4)});
    s.blocchi.push_back(std::move(t));
    if (m.ammorsamento) {
        const panel::AttritoAmmorsamento& a = *m.ammorsamento;
        const panel::Ammorsamento& d = r.ingressi.parete.ammorsamento;
        s.blocchi.push_back(Formula{
            "n = h/hb, Φ = hb/lb, F = 0,4·n·(n + 1)·Φ·μ·lb²·ts·w   [C8.7.1.2]",
            "n = " + fx(a.h, 3) + " / " + fx(d.hb, 3) + " = " + fx(a.n, 3) + ", Φ = " +
                fx(d.hb, 3) + " / " + fx(d.lb, 3) + " = " + fx(a.phi, 4) + ", F = 0,4 · " +
                fx(a.n, 3) + " · " + fx(a.n + 1, 3) + " · " + fx(a.phi, 4) + " · " +
                n(d.mu, 3) + " · " + fx(d.lb, 3) + "² · " + fx(d.ts, 3) + " · " +
                n(r.ingressi.parete.gamma, 2) + " = " + fx(a.F_parete, 3) + " kN per parete"});
        s.blocchi.push_back(Formula{
            "Li = pareti · F · h/3 (lavoro dell'attrito, opposto al moto)",
            "Li = " + std::to_string(d.pareti) + " · " + fx(a.F_parete, 3) + " · " +
                fx(a.braccio, 4) + " = " + fx(a.L_i, 4) + " kN·m"});
    }
    if (!m.cuneo.empty()) {
        s.blocchi.push_back(Paragrafo{
            "Pezzi del cuneo accanto a ciascun piano (trapezi tra la base e la cima del piano, "
            "larghezze a e b = quota sulla cerniera · tan β dal filo interno): area = h·(a + b)/2, "
            "W = lati·γ·ts·area, baricentro a h·(a + 2b)/[3(a + b)] dalla base del pezzo e a "
            "(a² + ab + b²)/[3(a + b)] dal filo interno; i pezzi sono i carichi C della tabella."});
        Tabella c{{"Pezzo", "da z [m]", "a z [m]", "a [m]", "b [m]", "Area [m²]", "W [kN]", "x [m]",
                   "z [m]"},
                  std::vector<Allineamento>(9, Allineamento::destra),
                  std::vector<double>(9, 1.0 / 9),
                  {}};
        for (const panel::PezzoCuneo& q : m.cuneo)
            c.righe.push_back({"C" + std::to_string(q.piano), fx(m.z + q.base, 2),
                               fx(m.z + q.cima, 2), fx(q.largo_base, 3), fx(q.largo_cima, 3),
                               fx(q.area, 3), fx(q.W, 2), fx(q.baricentro.x, 3),
                               fx(q.baricentro.z + r.ingressi.parete.z0, 3)});
        s.blocchi.push_back(std::move(c));
    }
    s.blocchi.push_back(Formula{
        "α0 = (Σ P·δy − Σ F·δF + Li) / Σ (P + Q)·δx   [C8.7.1.1]",
        "α0 = (" + fx(lv.lavoro_pesi, 4) + " − " + fx(lv.lavoro_forze, 4) + " + " +
            fx(lv.lavoro_interno, 4) + ") / " + fx(lv.lavoro_inerzie, 4) + " = " +
            fx(lv.alpha0, 5)});
    s.blocchi.push_back(Formula{
        "e* = [Σ (P + Q)·δx]² / [Σ (P + Q) · Σ (P + Q)·δx²]   [C8.7.1.5]",
        "e* = " + fx(lv.lavoro_inerzie, 4) + "² / (" + fx(lv.somma_PQ, 2) + " · " +
            fx(lv.somma_PQ_dx2, 4) + ") = " + fx(lv.e_star, 4)});
    s.blocchi.push_back(Formula{"M* = e*·Σ (P + Q) / g",
                                "M* = " + fx(lv.e_star, 4) + " · " + fx(lv.somma_PQ, 2) + " / " +
                                    n(v.g, 3) + " = " + fx(m.M_star, 3) + " t"});
    s.blocchi.push_back(Formula{
        "a0* = α0·g / (e*·FC)   [C8.7.1.3]",
        "a0* = " + fx(lv.alpha0, 5) + " · " + n(v.g, 3) + " / (" + fx(lv.e_star, 4) + " · " +
            fx(r.esito.FC, 2) + ") = " + fx(m.a0_star, 4) + " m/s²"});
    if (m.attivo_senza_sisma)
        s.blocchi.push_back(Paragrafo{
            "α0 ≤ 0: il meccanismo si attiva già sotto i soli carichi statici (le spinte "
            "vincono i pesi); la parete non ha capacità sismica per questo meccanismo e ζE = 0."});
    const double a0 = m.attivo_senza_sisma ? 0.0 : m.a0_star;
    if (m.T0 > 0) {
        const panel::PianoParete& q = r.ingressi.parete.piani[0];
        const double E = r.ingressi.parete.libero.E;
        s.blocchi.push_back(Formula{
            "T0 = κ·λ·L·√(W / (E·g)), λ = L/t   [C8.7.1.7]",
            "T0 = " + n(m.kappa, 1) + " · " + fx(q.h / q.t, 3) + " · " + fx(q.h, 3) + " · √(" +
                n(r.ingressi.parete.gamma, 2) + " / (" + n(E, 0) + " · " + n(v.g, 3) +
                ")) = " + fx(m.T0, 4) + " s"});
        s.blocchi.push_back(Formula{
            "a = 4π²·d / T0²   [C8.7.1.6]: dy = a0*·T0² / (4π²)",
            "dy = " + fx(m.a0_star, 4) + " · " + fx(m.T0, 4) + "² / (4π²) = " +
                fx(m.d_y * 1000, 3) + " mm"});
        s.blocchi.push_back(Paragrafo{
            "Domanda: lo spettro di piano alla quota z della base dell'elemento al periodo T0 "
            "(ξ = 5 %), non meno dello spettro elastico del sito Se(T0) (lettura del "
            "programma: a z = 0 l'elemento è eccitato dal suolo); la capacità ay ≈ a0* "
            "[C8.7.1.9]."});
    }
    const std::string sld = m.T0 > 0 ? "SLD [C8.7.1.9]: ζE = a0* / (SeZ,SLD(T0)·g)"
                                     : "SLD [C8.7.1.8]: ζE = a0* / (aZ,SLD(z)·g)";
    s.blocchi.push_back(Formula{
        sld,
        "ζE = " + fx(a0, 4) + " / (" + fx(m.domanda_SLD, 4) + " · " + n(v.g, 3) + ") = " +
            fx(m.zeta_SLD, 3) + ";  ag,SLD = ζE·ag = " + fx(m.ag_cap_SLD, 4) + " g"});
    s.blocchi.push_back(Formula{
        "SLV (§ C8.7.1.2.1.7, q = " + n(v.q, 2) + "): ζE = q·a0* / (" +
            (m.T0 > 0 ? "SeZ,SLV(T0)" : "aZ,SLV(z)") + "·g)",
        "ζE = " + n(v.q, 2) + " · " + fx(a0, 4) + " / (" + fx(m.domanda_SLV, 4) + " · " +
            n(v.g, 3) + ") = " + fx(m.zeta_SLV, 3) + ";  ag,SLV = ζE·ag = " +
            fx(m.ag_cap_SLV, 4) + " g"});
    if (m.non_lineare) blocchi_non_lineare(r, m, s.blocchi);
    return s;
}

Sezione sezione_esito(const form::RisultatoMeccanismo& r) {
    const panel::EsitoCinematismo& g = r.esito.governante();
    Sezione s{"Esito della verifica dei meccanismi locali", {}};
    std::string nome = titolo_meccanismo(g, r.ingressi.parete.piani.size(), false);
    nome[0] = static_cast<char>(nome[0] - 'A' + 'a');  // "Ribaltamento", "Flessione": ASCII
    const panel::StatoNonLineare* nl = g.non_lineare ? &g.non_lineare->SLV : nullptr;
    const std::string slv = std::string(nl ? "SLV (analisi non lineare), " : "SLV, ") + nome +
                            ": ζE = " + fx(g.zeta_verifica(), 3) + (r.esito.ok ? " ≥ 1" : " < 1") +
                            ", ag,SLV = " + fx(nl ? nl->ag_cap : g.ag_cap_SLV, 4) +
                            " g contro ag = " + fx(r.SLV.sito.ag, 4) + " g: ";
    s.blocchi.push_back(r.esito.ok ? Esito{slv + "verifica soddisfatta", kVerde}
                                   : Esito{slv + "verifica non soddisfatta", kRosso});
    double zeta_SLD = g.zeta_SLD;
    for (const panel::EsitoCinematismo& m : r.esito.meccanismi)
        zeta_SLD = std::min(zeta_SLD, m.zeta_SLD);
    s.blocchi.push_back(Paragrafo{
        "SLD: il minimo ζE dei meccanismi è " + fx(zeta_SLD, 3) +
        (r.esito.ok_SLD ? " (soddisfatta)" : " (non soddisfatta)") +
        "; la verifica allo SLD è richiesta per le costruzioni di classe d'uso III e IV."});
    if (r.SLC) {
        double zeta_SLC = g.non_lineare->SLC.zeta;
        for (const panel::EsitoCinematismo& m : r.esito.meccanismi)
            zeta_SLC = std::min(zeta_SLC, m.non_lineare->SLC.zeta);
        s.blocchi.push_back(Paragrafo{
            "SLC (analisi non lineare): il minimo ζE dei meccanismi è " + fx(zeta_SLC, 3) +
            (r.esito.ok_SLC ? " (soddisfatta)" : " (non soddisfatta)") + ", contro ag = " +
            fx(r.SLC->sito.ag, 4) + " g. La verifica lineare con q resta scritta per ciascun "
            "meccanismo; l'esito allo SLV è quello dell'analisi non lineare."});
    }
    std::string formule = "[C8.7.1.3], [C8.7.1.5] e [C8.7.1.8].";
    switch (r.ingressi.tipo) {
        case panel::TipoMeccanismo::ribaltamento:
            if (r.ingressi.parete.ammorsamento.pareti > 0)
                formule = "[C8.7.1.3], [C8.7.1.5] e [C8.7.1.8]; l'ammorsamento con "
                          "§ C8.7.1.2.1.1 e [C8.7.1.2].";
            break;
        case panel::TipoMeccanismo::flessione:
        case panel::TipoMeccanismo::ribaltamento_composto:
            break;
        case panel::TipoMeccanismo::elemento_libero:
            formule = "[C8.7.1.3], [C8.7.1.5], [C8.7.1.6], [C8.7.1.7] e [C8.7.1.9].";
            break;
    }
    s.blocchi.push_back(Paragrafo{
        "Riferimenti: NTC 2018 § 8.7.1 e Tab. 3.2.I; Circolare 21/01/2019 n. 7, § C8.5.4, "
        "§ C8.7.1.1, § C8.7.1.2.1.4, § C8.7.1.2.1.5 e § C8.7.1.2.1.7, formule [C8.7.1.1], " +
        formule +
        (r.SLC ? " L'analisi non lineare: § C8.7.1.2.1.3, § C8.7.1.2.1.6 e § C8.7.1.2.1.8, "
                 "formule [C8.7.1.4], [C8.7.1.10], [C8.7.1.11] e [C8.7.1.12]; NTC 2018 "
                 "§ 3.2.3.2.3 e Tab. 3.2.VII."
               : "")});
    return s;
}

}  // namespace

std::vector<Sezione> sezioni_meccanismi(const form::RisultatoMeccanismo& r) {
    std::vector<Sezione> out{sezione_parete(r), sezione_azioni(r)};
    for (std::size_t i = 0; i < r.esito.meccanismi.size(); ++i)
        out.push_back(sezione_meccanismo(r, r.esito.meccanismi[i], i == 0));
    out.push_back(sezione_esito(r));
    return out;
}

}  // namespace tv::relazione
