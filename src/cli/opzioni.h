// The options of check and report as CLI11 declares them, shared by torvelando-cli and the
// report's own program, and the report's options written back as arguments for that program.
#pragma once

#include <CLI/CLI.hpp>
#include <string>
#include <vector>

#include "cli/comandi.h"
#include "cli/relazione.h"

namespace tv::cli {

// The options of check, which report takes as they are.
void opzioni_check(CLI::App* c, OpzioniCheck& check);
// Those of report: check's and the output file.
void opzioni_report(CLI::App* r, OpzioniReport& report);

// The arguments that give the report's program the same options (each as "--name=value", so
// that a value starting with "-" stays a value).
std::vector<std::string> argomenti_report(const OpzioniReport& o);

}  // namespace tv::cli
