// SPDX-License-Identifier: GPL-3.0-or-later
// The report's context of the window's last completed run.
#pragma once

#include <string>

#include "app/modello/form1.h"
#include "relazione/documento.h"

namespace tv::form {

// The job's context with the locality of the form's last completed run (which must exist): the
// line picked in the list or the job's, else a line of the locality list at its coordinates.
relazione::ContestoRelazione contesto_relazione(const Form1& f, std::string data);

}  // namespace tv::form
