// Stratigraphic factor by subsoil category (limited from below, then from above) and the
// topographic factor.
#include "hazard/spettro.h"

#include <optional>
#include <cmath>

namespace tv::hazard {
namespace {

struct Categoria {
    double costante;
    double coefficiente;
    double minimo;
    double massimo;
};

// B to E; A has none (Ss = 1).
std::optional<Categoria> categoria(Suolo s) {
    switch (s) {
        case Suolo::A: return std::nullopt;
        case Suolo::B: return Categoria{1.4, 0.4, 1.0, 1.2};
        case Suolo::C: return Categoria{1.7, 0.6, 1.0, 1.5};
        case Suolo::D: return Categoria{2.4, 1.5, 0.9, 1.8};
        case Suolo::E: return Categoria{2.0, 1.1, 1.0, 1.6};
    }
    return std::nullopt;
}

}  // namespace

Spettro spettro(double St, Suolo suolo, double ag, double F0) {
    Spettro r;
    r.St = std::isfinite(St) && St > 0 ? St : 1.0;
    r.suolo = suolo;
    if (const auto cat = categoria(suolo)) {
        r.Ss = cat->costante - (F0 * cat->coefficiente) * ag;
        if (r.Ss < cat->minimo) r.Ss = cat->minimo;
        if (r.Ss > cat->massimo) r.Ss = cat->massimo;
    }
    r.s = r.Ss * r.St;
    return r;
}

}  // namespace tv::hazard
