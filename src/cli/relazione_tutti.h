// The document of the report of every saved panel of a job, shared by report --all and the window.
#pragma once

#include <ostream>
#include <string>

#include "cli/comandi.h"
#include "form/pannelli.h"
#include "relazione/documento.h"

namespace tv::cli {

// Every readable panel of `pannelli` laid over `avvio` (the job's panel, its texts in "."
// notation) of the started job `a`, with the options `o` on top: a summary table first (id, description, Fa, Rlat, Rlat/Fa,
// verdict), then each panel's sections under its id, a panel with its own site marked. A panel
// that cannot be checked, or a row of the file that could not be read (a summary row "riga N non
// letta: why"), sets `codice` to 1; a panel's stop is named on `err`. `data`: the report's date.
relazione::Documento documento_tutti(const OpzioniCheck& o, const Avvio& a,
                                     const form::Pannello& avvio,
                                     const form::FilePannelli& pannelli, const std::string& data,
                                     std::ostream& err, int& codice);

}  // namespace tv::cli
