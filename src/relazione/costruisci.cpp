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
#include "panel/curva_arco.h"
#include "relazione/redazione.h"

namespace tv::relazione {

namespace {

using namespace redazione;

// Green and red of the window's verdict label; blue and orange for the plots.
constexpr Rgb kVerde{0, 128, 0};
constexpr Rgb kRosso{255, 0, 0};
constexpr Rgb kBlu{0, 70, 160};
constexpr Rgb kArancio{220, 110, 0};
constexpr Rgb kGrigio{90, 90, 90};

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
        if (r.tabella != tabella) continue;
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
    s.blocchi.push_back(Paragrafo{"Pannello", true});
    s.blocchi.push_back(tabella_valori(righe_ingresso(d, m, form::TabellaRelazione::pannello)));

    s.blocchi.push_back(Paragrafo{"Vincoli dei quattro lati", true});
    Tabella v;
    v.intestazioni = {"Lato", "Vincolo"};
    v.allineamenti = {Allineamento::sinistra, Allineamento::sinistra};
    v.larghezze = {0.25, 0.25};
    v.righe = {{"Superiore", vincolo(d.ingressi.pannello.vincoli.top)},
               {"Sinistro", vincolo(d.ingressi.pannello.vincoli.left)},
               {"Inferiore", vincolo(true)},
               {"Destro", vincolo(d.ingressi.pannello.vincoli.right)}};
    s.blocchi.push_back(std::move(v));
    s.blocchi.push_back(DisegnoVincoli{d.ingressi.pannello.vincoli.top, d.ingressi.pannello.vincoli.left, true,
                                       d.ingressi.pannello.vincoli.right, d.ingressi.pannello.B, d.ingressi.pannello.L,
                                       "B = " + m.lunghezza(d.ingressi.pannello.B) + " " + m.ul,
                                       "L = " + m.lunghezza(d.ingressi.pannello.L) + " " + m.ul});
    return s;
}

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

Sezione sezione_pericolosita(const RisultatoVerifica& d) {
    const form::AzioneSito& a = d.azione;
    Sezione s{"2. Pericolosità sismica del sito", {}};
    s.blocchi.push_back(Paragrafo{
        "Pericolosità sismica di base degli Allegati A e B delle NTC 2008 (D.M. 14/01/2008), ai "
        "quali rimandano le NTC 2018 § 3.2, allo stato limite di salvaguardia della vita (SLV). "
        "Le coordinate del reticolo di riferimento sono nel sistema ED50."});
    const auto& sito = d.ingressi.sito;
    if (a.VN_Cu < a.VR) {
        // Below 35 years the reference period is taken as 35 years.
        s.blocchi.push_back(Formula{"VR = max(VN · Cu; 35 anni)   (NTC 2018 § 2.4.3)",
                                    "VR = max(" + n(sito.VN, 4) + " · " + n(sito.Cu, 4) + " = " +
                                        n(a.VN_Cu, 4) + "; 35) = " + n(a.VR, 4) + " anni"});
        s.blocchi.push_back(Paragrafo{"Applicato il minimo VR = 35 anni (NTC 2018 § 2.4.3)."});
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
        s.blocchi.push_back(Paragrafo{
            "I quattro nodi del reticolo che circondano il sito, con pesi proporzionali "
            "all'inverso della distanza:"});
        Tabella t;
        t.intestazioni = {"Nodo",           "Codice",        "Longitudine [°]",
                          "Latitudine [°]", "Distanza [km]", "Peso"};
        t.allineamenti = {Allineamento::sinistra, Allineamento::destra, Allineamento::destra,
                          Allineamento::destra,   Allineamento::destra, Allineamento::destra};
        t.larghezze = {0.10, 0.14, 0.20, 0.20, 0.18, 0.18};
        static constexpr const char* kNomi[4] = {"SW", "SE", "NE", "NW"};
        const auto& nodi = std::get<form::OrigineGriglia>(a.origine).nodi;
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

Sezione sezione_spettro(const RisultatoVerifica& d) {
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
    for (const auto& [nome, T, colore] :
         {std::tuple{"T1", d.ingressi.T1, kGrigio}, std::tuple{"Ta", d.pannello.Ta, kArancio}}) {
        if (!(T >= 0.0 && T <= 4.0)) continue;
        const double Se = hazard::accelerazione_spettrale(sp, T);
        g.riferimenti.push_back(
            {true, T, std::string(nome) + " = " + n(T, 4) + " s", colore, false});
        g.marcatori.push_back(
            {{T, Se}, "Se(" + std::string(nome) + ") = " + n(Se, 4) + " g", colore, false});
    }
    s.blocchi.push_back(std::move(g));
    return s;
}

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

std::pair<Formula, std::string> formula_Sa(const RisultatoVerifica& d, const Misure& m) {
    const auto& p = d.ingressi.pannello;
    const std::string ag = n(d.azione.ag, 4), S = n(d.azione.spettro.s, 3), Z = m.L(p.Z),
                      H = m.L(p.H), Ta = n(d.pannello.Ta, 4), T1 = n(d.ingressi.T1, 4),
                      Sa = n(d.pannello.Sa, 4);
    const std::string riferimento(panel::descrizione(d.pannello.formula()).riferimento);
    using Esito = std::pair<Formula, std::string>;
    return std::visit(
        panel::Overloaded{
            [&](const panel::DomandaEc8&) -> Esito {
                return {Formula{"Sa = ag · S · [3 · (1 + Z/H) / (1 + (1 − Ta/T1)²) − 0,5] ≥ ag · S",
                                "Sa = " + ag + " · " + S + " · [3 · (1 + " + Z + "/" + H +
                                    ") / (1 + (1 − " + Ta + "/" + T1 + ")²) − 0,5] = " + Sa},
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
                    return {Formula{"Sa = α · S · (1 + z/H) · ap   (a · T1 ≤ Ta < b · T1)",
                                    "Sa = " + base + " = " + Sa},
                            rif};
                return {Formula{"Sa = α · S · (1 + z/H) · ap / [1 + (ap − 1) · (1 − Ta/(" + c +
                                    " · T1))²] ≥ α · S",
                                "Sa = " + base + " / [1 + (" + ap + " − 1) · (1 − " + Ta + "/(" +
                                    cv + " · " + T1 + "))²] = " + Sa},
                        rif};
            },
        },
        d.pannello.domanda);
}

Sezione sezione_domanda(const RisultatoVerifica& d, const Misure& m) {
    const auto& p = d.ingressi.pannello;
    const std::string luce = orizzontale(d) ? "B" : "L";
    const double span = orizzontale(d) ? p.B : p.L;
    const double altro = orizzontale(d) ? p.L : p.B;
    const std::string altro_s = orizzontale(d) ? "L" : "B";
    auto [sa, riferimento] = formula_Sa(d, m);
    Sezione s{"4. Azione sismica sul pannello (NTC 2018 § 7.2.3)", {}};
    std::string metodo =
        "Il pannello è un elemento non strutturale: Fa = Sa · Wa / qa (NTC 2018 § 7.2.3), allo "
        "stato limite di salvaguardia della vita (SLV), con γa = 1. Per Sa le NTC 2018 "
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
    s.blocchi.push_back(std::move(sa));
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
        {"Momento d'inerzia della sezione", "J", n(J, 2), m.ul + "⁴"},
        {"Periodo proprio del pannello", "Ta", n(d.pannello.Ta, 4), "s"},
        {"Accelerazione sul pannello in rapporto a g (adimensionale)", "Sa", n(d.pannello.Sa, 4), ""},
        {"Fattore di struttura", "qa", n(p.qa, 4), ""},
        {"Forza orizzontale sul pannello", "Fa", m.forza(d.pannello.Fa), m.uf},
    }));
    return s;
}

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
        {"Tensione critica di instabilità", "σcr", fx(arco.sigmacrit * ft, 2), m.ut},
        {"Inflessione sotto carico laterale di progetto", "f", n(arco.deltafreccia * 10.0, 2), "mm"},
        {"Pressione laterale di progetto", "qd", m.tensione(arco.qd, 6), m.ut},
        {"Coefficiente di inflessione laterale", "K1", fx(arco.K1, 3), ""},
        {"Coefficiente di instabilità", "K2", fx(arco.K2, 3), ""},
    }));
    const std::string t_su_l = "(" + m.L(p.t) + "/" + m.L(span) + ")²";
    if (arco.instabilita) {
        s.blocchi.push_back(Paragrafo{
            "La tensione critica di instabilità è minore di fd: governa l'instabilità dell'arco "
            "(pressione di progetto qd = qcrit)."});
        s.blocchi.push_back(Formula{"K2 = σcr / fd    K1 = qd / ((t/" + luce + ")² · σcr)",
                                    "K2 = " + m.S(arco.sigmacrit) + " / " + m.S(p.fd) + " = " +
                                        fx(arco.K2, 3) + "    K1 = " + m.Sq(arco.qd) + " / (" +
                                        t_su_l + " · " + m.S(arco.sigmacrit) + ") = " +
                                        fx(arco.K1, 3)});
    } else {
        s.blocchi.push_back(Paragrafo{
            "La tensione dell'arco raggiunge fd prima della pressione massima: governa la "
            "resistenza a compressione (K2 = 1, qd alla tensione fd)."});
        s.blocchi.push_back(Formula{"K2 = 1    K1 = qd / ((t/" + luce + ")² · fd)",
                                    "K1 = " + m.Sq(arco.qd) + " / (" + t_su_l + " · " + m.S(p.fd) +
                                        ") = " + fx(arco.K1, 3)});
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
    if (e.snellezza > 25.0)
        s.blocchi.push_back(Paragrafo{
            "Nota: la/t = " + n(e.snellezza, 1) +
            " > 25: pannello snello oltre il limite assunto per il confronto; la (6.25) e il "
            "modello del programma vanno letti con cautela."});
    return s;
}

