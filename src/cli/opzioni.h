// SPDX-License-Identifier: GPL-3.0-or-later
// The options of check and report as CLI11 declares them, shared by torvelando-cli and the
// report's own program, and the report's options written back as arguments for that program.
#pragma once

#include <CLI/CLI.hpp>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/comandi.h"
#include "cli/relazione.h"

namespace tv::cli {

// The options of check, which report takes as they are.
void opzioni_check(CLI::App* c, OpzioniCheck& check);
// Those of report: check's and the output file.
void opzioni_report(CLI::App* r, OpzioniReport& report);

// The help in Italian, its labels and the -h,--help flag: called on the top level before its
// subcommands are added, and on each subcommand, whose help flag was made before.
void in_italiano(CLI::App& app);

// The message refusing the first of `rimaste` (the words CLI11 left over after parsing
// `comando`) that is not "|diroot=DIR|": naming the word and the command's options.
std::optional<std::string> parola_rifiutata(const CLI::App& comando,
                                            const std::vector<std::string>& rimaste);

// What a parse error of `app` ends with: the help on `out` and 0 for --help, otherwise an
// Italian message naming the option or word on `err` and 2.
int esito_analisi(const CLI::App& app, const CLI::ParseError& e, std::ostream& out,
                  std::ostream& err);

// The arguments that give the report's program the same options (each as "--name=value", so
// that a value starting with "-" stays a value).
std::vector<std::string> argomenti_report(const OpzioniReport& o);

}  // namespace tv::cli
