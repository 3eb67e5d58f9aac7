// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the results on screen belong to the inputs on screen: the inputs of the last completed
// run, and how the results are drawn while they are out of date.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "app/modello/stato.h"
#include "form/tabella_campi.h"

namespace tv::form {

inline constexpr const char* kDaAggiornare = "da aggiornare";
inline constexpr const char* kPremereAggiorna = "Premere AGGIORNA";
inline constexpr const char* kVincoliDaCorreggere = "Vincoli da correggere";
inline constexpr Rgb kGrigio{128, 128, 128};

// What the last completed run saw (its panel's inputs) and wrote into field α, which the user
// can type into.
struct UltimaEsecuzione {
    Pannello ingressi;
    std::string alfa;
};

// Out of date: no completed run since start-up or since the last run that stopped, or an input
// or α differs from what that run used and wrote. States are compared, not events: a change
// undone leaves the results current.
bool risultati_scaduti(const StatoFinestra& s, const std::optional<UltimaEsecuzione>& ultima);

// Fields and captions holding results: the check run writes them, the marking greys them.
inline constexpr auto kCampiRisultato = [] {
    std::array<Campo, 10> out{};
    std::size_t n = 0;
    for (const auto& d : kTabellaCampi)
        if (d.lettura == Lettura::nessuna) out.at(n++) = d.campo;
    return n == out.size() ? out : throw "10 result fields";
}();
inline constexpr std::array<std::size_t, 3> kLabel1Risultato = {kLabelCampata, kLabelVerdetto,
                                                                kLabelCritica};
// Label2 0 (Ss), 1 (S), 6 (VR) and Label3 hold results too.

// How the results are drawn. Current: black text and the verdict colours of the last run.
// Stale: grey text, no verdict colour, "da aggiornare" for the verdict, or "Sito da indicare"
// while the panel's site is still the program's initial one.
struct AspettoRisultati {
    Rgb testo;           // result fields and captions
    Rgb text22_sfondo;   // resistance field
    Rgb label28_testo;   // verdict
    Rgb label34_sfondo;  // critical stress
    std::string label28;
    std::optional<std::string> tooltip22;  // nullopt: the design tooltip
    bool operator==(const AspettoRisultati&) const = default;
};

AspettoRisultati aspetto_risultati(const StatoFinestra& s, bool scaduti,
                                   bool sito_da_indicare = false);

}  // namespace tv::form