// The cantilever: overturning about the base edge, no tensile strength, stress block 0.85 fd.
Sezione sezione_mensola(const RisultatoVerifica& d, const panel::Mensola& k, const Misure& m) {
    const panel::DatiPannello& p = d.ingressi.pannello;
    Sezione s{"5. Resistenza a ribaltamento della mensola (NTC 2018 § 7.8.2.2.3)", {}};
    s.blocchi.push_back(Paragrafo{
        "Pannello incastrato alla sola base (mensola): ruota attorno allo spigolo di base senza "
        "resistenza a trazione, con la zona compressa a tensione 0,85 · fd. Il momento resistente "
        "è dato come forza a metà altezza."});
    const std::string M = n(k.M_Rd * m.ff * m.fl, 2) + " " + m.uf + "·" + m.ul;
    s.blocchi.push_back(Formula{"N = W    σ0 = N / (B · t)",
                                "N = " + m.F(k.N) + " " + m.uf + "    σ0 = " + m.F(k.N) + " / (" +
                                    m.L(p.B) + " · " + m.L(p.t) + ") = " + m.Sq(k.sigma0) + " " +
                                    m.ft_unita});
    s.blocchi.push_back(Formula{"M_Rd = N · (t/2) · (1 − σ0 / (0,85 · fd))",
                                "M_Rd = " + m.F(k.N) + " · (" + m.L(p.t) + "/2) · (1 − " +
                                    m.Sq(k.sigma0) + " / (0,85 · " + m.S(p.fd) + ")) = " + M});
    s.blocchi.push_back(Formula{"Rlat = 2 · M_Rd / L",
                                "Rlat = 2 · " + n(k.M_Rd * m.ff * m.fl, 2) + " / " + m.L(p.L) +
                                    " = " + m.F(d.pannello.Rlat) + " " + m.uf});
    s.blocchi.push_back(tabella_valori({
        {"Sforzo normale alla base", "N", m.forza(k.N), m.uf},
        {"Tensione media alla base", "σ0", m.tensione(k.sigma0, 6), m.ut},
        {"Tensione del blocco compresso", "0,85 fd", m.tensione(k.fd_blocco, 4), m.ut},
        {"Momento resistente alla base", "M_Rd", n(k.M_Rd * m.ff * m.fl, 2), m.uf + "·" + m.ul},
        {"Resistenza laterale a metà altezza", "Rlat", m.forza(d.pannello.Rlat), m.uf},
    }));
    return s;
}

