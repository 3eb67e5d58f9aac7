// torvelando-cli: the window's check and locality search from the command line, core only.
#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/comandi.h"

int main(int argc, char** argv) {
    CLI::App app{"TORVELANDO PANNELLI MURARI - verifica fuori piano di pannelli murari"};
    app.require_subcommand(1);

    tv::cli::OpzioniCheck check;
    auto* c = app.add_subcommand("check", "Avvio dalla suite e una verifica (come AGGIORNA)");
    c->add_option("--root", check.root, "Cartella radice della suite");
    c->add_option("--set", check.set, "Scrive TEXT nel campo N (N=TEXT), con la sua convalida")
        ->type_name("N=TEXT");
    c->add_option("--top", check.top, "Lato superiore: 1 appoggiato, 0 libero")
        ->check(CLI::IsMember({0, 1}));
    c->add_option("--left", check.left, "Lato sinistro: 1 appoggiato, 0 libero")
        ->check(CLI::IsMember({0, 1}));
    c->add_option("--right", check.right, "Lato destro: 1 appoggiato, 0 libero")
        ->check(CLI::IsMember({0, 1}));
    c->add_flag("--json", check.json, "Risultato come oggetto JSON");
    c->allow_extras();

    tv::cli::OpzioniSearch search;
    auto* s = app.add_subcommand("search", "Località il cui rigo contiene TEXT");
    s->add_option("text", search.testo, "Testo da cercare (almeno 3 caratteri)")->required();
    s->add_option("--root", search.root, "Cartella radice della suite");
    s->allow_extras();

    CLI11_PARSE(app, argc, argv);

    const auto cwd = std::filesystem::current_path();
    if (c->parsed()) {
        check.extra = c->remaining();
        return tv::cli::esegui_check(check, cwd, std::cout, std::cerr);
    }
    search.extra = s->remaining();
    return tv::cli::esegui_search(search, cwd, std::cout, std::cerr);
}
