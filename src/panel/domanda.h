// Seismic demand on a masonry panel as a non-structural element (EC8 4.3.5.2) against its
// arching resistance: weight, spanning direction, period, acceleration, force and verdict.
#pragma once

#include "panel/resistenza.h"

namespace tv::panel {

// Restraint of the three sides that can be freed; the bottom side is always supported.
struct Vincoli {
    bool top = true;
    bool left = false;
    bool right = false;
};

// False for the combinations the check refuses: top free with at least one lateral side free.
bool vincoli_validi(const Vincoli& v);

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

struct EsitoPannello {
    double W;                  // total weight, daN
    double quota_verticale;    // share of W spanning vertically, 4 decimals
    double quota_orizzontale;  // share of W spanning horizontally, 4 decimals
    Direzione direzione;
    double span;            // L (vertical) or B (horizontal), cm
    double coeff;           // K1 x K2
    double Rlat;            // design lateral resistance, daN
    double J;               // second moment of area across the span, cm4
    double Ta;              // period of the panel, s
    double Sa;              // acceleration on the panel, fraction of g
    double Fa;              // horizontal force on the panel, daN
    double Wa;              // effective weight, daN
    Freccia arco;           // arching results (deflection, K1, K2, critical stress)
    bool ok;                // Rlat >= Fa
    double perc_verticale;  // mass distribution shown to the user; the pair adds up to 100
    double perc_orizzontale;
};

// The whole panel check. Throws tv::Failure("Verifica non possibile", "VINCOLI SCORRETTI") for a
// refused restraint combination, and tv::Failure naming the quantity for an input that is not
// finite or out of range (L, B, t, gamma, fd, E, H, qa, T1 above 0; Z, ag, s 0 or above) or for
// a result that would not be finite.
EsitoPannello verifica_pannello(const DatiPannello& p, const DatiAzione& sito);

}  // namespace tv::panel
