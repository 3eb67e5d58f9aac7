// SPDX-License-Identifier: GPL-3.0-or-later
// The report of a local-mechanism check: the mechanism's sections, numbered, then the rules it
// follows and the declarations of NTC 2018 § 10.2, all from its result.
#pragma once

#include "form/calcolo_meccanismi.h"
#include "relazione/documento.h"

namespace tv::relazione {

Documento costruisci_relazione_meccanismo(const form::RisultatoMeccanismo& r,
                                          const ContestoRelazione& c);

}  // namespace tv::relazione