Sezione sezione_resistenza(const RisultatoVerifica& d, const Misure& m) {
    return std::visit(
        panel::Overloaded{[&](const panel::Freccia& a) { return sezione_arco(d, a, m); },
                          [&](const panel::Mensola& k) { return sezione_mensola(d, k, m); }},
        d.pannello.resistenza);
}

Sezione sezione_esito(const RisultatoVerifica& d, const Misure& m) {
    Sezione s{"6. Esito della verifica", {}};
    const std::string rapporto = d.pannello.Fa == 0.0 ? "nessuna azione sul pannello" : n(d.pannello.Rlat / d.pannello.Fa, 3);
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

}  // namespace

Documento costruisci_relazione(const RisultatoVerifica& d, const ContestoRelazione& c) {
    const Misure m{c.unita};
    Documento doc;
    doc.intestazione.programma = c.programma;
    doc.intestazione.versione = c.versione;
    doc.intestazione.lavoro = c.lavoro;
    doc.intestazione.coordinate =
        "Long. " + n(d.ingressi.sito.lon, 6) + "°  Lat. " + n(d.ingressi.sito.lat, 6) + "°";
    switch (d.ingressi.datum) {
        case hazard::Datum::ed50:
            doc.intestazione.coordinate += " (ED50)";
            break;
        case hazard::Datum::wgs84:
            doc.intestazione.coordinate += " (WGS84)";
            break;
    }
    doc.intestazione.localita = c.localita.value_or("");
    doc.intestazione.data = c.data;
    std::string progettista = c.dati.progettista;
    if (!c.dati.ordine.empty()) progettista += (progettista.empty() ? "" : ", ") + c.dati.ordine;
    for (const auto& [etichetta, valore] :
         {std::pair{"Committente", c.dati.committente}, {"Opera", c.dati.opera},
          {"Indirizzo", c.dati.indirizzo}, {"Progettista", progettista}, {"Note", c.dati.note}})
        if (!valore.empty()) doc.intestazione.dati_lavoro.emplace_back(etichetta, valore);
    if (d.ingressi.sito_iniziale) doc.intestazione.avviso_sito = form::kSitoIniziale;
    doc.titolo = "RELAZIONE DI CALCOLO";
    doc.sottotitolo = "Verifica fuori piano di un pannello murario sotto azione sismica";
    doc.sezioni.push_back(sezione_dati(d, m));
    doc.sezioni.push_back(sezione_pericolosita(d));
    doc.sezioni.push_back(sezione_spettro(d));
    doc.sezioni.push_back(sezione_domanda(d, m));
    doc.sezioni.push_back(sezione_resistenza(d, m));
    doc.sezioni.push_back(sezione_esito(d, m));
    for (Sezione& s : sezioni_dichiarazione(d, c, m)) doc.sezioni.push_back(std::move(s));
    return doc;
}

}  // namespace tv::relazione
