// Seismic demand on a masonry panel as a non-structural element (EC8 4.3.5.2, or Circolare 2019
// C7.2.11 in framed buildings) against its arching resistance: weight, span, period, verdict.
#pragma once

#include <optional>

#include "panel/resistenza.h"

namespace tv::panel {

// Restraint of the three sides that can be freed; the bottom side is always supported.
struct Vincoli {
    bool top = true;
    bool left = false;
    bool right = false;
};

// False for the combinations the check refuses: top free with exactly one lateral side free.
bool vincoli_validi(const Vincoli& v);

// Top, left and right all free: the panel is a cantilever fixed at its base.
bool e_mensola(const Vincoli& v);

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

// The seismic action at the site and the building: ag (a_g / g), s (S = Ss x St), T1 (building
// period, s).
struct DatiAzione {
    double ag;
    double s;
    double T1;
};

enum class Direzione { verticale, orizzontale };

// Formula of the acceleration on the panel. EC8 4.3.5.2 is the default; Circolare 2019 [C7.2.11]
// is meant for panels in buildings with reinforced-concrete or steel frames.
enum class FormulaDomanda { ec8, circolare_c7_2_11 };

// Coefficients of Tabella C7.2.II, chosen by the building period T1.
struct CoefficientiC7 {
    double a;
    double b;
    double ap;
};

// Branch of [C7.2.11] by the panel period: rising (Ta < a T1), plateau, falling (Ta >= b T1).
enum class RamoC7 { crescente, plateau, decrescente };

struct AccelerazioneC7 {
    double Sa;  // fraction of g, never below ag x S
    CoefficientiC7 coefficienti;
    RamoC7 ramo;
    bool al_minimo;  // the branch gave less than ag x S and Sa was raised to it
};

// T1 < 0.5 s: 0.8, 1.4, 5.0; 0.5 s <= T1 <= 1.0 s: 0.3, 1.2, 4.0; T1 > 1.0 s: 0.3, 1.0, 2.5.
// Throws tv::Failure naming T1 unless it is finite and above 0.
CoefficientiC7 coefficienti_c7(double T1);

// [C7.2.11] with ags = ag x S, z the height of the panel's centroid, H that of the building, T1 and
// Ta the periods of the building and of the panel. Throws tv::Failure naming the quantity unless
// ags, z and Ta are finite and 0 or above and H and T1 finite and above 0.
AccelerazioneC7 accelerazione_c7(double ags, double z, double H, double T1, double Ta);

struct EsitoPannello {
    double W;                  // total weight, daN
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
    FormulaDomanda formula = FormulaDomanda::ec8;  // the formula that gave Sa
    std::optional<AccelerazioneC7> c7;             // set only when that formula is [C7.2.11]
    bool al_minimo = false;  // the formula gave less than ag x S and Sa was raised to it
};

// The whole panel check. A cantilever (e_mensola) takes its own period and overturning
// resistance, Wa = W. Throws tv::Failure("Verifica non possibile", "VINCOLI SCORRETTI") for a
// refused restraint combination, and tv::Failure naming the quantity for an input that is not
// finite or out of range (L, B, t, gamma, fd, E, H, qa, T1 above 0; Z, ag, s 0 or above) or for
// a result that would not be finite. Fa = Sa x Wa / qa whichever formula gives Sa.
EsitoPannello verifica_pannello(const DatiPannello& p, const DatiAzione& sito,
                                FormulaDomanda formula = FormulaDomanda::ec8);

}  // namespace tv::panel
