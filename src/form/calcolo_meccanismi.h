// SPDX-License-Identifier: GPL-3.0-or-later
// The local-mechanism check as one pure computation: the site's hazard at SLD and SLV, then the
// wall's mechanisms checked against the floor acceleration at each hinge.
#pragma once

#include <optional>
#include <variant>

#include "form/calcolo.h"
#include "panel/meccanismi.h"

namespace tv::form {

// PVR of the limit states the mechanisms are checked at (NTC 2018 Tab. 3.2.I), per cent; SLC
// only by the nonlinear check.
inline constexpr double kPVR_SLD = 63, kPVR_SLV = 10, kPVR_SLC = 5;

struct IngressiMeccanismo {
    hazard::DatiSito sito;  // lon, lat as typed, VN, Cu; its PVR is not read
    hazard::Datum datum = hazard::Datum::ed50;
    hazard::Suolo suolo = hazard::Suolo::A;
    double St = 1.0;
    panel::Parete parete;
    panel::TipoMeccanismo tipo = panel::TipoMeccanismo::ribaltamento;
    panel::DatiVerificaMeccanismo verifica;  // its SLD and SLV are filled by the run
};

// The hazard of one limit state: the site's values at its return period and the amplification.
struct PericolositaStato {
    double PVR = 0;
    hazard::RisultatoSito sito;
    hazard::Spettro spettro;
};

struct RisultatoMeccanismo {
    IngressiMeccanismo ingressi;  // with the two actions as the checks read them
    hazard::Geografiche ed50;
    PericolositaStato SLD, SLV;
    std::optional<PericolositaStato> SLC;  // the nonlinear check's
    panel::EsitoMeccanismi esito;
};

using EsitoMeccanismo = std::variant<RisultatoMeccanismo, Arresto>;

EsitoMeccanismo calcola_meccanismo(const IngressiMeccanismo& ingressi,
                                   const hazard::RicercaGriglia& griglia);

}  // namespace tv::form
