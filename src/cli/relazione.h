// SPDX-License-Identifier: GPL-3.0-or-later
// torvelando-cli report: the check that check would run, written as the calculation report PDF.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "cli/comandi.h"

namespace tv::cli {

struct OpzioniReport {
    OpzioniCheck check;
    // Default: the job's name with ".pdf" in its folder; with --panel "<job>_<id>.pdf" (named
    // apart when the id would take another report's name), with --all "<job>_tutti.pdf".
    std::optional<std::string> output;
    bool tutti = false;  // --all: every saved panel of the job in one report
    bool terminale = false;  // standard error is a terminal: the progress written over in place
};


// The report's own program (torvelando-relazione) beside `eseguibile`, or in its libexec folder
// as installed: nullopt when neither is there.
std::optional<std::filesystem::path> programma_relazione(const std::filesystem::path& eseguibile);

// torvelando-cli report: replaces this process with the report's program, given the same
// options, so that only that program loads Qt. Returns only when it cannot be started: exit code
// 2 after the message on `err`.
int avvia_relazione(const OpzioniReport& o, std::ostream& err);

// The report's program: exit codes: 0 the report was written; 1 start-up or the run stopped,
// nothing written; 2 a refused --set text or restraint, fonts that cannot be loaded, a Qt that
// cannot start, or a report that could not be written (message naming the file). Starts the Qt Gui
// application the renderer needs, offscreen without a display.
int esegui_report(const OpzioniReport& o, const std::filesystem::path& cwd, std::ostream& out,
                  std::ostream& err);

}  // namespace tv::cli
