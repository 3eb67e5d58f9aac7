// SPDX-License-Identifier: GPL-3.0-or-later
// Seismic demand on a masonry panel as a non-structural element (EC8 4.3.5.2, or Circolare 2019
// C7.2.11 or its floor spectrum C7.2.5) against its arching resistance: weight, span, period,
// verdict.
#pragma once

#include <optional>

#include "hazard/spettro_elastico.h"
#include "panel/formule.h"
#include "panel/resistenza.h"

namespace tv::panel {

// Restraint of the three sides that can be freed; the bottom side is always supported.
struct Vincoli {
    bool top = true;
    bool left = false;
    bool right = false;
    bool operator==(const Vincoli&) const = default;
};

// The restraint cases the check takes, each with its own share of the weight by direction.
enum class CasoVincoli {
    quattro_lati,         // all four sides supported
    superiore_e_un_lato,  // top and one lateral side supported
    laterali,             // top free, both lateral sides supported
    superiore,            // top supported, both lateral sides free
    mensola,              // only the base: a cantilever
};

// The case of a combination; nullopt for those the check refuses: top free with exactly one
// lateral side free.
constexpr std::optional<CasoVincoli> caso_vincoli(const Vincoli& v) {
    if (v.top && v.left && v.right) return CasoVincoli::quattro_lati;
    if (v.top && v.left != v.right) return CasoVincoli::superiore_e_un_lato;
    if (v.top) return CasoVincoli::superiore;
    if (v.left && v.right) return CasoVincoli::laterali;
    if (!v.left && !v.right) return CasoVincoli::mensola;
    return std::nullopt;
}

constexpr bool vincoli_validi(const Vincoli& v) {
    return caso_vincoli(v).has_value();
}
// Why a restraint combination cannot be checked, and the two that can.
inline constexpr const char* kVincoliNonAmmessi =
    "Verifica non possibile: con la sommità libera i due lati verticali vanno appoggiati entrambi "
    "(il pannello lavora in orizzontale) o liberi entrambi (mensola incastrata alla base)";

// Top, left and right all free: the panel is a cantilever fixed at its base.
bool e_mensola(const Vincoli& v);

// The panel's whole weight W = L·B·t·γ, in the units of its factors.
constexpr double peso_totale(double L, double B, double t, double gamma) {
    return L * B * t * gamma;
}

// Panel data in base units: cm, daN/cm3, daN/cm2; qa is a pure number.
struct DatiPannello {
    double L;      // height
    double B;      // length in plan
    double t;      // thickness
    double gamma;  // specific weight
    double fd;     // design compressive strength
    double E;      // elastic modulus
    double Z;      // height of the centroid above the foundation
    double H;      // height of the building
    double qa;     // behaviour factor of the panel
    Vincoli vincoli;
};

// The building as the floor spectrum of [C7.2.5] reads it.
struct DatiEdificio {
    int n = 1;                 // storeys above the foundation
    double xi = 5;             // damping ratio, per cent
    std::optional<double> Tk;  // period at the limit state, s; empty: T1
};

// The seismic action at the site and the building: ag (a_g / g), s (S = Ss x St), T1 (building
// period, s); the site's F0, Tc* (s) and subsoil for its elastic spectrum.
struct DatiAzione {
    double ag;
    double s;
    double T1;
    double F0 = 0;
    double Tcstar = 0;
    hazard::Suolo suolo = hazard::Suolo::A;
    DatiEdificio edificio{};
};

enum class Direzione { verticale, orizzontale };

// T1 < 0.5 s: 0.8, 1.4, 5.0; 0.5 s <= T1 <= 1.0 s: 0.3, 1.2, 4.0; T1 > 1.0 s: 0.3, 1.0, 2.5.
// Throws tv::Failure naming T1 unless it is finite and above 0.
CoefficientiC7 coefficienti_c7(double T1);

// [C7.2.11] with ags = ag x S, z the height of the panel's centroid, H that of the building, T1 and
// Ta the periods of the building and of the panel. Throws tv::Failure naming the quantity unless
// ags, z and Ta are finite and 0 or above and H and T1 finite and above 0.
AccelerazioneC7 accelerazione_c7(double ags, double z, double H, double T1, double Ta);

// [C7.2.5] to [C7.2.10], first mode only, with the site's elastic spectrum `spettro`, ags =
// ag x S, z and H the heights of the panel's centroid and of the building, Ta the panel's
// period, xi_a the element's damping ratio (per cent) in eta(xi_a) of A and in the ground's
// Se(Ta). Throws tv::Failure naming the quantity unless n >= 1, xi and Tk (T1 when empty) finite
// and above 0, z and Ta finite and 0 or above, H above 0.
SpettroPianoC7 spettro_piano_c7(const hazard::SpettroElastico& spettro, double ags, double z,
                                double H, double T1, const DatiEdificio& edificio, double Ta,
                                double xi_a = 5.0);

struct EsitoPannello {
    double W;                  // total weight, daN
    CasoVincoli caso;          // the restraint case
    double quota_verticale;    // share of W spanning vertically, 4 decimals
    double quota_orizzontale;  // share of W spanning horizontally, 4 decimals
    Direzione direzione;
    double span;            // L (vertical, and the cantilever) or B (horizontal), cm
    double Rlat;            // design lateral resistance (at mid-height for the cantilever), daN
    double J;               // second moment of area across the span, cm4
    double Ta;              // first period of the panel, s
    double Sa;              // acceleration on the panel, fraction of g
    double Fa;              // horizontal force on the panel, daN
    double Wa;              // effective weight, daN
    Resistenza resistenza;  // the arch (deflection, K1, K2, critical stress) or the cantilever
    bool ok;                // Rlat >= Fa
    double perc_verticale;  // mass distribution shown to the user; the pair adds up to 100
    double perc_orizzontale;
    DatiDomanda domanda;    // the formula that gave Sa, with its own data

    FormulaDomanda formula() const { return formula_di(domanda); }
    bool al_minimo() const { return al_minimo_di(domanda); }  // Sa raised to ag x S
};

// The whole panel check. A cantilever (e_mensola) takes its own period and overturning
// resistance, Wa = W. Throws tv::Failure(kVincoliNonAmmessi, "VINCOLI SCORRETTI") for a
// refused restraint combination, and tv::Failure naming the quantity for an input that is not
// finite or out of range (L, B, t, gamma, fd, E, H, qa, T1 above 0; Z, ag, s 0 or above) or for
// a result that would not be finite. Fa = Sa x Wa / qa whichever formula gives Sa.
EsitoPannello verifica_pannello(const DatiPannello& p, const DatiAzione& sito,
                                FormulaDomanda formula = FormulaDomanda::ec8);

}  // namespace tv::panel
