// SPDX-License-Identifier: GPL-3.0-or-later
// torvelando-relazione: the report command's own program, started by torvelando-cli report with
// the same options; the only command-line program that links Qt (Gui, for the PDF renderer).
#include <CLI/CLI.hpp>
#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "cli/opzioni.h"
#include "cli/relazione.h"
#include "cli/scrittura.h"

int main(int argc, char** argv) {
    CLI::App app{"TORVELANDO PANNELLI MURARI - relazione di calcolo in PDF"};
    tv::cli::in_italiano(app);
    tv::cli::OpzioniReport report;
    tv::cli::opzioni_report(&app, report);
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return tv::cli::concludi(tv::cli::esito_analisi(app, e, std::cout, std::cerr), std::cerr);
    }
    if (auto rifiuto = tv::cli::parola_rifiutata(app, app.remaining())) {
        std::cerr << *rifiuto << "\n";
        return tv::cli::concludi(2, std::cerr);
    }
    report.check.extra = app.remaining();
    report.terminale = isatty(STDERR_FILENO) == 1;
    const auto cwd = std::filesystem::current_path();
    return tv::cli::concludi(tv::cli::esegui_report(report, cwd, std::cout, std::cerr), std::cerr);
}
