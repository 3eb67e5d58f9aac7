// Stratigraphic factor by subsoil category (limited from below, then from above) and the
// topographic factor read from its field.
#include "hazard/spettro.h"

#include <array>
#include <cmath>
#include <utility>

#include "text/encoding.h"

namespace tv::hazard {
namespace {

struct Categoria {
    const char* testo;
    double costante;
    double coefficiente;
    double minimo;
    double massimo;
};

// Category A has no formula and no limits; B to E follow Ss = costante - coefficiente * F0 * ag.
constexpr std::array<Categoria, 8> kCategorie = {{
    {"B", 1.4, 0.4, 1.0, 1.2},
    {"b", 1.4, 0.4, 1.0, 1.2},
    {"C", 1.7, 0.6, 1.0, 1.5},
    {"c", 1.7, 0.6, 1.0, 1.5},
    {"D", 2.4, 1.5, 0.9, 1.8},
    {"d", 2.4, 1.5, 0.9, 1.8},
    {"E", 2.0, 1.1, 1.0, 1.6},
    {"e", 2.0, 1.1, 1.0, 1.6},
}};

}  // namespace

Spettro spettro(std::string_view campo5, std::string_view campo4, double ag, double F0,
                const text::NumberFormat& fmt) {
    Spettro r;
    if (auto v = text::parse_dot_or_locale(campo5, fmt); v && std::isfinite(*v)) r.St = *v;
    if (r.St <= 0) r.St = 1.0;

    // Category A ("A", "a" or any unknown text) keeps Ss = 1 with no limits.
    std::string suolo = text::trim(campo4);
    const Categoria* cat = nullptr;
    for (const Categoria& c : kCategorie)
        if (suolo == c.testo) {
            cat = &c;
            break;
        }
    if (cat) {
        r.Ss = cat->costante - (F0 * cat->coefficiente) * ag;
        if (r.Ss < cat->minimo) r.Ss = cat->minimo;
        if (r.Ss > cat->massimo) r.Ss = cat->massimo;
    } else if (suolo != "a") {
        suolo = std::string(1, 'A');
    }
    r.suolo = std::move(suolo);
    r.s = r.Ss * r.St;
    r.testo_Ss = text::rounded(r.Ss, 3, fmt);
    r.testo_s = text::rounded(r.s, 3, fmt);
    return r;
}

}  // namespace tv::hazard
