// Builds the calculation report of one check as data: title block, inputs, site hazard, elastic
// spectrum, demand, arching resistance, verdict and the method, every number with a comma.
#include "relazione/documento.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>
#include <variant>

#include "form/testi.h"
#include "hazard/spettro_elastico.h"
#include "panel/curva_arco.h"
#include "text/number_text.h"

namespace tv::relazione {

namespace {

const text::NumberFormat kItaliano{",", "."};

// Green and red of the window's verdict label; blue and orange for the plots.
constexpr Colore kVerde{0, 128, 0};
constexpr Colore kRosso{255, 0, 0};
constexpr Colore kBlu{0, 70, 160};
constexpr Colore kArancio{220, 110, 0};
constexpr Colore kGrigio{90, 90, 90};

// Rounded half to even without trailing zeros, as the window writes its results.
std::string n(double x, int decimali) {
    return text::rounded(x, decimali, kItaliano);
}
// Always `decimali` decimals, as the window writes K1, K2 and the critical stress.
std::string fx(double x, int decimali) {
    return text::fixed(x, decimali, kItaliano);
}

// The subsoil category's letter, as the report and the spectrum name it.
std::string lettera_suolo(const RisultatoVerifica& r) {
    return std::string(1, static_cast<char>('A' + static_cast<int>(r.azione.spettro.suolo)));
}

bool orizzontale(const RisultatoVerifica& r) {
    return r.pannello.direzione == panel::Direzione::orizzontale;
}

std::string vincolo(bool appoggiato) {
    return appoggiato ? "Appoggiato" : "Libero";
}

Tabella tabella_valori(std::vector<std::vector<std::string>> righe) {
    Tabella t;
    t.intestazioni = {"Grandezza", "Simbolo", "Valore", "Unità"};
    t.allineamenti = {Allineamento::sinistra, Allineamento::sinistra, Allineamento::destra,
                      Allineamento::sinistra};
    t.larghezze = {0.52, 0.14, 0.16, 0.18};
    t.righe = std::move(righe);
    return t;
}

// The report quotes lengths, forces, specific weights and stresses in the job's work units.
struct Misure {
    const units::Unita& u;
    std::string lunghezza(double cm, int dec = 2) const { return n(cm * u.fattore_lunghezze, dec); }
    std::string forza(double daN) const { return n(daN * u.fattore_forze, 2); }
    std::string tensione(double x, int dec = 2) const { return n(x * u.fattore_tensioni, dec); }
    std::string peso_specifico(double x) const { return n(x * u.fattore_pesi_specifici, 8); }
};

Sezione sezione_dati(const RisultatoVerifica& d, const Misure& m) {
    const auto& u = m.u;
    Sezione s{"1. Dati di ingresso", {}};
    s.blocchi.push_back(Paragrafo{"Sito e costruzione", true});
    std::vector<std::vector<std::string>> sito = {
        {"Sistema di riferimento delle coordinate", "datum",
         std::string(hazard::nomi_datum(d.ingressi.datum).nome), ""},
        {"Longitudine", "lon", n(d.ingressi.sito.lon, 6), "°"},
        {"Latitudine", "lat", n(d.ingressi.sito.lat, 6), "°"},
    };
    // The grid is ED50: coordinates typed in another datum are given as moved there.
    switch (d.ingressi.datum) {
        case hazard::Datum::ed50:
            break;
        case hazard::Datum::wgs84:
            sito.push_back(
                {"Longitudine ED50 usata per il reticolo", "lon ED50", n(d.ed50.lon, 6), "°"});
            sito.push_back(
                {"Latitudine ED50 usata per il reticolo", "lat ED50", n(d.ed50.lat, 6), "°"});
            break;
    }
    sito.insert(sito.end(), {
        {"Vita nominale", "VN", n(d.ingressi.sito.VN, 4), "anni"},
        {"Coefficiente d'uso", "Cu", n(d.ingressi.sito.Cu, 4), ""},
        {"Probabilità di superamento nel periodo di riferimento", "PVR", n(d.ingressi.sito.PVR, 4), "%"},
        {"Categoria di sottosuolo", "", lettera_suolo(d), ""},
        {"Coefficiente di amplificazione topografica", "St", n(d.azione.spettro.St, 3), ""},
        {"Periodo proprio dell'edificio", "T1", n(d.ingressi.T1, 4), "s"},
        {"Fattore di struttura del pannello", "qa", n(d.ingressi.pannello.qa, 4), ""},
    });
    s.blocchi.push_back(tabella_valori(sito));
    s.blocchi.push_back(Paragrafo{"Pannello", true});
    s.blocchi.push_back(tabella_valori({
        {"Lunghezza in pianta", "B", m.lunghezza(d.ingressi.pannello.B), u.unita_lunghezze},
        {"Altezza", "L", m.lunghezza(d.ingressi.pannello.L), u.unita_lunghezze},
        {"Spessore", "t", m.lunghezza(d.ingressi.pannello.t), u.unita_lunghezze},
        {"Peso specifico", "γ", m.peso_specifico(d.ingressi.pannello.gamma), u.unita_pesi_specifici},
        {"Resistenza di progetto a compressione", "fd", m.tensione(d.ingressi.pannello.fd, 4), u.unita_tensioni},
        {"Modulo elastico", "E", m.tensione(d.ingressi.pannello.E, 2), u.unita_tensioni},
        {"Quota del baricentro dalla fondazione", "Z", m.lunghezza(d.ingressi.pannello.Z), u.unita_lunghezze},
        {"Altezza dell'edificio", "H", m.lunghezza(d.ingressi.pannello.H), u.unita_lunghezze},
    }));
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
                                       "B = " + m.lunghezza(d.ingressi.pannello.B) + " " + u.unita_lunghezze,
                                       "L = " + m.lunghezza(d.ingressi.pannello.L) + " " + u.unita_lunghezze});
    return s;
}

