// SPDX-License-Identifier: GPL-3.0-or-later
// The cantilever kind on the command line: its JSON results, its summary lines, its batch columns.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

#include "form/testi.h"
#include "panel/mensola.h"
#include "units/unita.h"

namespace tv::cli {

// A cantilever has no arch: the arch's JSON keys are null and the span says so.
void json_mensola(nlohmann::json& j);
// The summary's resistance lines: the overturning terms and Rlat with the verdict.
void riassunto_mensola(const panel::Mensola& m, const units::Unita& u,
                       const form::TestiRisultato& x, std::ostream& out);
// The batch's arch columns emptied and its span column "mensola".
void colonne_mensola(form::TestiRisultato& t);

}  // namespace tv::cli
