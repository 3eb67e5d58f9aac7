// SPDX-License-Identifier: GPL-3.0-or-later
// Stratigraphic factor by subsoil category (limited from below, then from above) and the
// topographic factor.
#include "hazard/spettro.h"

#include <array>
#include <cmath>

namespace tv::hazard {
namespace {

// B to E, in the order of the enumeration after A.
constexpr std::array<CoefficientiSs, 4> kCategorie = {{
    {1.4, 0.4, 1.0, 1.2},
    {1.7, 0.6, 1.0, 1.5},
    {2.4, 1.5, 0.9, 1.8},
    {2.0, 1.1, 1.0, 1.6},
}};

}  // namespace

const CoefficientiSs* coefficienti_Ss(Suolo suolo) {
    switch (suolo) {
        case Suolo::A:
            return nullptr;
        case Suolo::B:
        case Suolo::C:
        case Suolo::D:
        case Suolo::E:
            return &kCategorie[static_cast<std::size_t>(suolo) - 1];
    }
    return nullptr;
}

Spettro spettro(double St, Suolo suolo, double ag, double F0) {
    Spettro r;
    r.St = std::isfinite(St) && St > 0 ? St : 1.0;
    r.suolo = suolo;
    if (const CoefficientiSs* c = coefficienti_Ss(suolo)) {
        const CoefficientiSs& cat = *c;
        r.Ss = cat.costante - (F0 * cat.coefficiente) * ag;
        if (r.Ss < cat.minimo) r.Ss = cat.minimo;
        if (r.Ss > cat.massimo) r.Ss = cat.massimo;
    }
    r.s = r.Ss * r.St;
    return r;
}

}  // namespace tv::hazard
