// SPDX-License-Identifier: GPL-3.0-or-later
// The report's sections of a local-mechanism check, built from its result alone.
#pragma once

#include <vector>

#include "form/calcolo_meccanismi.h"
#include "relazione/documento.h"

namespace tv::relazione {

// The wall and the hypotheses, the hazard at SLD and SLV, each mechanism (the governing one
// first) with its virtual work term by term, oscillator, demands and safety factors, the verdict.
std::vector<Sezione> sezioni_meccanismi(const form::RisultatoMeccanismo& r);

// A mechanism's nonlinear check, after its linear one: the curve, d0, the thresholds, periods,
// demands and safety factors at SLV and SLC.
void blocchi_non_lineare(const form::RisultatoMeccanismo& r, const panel::EsitoCinematismo& m,
                         std::vector<Blocco>& out);

}  // namespace tv::relazione
