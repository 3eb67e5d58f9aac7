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
    std::optional<std::string> output;  // default: the job's name with ".pdf" in `cwd`
};

// Exit codes: 0 the report was written; 1 start-up or the run stopped, nothing written; 2 a
// refused --set text or restraint, or a report that could not be written (message naming the
// file). Starts the Qt Gui application the renderer needs, offscreen without a display.
int esegui_report(const OpzioniReport& o, const std::filesystem::path& cwd, std::ostream& out,
                  std::ostream& err);

}  // namespace tv::cli
