// SPDX-License-Identifier: GPL-3.0-or-later
// The window's local-mechanism kinds as data: how many storeys the table shows, and the texts
// of a completed mechanism run.
#pragma once

#include <string>

#include "app/modello/stato.h"
#include "form/calcolo_meccanismi.h"
#include "text/number_text.h"

namespace tv::form {

// The storeys the table shows: the `piani` text read, 1..5 (1 when it cannot be read).
int piani_mostrati(const StatoFinestra& s, const text::NumberFormat& f);

// One mechanism on one line: its name, hinge, α0, ζE SLV and ag,cap SLV.
std::string riga_meccanismo(const panel::EsitoCinematismo& e, const text::NumberFormat& f);

// The governing mechanism's values and verdicts, and the others' lines in storey order.
TestiEsitoMeccanismo testi_esito_meccanismo(const RisultatoMeccanismo& r,
                                            const text::NumberFormat& f);

}  // namespace tv::form
