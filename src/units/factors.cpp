// SPDX-License-Identifier: GPL-3.0-or-later
// Unit family formulas over the length and force scales, the editor's unit table and the formatting
// of converted values.
#include "units/factors.h"

#include <algorithm>
#include <cmath>

#include "text/encoding.h"
#include "units/unita.h"

namespace tv::units {

double fattore_famiglia(Famiglia f, std::string_view unit, double accelerazione_g) {
    const double l = scala_lunghezza(unit).value_or(0.0);
    const double forza = scala_forza(unit, accelerazione_g).value_or(0.0);
    double factor = 0.0;
    switch (f) {
        case Famiglia::nessuna:
            break;
        case Famiglia::lunghezza:
            factor = l;
            break;
        case Famiglia::volume:
            factor = l * l * l;
            break;
        case Famiglia::forza:
            factor = forza;
            break;
        case Famiglia::momento:
            factor = forza * l;
            break;
        case Famiglia::tensione:
            factor = forza / (l * l);
            break;
        case Famiglia::peso_specifico:
            factor = forza / (l * l * l);
            break;
    }
    // 0/0 and F/0 (and 10/g with g = 0) have no meaning as factors: report them as "no factor".
    return std::isfinite(factor) ? factor : 0.0;
}

const std::vector<std::string>& unita_editor(Famiglia f) {
    static const std::vector<std::string> length{"cm", "m", "mm"};
    static const std::vector<std::string> volume{"mm3", "cm3", "m3"};
    static const std::vector<std::string> force{"daN", "N", "kN", "kgf", "t"};
    static const std::vector<std::string> moment{"daNcm", "daNm", "Nm", "kNm", "kgfm", "tm"};
    static const std::vector<std::string> stress{"daN/cm2", "daN/mm2", "N/mm2",
                                                 "kgf/cm2", "KPa",     "MPa"};
    static const std::vector<std::string> specific_weight{"daN/cm3", "daN/m3", "N/m3",
                                                          "kN/m3",   "kgf/m3", "t/m3"};
    static const std::vector<std::string> nessuna;
    switch (f) {
        case Famiglia::nessuna:
            return nessuna;
        case Famiglia::lunghezza:
            return length;
        case Famiglia::volume:
            return volume;
        case Famiglia::forza:
            return force;
        case Famiglia::momento:
            return moment;
        case Famiglia::tensione:
            return stress;
        case Famiglia::peso_specifico:
            return specific_weight;
    }
    return nessuna;  // not reached: every enumerator is handled above
}

const std::vector<Famiglia>& ordine_famiglie_editor() {
    static const std::vector<Famiglia> order{Famiglia::forza,  Famiglia::momento, Famiglia::peso_specifico,
                                           Famiglia::lunghezza, Famiglia::tensione, Famiglia::volume};
    return order;
}

std::optional<Famiglia> famiglia_editor(std::string_view unit) {
    const std::string lower = tv::text::to_lower(unit);
    for (Famiglia f : ordine_famiglie_editor()) {
        const auto& rows = unita_editor(f);
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
