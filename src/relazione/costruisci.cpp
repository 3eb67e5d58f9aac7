// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the calculation report of one check as data: title block, inputs, site hazard, elastic
// spectrum, demand, arching resistance, verdict and the method, every number with a comma.
#include "relazione/documento.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>
#include <variant>

#include "form/tabella_campi.h"
#include "form/testi.h"
#include "hazard/spettro_elastico.h"
#include "relazione/redazione.h"

namespace tv::relazione {

namespace {

using namespace redazione;

std::string vincolo(bool appoggiato) {
    return appoggiato ? "Appoggiato" : "Libero";
}

// One value of an input in the job's work unit of its family, with that unit; fixed-unit fields
// keep the row's own.
std::pair<std::string, std::string> valore_ingresso(double x, units::Famiglia f, int decimali,
                                                    std::string_view unita, const Misure& m) {
    switch (f) {
        case units::Famiglia::lunghezza: return {m.lunghezza(x, decimali), m.ul};
        case units::Famiglia::tensione: return {m.tensione(x, decimali), m.ut};
        case units::Famiglia::peso_specifico: return {m.peso_specifico(x), m.ug};
        case units::Famiglia::nessuna:
        case units::Famiglia::volume:
        case units::Famiglia::forza:
        case units::Famiglia::momento:
            break;
    }
    return {n(x, decimali), std::string(unita)};
}

// The rows of one table of input data, in the order and with the names of the field table.
std::vector<std::vector<std::string>> righe_ingresso(const RisultatoVerifica& d, const Misure& m,
                                                     form::TabellaRelazione tabella) {
    std::vector<std::pair<int, std::vector<std::string>>> righe;
    for (const form::DatiCampoForm& c : form::kTabellaCampi) {
        const form::RigaRelazione& r = c.relazione;
        if (r.tabella != tabella || (c.formula && *c.formula != d.pannello.formula())) continue;
        const auto valore = form::valore_usato(d, c.campo);
        auto [testo, unita] = valore ? valore_ingresso(*valore, c.famiglia, r.decimali, r.unita, m)
                                     : std::pair{lettera_suolo(d), std::string(r.unita)};
        righe.push_back({r.posto, {std::string(r.grandezza), std::string(r.simbolo),
                                   std::move(testo), std::move(unita)}});
    }
    std::sort(righe.begin(), righe.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::vector<std::string>> out;
    for (auto& riga : righe) out.push_back(std::move(riga.second));
    return out;
}

}  // namespace

namespace redazione {
Sezione sezione_dati(const RisultatoVerifica& d, const Misure& m) {
    Sezione s{"1. Dati di ingresso", {}};
    s.blocchi.push_back(Paragrafo{"Sito e costruzione", true});
    std::vector<std::vector<std::string>> sito = righe_ingresso(d, m, form::TabellaRelazione::sito);
    sito.insert(sito.begin(), {"Sistema di riferimento delle coordinate (il reticolo è in ED50)",
                               "datum", std::string(hazard::nomi_datum(d.ingressi.datum).nome), ""});
    // The grid is ED50: coordinates typed in another datum are given as moved there.
    switch (d.ingressi.datum) {
        case hazard::Datum::ed50:
            break;
        case hazard::Datum::wgs84: {
            auto dopo = std::find_if(sito.begin(), sito.end(),
                                     [](const auto& riga) { return riga[1] == "lat"; });
            if (dopo != sito.end()) ++dopo;
            sito.insert(dopo,
                        {{"Longitudine ED50 usata per il reticolo", "lon ED50", n(d.ed50.lon, 6), "°"},
                         {"Latitudine ED50 usata per il reticolo", "lat ED50", n(d.ed50.lat, 6), "°"}});
            break;
        }
    }
    s.blocchi.push_back(tabella_valori(std::move(sito)));
    for (Blocco& b : blocchi_scelte_sito(d)) s.blocchi.push_back(std::move(b));
    s.blocchi.push_back(Paragrafo{"Pannello", true});
    s.blocchi.push_back(tabella_valori(righe_ingresso(d, m, form::TabellaRelazione::pannello)));
    for (Blocco& b : blocchi_scelte_muratura(d, m)) s.blocchi.push_back(std::move(b));

    s.blocchi.push_back(Paragrafo{"Vincoli dei quattro lati", true});
    Tabella v;
    v.intestazioni = {"Lato", "Vincolo"};
    v.allineamenti = {Allineamento::sinistra, Allineamento::sinistra};
    v.larghezze = {0.25, 0.25};
    const bool mensola = std::holds_alternative<panel::Mensola>(d.pannello.resistenza);
    v.righe = {{"Superiore", vincolo(d.ingressi.pannello.vincoli.top)},
               {"Sinistro", vincolo(d.ingressi.pannello.vincoli.left)},
               {"Inferiore", mensola ? "Incastrato" : vincolo(true)},
               {"Destro", vincolo(d.ingressi.pannello.vincoli.right)}};
    s.blocchi.push_back(std::move(v));
    s.blocchi.push_back(DisegnoVincoli{d.ingressi.pannello.vincoli.top, d.ingressi.pannello.vincoli.left, true,
                                       d.ingressi.pannello.vincoli.right, mensola,
                                       d.ingressi.pannello.B, d.ingressi.pannello.L,
                                       "B = " + m.lunghezza(d.ingressi.pannello.B) + " " + m.ul,
                                       "L = " + m.lunghezza(d.ingressi.pannello.L) + " " + m.ul});
    return s;
}
}  // namespace redazione

namespace {

// ag, F0 and Tc* of one row: a node's, the group's or the site's at TR1 and TR2.
std::vector<std::string> valori_riga(std::string nome, const form::ValoriPeriodo& a,
                                     const form::ValoriPeriodo& b) {
    return {std::move(nome), fx(a.ag, 4), fx(a.F0, 3), fx(a.Tc, 3),
            fx(b.ag, 4), fx(b.F0, 3), fx(b.Tc, 3)};
}

Tabella tabella_periodi(const RisultatoVerifica& d) {
    Tabella t;
    const std::string t1 = " (" + n(d.azione.TR_inf, 0) + ")", t2 = " (" + n(d.azione.TR_sup, 0) + ")";
    t.intestazioni = {"",          "ag" + t1 + " [g]", "F0" + t1, "Tc*" + t1 + " [s]",
                      "ag" + t2 + " [g]", "F0" + t2, "Tc*" + t2 + " [s]"};
    t.allineamenti = {Allineamento::sinistra, Allineamento::destra, Allineamento::destra,
                      Allineamento::destra,   Allineamento::destra, Allineamento::destra,
                      Allineamento::destra};
    t.larghezze = {0.22, 0.13, 0.13, 0.13, 0.13, 0.13, 0.13};
    return t;
}

}  // namespace

namespace redazione {
Sezione sezione_pericolosita(const RisultatoVerifica& d) {
    const form::AzioneSito& a = d.azione;
    Sezione s{"2. Pericolosità sismica del sito", {}};
    s.blocchi.push_back(Paragrafo{
        "Pericolosità sismica di base degli Allegati A e B delle NTC 2008 (D.M. 14/01/2008), ai "
        "quali rimandano le NTC 2018 § 3.2, " + stato_limite_relazione(d) +
        ". Le coordinate del reticolo di riferimento sono nel sistema ED50."});
    const auto& sito = d.ingressi.sito;
    if (a.VN_Cu < a.VR) {
        // Below 35 years the reference period is taken as 35 years.
        s.blocchi.push_back(Formula{"VR = max(VN · Cu; 35 anni)   (Circolare 2019 Tab. C2.4.I)",
                                    "VR = max(" + n(sito.VN, 4) + " · " + n(sito.Cu, 4) + " = " +
                                        n(a.VN_Cu, 4) + "; 35) = " + n(a.VR, 4) + " anni"});
        s.blocchi.push_back(Paragrafo{"Applicato il minimo VR = 35 anni (Circolare 2019 Tab. C2.4.I)."});
    } else {
        s.blocchi.push_back(Formula{"VR = VN · Cu   (NTC 2018 § 2.4.3)",
                                    "VR = " + n(sito.VN, 4) + " · " + n(sito.Cu, 4) + " = " +
                                        n(a.VR, 4) + " anni"});
    }
    s.blocchi.push_back(Formula{
        "TR = −VR / ln(1 − PVR)",
        "TR = −" + n(a.VR, 4) + " / ln(1 − " + n(d.ingressi.sito.PVR / 100.0, 6) + ") = " +
            n(a.TR_calcolato, 2) + " anni  →  TR = " + n(a.TR, 0) + " anni"});
    s.blocchi.push_back(Paragrafo{
        "TR è arrotondato all'anno e limitato ai periodi tabulati, da 30 a 2475 anni; TR1 = " +
        n(a.TR_inf, 0) + " e TR2 = " + n(a.TR_sup, 0) +
        " anni sono i periodi tabulati che lo comprendono."});
    Tabella valori = tabella_periodi(d);
    if (const auto* isola = std::get_if<form::OrigineIsola>(&a.origine)) {
        s.blocchi.push_back(Paragrafo{
            "Il sito è fuori dal reticolo di riferimento e ricade nelle isole della Tabella 2 "
            "dell'Allegato B: gruppo " + std::string(isola->gruppo) + ", zona " +
            std::string(isola->zona) + ". Valori del gruppo ai periodi TR1 e TR2:"});
        valori.righe.push_back(valori_riga("Gruppo " + std::string(isola->gruppo), a.inf, a.sup));
    } else {
        const auto& griglia = std::get<form::OrigineGriglia>(a.origine);
        const auto& nodi = griglia.nodi;  // SW, SE, NE, NW
        if (griglia.contenente) {
            s.blocchi.push_back(Paragrafo{
                "Il sito è interno alla maglia elementare del reticolo di nodi " +
                std::to_string(nodi[3].codice) + " (NW), " + std::to_string(nodi[2].codice) +
                " (NE), " + std::to_string(nodi[0].codice) + " (SW) e " +
                std::to_string(nodi[1].codice) +
                " (SE), bordi compresi (NTC 2008, Allegato A). I quattro nodi del reticolo che "
                "circondano il sito, con pesi proporzionali all'inverso della distanza:"});
        } else {
            const std::string quanto =
                std::isfinite(griglia.fuori_maglia_km)
                    ? "a " + n(griglia.fuori_maglia_km * 1000, 0) + " m dalla più vicina"
                    : "nessuna entro tre nodi dal più vicino";
            s.blocchi.push_back(Paragrafo{
                "Il sito non è interno ad alcuna maglia completa del reticolo (" + quanto +
                "): i quattro nodi sono quelli trovati a partire dal nodo più vicino al sito, "
                "con pesi proporzionali all'inverso della distanza:"});
        }
        Tabella t;
        t.intestazioni = {"Nodo",           "Codice",        "Longitudine [°]",
                          "Latitudine [°]", "Distanza [km]", "Peso"};
        t.allineamenti = {Allineamento::sinistra, Allineamento::destra, Allineamento::destra,
                          Allineamento::destra,   Allineamento::destra, Allineamento::destra};
        t.larghezze = {0.10, 0.14, 0.20, 0.20, 0.18, 0.18};
        static constexpr const char* kNomi[4] = {"SW", "SE", "NE", "NW"};
        for (std::size_t i = 0; i < nodi.size(); ++i) {
            const form::Nodo& nodo = nodi[i];
            t.righe.push_back({kNomi[i], std::to_string(nodo.codice), fx(nodo.lon, 3),
                               fx(nodo.lat, 3), fx(nodo.distanza_km, 3), fx(nodo.peso, 4)});
            valori.righe.push_back(valori_riga(kNomi[i], nodo.inf, nodo.sup));
        }
        s.blocchi.push_back(std::move(t));
        s.blocchi.push_back(Paragrafo{"Valori dei nodi ai periodi TR1 e TR2 e loro media pesata "
                                      "al sito:"});
        valori.righe.push_back(valori_riga("Sito (media)", a.inf, a.sup));
    }
    s.blocchi.push_back(std::move(valori));
    const std::string TR = n(a.TR, 0), T1 = n(a.TR_inf, 0), T2 = n(a.TR_sup, 0);
    s.blocchi.push_back(Formula{"r = ln(TR/TR1) / ln(TR2/TR1)    ln p = ln p1 + r · ln(p2/p1)",
                                "r = ln(" + TR + "/" + T1 + ") / ln(" + T2 + "/" + T1 + ") = " +
                                    n(a.r, 4)});
    const std::string r = n(a.r, 4);
    const auto interpolata = [&](const std::string& nome, double p1, double p2, double p, int dec,
                                 const std::string& unita) {
        return Formula{"", nome + " = exp[ln " + n(p1, dec) + " + " + r + " · ln(" + n(p2, dec) +
                               "/" + n(p1, dec) + ")] = " + n(p, dec) + unita};
    };
    s.blocchi.push_back(interpolata("ag", a.inf.ag, a.sup.ag, a.ag, 4, " g"));
    s.blocchi.push_back(interpolata("F0", a.inf.F0, a.sup.F0, a.F0, 3, ""));
    s.blocchi.push_back(interpolata("Tc*", a.inf.Tc, a.sup.Tc, a.Tc, 3, " s"));
    s.blocchi.push_back(tabella_valori({
        {"Periodo di riferimento", "VR", n(a.VR, 4), "anni"},
        {"Probabilità di superamento nel periodo di riferimento (SLV)", "PVR",
         n(d.ingressi.sito.PVR, 4), "%"},
        {"Periodo di ritorno", "TR", n(a.TR, 0), "anni"},
        {"Periodi di ritorno tabulati che lo comprendono", "TR1 – TR2", T1 + " – " + T2, "anni"},
        {"Accelerazione orizzontale massima su roccia", "ag", n(a.ag, 4), "g"},
        {"Amplificazione spettrale massima", "F0", n(a.F0, 3), ""},
        {"Valore di riferimento per il periodo TC (TC = Cc · Tc*)", "Tc*", n(a.Tc, 3), "s"},
    }));
    return s;
}
}  // namespace redazione

namespace {

// Cc = coefficient · (Tc*)^exponent of the subsoil category (NTC 2018 Tab. 3.2.IV), as texts.
std::pair<std::string, std::string> formula_Cc(hazard::Suolo suolo) {
    switch (suolo) {
        case hazard::Suolo::A:
            return {"1", "0"};
        case hazard::Suolo::B:
            return {"1,10", "−0,20"};
        case hazard::Suolo::C:
            return {"1,05", "−0,33"};
        case hazard::Suolo::D:
            return {"1,25", "−0,50"};
        case hazard::Suolo::E:
            return {"1,15", "−0,40"};
    }
    return {"1", "0"};
}

}  // namespace

namespace redazione {
Sezione sezione_spettro(const RisultatoVerifica& d, bool del_pannello) {
    const hazard::Spettro& am = d.azione.spettro;
    const hazard::SpettroElastico sp = hazard::spettro_elastico(
        d.azione.ag, d.azione.F0, d.azione.Tc, am.s, am.suolo);
    Sezione s{"3. Spettro di risposta elastico", {}};
    s.blocchi.push_back(Paragrafo{
        "Spettro elastico in accelerazione della componente orizzontale (NTC 2018 § 3.2.3.2.1), "
        "smorzamento 5 %, η = 1. Amplificazione stratigrafica Ss e coefficiente Cc della "
        "categoria di sottosuolo " + lettera_suolo(d) +
        " dalla Tab. 3.2.IV, amplificazione topografica St dalla Tab. 3.2.V."});
    if (const hazard::CoefficientiSs* c = hazard::coefficienti_Ss(am.suolo)) {
        const double grezzo = c->costante - c->coefficiente * d.azione.F0 * d.azione.ag;
        std::string limite;
        if (grezzo > c->massimo) limite = "  →  Ss = " + fx(c->massimo, 2) + " (limite superiore)";
        if (grezzo < c->minimo) limite = "  →  Ss = " + fx(c->minimo, 2) + " (limite inferiore)";
        s.blocchi.push_back(Formula{
            "Ss = " + fx(c->costante, 2) + " − " + fx(c->coefficiente, 2) + " · F0 · ag/g,   " +
                fx(c->minimo, 2) + " ≤ Ss ≤ " + fx(c->massimo, 2),
            "Ss = " + fx(c->costante, 2) + " − " + fx(c->coefficiente, 2) + " · " +
                n(d.azione.F0, 3) + " · " + n(d.azione.ag, 4) + " = " + n(grezzo, 3) + limite});
        const auto [k, e] = formula_Cc(am.suolo);
        s.blocchi.push_back(Formula{"Cc = " + k + " · (Tc*)^" + e, "Cc = " + k + " · " +
                                                                    n(d.azione.Tc, 3) + "^" + e +
                                                                    " = " + n(sp.Cc, 3)});
    } else {
        s.blocchi.push_back(Paragrafo{"Categoria A: Ss = 1 e Cc = 1."});
    }
    s.blocchi.push_back(Formula{"S = Ss · St", "S = " + n(am.Ss, 3) + " · " + n(am.St, 3) +
                                                   " = " + n(am.s, 3)});
    s.blocchi.push_back(Formula{"TC = Cc · Tc*    TB = TC / 3    TD = 4,0 · ag/g + 1,6",
                                "TC = " + n(sp.Cc, 3) + " · " + n(d.azione.Tc, 3) + " = " +
                                    n(sp.TC, 3) + " s    TB = " + n(sp.TB, 3) +
                                    " s    TD = " + n(sp.TD, 3) + " s"});
    s.blocchi.push_back(tabella_valori({
        {"Coefficiente di amplificazione stratigrafica", "Ss", n(am.Ss, 3), ""},
        {"Coefficiente della categoria di sottosuolo", "Cc", n(sp.Cc, 3), ""},
        {"Coefficiente di amplificazione topografica", "St", n(am.St, 3), ""},
        {"Coefficiente S = Ss · St", "S", n(am.s, 3), ""},
        {"Inizio del tratto ad accelerazione costante", "TB", n(sp.TB, 3), "s"},
        {"Inizio del tratto a velocità costante", "TC", n(sp.TC, 3), "s"},
        {"Inizio del tratto a spostamento costante", "TD", n(sp.TD, 3), "s"},
        {"Accelerazione del tratto costante ag · S · F0", "Se,max", n(sp.plateau, 4), "g"},
    }));

    double massimo = 0;
    for (const auto& p : sp.punti) massimo = std::max(massimo, p.Se);
    Grafico g;
    g.titolo = "Spettro elastico orizzontale Se(T)";
    g.x = asse_con_tacche("T [s]", 0.0, 4.0, 8);
    g.y = asse_con_tacche("Se [g]", 0.0, massimo * 1.25);
    Serie se{"Se(T)", {}, kBlu, false, false};
    for (const auto& p : sp.punti) se.punti.push_back({p.T, p.Se});
    g.serie.push_back(std::move(se));
    // The floor spectrum reads the building at Tk: its line is drawn where it is not T1's, and
    // T1's line says when Tk follows it.
    // The site's spectrum shared by several panels marks only the building's T1.
    const auto* piano = del_pannello ? std::get_if<panel::SpettroPianoC7>(&d.pannello.domanda) : nullptr;
    const bool Tk_proprio = piano && piano->Tk != d.ingressi.T1;
    const std::string nome_T1 = piano && !Tk_proprio ? "T1 = Tk" : "T1";
    for (const auto& [nome, T, colore] :
         {std::tuple{nome_T1, d.ingressi.T1, kGrigio}, std::tuple{std::string("Ta"), d.pannello.Ta, kArancio}}) {
        if (!(T >= 0.0 && T <= 4.0) || (!del_pannello && nome == "Ta")) continue;
        const double Se = hazard::accelerazione_spettrale(sp, T);
        g.riferimenti.push_back({true, T, nome + " = " + n(T, 4) + " s", colore, false});
        g.marcatori.push_back(
            {{T, Se}, "Se(" + nome.substr(0, 2) + ") = " + n(Se, 4) + " g", colore, false});
    }
    if (Tk_proprio && piano->Tk >= 0.0 && piano->Tk <= 4.0) {
        g.riferimenti.push_back({true, piano->Tk, "Tk = " + n(piano->Tk, 4) + " s", kVerde, false});
        // Se(Tk, xi_k) as the floor spectrum took it: on the curve only at xi_k = 5 %.
        g.marcatori.push_back({{piano->Tk, piano->Se_Tk},
                               "Se(Tk, ξk = " + n(piano->xi, 2) + " %) = " + n(piano->Se_Tk, 4) + " g",
                               kVerde, false});
    }
    s.blocchi.push_back(std::move(g));
    return s;
}
}  // namespace redazione

namespace {

// Why the mass is shared as it is: the restraint case of the four sides, with the assumption.
std::pair<std::string, Formula> ripartizione(const RisultatoVerifica& d, const Misure& m) {
    const auto& p = d.ingressi.pannello;
    const std::string qv = n(d.pannello.quota_verticale, 4), qo = n(d.pannello.quota_orizzontale, 4);
    const std::string L = m.L(p.L), B = m.L(p.B), t = m.L(p.t);
    switch (d.pannello.caso) {
        case panel::CasoVincoli::quattro_lati: {
            const bool largo = p.B > p.L;
            return {
                "Pannello appoggiato sui quattro lati. Ipotesi di modello del programma: la massa "
                "si divide tra i due versi, e la quota che impegna il verso più corto segue "
                "l'esponenziale del rapporto dei lati scritta sotto (vale circa 0,5 per il "
                "pannello quadrato e decresce quando il pannello si allunga); il resto impegna "
                "l'altro verso.",
                largo ? Formula{"quota orizzontale = 9,151 · e^(−2,907 · B/L)    quota verticale = 1 − "
                                "quota orizzontale",
                                "quota orizzontale = 9,151 · e^(−2,907 · " + B + "/" + L + ") = " + qo +
                                    "    quota verticale = " + qv}
                      : Formula{"quota verticale = 9,151 · e^(−2,907 · L/B)    quota orizzontale = 1 − "
                                "quota verticale",
                                "quota verticale = 9,151 · e^(−2,907 · " + L + "/" + B + ") = " + qv +
                                    "    quota orizzontale = " + qo}};
        }
        case panel::CasoVincoli::superiore_e_un_lato:
            return {
                "Lato superiore appoggiato e un solo lato verticale appoggiato. Ipotesi di modello "
                "del programma: la massa lavora in verticale, tolta una striscia larga 2t presso "
                "il lato verticale appoggiato, che si assume porti la sua massa direttamente a "
                "quel lato.",
                Formula{"quota verticale = (B − 2t) / B ≥ 0    quota orizzontale = 0",
                        "quota verticale = (" + B + " − 2 · " + t + ") / " + B + " = " + qv}};
        case panel::CasoVincoli::laterali:
            return {
                "Lato superiore libero e lati verticali appoggiati. Ipotesi di modello del "
                "programma: la massa lavora in orizzontale, tolta una striscia alta 2t presso il "
                "lato inferiore, che si assume porti la sua massa direttamente alla base.",
                Formula{"quota orizzontale = (L − 2t) / L ≥ 0    quota verticale = 0",
                        "quota orizzontale = (" + L + " − 2 · " + t + ") / " + L + " = " + qo}};
        case panel::CasoVincoli::mensola:
            return {"Pannello incastrato alla sola base (mensola): tutta la massa è efficace.",
                    Formula{"quota verticale = 1    quota orizzontale = 0", ""}};
        case panel::CasoVincoli::superiore:
            break;
    }
    return {"Lati verticali liberi: tutta la massa lavora in verticale, tra i lati superiore "
            "e inferiore.",
            Formula{"quota verticale = 1    quota orizzontale = 0", ""}};
}

// The floor spectrum of C7.2.5 written out step by step, from Se(Tk, xi_k) to S_eZ(Ta).
std::vector<Formula> formule_spettro_piano(const panel::SpettroPianoC7& c, const std::string& Z,
                                           const std::string& H, const std::string& Ta,
                                           const std::string& agS) {
    const std::string Tk = n(c.Tk, 4), A = n(c.A, 4), aZ = n(c.aZ, 4), xi = n(c.xi, 2);
    std::vector<Formula> f;
    f.push_back({"Se(Tk, ξk) dallo spettro elastico del sito, η = √(10 / (5 + ξk)) ≥ 0,55",
                 "Se(" + Tk + " s" + (c.Tk_da_T1 ? " = T1" : "") + "; " + xi + " %) con η = " +
                     n(c.eta, 4) + ": Se = " + n(c.Se_Tk, 4)});
    f.push_back({"γ1 = 3n / (2n + 1)", "γ1 = 3 · " + std::to_string(c.n) + " / (2 · " +
                                           std::to_string(c.n) + " + 1) = " + n(c.gamma1, 4)});
    f.push_back({"aZ = Se(Tk, ξk) · γ1 · (Z/H) · √(1 + 0,0004 · ξk²)   (ξk in %)",
                 "aZ = " + n(c.Se_Tk, 4) + " · " + n(c.gamma1, 4) + " · (" + Z + "/" + H +
                     ") · √(1 + 0,0004 · " + xi + "²) = " + aZ});
    f.push_back({"A = 1,1 · ξk^−0,5 · η(ξa)   (ξk come rapporto; ξa = 5 %, η(ξa) = 1)",
                 "A = 1,1 · " + n(c.xi / 100.0, 4) + "^−0,5 = " + A});
    const std::string SeZ = n(c.SeZ_ramo, 4);
    switch (c.ramo) {
        case panel::RamoC7::crescente:
            f.push_back({"SeZ(Ta) = A · aZ / [1 + (A − 1) · (1 − Ta/(a · Tk))^1,6]   (Ta < a · Tk, "
                         "a = 0,8)",
                         "SeZ = " + A + " · " + aZ + " / [1 + (" + A + " − 1) · (1 − " + Ta +
                             "/(0,8 · " + Tk + "))^1,6] = " + SeZ});
            break;
        case panel::RamoC7::plateau:
            f.push_back({"SeZ(Ta) = A · aZ   (a · Tk ≤ Ta < b · Tk, a = 0,8, b = 1,1)",
                         "SeZ = " + A + " · " + aZ + " = " + SeZ});
            break;
        case panel::RamoC7::decrescente:
            f.push_back({"SeZ(Ta) = A · aZ / [1 + (A − 1) · (Ta/(b · Tk) − 1)^1,2]   (Ta ≥ b · Tk, "
                         "b = 1,1)",
                         "SeZ = " + A + " · " + aZ + " / [1 + (" + A + " − 1) · (" + Ta +
                             "/(1,1 · " + Tk + ") − 1)^1,2] = " + SeZ});
            break;
    }
    const double SeZ_Ta = std::max(c.SeZ_ramo, c.Se_Ta);
    if (c.Se_Ta > 0)
        f.push_back({"SeZ(Ta) ≥ Se(Ta, 5 %)   (Ta > Tk)",
                     "Se(" + Ta + " s; 5 %) = " + n(c.Se_Ta, 4) + (c.al_Se ? ": SeZ = " : " ≤ ") +
                         n(SeZ_Ta, 4)});
    f.push_back({"Sa = max(SeZ(Ta), ag · S)",
                 "Sa = max(" + n(SeZ_Ta, 4) + "; " + agS + ") = " + n(c.Sa, 4)});
    return f;
}

std::pair<std::vector<Formula>, std::string> formula_Sa(const RisultatoVerifica& d,
                                                        const Misure& m) {
    const auto& p = d.ingressi.pannello;
    const std::string ag = n(d.azione.ag, 4), S = n(d.azione.spettro.s, 3), Z = m.L(p.Z),
                      H = m.L(p.H), Ta = n(d.pannello.Ta, 4), T1 = n(d.ingressi.T1, 4),
                      Sa = n(d.pannello.Sa, 4);
    const std::string riferimento(panel::descrizione(d.pannello.formula()).riferimento);
    using Esito = std::pair<std::vector<Formula>, std::string>;
    return std::visit(
        panel::Overloaded{
            [&](const panel::DomandaEc8&) -> Esito {
                return {{Formula{"Sa = ag · S · [3 · (1 + Z/H) / (1 + (1 − Ta/T1)²) − 0,5] ≥ ag · S",
                                "Sa = " + ag + " · " + S + " · [3 · (1 + " + Z + "/" + H +
                                    ") / (1 + (1 − " + Ta + "/" + T1 + ")²) − 0,5] = " + Sa}},
                        riferimento};
            },
            [&](const panel::AccelerazioneC7& c7) -> Esito {
                const bool crescente = c7.ramo == panel::RamoC7::crescente;
                const std::string ap = n(c7.coefficienti.ap, 4),
                                  base = ag + " · " + S + " · (1 + " + Z + "/" + H + ") · " + ap;
                const std::string c = crescente ? "a" : "b";
                const std::string cv = n(crescente ? c7.coefficienti.a : c7.coefficienti.b, 4);
                const std::string rif = riferimento + ", con a = " + n(c7.coefficienti.a, 4) +
                                        ", b = " + n(c7.coefficienti.b, 4) + ", ap = " + ap +
                                        " (Tabella C7.2.II)";
                if (c7.ramo == panel::RamoC7::plateau)
                    return {{Formula{"Sa = ag · S · (1 + Z/H) · ap   (a · T1 ≤ Ta < b · T1)",
                                     "Sa = " + base + " = " + Sa}},
                            rif};
                return {{Formula{"Sa = ag · S · (1 + Z/H) · ap / [1 + (ap − 1) · (1 − Ta/(" + c +
                                    " · T1))²] ≥ ag · S",
                                "Sa = " + base + " / [1 + (" + ap + " − 1) · (1 − " + Ta + "/(" +
                                    cv + " · " + T1 + "))²] = " + Sa}},
                        rif};
            },
            [&](const panel::SpettroPianoC7& c) -> Esito {
                return {formule_spettro_piano(c, Z, H, Ta, n(d.azione.ag * d.azione.spettro.s, 4)),
                        riferimento + " (§ C7.2.3), con a = 0,8 e b = 1,1"};
            },
        },
        d.pannello.domanda);
}

}  // namespace

namespace redazione {
Sezione sezione_domanda(const RisultatoVerifica& d, const Misure& m) {
    const auto& p = d.ingressi.pannello;
    const std::string luce = orizzontale(d) ? "B" : "L";
    const double span = orizzontale(d) ? p.B : p.L;
    const double altro = orizzontale(d) ? p.L : p.B;
    const std::string altro_s = orizzontale(d) ? "L" : "B";
    auto [sa, riferimento] = formula_Sa(d, m);
    Sezione s{"4. Azione sismica sul pannello (NTC 2018 § 7.2.3)", {}};
    std::string metodo =
        "Il pannello è un elemento non strutturale: Fa = Sa · Wa / qa (NTC 2018 § 7.2.3), " +
        stato_limite_relazione(d) + ", con γa = 1. Per Sa le NTC 2018 "
        "ammettono documenti di comprovata validità; qui si usa " + riferimento + ".";
    metodo += panel::descrizione(d.pannello.formula()).nota;
    s.blocchi.push_back(Paragrafo{metodo});
    std::string unita = "Le formule con i valori sostituiti sono scritte in " + m.ul + ", " +
                        m.uf + " e s";
    if (!m.coerenti)
        unita += " (tensioni in " + m.ft_unita + ", pesi specifici in " + m.fg_unita + ")";
    s.blocchi.push_back(Paragrafo{unita + "."});
    s.blocchi.push_back(Formula{"W = L · B · t · γ", "W = " + m.L(p.L) + " · " + m.L(p.B) +
                                                         " · " + m.L(p.t) + " · " + m.G(p.gamma) +
                                                         " = " + m.F(d.pannello.W) + " " + m.uf});
    auto [perche, quote] = ripartizione(d, m);
    s.blocchi.push_back(Paragrafo{perche});
    s.blocchi.push_back(std::move(quote));
    const bool mensola = std::holds_alternative<panel::Mensola>(d.pannello.resistenza);
    s.blocchi.push_back(
        mensola ? Paragrafo{"Ripartizione massa: mensola. Il pannello lavora a mensola, incastrato "
                            "alla base (luce L)."}
                : Paragrafo{"Ripartizione massa verticale / orizzontale = " +
                            n(d.pannello.perc_verticale, 1) + " / " +
                            n(d.pannello.perc_orizzontale, 1) + " %. Il pannello lavora " +
                            (orizzontale(d)
                                 ? "in orizzontale, tra i lati verticali (luce B)."
                                 : "in verticale, tra i lati superiore e inferiore (luce L).")});
    const double quota = orizzontale(d) ? d.pannello.quota_orizzontale : d.pannello.quota_verticale;
    s.blocchi.push_back(Formula{"Wa = quota · W", "Wa = " + n(quota, 4) + " · " + m.F(d.pannello.W) +
                                                      " = " + m.F(d.pannello.Wa) + " " + m.uf});
    const double J = d.pannello.J * std::pow(m.fl, 4);
    s.blocchi.push_back(Formula{"J = t³ · " + altro_s + " / 12",
                                "J = " + m.L(p.t) + "³ · " + m.L(altro) + " / 12 = " + sig(J, 8) +
                                    " " + m.ul + "⁴"});
    s.blocchi.push_back(
        mensola
            ? Formula{"Ta = (2π / 1,8751²) · L² · √(m / (E · J)),   m = γ · t · B / g   (g = " +
                          m.g() + " " + m.ul + "/s²)",
                      "Ta = (2π / 1,8751²) · " + m.L(p.L) + "² · √((" + m.G(p.gamma) + " · " +
                          m.L(p.t) + " · " + m.L(p.B) + " / " + m.g() + ") / (" + m.S(p.E, 2) +
                          " · " + sig(J, 8) + ")) = " + n(d.pannello.Ta, 4) + " s"}
            : Formula{"Ta = √(Wa · " + luce + "³ / (E · J · g)) / 1,5708   (g = " + m.g() + " " +
                          m.ul + "/s²)",
                      "Ta = √(" + m.F(d.pannello.Wa) + " · " + m.L(span) + "³ / (" +
                          m.S(p.E, 2) + " · " + sig(J, 8) + " · " + m.g() + ")) / 1,5708 = " +
                          n(d.pannello.Ta, 4) + " s"});
    for (Formula& f : sa) s.blocchi.push_back(std::move(f));
    if (const auto* piano = std::get_if<panel::SpettroPianoC7>(&d.pannello.domanda))
        s.blocchi.push_back(Paragrafo{
            "Lettura del programma: ξk è un rapporto in A (ξk = " + n(piano->xi / 100, 4) +
            ", A = " + n(piano->A, 4) + ") e un valore in per cento sotto la radice di aZ. "
            "Letto in per cento anche in A, 1,1 · ξk^−0,5 darebbe A < 1 per ogni smorzamento "
            "usuale (con ξk = 5: A = 0,49), cioè uno spettro di piano al plateau minore "
            "dell'accelerazione di piano che la stessa formula ha in Ta = 0, contro il senso "
            "dell'amplificazione che la [C7.2.5] descrive."});
    if (d.pannello.al_minimo())
        s.blocchi.push_back(
            Paragrafo{"La formula dà meno di ag · S: Sa = ag · S = " + n(d.pannello.Sa, 4) + "."});
    s.blocchi.push_back(Formula{"Fa = Sa · Wa / qa", "Fa = " + n(d.pannello.Sa, 4) + " · " +
                                                         m.F(d.pannello.Wa) + " / " + n(p.qa, 4) +
                                                         " = " + m.F(d.pannello.Fa) + " " + m.uf});
    s.blocchi.push_back(tabella_valori({
        {"Peso del pannello", "W", m.forza(d.pannello.W), m.uf},
        {"Luce di calcolo", luce, m.lunghezza(span), m.ul},
        {"Peso efficace", "Wa", m.forza(d.pannello.Wa), m.uf},
        {"Momento d'inerzia della sezione", "J", sig(J, 8), m.ul + "⁴"},
        {"Periodo proprio del pannello", "Ta", n(d.pannello.Ta, 4), "s"},
        {"Accelerazione sul pannello in rapporto a g (adimensionale)", "Sa", n(d.pannello.Sa, 4), ""},
        {"Fattore di struttura", "qa", n(p.qa, 4), ""},
        {"Forza orizzontale sul pannello", "Fa", m.forza(d.pannello.Fa), m.uf},
    }));
    return s;
}
}  // namespace redazione

Documento costruisci_relazione(const RisultatoVerifica& d, const ContestoRelazione& c) {
    const Misure m{c.unita};
    Documento doc;
    doc.intestazione = intestazione_relazione(d.ingressi.sito, d.ingressi.datum, c);
    doc.titolo = "RELAZIONE DI CALCOLO";
    doc.sottotitolo = "Verifica fuori piano di un pannello murario sotto azione sismica";
    doc.sezioni.push_back(sezione_dati(d, m));
    doc.sezioni.push_back(sezione_pericolosita(d));
    doc.sezioni.push_back(sezione_spettro(d, true));
    doc.sezioni.push_back(sezione_domanda(d, m));
    doc.sezioni.push_back(sezione_resistenza(d, m));
    doc.sezioni.push_back(sezione_esito(d, m));
    doc.sezioni.push_back(sezione_norme({&d}, m));
    doc.sezioni.push_back(sezione_origine(c, 8, 11, 12));
    doc.sezioni.push_back(sezione_tipo());
    doc.sezioni.push_back(sezione_campo());
    doc.sezioni.push_back(sezione_controlli(d, m));
    doc.sezioni.push_back(sezione_giudizio(c, 12));
    return doc;
}

}  // namespace tv::relazione
