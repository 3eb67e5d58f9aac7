// SPDX-License-Identifier: GPL-3.0-or-later
// torvelando-cli: the window's check, batches of checks and the locality search from the command
// line, core only; the calculation report through its own program, which alone loads Qt.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/batch.h"
#include "cli/comandi.h"
#include "cli/opzioni.h"
#include "cli/radice.h"
#include "cli/relazione.h"
#include "cli/scrittura.h"

namespace {

int esegui(const CLI::App* c, const CLI::App* s, const CLI::App* b, const CLI::App* r,
           const CLI::App* p, tv::cli::OpzioniCheck& check, tv::cli::OpzioniSearch& search,
           tv::cli::OpzioniBatch& batch, tv::cli::OpzioniReport& report,
           tv::cli::OpzioniPanels& panels) {
    const auto cwd = std::filesystem::current_path();
    // A word the command does not know is refused: a misspelt option never runs without it.
    for (const CLI::App* comando : {c, s, b, r, p})
        if (comando->parsed())
            if (auto rifiuto = tv::cli::parola_rifiutata(*comando, comando->remaining())) {
                std::cerr << *rifiuto << "\n";
                return 2;
            }
    if (p->parsed()) {
        panels.extra = p->remaining();
        if (!tv::cli::scegli_suite(panels.root, panels.extra, cwd, std::cerr)) return 1;
        return tv::cli::esegui_panels(panels, cwd, std::cout, std::cerr);
    }
    if (r->parsed()) {
        report.check.extra = r->remaining();
        if (!tv::cli::scegli_suite(report.check.root, report.check.extra, cwd, std::cerr))
            return 1;
        return tv::cli::avvia_relazione(report, std::cerr);
    }
    if (c->parsed()) {
        check.extra = c->remaining();
        if (!tv::cli::scegli_suite(check.root, check.extra, cwd, std::cerr)) return 1;
        return tv::cli::esegui_check(check, cwd, std::cout, std::cerr);
    }
    if (b->parsed()) {
        batch.extra = b->remaining();
        if (!tv::cli::scegli_suite(batch.root, batch.extra, cwd, std::cerr)) return 1;
        batch.barra = isatty(STDERR_FILENO) == 1;
        return tv::cli::esegui_batch(batch, cwd, std::cout, std::cerr);
    }
    search.extra = s->remaining();
    if (!tv::cli::scegli_suite(search.root, search.extra, cwd, std::cerr)) return 2;
    return tv::cli::esegui_search(search, cwd, std::cout, std::cerr);
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"TORVELANDO PANNELLI MURARI - verifica fuori piano di pannelli murari"};
    tv::cli::in_italiano(app);
    app.footer("Software libero sotto la GNU General Public License, versione 3 o successiva "
               "(file LICENSE).");
    app.require_subcommand(1);

    tv::cli::OpzioniCheck check;
    auto* c = app.add_subcommand("check", "Avvio dalla suite e una verifica (come AGGIORNA)");
    tv::cli::opzioni_check(c, check);
    c->add_flag("--json", check.json, "Risultato come oggetto JSON");

    tv::cli::OpzioniReport report;
    auto* r = app.add_subcommand("report", "Relazione di calcolo in PDF della verifica di check");
    tv::cli::opzioni_report(r, report);

    tv::cli::OpzioniSearch search;
    auto* s = app.add_subcommand("search", "Località il cui rigo contiene TESTO");
    s->add_option("testo", search.testo, "Testo da cercare (almeno 3 caratteri)")->required();
    s->add_option("--root", search.root, "Cartella radice della suite");
    // Taken as by every command; the locality list is the suite's, whatever the job.
    std::optional<std::string> job_search;
    s->add_option("--job", job_search, "Lavoro della cartella dei lavori (la ricerca non lo usa)");
    s->allow_extras();

    tv::cli::OpzioniBatch batch;
    auto* b = app.add_subcommand("batch", "Verifica di molti pannelli da un file CSV");
    b->add_option("file", batch.file,
                  "File CSV: intestazione con i nomi delle colonne, una riga per pannello "
                  "(altrimenti i pannelli salvati nel lavoro)");
    b->add_option("--root", batch.root, "Cartella radice della suite");
    b->add_option("--job", batch.job, "Lavoro della cartella dei lavori della suite");
    b->add_flag("--excel", batch.excel,
                "Risultati separati da \";\" con la virgola decimale, per un foglio di calcolo");
    b->add_option("--jobs", batch.jobs, "Numero di thread di calcolo")->check(CLI::Range(1, 1024).description(""))
        ->type_name("1-1024");
    b->add_option("-o,--output", batch.output,
                  "File CSV dei risultati (altrimenti lo standard output)");
    b->allow_extras();

    tv::cli::OpzioniPanels panels;
    auto* p = app.add_subcommand("panels", "Pannelli salvati nel lavoro, ciascuno con il suo esito");
    p->add_option("--root", panels.root, "Cartella radice della suite");
    p->add_option("--job", panels.job, "Lavoro della cartella dei lavori della suite");
    p->allow_extras();
    for (CLI::App* comando : {c, r, s, b, p}) tv::cli::in_italiano(*comando);  // their own -h

    // Every way out, the help text included, checks that the standard output was written.
    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        return tv::cli::concludi(tv::cli::esito_analisi(app, e, std::cout, std::cerr), std::cerr);
    }
    return tv::cli::concludi(esegui(c, s, b, r, p, check, search, batch, report, panels), std::cerr);
}
