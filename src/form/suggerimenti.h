// SPDX-License-Identifier: GPL-3.0-or-later
// Suggestions the window offers beside a field and writes when picked: the building's period T1
// by its structure, and qa by the non-structural element.
#pragma once

#include "form/scelte.h"

namespace tv::form {

// Building type → C1 of T1 = C1·H^(3/4), H in m (NTC 2018 § 7.3.3.2).
enum class TipoEdificio { acciaio, calcestruzzo, altro };
inline constexpr std::array<Voce<TipoEdificio>, 3> kTipiEdificio = {{
    {TipoEdificio::acciaio, "acciaio", "Telai in acciaio", 0.085},
    {TipoEdificio::calcestruzzo, "calcestruzzo", "Telai in calcestruzzo", 0.075},
    {TipoEdificio::altro, "altro_edificio", "Altro (muratura compresa)", 0.050},
}};
double periodo_suggerito(TipoEdificio t, double H_m);
struct Pannello;
// The building's height H in m from the panel's field in the job's lengths; nullopt when it is
// no positive number.
std::optional<double> altezza_edificio_m(const Pannello& p, const units::Unita& u,
                                         const text::NumberFormat& f);

// The non-structural element → qa (Circolare 2019 Tab. C7.2.I).
enum class ElementoNonStrutturale { parapetto, parete };
inline constexpr std::array<Voce<ElementoNonStrutturale>, 2> kElementi = {{
    {ElementoNonStrutturale::parapetto, "parapetto", "Parapetto o elemento a mensola", 1.0},
    {ElementoNonStrutturale::parete, "parete", "Parete, tramezzatura o facciata", 2.0},
}};

}  // namespace tv::form
