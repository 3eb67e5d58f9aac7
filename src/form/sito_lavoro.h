// SPDX-License-Identifier: GPL-3.0-or-later
// The job's own site: the job file start-up reads (sismica_2008.txt), written by this program
// from a panel's site fields, never over a job file another program wrote.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "form/tabella_campi.h"
#include "hazard/datum.h"
#include "text/number_text.h"

namespace tv::form {

// The first line of a job file this program wrote: only such a file is ever rewritten.
inline constexpr const char* kIntestazioneSitoLavoro =
    "PARAMETRI SISMICI NTC 2008 - sito scritto da TORVELANDO PANNELLI MURARI";
inline constexpr const char* kFileSitoLavoro = "sismica_2008.txt";

// Whether the job in `dir_lavoro` may be given its site: it has no job file, or only the one this
// program wrote.
bool sito_lavoro_scrivibile(const std::filesystem::path& dir_lavoro);

// The job file text for the site fields of `testi` (coordinates in `datum`, moved to ED50, the
// grid's system; subsoil, St, VN, Cu) and the locality name, empty when none was picked.
// nullopt when a site field cannot be read.
std::optional<std::string> testo_sito_lavoro(const TestiCampi& testi,
                                             hazard::Datum datum, const std::string& localita,
                                             const text::NumberFormat& formato);

// Writes the job file whole: nullopt when written, else the message (a job file of another
// program, a field that cannot be read, a failed write).
std::optional<std::string> scrivi_sito_lavoro(const std::filesystem::path& dir_lavoro,
                                              const TestiCampi& testi,
                                              hazard::Datum datum, const std::string& localita,
                                              const text::NumberFormat& formato);

}  // namespace tv::form
