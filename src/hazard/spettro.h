// Site amplification: topographic factor St, subsoil category and stratigraphic factor Ss, and
// their product S.
#pragma once

namespace tv::hazard {

// Subsoil categories (tab. 3.2.II).
enum class Suolo { A, B, C, D, E };

struct Spettro {
    double St = 1.0;
    Suolo suolo = Suolo::A;
    double Ss = 1.0;
    double s = 1.0;  // S = Ss * St
};

// Ss = costante - coefficiente * F0 * ag, then limited to [minimo, massimo] (Tab. 3.2.IV).
struct CoefficientiSs {
    double costante, coefficiente, minimo, massimo;
};
// The coefficients of categories B to E; category A has Ss = 1 and none.
const CoefficientiSs* coefficienti_Ss(Suolo suolo);

// St not finite, or 0 or less, counts as 1.0. Category A keeps Ss = 1; B to E follow
// Ss = c0 - c1 * F0 * ag limited from below, then from above.
Spettro spettro(double St, Suolo suolo, double ag, double F0);

}  // namespace tv::hazard
