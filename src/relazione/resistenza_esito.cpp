// SPDX-License-Identifier: GPL-3.0-or-later
// The report's sections 5 and 6: the lateral resistance (the arch with its load curve; the
// cantilever's is its own module), and the verdict.
#include <algorithm>
#include <cmath>
#include <variant>

#include "panel/curva_arco.h"
#include "relazione/redazione.h"

namespace tv::relazione::redazione {

namespace {

Sezione sezione_arco(const RisultatoVerifica& d, const panel::Freccia& arco, const Misure& m) {
    const auto& p = d.ingressi.pannello;
    const std::string luce = orizzontale(d) ? "B" : "L";
    const double span = orizzontale(d) ? p.B : p.L;
    Sezione s{"5. Resistenza laterale per effetto arco", {}};
    s.blocchi.push_back(Paragrafo{
        "Modello del programma, riferito a UNI EN 1996-1-1 (EC6) § 6.3.2 (resistenza per effetto "
        "arco del pannello stretto tra vincoli che ne assorbono la spinta). La striscia di "
        "pannello tra i due lati appoggiati è un arco a tre cerniere (alle imposte e in "
        "mezzeria) di asse parabolico, semiluce a e freccia iniziale h = 0,9 · t; l0 è la "
        "lunghezza scarica del semiarco. Con le imposte fisse, l'inflessione f della mezzeria "
        "riduce la freccia a h − f e accorcia elasticamente il semiarco, di lunghezza l(h − f): "
        "la tensione dell'arco è σ(f) = E · (1 − l(h − f) / l0) e la pressione laterale che "
        "l'arco equilibra è q(f) = σ(f) · (h − f)² / (3,24 · a²)."});
    s.blocchi.push_back(Paragrafo{
        "q(f) cresce fino al massimo qcrit all'inflessione fcrit (instabilità dell'arco) e poi "
        "decresce: il programma cerca il massimo dimezzando l'intervallo 0…h fino a 0,1 mm. Se "
        "la tensione al massimo, σcr, è minore di fd governa l'instabilità (qd = qcrit, "
        "K2 = σcr / fd); altrimenti governa la resistenza a compressione e qd è la pressione "
        "all'inflessione f alla quale σ(f) = fd (K2 = 1). K1 = qd / ((t/l)² · σ), con σ = σcr o "
        "fd, confronta qd con la pressione di riferimento σ · (t/l)²."});
    s.blocchi.push_back(Paragrafo{
        "In forma chiusa, con h = 0,9 · t e l = 2a: (h − f)² / (3,24 · a²) = (1 − f/h)² · (t/l)², "
        "perché (0,9 · t)² / (3,24 · l²/4) = (t/l)²; il 3,24 = 4,5 · 0,72 è il fattore che rende "
        "q = σ · (t/l)² a inflessione nulla. Dunque q(f) = σ(f) · (1 − f/h)² · (t/l)², "
        "K1 = (1 − f/h)² all'inflessione di progetto (fcrit se governa l'instabilità), "
        "K2 = min(σcr / fd; 1) e qd = K1 · K2 · fd · (t/l)². Poiché K1 ≤ 1 e K2 ≤ 1, qd non "
        "supera mai fd · (t/l)², il valore della (6.25) dell'EC6 § 6.3.2 letta alla lettera per "
        "l'arco indeformato."});
    s.blocchi.push_back(Formula{"a = " + luce + " / 2    h = 0,9 · t",
                                "a = " + m.L(arco.a) + " " + m.ul + "    h = 0,9 · " + m.L(p.t) +
                                    " = " + m.L(arco.h) + " " + m.ul + "    l0 = " +
                                    m.L(arco.l_arco) + " " + m.ul});

    const panel::CurvaArco c = panel::curva_arco(p.E, arco.h, arco.a, p.fd);
    double q_max = 0, s_max = p.fd;
    for (const auto& pt : c.punti) {
        q_max = std::max(q_max, pt.q);
        s_max = std::max(s_max, pt.sigma);
    }
    const double ft = m.ft;
    Grafico g;
    g.titolo = "Pressione laterale q(f) e tensione dell'arco σ(f)";
    g.x = asse_con_tacche("f [mm]", 0.0, arco.h * 10.0);
    g.y = asse_con_tacche("q [" + m.ut + "]", 0.0, q_max * ft * 1.1);
    g.y2 = asse_con_tacche("σ [" + m.ut + "]", 0.0, s_max * ft * 1.1);
    Serie q{"q(f)", {}, kBlu, false, false};
    Serie sigma{"σ(f)", {}, kArancio, true, true};
    for (const auto& pt : c.punti) {
        q.punti.push_back({pt.f * 10.0, pt.q * ft});
        sigma.punti.push_back({pt.f * 10.0, pt.sigma * ft});
    }
    g.serie.push_back(std::move(q));
    g.serie.push_back(std::move(sigma));
    g.riferimenti.push_back({false, p.fd * ft, "σ = fd", kRosso, true});
    g.riferimenti.push_back({true, arco.h * 10.0, "f = h", kGrigio, false});
    g.marcatori.push_back({{arco.fcrit * 10.0, arco.qcrit * ft}, "(fcrit, qcrit)", kBlu, false});
    g.marcatori.push_back({{arco.deltafreccia * 10.0, arco.qd * ft}, "(f, qd)", kRosso, false});
    s.blocchi.push_back(std::move(g));

    s.blocchi.push_back(tabella_valori({
        {"Semiluce dell'arco", "a", m.lunghezza(arco.a, 4), m.ul},
        {"Freccia iniziale dell'arco", "h", m.lunghezza(arco.h, 4), m.ul},
        {"Lunghezza scarica del semiarco", "l0", m.lunghezza(arco.l_arco, 4), m.ul},
        {"Resistenza di progetto a compressione", "fd", m.tensione(p.fd, 4), m.ut},
        {"Modulo elastico", "E", m.tensione(p.E, 2), m.ut},
        {"Pressione massima dell'arco", "qcrit", m.tensione(arco.qcrit, 6), m.ut},
        {"Inflessione alla pressione massima", "fcrit", fx(arco.fcrit * 10.0, 1), "mm"},
        {"Tensione critica di instabilità", "σcr", sig(arco.sigmacrit * ft, 3), m.ut},
        // Where instability governs f is fcrit, known to the search's 0.1 mm: one form for both.
        {"Inflessione sotto carico laterale di progetto", "f",
         arco.instabilita ? fx(arco.deltafreccia * 10.0, 1) : n(arco.deltafreccia * 10.0, 2), "mm"},
        {"Pressione laterale di progetto", "qd", m.tensione(arco.qd, 6), m.ut},
        {"Coefficiente di inflessione laterale", "K1", fx(arco.K1, 3), ""},
        {"Coefficiente di instabilità", "K2", fx(arco.K2, 3), ""},
    }));
    const std::string t_su_l = "(" + m.L(p.t) + "/" + m.L(span) + ")²";
    if (arco.instabilita) {
        s.blocchi.push_back(Paragrafo{
            "La tensione critica di instabilità è minore di fd: governa l'instabilità dell'arco "
            "(pressione di progetto qd = qcrit, inflessione f = fcrit). fcrit, σcr, K1 e K2 "
            "vengono dalla ricerca del massimo, che chiude l'intervallo dell'inflessione a 0,1 mm: "
            "fcrit è dato al decimo di millimetro, σcr, K1 e K2 a tre cifre, quante la ricerca "
            "ne garantisce."});
        s.blocchi.push_back(Formula{"K2 = σcr / fd    K1 = qd / ((t/" + luce + ")² · σcr)",
                                    "K2 = " + sig(arco.sigmacrit * m.ft_formula, 3) + " / " +
                                        m.S(p.fd) + " = " + fx(arco.K2, 3) + "    K1 = " +
                                        m.Sq(arco.qd) + " / (" + t_su_l + " · " +
                                        sig(arco.sigmacrit * m.ft_formula, 3) + ") = " +
                                        fx(arco.K1, 3)});
        s.blocchi.push_back(Formula{"K1 = (1 − fcrit/h)²",
                                    "K1 = (1 − " + m.L(arco.fcrit) + "/" + m.L(arco.h) + ")² = " +
                                        fx((1 - arco.fcrit / arco.h) * (1 - arco.fcrit / arco.h), 3)});
    } else {
        s.blocchi.push_back(Paragrafo{
            "La tensione dell'arco raggiunge fd prima della pressione massima: governa la "
            "resistenza a compressione (K2 = 1, qd alla tensione fd)."});
        s.blocchi.push_back(Formula{"K2 = 1    K1 = qd / ((t/" + luce + ")² · fd)",
                                    "K1 = " + m.Sq(arco.qd) + " / (" + t_su_l + " · " + m.S(p.fd) +
                                        ") = " + fx(arco.K1, 3)});
        s.blocchi.push_back(Formula{"K1 = (1 − f/h)²",
                                    "K1 = (1 − " + m.L(arco.deltafreccia) + "/" + m.L(arco.h) +
                                        ")² = " +
                                        fx((1 - arco.deltafreccia / arco.h) *
                                               (1 - arco.deltafreccia / arco.h), 3)});
    }
    s.blocchi.push_back(Formula{"Rlat = K1 · K2 · fd · (t/" + luce + ")² · B · L = qd · B · L",
                                "Rlat = " + m.Sq(arco.qd) + " · " + m.L(p.B) + " · " + m.L(p.L) +
                                    " = " + m.F(d.pannello.Rlat) + " " + m.uf});
    // EC6's own formula beside the model, and the thrust the supports must take.
    const ConfrontoEC6 e = confronto_ec6(d, arco);
    s.blocchi.push_back(Paragrafo{"Confronto con UNI EN 1996-1-1 (EC6) § 6.3.2", true});
    s.blocchi.push_back(Paragrafo{
        "La formula (6.25) dell'EC6 dà la resistenza laterale di progetto del pannello ad arco "
        "tra vincoli a distanza la; la spinta dell'arco per unità di lunghezza, Nad, è quella "
        "che i vincoli devono assorbire."});
    s.blocchi.push_back(Formula{"qlat,d = fd · (t/la)²   (6.25)",
                                "qlat,d = " + m.S(p.fd) + " · (" + m.L(p.t) + "/" + m.L(e.la) +
                                    ")² = " + m.Sq(e.qlat) + " " + m.ft_unita +
                                    "    qd / qlat,d = " + fx(e.rapporto, 3)});
    s.blocchi.push_back(Formula{"Nad = 1,5 · fd · t / 10",
                                "Nad = 1,5 · " + m.S(p.fd) + " · " + m.L(p.t) + " / 10 = " +
                                    sig(e.Nad * m.ft_formula * m.fl, 4) + " " + m.uf + "/" +
                                    m.ul});
    // The whole thrust on each support: Nad along the supported side, B when the panel spans
    // vertically, L when it spans horizontally.
    const bool lungo_B = !orizzontale(d);
    const double lato = lungo_B ? p.B : p.L;
    s.blocchi.push_back(Formula{
        std::string("Nad · ") + (lungo_B ? "B" : "L") +
            " = spinta che ciascuno dei due vincoli deve assorbire (verifica del progettista)",
        "Nad · " + m.L(lato) + " = " + m.F(e.Nad * lato) + " " + m.uf});
    if (e.snellezza > 25.0)
        s.blocchi.push_back(Paragrafo{
            "Nota: la/t = " + n(e.snellezza, 1) +
            " > 25: pannello snello oltre il limite assunto per il confronto; la (6.25) e il "
            "modello del programma vanno letti con cautela."});
    return s;
}

}  // namespace

Sezione sezione_resistenza(const RisultatoVerifica& d, const Misure& m) {
    return std::visit(
        panel::Overloaded{[&](const panel::Freccia& a) { return sezione_arco(d, a, m); },
                          [&](const panel::Mensola& k) { return sezione_mensola(d, k, m); }},
        d.pannello.resistenza);
}

Sezione sezione_esito(const RisultatoVerifica& d, const Misure& m) {
    Sezione s{"6. Esito della verifica", {}};
    const std::string rapporto = d.pannello.Fa == 0.0 ? "nessuna azione sul pannello" : fx(d.pannello.Rlat / d.pannello.Fa, 3);
    Tabella t = tabella_valori({
        {"Resistenza laterale di progetto", "Rlat", m.forza(d.pannello.Rlat), m.uf},
        {"Forza orizzontale sul pannello", "Fa", m.forza(d.pannello.Fa), m.uf},
        {"Rapporto", "Rlat / Fa", rapporto, ""},
    });
    s.blocchi.push_back(std::move(t));
    const std::string confronto = "Rlat = " + m.forza(d.pannello.Rlat) + " " + m.uf +
                                  (d.ok ? " ≥ " : " < ") + "Fa = " + m.forza(d.pannello.Fa) + " " +
                                  m.uf + ": ";
    s.blocchi.push_back(d.ok ? Esito{confronto + "verifica soddisfatta", kVerde}
                             : Esito{confronto + "verifica non soddisfatta", kRosso});
    if (!d.avvisi.empty())
        s.blocchi.push_back(Paragrafo{"Avvisi sui dati: vedi i controlli automatici (sezione 11)."});
    return s;
}

}  // namespace tv::relazione::redazione