Sezione sezione_pericolosita(const RisultatoVerifica& d) {
    Sezione s{"2. Pericolosità sismica del sito", {}};
    if (const auto* isola = std::get_if<form::OrigineIsola>(&d.azione.origine)) {
        s.blocchi.push_back(Paragrafo{
            "Il sito è fuori dal reticolo di riferimento e ricade nelle isole della Tabella 2 "
            "dell'Allegato B: gruppo " +
            std::string(isola->gruppo) + ", zona " + std::string(isola->zona) +
            ". Si usano i valori del gruppo ai nove periodi di ritorno."});
    } else {
        s.blocchi.push_back(Paragrafo{
            "Valori ai quattro nodi del reticolo di riferimento che circondano il sito, mediati "
            "con pesi proporzionali all'inverso della distanza."});
        Tabella t;
        t.intestazioni = {"Nodo",           "Codice",        "Longitudine [°]",
                          "Latitudine [°]", "Distanza [km]", "Peso"};
        t.allineamenti = {Allineamento::sinistra, Allineamento::destra, Allineamento::destra,
                          Allineamento::destra,   Allineamento::destra, Allineamento::destra};
        t.larghezze = {0.10, 0.14, 0.20, 0.20, 0.18, 0.18};
        static constexpr const char* kNomi[4] = {"SW", "SE", "NE", "NW"};
        const auto& nodi = std::get<form::OrigineGriglia>(d.azione.origine).nodi;
        for (std::size_t i = 0; i < nodi.size(); ++i) {
            const form::Nodo& nodo = nodi[i];
            t.righe.push_back({kNomi[i], std::to_string(nodo.codice), fx(nodo.lon, 3),
                               fx(nodo.lat, 3), fx(nodo.distanza_km, 3), fx(nodo.peso, 4)});
        }
        s.blocchi.push_back(std::move(t));
    }
    const auto& sito = d.ingressi.sito;
    if (d.azione.VN_Cu < d.azione.VR) {
        // NTC 2008 § 2.4.3: below 35 years the reference life is taken as 35 years.
        s.blocchi.push_back(Formula{"VR = max(VN · Cu; 35 anni)",
                                    "VR = max(" + n(sito.VN, 4) + " · " + n(sito.Cu, 4) + " = " +
                                        n(d.azione.VN_Cu, 4) + "; 35) = " + n(d.azione.VR, 4) +
                                        " anni"});
        s.blocchi.push_back(Paragrafo{"Applicato il minimo VR = 35 anni (NTC 2008 § 2.4.3)."});
    } else {
        s.blocchi.push_back(Formula{"VR = VN · Cu", "VR = " + n(sito.VN, 4) + " · " +
                                                        n(sito.Cu, 4) + " = " + n(d.azione.VR, 4) +
                                                        " anni"});
    }
    s.blocchi.push_back(Formula{"TR = −VR / ln(1 − PVR)", "TR = −" + n(d.azione.VR, 4) +
                                                              " / ln(1 − " +
                                                              n(sito.PVR / 100.0, 6) + ") = " +
                                                              n(d.azione.TR, 0) + " anni"});
    s.blocchi.push_back(tabella_valori({
        {"Periodo di riferimento", "VR", n(d.azione.VR, 4), "anni"},
        {"Probabilità di superamento", "PVR", n(d.ingressi.sito.PVR, 4), "%"},
        {"Periodo di ritorno", "TR", n(d.azione.TR, 0), "anni"},
        {"Periodi di ritorno tabulati che lo comprendono", "TR1 – TR2",
         n(d.azione.TR_inf, 0) + " – " + n(d.azione.TR_sup, 0), "anni"},
        {"Accelerazione orizzontale massima su roccia", "ag", n(d.azione.ag, 4), "g"},
        {"Amplificazione spettrale massima", "F0", n(d.azione.F0, 3), ""},
        {"Periodo di inizio del tratto a velocità costante", "Tc*", n(d.azione.Tc, 3), "s"},
        {"Categoria di sottosuolo", "", lettera_suolo(d), ""},
        {"Coefficiente di amplificazione stratigrafica", "Ss", n(d.azione.spettro.Ss, 3), ""},
        {"Coefficiente di amplificazione topografica", "St", n(d.azione.spettro.St, 3), ""},
        {"Coefficiente S = Ss · St", "S", n(d.azione.spettro.s, 3), ""},
    }));
    return s;
}

