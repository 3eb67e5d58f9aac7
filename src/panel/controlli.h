// SPDX-License-Identifier: GPL-3.0-or-later
// Input and result guards of the panel check: the core's value checks, each refusal naming the
// quantity in Italian.
#pragma once

#include "text/error.h"

namespace tv::panel {

using tv::richiedi_finito;
using tv::richiedi_non_negativo;
using tv::richiedi_positivo;

}  // namespace tv::panel
