// SPDX-License-Identifier: GPL-3.0-or-later
// The system's reason for a failed call in Italian: the C library speaks English under the C
// locale the programs run in, and the core never switches locale.
#pragma once

#include <string>
#include <system_error>

namespace tv::text {

// The text of errno value `errore` as the C library's Italian translation words it ("Nome del
// file troppo lungo") for the values a program reading and writing files meets; any other in the
// system's own words.
std::string messaggio_errno(int errore);

// The same for an error of the generic or the system category (std::filesystem's, the
// writer's); an error of another category keeps its own message.
std::string messaggio_errore(const std::error_code& ec);

}  // namespace tv::text
