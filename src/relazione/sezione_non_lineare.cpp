// SPDX-License-Identifier: GPL-3.0-or-later
// The report's nonlinear kinematic check of a mechanism: the capacity curve with its SLV and SLC
// points and the demand, then every step from d0 to zeta and ag,cap.
#include <string>

#include "relazione/redazione.h"
#include "relazione/sezioni_meccanismi.h"

namespace tv::relazione {

namespace {

using namespace redazione;
using form::kBlack;

// a(d) with the thresholds and the demands of SLV and SLC, d in mm.
Grafico curva_capacita(const panel::AnalisiNonLineare& a) {
    Grafico g;
    g.titolo = "Curva di capacità a(d) del meccanismo, soglie e domande di spostamento";
    Serie curva{"a(d)", {}, kBlack, false, false};
    double a_max = 0;
    for (const panel::PuntoCapacita& p : a.curva) {
        curva.punti.push_back({p.d * 1000, p.a});
        a_max = std::max(a_max, p.a);
    }
    g.serie.push_back(std::move(curva));
    double d_max = a.d0 * 1000;
    for (const auto* s : {&a.SLV, &a.SLC}) {
        const bool slv = s == &a.SLV;
        const Rgb colore = slv ? kRosso : kBlu;
        g.marcatori.push_back(Marcatore{{s->d * 1000, s->a}, slv ? "dSLV" : "dSLC", colore});
        g.riferimenti.push_back(Riferimento{true, s->domanda * 1000,
                                            slv ? "domanda SLV" : "domanda SLC", colore});
        d_max = std::max(d_max, s->domanda * 1000);
    }
    g.marcatori.push_back(Marcatore{{a.d0 * 1000, 0}, "d0", kBlack});
    g.x = asse_con_tacche("d [mm]", 0, 1.1 * d_max, 6);
    g.y = asse_con_tacche("a [m/s²]", 0, 1.1 * a_max, 5);
    return g;
}

void stato(const panel::StatoNonLineare& s, bool slv, const panel::AzioneStato& az,
           const panel::AnalisiNonLineare& a, double ag_SLD, std::vector<Blocco>& out) {
    const std::string nome = slv ? "SLV" : "SLC";
    const std::string k = slv ? "1,68" : "1,56";
    out.push_back(Formula{
        "T" + nome + " = " + k + "·π·√(d" + nome + " / a(d" + nome + "))   [C8.7.1." +
            (slv ? "10" : "11") + "]",
        "T" + nome + " = " + k + " · π · √(" + fx(s.d, 4) + " / " + fx(s.a, 4) + ") = " +
            fx(s.T, 3) + " s"});
    const std::string intervallo =
        "il massimo dello spettro di spostamento tra " + std::string(a.T0 > 0 ? "T0" : "0") +
        " e T" + nome + " (ξ = " + n(s.xi, 0) + " %)";
    out.push_back(Formula{
        a.a_terra ? "Domanda a livello del suolo: SDe(T) (NTC 2018 § 3.2.3.2.3), " + intervallo
                  : "Domanda in quota: SDe,Z(T) = SeZ(T, ξ, z)·T² / (4π²) [C8.7.1.12] con lo "
                    "spettro di piano [C7.2.5], " + intervallo,
        "Δd = " + fx(s.domanda, 4) + " m a T = " + fx(s.T_domanda, 3) + " s"});
    std::string numerica = "ζE = " + fx(s.d, 4) + " / " + fx(s.domanda, 4) + " = " +
                           fx(s.d / s.domanda, 3) + ";  ag," + nome + " = ζE·ag = " +
                           fx(s.d / s.domanda * az.ag, 4) + " g";
    if (s.da_SLD)
        numerica += ", minore di ag,SLD = " + fx(ag_SLD, 4) + " g, che si assume [C8.7.1.2.1.8]: "
                    "ζE = " + fx(s.ag_cap, 4) + " / " + fx(az.ag, 4) + " = " + fx(s.zeta, 3);
    out.push_back(Formula{"Verifica " + nome + ": ζE = d" + nome + " / Δd", numerica});
}

}  // namespace

void blocchi_non_lineare(const form::RisultatoMeccanismo& r, const panel::EsitoCinematismo& m,
                         std::vector<Blocco>& out) {
    const panel::AnalisiNonLineare& a = *m.non_lineare;
    const auto& v = r.ingressi.verifica;
    out.push_back(Paragrafo{
        "Analisi cinematica non lineare (Circolare 2019 § C8.7.1.2.1.3, § C8.7.1.2.1.6 e "
        "§ C8.7.1.2.1.8): il blocco di base ruota per rotazioni finite θ; a ogni θ i carichi "
        "seguono i blocchi e α(θ) è il moltiplicatore di equilibrio nella configurazione "
        "raggiunta. La curva è convertita in a(d) = α·g / (e*·FC) [C8.7.1.3] e d = dC·Σ(P + Q)·δx² "
        "/ (δCx·Σ(P + Q)·δx) [C8.7.1.4], con e* e gli spostamenti virtuali della configurazione "
        "iniziale; il punto di controllo C è " +
        std::string(m.h1 > 0 ? "la cerniera intermedia" : "il baricentro delle masse") + " (x = " +
        fx(a.controllo.x, 3) + " m, z = " + fx(a.controllo.z + r.ingressi.parete.z0, 3) +
        " m). Lettura del programma: d0 si legge sulla curva delle sole azioni presenti fino al "
        "collasso (pesi, carichi dei solai e spinte; non le catene né l'attrito "
        "dell'ammorsamento); la curva a(d) tiene tutte le azioni, le catene fino allo spostamento "
        "di rottura, quando è dato. Le spinte e le catene restano orizzontali."});
    if (a.senza_capacita) {
        out.push_back(Paragrafo{"Le sole azioni presenti fino al collasso attivano già il "
                                "meccanismo: d0 = 0 e ζE = 0 agli stati limite ultimi."});
        return;
    }
    out.push_back(curva_capacita(a));
    out.push_back(Formula{"d/dC = Σ (P + Q)·δx² / (δCx·Σ (P + Q)·δx)   [C8.7.1.4]",
                          "d/dC = " + fx(a.fattore_d, 4) + "; la curva si annulla a θ0 = " +
                              fx(a.theta0, 4) + " rad: d0 = " + fx(a.d0, 4) + " m"});
    if (a.T0 > 0)
        out.push_back(Paragrafo{"Elemento libero: il ramo elastico a = 4π²·d / T0² [C8.7.1.6], "
                                "T0 = " + fx(a.T0, 4) + " s, precede la curva rigida finché la "
                                "incontra."});
    std::string soglia = "dSLV = 0,4·d0 = " + fx(0.4 * a.d0, 4) + " m";
    if (a.d_rottura > 0)
        soglia += "; rottura delle catene a d = " + fx(a.d_rottura, 4) + " m: dSLV = " +
                  fx(a.SLV.d, 4) + " m";
    out.push_back(Formula{"Soglie [C8.7.1.2.1.6]: dSLV = 0,4·d0 (o la rottura delle catene), "
                          "dSLC = 0,6·d0",
                          soglia + "; dSLC = " + fx(a.SLC.d, 4) + " m"});
    stato(a.SLV, true, v.SLV, a, m.ag_cap_SLD, out);
    stato(a.SLC, false, v.SLC, a, m.ag_cap_SLD, out);
}

}  // namespace tv::relazione
