// SPDX-License-Identifier: GPL-3.0-or-later
// Panel check in base units: weight shares by restraint, spanning direction, arching resistance,
// period, acceleration (EC8 or Circolare 2019 C7.2.11) and force on the panel, verdict.
#include "panel/domanda.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "panel/controlli.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/number_text.h"

namespace tv::panel {

namespace {

constexpr double kG = 981.0;                   // gravity, cm/s2
constexpr double kMezzoPiGreco = 1.570796327;  // pi / 2: the period of a simply supported strip
// First root of the cantilever's frequency equation 1 + cos(x) cosh(x) = 0.
constexpr double kLambdaMensola = 1.8751040687119611;

struct Quote {
    double verticale = 0.0;
    double orizzontale = 0.0;
};

double a_4_decimali(double x) {
    return text::round_half_even(x, 4);
}

// Share of the weight carried by each spanning direction, from the restraint case.
Quote quote(const DatiPannello& p, CasoVincoli caso) {
    Quote q;
    switch (caso) {
        case CasoVincoli::quattro_lati:
            // The longer direction takes the smaller, exponential share.
            if (p.B > p.L) {
                q.orizzontale = a_4_decimali(9.151 * std::exp(-2.907 * p.B / p.L));
                q.verticale = 1.0 - q.orizzontale;
            } else {
                q.verticale = a_4_decimali(9.151 * std::exp(-2.907 * p.L / p.B));
                q.orizzontale = 1.0 - q.verticale;
            }
            break;
        case CasoVincoli::superiore_e_un_lato:
            q.verticale = std::max(0.0, a_4_decimali((p.B - 2.0 * p.t) / p.B));
            break;
        case CasoVincoli::laterali:
            q.orizzontale = std::max(0.0, a_4_decimali((p.L - 2.0 * p.t) / p.L));
            break;
        case CasoVincoli::superiore:
        case CasoVincoli::mensola:
            q.verticale = 1.0;
            break;
    }
    return q;
}

void controlla_dati(const DatiPannello& p, const DatiAzione& sito) {
    richiedi_positivo(p.L, "L (altezza)");
    richiedi_positivo(p.B, "B (lunghezza in pianta)");
    richiedi_positivo(p.t, "t (spessore)");
    richiedi_positivo(p.gamma, "peso specifico");
    richiedi_positivo(p.fd, "fd (resistenza a compressione di progetto)");
    richiedi_positivo(p.E, "E (modulo elastico)");
    richiedi_non_negativo(p.Z, "Z (quota baricentro)");
    richiedi_positivo(p.qa, "qa (fattore di struttura)");
    if (!vincoli_validi(p.vincoli)) throw Failure(kVincoliNonAmmessi, "VINCOLI SCORRETTI");
    richiedi_positivo(p.H, "H (altezza edificio)");
    richiedi_positivo(sito.T1, "T1 (periodo proprio dell'edificio)");
    richiedi_non_negativo(sito.ag, "ag (accelerazione orizzontale massima al sito)");
    richiedi_non_negativo(sito.s, "S (coefficiente di amplificazione Ss x St)");
}

}  // namespace

CoefficientiC7 coefficienti_c7(double T1) {
    richiedi_positivo(T1, "T1 (periodo proprio dell'edificio)");
    // Both ends of the middle row belong to it.
    if (T1 < 0.5) return {0.8, 1.4, 5.0};
    if (T1 <= 1.0) return {0.3, 1.2, 4.0};
    return {0.3, 1.0, 2.5};
}

AccelerazioneC7 accelerazione_c7(double ags, double z, double H, double T1, double Ta) {
    richiedi_non_negativo(ags, "ag x S (accelerazione al suolo)");
    richiedi_non_negativo(z, "Z (quota baricentro)");
    richiedi_positivo(H, "H (altezza edificio)");
    richiedi_non_negativo(Ta, "Ta (periodo proprio del pannello)");
    AccelerazioneC7 r{};
    r.coefficienti = coefficienti_c7(T1);
    const auto [a, b, ap] = r.coefficienti;
    const double plateau = ags * (1.0 + z / H) * ap;
    // T1 > 0 and a, b > 0: neither corner period is 0.
    double c = 0.0;
    if (Ta < a * T1) {
        r.ramo = RamoC7::crescente;
        c = a;
    } else if (Ta < b * T1) {
        r.ramo = RamoC7::plateau;
    } else {
        r.ramo = RamoC7::decrescente;
        c = b;
    }
    r.Sa = plateau;
    if (r.ramo != RamoC7::plateau) {
        const double scarto = 1.0 - Ta / (c * T1);
        r.Sa = plateau / (1.0 + (ap - 1.0) * scarto * scarto);
    }
    // The Circolare bounds the outer branches by ag x S; the plateau is never below it.
    r.al_minimo = r.Sa < ags;
    if (r.al_minimo) r.Sa = ags;
    richiedi_finito(r.Sa, "Sa (accelerazione massima adimensionalizzata)");
    return r;
}

DatiDomanda domanda_ec8(const DatiPannello& p, const DatiAzione& sito, double Ta) {
    // The acceleration on the panel is never below the ground's, ag x S.
    const double ags = sito.ag * sito.s;
    const double rapporto = 1.0 - Ta / sito.T1;
    DomandaEc8 d;
    d.Sa = ags * (3.0 * (1.0 + p.Z / p.H) / (1.0 + rapporto * rapporto) - 0.5);
    d.al_minimo = ags > d.Sa;
    if (d.al_minimo) d.Sa = ags;
    return d;
}

DatiDomanda domanda_c7_2_11(const DatiPannello& p, const DatiAzione& sito, double Ta) {
    return accelerazione_c7(sito.ag * sito.s, p.Z, p.H, sito.T1, Ta);
}

SpettroPianoC7 spettro_piano_c7(const hazard::SpettroElastico& spettro, double ags, double z,
                                double H, double T1, const DatiEdificio& edificio, double Ta,
                                double xi_a) {
    if (edificio.n < 1)
        throw Failure("Valore non valido: n (piani sopra la fondazione) deve essere almeno 1");
    richiedi_positivo(edificio.xi, "xi (smorzamento dell'edificio)");
    richiedi_non_negativo(z, "Z (quota baricentro)");
    richiedi_positivo(H, "H (altezza edificio)");
    richiedi_non_negativo(Ta, "Ta (periodo proprio del pannello)");
    SpettroPianoC7 r{};
    r.n = edificio.n;
    r.xi = edificio.xi;
    r.Tk_da_T1 = !edificio.Tk.has_value();
    r.Tk = edificio.Tk.value_or(T1);
    richiedi_positivo(r.Tk, "Tk (periodo dell'edificio allo stato limite)");
    r.eta = hazard::fattore_eta(r.xi);
    r.Se_Tk = hazard::accelerazione_spettrale(spettro, r.Tk, r.xi);
    r.gamma1 = 3.0 * r.n / (2.0 * r.n + 1.0);
    // xi_k as a ratio in A (5 % gives 4.92), in per cent under the root; eta(5 %) is exactly 1.
    r.A = 1.1 / std::sqrt(r.xi / 100.0);
    if (xi_a != 5.0) r.A *= hazard::fattore_eta(xi_a);
    r.aZ = r.Se_Tk * r.gamma1 * (z / H) * std::sqrt(1.0 + 0.0004 * r.xi * r.xi);
    const double picco = r.A * r.aZ;
    if (Ta < kAPianoC7 * r.Tk) {
        r.ramo = RamoC7::crescente;
        r.SeZ_ramo = picco / (1.0 + (r.A - 1.0) * std::pow(1.0 - Ta / (kAPianoC7 * r.Tk), 1.6));
    } else if (Ta < kBPianoC7 * r.Tk) {
        r.ramo = RamoC7::plateau;
        r.SeZ_ramo = picco;
    } else {
        r.ramo = RamoC7::decrescente;
        r.SeZ_ramo = picco / (1.0 + (r.A - 1.0) * std::pow(Ta / (kBPianoC7 * r.Tk) - 1.0, 1.2));
    }
    // Beyond Tk the floor never sees less than the ground.
    double SeZ = r.SeZ_ramo;
    if (Ta > r.Tk) {
        r.Se_Ta = hazard::accelerazione_spettrale(spettro, Ta, xi_a);
        r.al_Se = SeZ < r.Se_Ta;
        if (r.al_Se) SeZ = r.Se_Ta;
    }
    r.al_minimo = SeZ < ags;
    r.Sa = r.al_minimo ? ags : SeZ;
    richiedi_finito(r.Sa, "Sa (accelerazione massima adimensionalizzata)");
    return r;
}

DatiDomanda domanda_c7_2_5(const DatiPannello& p, const DatiAzione& sito, double Ta) {
    const auto spettro =
        hazard::angoli_spettro(sito.ag, sito.F0, sito.Tcstar, sito.s, sito.suolo);
    return spettro_piano_c7(spettro, sito.ag * sito.s, p.Z, p.H, sito.T1, sito.edificio, Ta);
}

std::optional<FormulaDomanda> formula_di_nome(std::string_view testo) {
    const std::string t = text::trim(testo);
    for (const DescrizioneFormula& d : kFormule)
        if (text::to_upper(t) == d.breve || text::to_lower(t) == d.parola) return d.formula;
    return std::nullopt;
}

std::string parole_formule(std::string_view separatore, std::string_view ultimo, bool brevi) {
    std::string s;
    for (std::size_t i = 0; i < kFormule.size(); ++i) {
        if (i > 0) s += i + 1 == kFormule.size() ? ultimo : separatore;
        s += brevi ? kFormule[i].breve : kFormule[i].parola;
    }
    return s;
}

bool e_mensola(const Vincoli& v) {
    return caso_vincoli(v) == CasoVincoli::mensola;
}

EsitoPannello verifica_pannello(const DatiPannello& p, const DatiAzione& sito,
                                FormulaDomanda formula) {
    controlla_dati(p, sito);

    EsitoPannello e{};
    e.W = richiedi_finito(peso_totale(p.L, p.B, p.t, p.gamma), "peso totale del pannello");
    e.caso = *caso_vincoli(p.vincoli);
    const Quote q = quote(p, e.caso);
    e.quota_verticale = q.verticale;
    e.quota_orizzontale = q.orizzontale;

    // A tie spans vertically. Every product on the way must stay finite: one that overflows
    // would turn the comparison, or Ta below, into a plausible wrong number.
    const double B2 = richiedi_finito(p.B * p.B, "B² (lunghezza in pianta al quadrato)");
    const double L2 = richiedi_finito(p.L * p.L, "L² (altezza al quadrato)");
    const bool orizzontale = B2 * q.orizzontale > L2 * q.verticale;
    e.direzione = orizzontale ? Direzione::orizzontale : Direzione::verticale;
    e.span = orizzontale ? p.B : p.L;
    const double quota = orizzontale ? q.orizzontale : q.verticale;
    const double lato_trasversale = orizzontale ? p.L : p.B;  // the side the span does not cross

    e.J = richiedi_finito(p.t * p.t * p.t * lato_trasversale / 12.0, "momento d'inerzia");
    if (e_mensola(p.vincoli)) {
        // Fixed at the base (quota 1, span L): overturning resistance given as the force at
        // mid-height, and the first period (2 pi / 1.8751^2) L^2 sqrt(m / (E J)), m per unit
        // height.
        const Mensola m = ribaltamento(e.W, p.B, p.t, p.fd);
        e.Rlat = richiedi_finito(2.0 * m.M_Rd / p.L, "resistenza laterale di progetto");
        e.resistenza = m;
        const double massa = p.gamma * p.t * p.B / kG;
        const double rigidezza = richiedi_finito(p.E * e.J, "E · J (rigidezza della mensola)");
        constexpr double kCoefficiente = 2.0 * std::numbers::pi / (kLambdaMensola * kLambdaMensola);
        e.Ta = richiedi_finito(kCoefficiente * p.L * p.L * std::sqrt(massa / rigidezza),
                               "Ta (periodo proprio del pannello)");
    } else {
        const Freccia arco = freccia(e.span / 2.0, 0.9 * p.t, p.fd, p.E);
        const double snellezza = (p.t / e.span) * (p.t / e.span);
        e.Rlat = richiedi_finito(snellezza * arco.coeff * p.fd * p.B * p.L,
                                 "resistenza laterale di progetto");
        e.resistenza = arco;
        const double massa = richiedi_finito(e.span * e.span * e.span * quota * e.W,
                                             "luce³ · Wa (numeratore di Ta)");
        const double rigidezza = richiedi_finito(p.E * e.J * kG, "E · J · g (denominatore di Ta)");
        e.Ta = richiedi_finito(std::sqrt(massa / rigidezza) / kMezzoPiGreco,
                               "Ta (periodo proprio del pannello)");
    }

    e.domanda = descrizione(formula).calcola(p, sito, e.Ta);
    e.Sa = Sa_di(e.domanda);
    richiedi_finito(e.Sa, "Sa (accelerazione massima adimensionalizzata)");
    e.Fa = richiedi_finito(e.Sa * e.W / p.qa * quota, "Fa (forza totale baricentrica)");
    e.Wa = richiedi_finito(quota * e.W, "Wa (peso efficace del pannello)");

    // The shown pair always adds up to 100, also where the two shares do not.
    if (orizzontale) {
        e.perc_verticale = 100.0 * (1.0 - q.orizzontale);
        e.perc_orizzontale = 100.0 * q.orizzontale;
    } else {
        e.perc_verticale = 100.0 * q.verticale;
        e.perc_orizzontale = 100.0 * (1.0 - q.verticale);
    }
    e.ok = e.Rlat >= e.Fa;
    return e;
}

}  // namespace tv::panel
