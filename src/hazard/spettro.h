// SPDX-License-Identifier: GPL-3.0-or-later
// Site amplification: topographic factor St, subsoil category and stratigraphic factor Ss, and
// their product S.
#pragma once

#include <optional>

#include "text/encoding.h"

namespace tv::hazard {

// Subsoil categories (tab. 3.2.II).
enum class Suolo { A, B, C, D, E };

// The category's letter, 'A' to 'E'.
constexpr char lettera(Suolo s) {
    switch (s) {
        case Suolo::A: return 'A';
        case Suolo::B: return 'B';
        case Suolo::C: return 'C';
        case Suolo::D: return 'D';
        case Suolo::E: return 'E';
    }
    return 'A';
}

// The category of a letter, either case; nullopt for any other character.
constexpr std::optional<Suolo> suolo_di_lettera(char c) {
    for (Suolo s : {Suolo::A, Suolo::B, Suolo::C, Suolo::D, Suolo::E})
        if (text::minuscola_ascii(c) == text::minuscola_ascii(lettera(s))) return s;
    return std::nullopt;
}

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
