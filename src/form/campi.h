// SPDX-License-Identifier: GPL-3.0-or-later
// Field texts through the field table: the texts the fields start with, what each field accepts
// and why it refuses a text, and the number a text stands for.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "form/tabella_campi.h"
#include "hazard/spettro.h"
#include "panel/domanda.h"
#include "text/number_text.h"
#include "units/unita.h"

namespace tv::form {

// The title of the box of a refused text.
inline constexpr const char* kInputErrato = "Input errato";

// Texts the fields hold before start-up writes anything.
std::array<std::string, kCampi> design_text1();

// The result fields cleared, W aside (start-up's weight of the default panel): what is shown
// until a run completes.
void cancella_testi_risultato(std::array<std::string, kCampi>& testi);

// The subsoil category of a field text (trimmed, either case); nullopt for anything else.
std::optional<hazard::Suolo> suolo_di_testo(std::string_view testo);
// The number of a field's text by the field's rule: nullopt when refused, and for the subsoil
// and result fields. Degrees, minutes and seconds come out as decimal degrees.
std::optional<double> numero_di_testo(Campo c, std::string_view testo,
                                      const text::NumberFormat& f);

// The number of an input field's text (not the subsoil's) when motivo_rifiuto with the job's
// work units accepts it, read once; nullopt when refused.
std::optional<double> numero_accettato(Campo c, std::string_view testo,
                                       const text::NumberFormat& f, const units::Unita& u);

// Why the text of field `index` is refused, nullopt when it is accepted; with `nota`, a second
// line naming the field and the notation it takes. A number outside the field's range is refused
// naming the field, in the job's work units `unita` (base units without them).
std::optional<std::string> motivo_rifiuto(int index, const std::string& testo,
                                          const text::NumberFormat& formato, bool nota = false,
                                          const units::Unita* unita = nullptr);
// An accepted coordinate text in degrees, minutes and seconds as decimal degrees; any other
// text as it is.
std::string testo_gradi_decimali(int index, const std::string& testo,
                                 const text::NumberFormat& formato);

// Whether the restraints (0 top, 1 left, 2 bottom, 3 right; true = supported) make a panel that
// can be checked: a free top needs both sides supported, or both free (a cantilever).
constexpr bool vincoli_ammessi(const std::array<bool, 4>& c) {
    return panel::vincoli_validi(panel::Vincoli{c[0], c[1], c[3]});
}

}  // namespace tv::form
