// Family formulas over the length and force scales, the editor's unit table and the formatting
// of converted values.
#include "units/factors.h"

#include <algorithm>
#include <cmath>

#include "text/encoding.h"
#include "units/unita.h"

namespace tv::units {

double family_factor(Family f, std::string_view unit, double accelerazione_g) {
    const double l = scala_lunghezza(unit).value_or(0.0);
    const double forza = scala_forza(unit, accelerazione_g).value_or(0.0);
    double factor = 0.0;
    switch (f) {
        case Family::length:
            factor = l;
            break;
        case Family::volume:
            factor = l * l * l;
            break;
        case Family::force:
            factor = forza;
            break;
        case Family::moment:
            factor = forza * l;
            break;
        case Family::stress:
            factor = forza / (l * l);
            break;
        case Family::specific_weight:
            factor = forza / (l * l * l);
            break;
    }
    // 0/0 and F/0 (and 10/g with g = 0) have no meaning as factors: report them as "no factor".
    return std::isfinite(factor) ? factor : 0.0;
}

const std::vector<std::string>& editor_units(Family f) {
    static const std::vector<std::string> length{"cm", "m", "mm"};
    static const std::vector<std::string> volume{"mm3", "cm3", "m3"};
    static const std::vector<std::string> force{"daN", "N", "kN", "kgf", "t"};
    static const std::vector<std::string> moment{"daNcm", "daNm", "Nm", "kNm", "kgfm", "tm"};
    static const std::vector<std::string> stress{"daN/cm2", "daN/mm2", "N/mm2",
                                                 "kgf/cm2", "KPa",     "MPa"};
    static const std::vector<std::string> specific_weight{"daN/cm3", "daN/m3", "N/m3",
                                                          "kN/m3",   "kgf/m3", "t/m3"};
    switch (f) {
        case Family::length:
            return length;
        case Family::volume:
            return volume;
        case Family::force:
            return force;
        case Family::moment:
            return moment;
        case Family::stress:
            return stress;
        case Family::specific_weight:
            return specific_weight;
    }
    return length;  // not reached: every enumerator is handled above
}

const std::vector<Family>& editor_family_order() {
    static const std::vector<Family> order{Family::force,  Family::moment, Family::specific_weight,
                                           Family::length, Family::stress, Family::volume};
    return order;
}

std::optional<Family> family_of_unit(std::string_view unit) {
    const std::string lower = tv::text::to_lower(unit);
    for (Family f : editor_family_order()) {
        const auto& rows = editor_units(f);
        if (std::any_of(rows.begin(), rows.end(),
                        [&](const std::string& row) { return tv::text::to_lower(row) == lower; }))
            return f;
    }
    return std::nullopt;
}

std::string formatta_convertito(double valore, double fattore, int cifre,
                                const tv::text::NumberFormat& fmt) {
    const double prodotto = valore * fattore;
    // An overflowing or undefined product has no text the user could use: show 0 as for a
    // value that is no number.
    if (!std::isfinite(prodotto)) return "0";
    return tv::text::rounded(prodotto, std::max(cifre, 0), fmt);
}

std::string formatta_convertito(std::string_view valore, double fattore, int cifre,
                                const tv::text::NumberFormat& fmt) {
    const std::optional<double> numero = tv::text::parse_number(valore, fmt);
    if (!numero) return "0";
    return formatta_convertito(*numero, fattore, cifre, fmt);
}

}  // namespace tv::units
