// SPDX-License-Identifier: GPL-3.0-or-later
// Conversion factors of the unit families offered by the floating editor, and the text of a value
// converted from one unit to another.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/number_text.h"

namespace tv::units {

// The unit families: what a unit text measures. Each but `nessuna` has its factor formula over
// the length scale L and the force scale F of one unit text: length L, volume L^3, force F,
// moment F*L, stress F/L^2, specific weight F/L^3.
enum class Famiglia { nessuna, lunghezza, volume, forza, momento, tensione, peso_specifico };

// The family's formula applied to a unit text; a missing scale counts as 0. A factor that cannot
// be formed (a division by a zero scale, or a gravity of 0 for kgf and t) is 0 as well, so a
// result that is not finite never leaves this function.
double fattore_famiglia(Famiglia f, std::string_view unit, double accelerazione_g);

// The unit texts the editor offers for a family, one per row, in row order.
const std::vector<std::string>& unita_editor(Famiglia f);

// The families in the order the editor tries them for a work unit.
const std::vector<Famiglia>& ordine_famiglie_editor();

// The first family (in editor order) with a row whose unit text equals the given one in lower
// case, the whole text compared; nullopt when the text is in no family.
std::optional<Famiglia> famiglia_editor(std::string_view unit);

// valore (read with the locale's number reader) times fattore, rounded half to even at cifre
// decimals, as general number text with the locale's separator. "0" when valore is not a number
// or the product is not finite. A negative cifre counts as 0.
std::string formatta_convertito(std::string_view valore, double fattore, int cifre,
                                const tv::text::NumberFormat& fmt);
std::string formatta_convertito(double valore, double fattore, int cifre,
                                const tv::text::NumberFormat& fmt);

}  // namespace tv::units