Sezione sezione_spettro(const RisultatoVerifica& d) {
    const hazard::SpettroElastico sp = hazard::spettro_elastico(d.azione.ag, d.azione.F0, d.azione.Tc, d.azione.spettro.s, lettera_suolo(d));
    Sezione s{"3. Spettro di risposta elastico", {}};
    s.blocchi.push_back(Paragrafo{
        "Spettro elastico in accelerazione della componente orizzontale (NTC 2008 § 3.2.3.2.1), "
        "smorzamento 5 %, η = 1."});
    s.blocchi.push_back(Formula{"TC = Cc · Tc*    TB = TC / 3    TD = 4,0 · ag/g + 1,6",
                                "TC = " + n(sp.Cc, 3) + " · " + n(d.azione.Tc, 3) + " = " +
                                    n(sp.TC, 3) + " s    TB = " + n(sp.TB, 3) +
                                    " s    TD = " + n(sp.TD, 3) + " s"});
    s.blocchi.push_back(tabella_valori({
        {"Coefficiente della categoria di sottosuolo", "Cc", n(sp.Cc, 3), ""},
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

// Why the mass is shared as it is: the restraint case of the four sides.
std::pair<std::string, Formula> ripartizione(const RisultatoVerifica& d) {
    const bool sup = d.ingressi.pannello.vincoli.top, sx = d.ingressi.pannello.vincoli.left, dx = d.ingressi.pannello.vincoli.right;
    const std::string qv = n(d.pannello.quota_verticale, 4), qo = n(d.pannello.quota_orizzontale, 4);
    const std::string L = n(d.ingressi.pannello.L, 4), B = n(d.ingressi.pannello.B, 4), t = n(d.ingressi.pannello.t, 4);
    if (sup && sx && dx) {
        const bool largo = d.ingressi.pannello.B > d.ingressi.pannello.L;
        return {
            "Pannello appoggiato sui quattro lati: la quota del verso più corto segue "
            "l'esponenziale del rapporto dei lati.",
            largo ? Formula{"quota orizzontale = 9,151 · e^(−2,907 · B/L)    quota verticale = 1 − "
                            "quota orizzontale",
                            "quota orizzontale = 9,151 · e^(−2,907 · " + B + "/" + L + ") = " + qo +
                                "    quota verticale = " + qv}
                  : Formula{"quota verticale = 9,151 · e^(−2,907 · L/B)    quota orizzontale = 1 − "
                            "quota verticale",
                            "quota verticale = 9,151 · e^(−2,907 · " + L + "/" + B + ") = " + qv +
                                "    quota orizzontale = " + qo}};
    }
    if (sup && (sx != dx))
        return {
            "Lato superiore appoggiato e un solo lato verticale appoggiato: la massa si "
            "ripartisce in verticale, tolte due volte lo spessore.",
            Formula{"quota verticale = (B − 2t) / B ≥ 0    quota orizzontale = 0",
                    "quota verticale = (" + B + " − 2 · " + t + ") / " + B + " = " + qv}};
    if (!sup && sx && dx)
        return {
            "Lato superiore libero e lati verticali appoggiati: la massa si ripartisce in "
            "orizzontale, tolte due volte lo spessore.",
            Formula{"quota orizzontale = (L − 2t) / L ≥ 0    quota verticale = 0",
                    "quota orizzontale = (" + L + " − 2 · " + t + ") / " + L + " = " + qo}};
    if (!sup)
        return {"Pannello incastrato alla sola base (mensola): tutta la massa è efficace.",
                Formula{"quota verticale = 1    quota orizzontale = 0", ""}};
    return {"Lati verticali liberi: tutta la massa si ripartisce in verticale.",
            Formula{"quota verticale = 1    quota orizzontale = 0", ""}};
}

std::pair<Formula, std::string> formula_Sa(const RisultatoVerifica& d) {
    const std::string ag = n(d.azione.ag, 4), S = n(d.azione.spettro.s, 3), Z = n(d.ingressi.pannello.Z, 4), H = n(d.ingressi.pannello.H, 4), Ta = n(d.pannello.Ta, 4),
                      T1 = n(d.ingressi.T1, 4), Sa = n(d.pannello.Sa, 4);
    if (d.formula == FormulaDomanda::ec8)
        return {Formula{"Sa = ag · S · [3 · (1 + Z/H) / (1 + (1 − Ta/T1)²) − 0,5] ≥ ag · S",
                        "Sa = " + ag + " · " + S + " · [3 · (1 + " + Z + "/" + H +
                            ") / (1 + (1 − " + Ta + "/" + T1 + ")²) − 0,5] = " + Sa},
                "EC8 § 4.3.5.2"};
    const panel::AccelerazioneC7& c7 = *d.pannello.c7;
    const bool crescente = c7.ramo == panel::RamoC7::crescente;
    const std::string ap = n(c7.coefficienti.ap, 4),
                      base = ag + " · " + S + " · (1 + " + Z + "/" + H + ") · " + ap;
    const std::string c = crescente ? "a" : "b";
    const std::string cv = n(crescente ? c7.coefficienti.a : c7.coefficienti.b, 4);
    const std::string rif = "Circolare 2019 [C7.2.11], a = " + n(c7.coefficienti.a, 4) +
                            ", b = " + n(c7.coefficienti.b, 4) + ", ap = " + ap +
                            " (Tabella C7.2.II)";
    if (c7.ramo == panel::RamoC7::plateau)
        return {Formula{"Sa = α · S · (1 + z/H) · ap   (a · T1 ≤ Ta < b · T1)",
                        "Sa = " + base + " = " + Sa},
                rif};
    return {
        Formula{"Sa = α · S · (1 + z/H) · ap / [1 + (ap − 1) · (1 − Ta/(" + c + " · T1))²] ≥ α · S",
                "Sa = " + base + " / [1 + (" + ap + " − 1) · (1 − " + Ta + "/(" + cv + " · " + T1 +
                    "))²] = " + Sa},
        rif};
}

Sezione sezione_domanda(const RisultatoVerifica& d, const Misure& m) {
    const auto& u = m.u;
    const std::string luce = orizzontale(d) ? "B" : "L";
    const double span = orizzontale(d) ? d.ingressi.pannello.B : d.ingressi.pannello.L;
    const double altro = orizzontale(d) ? d.ingressi.pannello.L : d.ingressi.pannello.B;
    const std::string altro_s = orizzontale(d) ? "L" : "B";
    auto [sa, riferimento] = formula_Sa(d);
    Sezione s{"4. Azione sismica sul pannello (" + riferimento + ")", {}};
    s.blocchi.push_back(
        Paragrafo{"Le formule con i valori sostituiti sono scritte in cm, daN, s."});
    s.blocchi.push_back(Formula{"W = L · B · t · γ", "W = " + n(d.ingressi.pannello.L, 4) + " · " + n(d.ingressi.pannello.B, 4) +
                                                         " · " + n(d.ingressi.pannello.t, 4) + " · " + n(d.ingressi.pannello.gamma, 8) +
                                                         " = " + n(d.pannello.W, 2) + " daN"});
    auto [perche, quote] = ripartizione(d);
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
    s.blocchi.push_back(Formula{
        "Wa = quota · W", "Wa = " + n(quota, 4) + " · " + n(d.pannello.W, 2) + " = " + n(d.pannello.Wa, 2) + " daN"});
    s.blocchi.push_back(
        Formula{"J = t³ · " + altro_s + " / 12",
                "J = " + n(d.ingressi.pannello.t, 4) + "³ · " + n(altro, 4) + " / 12 = " + n(d.pannello.J, 2) + " cm⁴"});
    const panel::DatiPannello& p = d.ingressi.pannello;
    s.blocchi.push_back(
        mensola
            ? Formula{"Ta = (2π / 1,8751²) · L² · √(m / (E · J)),   m = γ · t · B / g   "
                      "(g = 981 cm/s²)",
                      "Ta = (2π / 1,8751²) · " + n(p.L, 4) + "² · √((" + n(p.gamma, 8) + " · " +
                          n(p.t, 4) + " · " + n(p.B, 4) + " / 981) / (" + n(p.E, 4) + " · " +
                          n(d.pannello.J, 2) + ")) = " + n(d.pannello.Ta, 4) + " s"}
            : Formula{"Ta = √(Wa · " + luce + "³ / (E · J · g)) / 1,5708   (g = 981 cm/s²)",
                      "Ta = √(" + n(d.pannello.Wa, 2) + " · " + n(span, 4) + "³ / (" +
                          n(p.E, 4) + " · " + n(d.pannello.J, 2) + " · 981)) / 1,5708 = " +
                          n(d.pannello.Ta, 4) + " s"});
    s.blocchi.push_back(std::move(sa));
    if (d.pannello.al_minimo)
        s.blocchi.push_back(
            Paragrafo{"La formula dà meno di ag · S: Sa = ag · S = " + n(d.pannello.Sa, 4) + "."});
    s.blocchi.push_back(Formula{"Fa = Sa · Wa / qa", "Fa = " + n(d.pannello.Sa, 4) + " · " + n(d.pannello.Wa, 2) +
                                                         " / " + n(d.ingressi.pannello.qa, 4) + " = " + n(d.pannello.Fa, 2) +
                                                         " daN"});
    s.blocchi.push_back(tabella_valori({
        {"Peso del pannello", "W", m.forza(d.pannello.W), u.unita_forze},
        {"Luce di calcolo", luce, m.lunghezza(span), u.unita_lunghezze},
        {"Peso efficace", "Wa", m.forza(d.pannello.Wa), u.unita_forze},
        {"Momento d'inerzia della sezione", "J", n(d.pannello.J * std::pow(u.fattore_lunghezze, 4), 2),
         u.unita_lunghezze + "⁴"},
        {"Periodo proprio del pannello", "Ta", n(d.pannello.Ta, 4), "s"},
        {"Accelerazione massima adimensionalizzata", "Sa", n(d.pannello.Sa, 4), "g"},
        {"Fattore di struttura", "qa", n(d.ingressi.pannello.qa, 4), ""},
        {"Forza orizzontale sul pannello", "Fa", m.forza(d.pannello.Fa), u.unita_forze},
    }));
    return s;
}

Sezione sezione_arco(const RisultatoVerifica& d, const panel::Freccia& a, const Misure& m) {
    const auto& u = m.u;
    const std::string luce = orizzontale(d) ? "B" : "L";
    const double span = orizzontale(d) ? d.ingressi.pannello.B : d.ingressi.pannello.L;
    const double ft = u.fattore_tensioni;
    Sezione s{"5. Resistenza laterale per effetto arco (EC6 § 6.3.2)", {}};
    s.blocchi.push_back(Paragrafo{
        "Striscia di pannello come arco parabolico di semiluce a e freccia iniziale h = 0,9 · t, "
        "con le imposte fisse: inflettendosi di f l'arco si accorcia e la deformazione per E dà "
        "la tensione dell'arco; la pressione laterale q(f) cresce fino al massimo (instabilità) "
        "e poi decresce."});
    s.blocchi.push_back(Formula{"a = " + luce + " / 2    h = 0,9 · t",
                                "a = " + n(a.a, 4) + " cm    h = 0,9 · " + n(d.ingressi.pannello.t, 4) + " = " +
                                    n(a.h, 4) + " cm    lunghezza scarica = " + n(a.l_arco, 4) +
                                    " cm"});

    const panel::CurvaArco c = panel::curva_arco(d.ingressi.pannello.E, a.h, a.a, d.ingressi.pannello.fd);
    double q_max = 0, s_max = d.ingressi.pannello.fd;
    for (const auto& p : c.punti) {
        q_max = std::max(q_max, p.q);
        s_max = std::max(s_max, p.sigma);
    }
    Grafico g;
    g.titolo = "Pressione laterale q(f) e tensione dell'arco σ(f)";
    g.x = asse_con_tacche("f [mm]", 0.0, a.h * 10.0);
    g.y = asse_con_tacche("q [" + u.unita_tensioni + "]", 0.0, q_max * ft * 1.1);
    g.y2 = asse_con_tacche("σ [" + u.unita_tensioni + "]", 0.0, s_max * ft * 1.1);
    Serie q{"q(f)", {}, kBlu, false, false};
    Serie sigma{"σ(f)", {}, kArancio, true, true};
    for (const auto& p : c.punti) {
        q.punti.push_back({p.f * 10.0, p.q * ft});
        sigma.punti.push_back({p.f * 10.0, p.sigma * ft});
    }
    g.serie.push_back(std::move(q));
    g.serie.push_back(std::move(sigma));
    g.riferimenti.push_back({false, d.ingressi.pannello.fd * ft, "σ = fd", kRosso, true});
    g.riferimenti.push_back({true, a.h * 10.0, "f = h", kGrigio, false});
    g.marcatori.push_back({{a.fcrit * 10.0, a.qcrit * ft}, "(fcrit, qcrit)", kBlu, false});
    g.marcatori.push_back({{a.deltafreccia * 10.0, a.qd * ft}, "(f, qd)", kRosso, false});
    s.blocchi.push_back(std::move(g));

    s.blocchi.push_back(tabella_valori({
        {"Semiluce dell'arco", "a", m.lunghezza(a.a, 4), u.unita_lunghezze},
        {"Freccia iniziale dell'arco", "h", m.lunghezza(a.h, 4), u.unita_lunghezze},
        {"Lunghezza scarica dell'arco", "l0", m.lunghezza(a.l_arco, 4), u.unita_lunghezze},
        {"Resistenza di progetto a compressione", "fd", m.tensione(d.ingressi.pannello.fd, 4), u.unita_tensioni},
        {"Modulo elastico", "E", m.tensione(d.ingressi.pannello.E, 2), u.unita_tensioni},
        {"Pressione massima dell'arco", "qcrit", m.tensione(a.qcrit, 6), u.unita_tensioni},
        {"Inflessione alla pressione massima", "fcrit", n(a.fcrit * 10.0, 2), "mm"},
        {"Tensione critica di instabilità", "σcr", fx(a.sigmacrit * ft, 2), u.unita_tensioni},
        {"Inflessione sotto carico laterale di progetto", "f", n(a.deltafreccia * 10.0, 2), "mm"},
        {"Pressione laterale di progetto", "qd", m.tensione(a.qd, 6), u.unita_tensioni},
        {"Coefficiente di inflessione laterale", "K1", fx(a.K1, 3), ""},
        {"Coefficiente di instabilità", "K2", fx(a.K2, 3), ""},
    }));
    const std::string t_su_l = "(" + n(d.ingressi.pannello.t, 4) + "/" + n(span, 4) + ")²";
    if (a.instabilita) {
        s.blocchi.push_back(Paragrafo{
            "La tensione critica di instabilità è minore di fd: governa l'instabilità dell'arco "
            "(pressione di progetto qd = qcrit)."});
        s.blocchi.push_back(Formula{"K2 = σcr / fd    K1 = qd / ((t/" + luce + ")² · σcr)",
                                    "K2 = " + n(a.sigmacrit, 4) + " / " + n(d.ingressi.pannello.fd, 4) + " = " +
                                        fx(a.K2, 3) + "    K1 = " + n(a.qd, 8) + " / (" + t_su_l +
                                        " · " + n(a.sigmacrit, 4) + ") = " + fx(a.K1, 3)});
    } else {
        s.blocchi.push_back(Paragrafo{
            "La tensione dell'arco raggiunge fd prima della pressione massima: governa la "
            "resistenza a compressione (K2 = 1, qd alla tensione fd)."});
        s.blocchi.push_back(Formula{
            "K2 = 1    K1 = qd / ((t/" + luce + ")² · fd)",
            "K1 = " + n(a.qd, 8) + " / (" + t_su_l + " · " + n(d.ingressi.pannello.fd, 4) + ") = " + fx(a.K1, 3)});
    }
    s.blocchi.push_back(Formula{"Rlat = K1 · K2 · fd · (t/" + luce + ")² · B · L = qd · B · L",
                                "Rlat = " + n(a.qd, 8) + " · " + n(d.ingressi.pannello.B, 4) + " · " + n(d.ingressi.pannello.L, 4) +
                                    " = " + n(d.pannello.Rlat, 2) + " daN"});
    return s;
}

// The cantilever: overturning about the base edge, no tensile strength, stress block 0.85 fd.
Sezione sezione_mensola(const RisultatoVerifica& d, const panel::Mensola& k, const Misure& m) {
    const auto& u = m.u;
    const panel::DatiPannello& p = d.ingressi.pannello;
    Sezione s{"5. Resistenza a ribaltamento della mensola (NTC 2018 § 7.8.2.2.3)", {}};
    s.blocchi.push_back(Paragrafo{
        "Pannello incastrato alla sola base (mensola): ruota attorno allo spigolo di base senza "
        "resistenza a trazione, con la zona compressa a tensione 0,85 · fd. Il momento resistente "
        "è dato come forza a metà altezza."});
    s.blocchi.push_back(Formula{"N = W    σ0 = N / (B · t)",
                                "N = " + n(k.N, 2) + " daN    σ0 = " + n(k.N, 2) + " / (" +
                                    n(p.B, 4) + " · " + n(p.t, 4) + ") = " + n(k.sigma0, 6) +
                                    " daN/cm²"});
    s.blocchi.push_back(Formula{"M_Rd = N · (t/2) · (1 − σ0 / (0,85 · fd))",
                                "M_Rd = " + n(k.N, 2) + " · (" + n(p.t, 4) + "/2) · (1 − " +
                                    n(k.sigma0, 6) + " / (0,85 · " + n(p.fd, 4) + ")) = " +
                                    n(k.M_Rd, 2) + " daN·cm"});
    s.blocchi.push_back(Formula{"Rlat = 2 · M_Rd / L", "Rlat = 2 · " + n(k.M_Rd, 2) + " / " +
                                                           n(p.L, 4) + " = " +
                                                           n(d.pannello.Rlat, 2) + " daN"});
    s.blocchi.push_back(tabella_valori({
        {"Sforzo normale alla base", "N", m.forza(k.N), u.unita_forze},
        {"Tensione media alla base", "σ0", m.tensione(k.sigma0, 6), u.unita_tensioni},
        {"Tensione del blocco compresso", "0,85 fd", m.tensione(k.fd_blocco, 4), u.unita_tensioni},
        {"Momento resistente alla base", "M_Rd",
         n(k.M_Rd * u.fattore_forze * u.fattore_lunghezze, 2),
         u.unita_forze + "·" + u.unita_lunghezze},
        {"Resistenza laterale a metà altezza", "Rlat", m.forza(d.pannello.Rlat), u.unita_forze},
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
    const auto& u = m.u;
    Sezione s{"6. Esito della verifica", {}};
    const std::string rapporto = d.pannello.Fa == 0.0 ? "nessuna azione sul pannello" : n(d.pannello.Rlat / d.pannello.Fa, 3);
    Tabella t = tabella_valori({
        {"Resistenza laterale di progetto", "Rlat", m.forza(d.pannello.Rlat), u.unita_forze},
        {"Forza orizzontale sul pannello", "Fa", m.forza(d.pannello.Fa), u.unita_forze},
        {"Rapporto", "Rlat / Fa", rapporto, ""},
    });
    s.blocchi.push_back(std::move(t));
    const std::string confronto = "Rlat = " + m.forza(d.pannello.Rlat) + " " + u.unita_forze +
                                  (d.ok ? " ≥ " : " < ") + "Fa = " + m.forza(d.pannello.Fa) + " " +
                                  u.unita_forze + ": ";
    s.blocchi.push_back(d.ok ? Esito{confronto + "verifica soddisfatta", kVerde}
                             : Esito{confronto + "verifica non soddisfatta", kRosso});
    if (!d.avvisi.empty()) {
        s.blocchi.push_back(Paragrafo{"Avvisi sui dati", true});
        for (const form::Avviso& a : d.avvisi)
            s.blocchi.push_back(Paragrafo{form::testo_avviso(a, kItaliano)});
    }
    return s;
}

Sezione sezione_metodo(const RisultatoVerifica& d) {
    Sezione s{"7. Metodo e riferimenti", {}};
    s.blocchi.push_back(Paragrafo{
        "Pericolosità: NTC 2008 (D.M. 14/01/2008), Allegati A e B. I parametri ag, F0 e Tc* "
        "sono mediati sui quattro nodi del reticolo che circondano il sito con pesi pari "
        "all'inverso della distanza e interpolati sul logaritmo del periodo di ritorno tra i due "
        "periodi tabulati; per le isole fuori dal reticolo valgono i valori della Tabella 2 "
        "dell'Allegato B."});
    s.blocchi.push_back(Paragrafo{
        "Amplificazione e spettro: NTC 2008 § 3.2.3.2.1 (Ss e Cc per categoria di sottosuolo, "
        "St topografico, S = Ss · St)."});
    s.blocchi.push_back(Paragrafo{
        d.formula == FormulaDomanda::ec8
            ? "Azione sul pannello come elemento non strutturale: UNI EN 1998-1 (EC8) § 4.3.5.2, "
              "Fa = Sa · Wa / qa."
            : "Azione sul pannello come elemento non strutturale: Circolare 21/01/2019 n. 7, "
              "§ C7.2.3, formula [C7.2.11] per le strutture intelaiate con i coefficienti della "
              "Tabella C7.2.II, Fa = Sa · Wa / qa."});
    s.blocchi.push_back(std::visit(
        panel::Overloaded{
            [](const panel::Freccia&) {
                return Paragrafo{
                    "Resistenza laterale: UNI EN 1996-1-1 (EC6) § 6.3.2, resistenza per effetto "
                    "arco del pannello vincolato tra due lati opposti; Rlat = qd · B · L."};
            },
            [](const panel::Mensola&) {
                return Paragrafo{
                    "Resistenza laterale della mensola: ribaltamento attorno allo spigolo di base "
                    "senza resistenza a trazione, blocco compresso a 0,85 · fd (NTC 2018 "
                    "§ 7.8.2.2.3); Rlat = 2 · M_Rd / L."};
            }},
        d.pannello.resistenza));
    s.blocchi.push_back(Paragrafo{
        "Le tabelle riportano i valori nelle unità di lavoro della commessa, arrotondati come "
        "nella finestra del programma; le formule con i valori sostituiti usano cm, daN e s."});
    return s;
}

}  // namespace

Asse asse_con_tacche(std::string titolo, double minimo, double massimo, int circa) {
    if (!(massimo > minimo)) massimo = minimo + 1.0;
    const double grezzo = (massimo - minimo) / std::max(circa, 1);
    const double decade = std::pow(10.0, std::floor(std::log10(grezzo)));
    double passo = 10.0 * decade;
    for (double m : {1.0, 2.0, 2.5, 5.0})
        if (grezzo <= m * decade * (1 + 1e-9)) {
            passo = m * decade;
            break;
        }
    int decimali = std::max(0, -static_cast<int>(std::floor(std::log10(passo) + 1e-9)));
    if (std::abs(passo / std::pow(10.0, -decimali) - 2.5) < 1e-9) ++decimali;
    const auto primo = static_cast<long>(std::floor(minimo / passo + 1e-9));
    const auto ultimo = static_cast<long>(std::ceil(massimo / passo - 1e-9));
    Asse a;
    a.titolo = std::move(titolo);
    a.minimo = static_cast<double>(primo) * passo;
    a.massimo = static_cast<double>(ultimo) * passo;
    for (long k = primo; k <= ultimo; ++k) {
        const double v = k == 0 ? 0.0 : static_cast<double>(k) * passo;
        a.tacche.push_back({v, fx(v, decimali)});
    }
    return a;
}

Documento costruisci_relazione(const RisultatoVerifica& d, const ContestoRelazione& c) {
    const Misure m{c.unita};
    Documento doc;
    doc.intestazione.programma = c.programma;
    doc.intestazione.versione = c.versione;
    doc.intestazione.lavoro = c.lavoro;
    doc.intestazione.coordinate =
        "Long. " + n(d.ingressi.sito.lon, 6) + "°  Lat. " + n(d.ingressi.sito.lat, 6) + "°";
    switch (d.ingressi.datum) {  // the grid's datum goes without saying
        case hazard::Datum::ed50:
            break;
        case hazard::Datum::wgs84:
            doc.intestazione.coordinate += " (WGS84)";
            break;
    }
    doc.intestazione.localita = c.localita.value_or("");
    doc.intestazione.data = c.data;
    if (d.ingressi.sito_iniziale) doc.intestazione.avviso_sito = form::kSitoIniziale;
    doc.titolo = "RELAZIONE DI CALCOLO";
    doc.sottotitolo = "Verifica fuori piano di un pannello murario sotto azione sismica";
    doc.sezioni.push_back(sezione_dati(d, m));
    doc.sezioni.push_back(sezione_pericolosita(d));
    doc.sezioni.push_back(sezione_spettro(d));
    doc.sezioni.push_back(sezione_domanda(d, m));
    doc.sezioni.push_back(sezione_resistenza(d, m));
    doc.sezioni.push_back(sezione_esito(d, m));
    doc.sezioni.push_back(sezione_metodo(d));
    return doc;
}

}  // namespace tv::relazione
