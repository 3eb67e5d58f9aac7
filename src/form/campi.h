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
TestiCampi design_text1();

// The result fields cleared, W aside (start-up's weight of the default panel): what is shown
// until a run completes.
void cancella_testi_risultato(TestiCampi& testi);

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

// Why the text of field `c` is refused, nullopt when it is accepted; with `nota`, a second
// line naming the field and the notation it takes. A number outside the field's range is refused
// naming the field, in the job's work units `unita` (base units without them).
std::optional<std::string> motivo_rifiuto(Campo c, const std::string& testo,
                                          const text::NumberFormat& formato, bool nota = false,
                                          const units::Unita* unita = nullptr);
// An accepted coordinate text in degrees, minutes and seconds as decimal degrees; any other
// text as it is.
std::string testo_gradi_decimali(Campo c, const std::string& testo,
                                 const text::NumberFormat& formato);

// The sides of a panel as the window's restraint toggles Check1(0..3) number them, and the
// columns of a saved panel and of the batch that hold them. The bottom is always supported.
enum class Lato : int { superiore = 0, sinistro = 1, inferiore = 2, destro = 3 };
inline constexpr int kLati = 4;
struct ColonnaVincolo {
    std::string_view colonna;
    Lato lato;
};
inline constexpr std::array<ColonnaVincolo, 3> kColonneVincoli = {
    {{"top", Lato::superiore}, {"left", Lato::sinistro}, {"right", Lato::destro}}};

constexpr std::optional<Lato> lato_di_indice(int index) {
    if (index < 0 || index >= kLati) return std::nullopt;
    return static_cast<Lato>(index);
}
constexpr bool appoggiato(const panel::Vincoli& v, Lato l) {
    switch (l) {
        case Lato::superiore: return v.top;
        case Lato::sinistro: return v.left;
        case Lato::inferiore: return true;
        case Lato::destro: return v.right;
    }
    return true;
}
// Sets a side; the bottom stays supported whatever is asked.
constexpr void imposta_lato(panel::Vincoli& v, Lato l, bool appoggiato) {
    switch (l) {
        case Lato::superiore: v.top = appoggiato; return;
        case Lato::sinistro: v.left = appoggiato; return;
        case Lato::inferiore: return;
        case Lato::destro: v.right = appoggiato; return;
    }
}

// Whether the restraints make a panel that can be checked: a free top needs both sides
// supported, or both free (a cantilever).
constexpr bool vincoli_ammessi(const panel::Vincoli& v) {
    return panel::vincoli_validi(v);
}

}  // namespace tv::form
