// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the suite root from the command line and the suite's settings files
// "impostazioni/dirlav" and "impostazioni/lavoro". The input holds three parts separated by NUL
// bytes: the arguments (one a line), the text of dirlav and the text of lavoro.
#include <cstdint>
#include <string>
#include <vector>

#include "comune.h"
#include "form/avvio.h"
#include "text/error.h"

namespace {
using namespace tv;
using fuzz::richiedi;

const form::prova::CartellaTemp& radice() {
    static const form::prova::CartellaTemp t;
    return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string_view> parti;
    std::string_view resto = fuzz::come_testo(data, size);
    for (int i = 0; i < 2; ++i) {
        const std::size_t nul = std::min(resto.find('\0'), resto.size());
        parti.push_back(resto.substr(0, nul));
        resto.remove_prefix(std::min(nul + 1, resto.size()));
    }
    parti.push_back(resto);

    std::vector<std::string> args;
    for (const std::string& a : text::split_lines(parti[0])) args.push_back(a);
    try {
        const auto root = form::trova_root(args, "/suite/progra");
        richiedi(!root.empty(), "cartella della suite vuota");
    } catch (const Failure& e) {
        richiedi(std::string(e.what()).starts_with("Cartella della suite non indicata"),
                 std::string("messaggio inatteso: ") + e.what());
    }

    const auto& root = radice().path();
    form::prova::scrivi(root / "impostazioni" / "dirlav", parti[1]);
    form::prova::scrivi(root / "impostazioni" / "lavoro", parti[2]);
    try {
        const form::Cartelle c = form::leggi_cartelle(root);
        richiedi(!c.nome_lavoro.empty() && c.nome_lavoro == text::trim(c.nome_lavoro),
                 "nome del lavoro vuoto o con spazi ai lati");
        richiedi(text::is_valid_utf8(c.nome_lavoro), "nome del lavoro non UTF-8");
        richiedi(c.dir_progra == root / "progra", "cartella progra");
    } catch (const Failure& e) {
        const std::string m = e.what();
        richiedi(m.find("dirlav") != std::string::npos || m.find("lavoro") != std::string::npos,
                 "messaggio senza il file: " + m);
    }
    return 0;
}
