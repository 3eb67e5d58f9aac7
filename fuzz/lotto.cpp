// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the batch CSV file, read row by row and every row checked as the window checks
// one panel. A file is refused with a message naming it, or each row comes back either with
// finite results, a verdict that agrees with them, its demand formula echoed by its short name
// and the hazard's source, or with no results and its error.
#include <cstdint>
#include <memory>
#include <sstream>
#include <string>

#include "cli/batch.h"
#include "comune.h"
#include "text/error.h"

namespace {
using namespace tv;
using fuzz::richiedi;

const cli::Lotto& lotto() {
    static const fuzz::Ambiente a;
    static form::RaccoltaMessaggi m;
    static const std::unique_ptr<cli::Lotto> l = [] {
        form::Form1 f(m, text::dot_format());
        richiedi(a.avvia(f), "avvio della suite di prova");
        return std::make_unique<cli::Lotto>(f.lavoro, f.pannello(), *f.fonte_griglia());
    }();
    return *l;
}

constexpr std::size_t kRigheMassime = 32;  // enough to reach every kind of row

void controlla_riga(const cli::RigaEsito& e) {
    using cli::colonna_uscita;
    using cli::kColonneIngresso;
    const auto& c = e.celle;
    for (const auto& testo : c) richiedi(text::is_valid_utf8(testo), "cella non UTF-8");
    if (!e.completata) {
        richiedi(!e.errore().empty(), "riga non verificata senza errore");
        for (std::size_t i = kColonneIngresso; i < c.size(); ++i)
            richiedi(i == cli::kColonnaErrore || c[i].empty(), "riga non verificata con un risultato");
        return;
    }
    richiedi(e.errore().empty(), "riga verificata con un errore");
    const std::string& domanda = c[colonna_uscita("domanda")];
    richiedi(domanda == "EC8" || domanda == "C7.2.11", "domanda: \"" + domanda + "\"");
    const std::string& datum = c[colonna_uscita("datum")];
    richiedi(datum == "ED50" || datum == "WGS84", "datum: \"" + datum + "\"");
    const std::string& fonte = c[colonna_uscita("fonte")];
    richiedi(fonte == "griglia" || (fonte.starts_with("G") && fonte.size() > 3),
             "fonte: \"" + fonte + "\"");
    // lat_ed50 ... K2: every result but the span symbol, the verdict and the error; a
    // cantilever has no arch, so no deflection, K1 or K2.
    const bool mensola = c[colonna_uscita("span")] == "mensola";
    for (std::size_t i = colonna_uscita("lat_ed50"); i < colonna_uscita("span"); ++i) {
        if (mensola && i >= colonna_uscita("d_mm")) {
            richiedi(c[i].empty(), "mensola con un risultato dell'arco: \"" + c[i] + "\"");
            continue;
        }
        richiedi(fuzz::numero_finito(c[i], text::dot_format()),
                 "risultato non numerico: \"" + c[i] + "\"");
    }
    const std::string& verdetto = c[colonna_uscita("verdict")];
    richiedi(verdetto == "> Fa : OK" || verdetto == "< Fa : !!!", "verdetto: \"" + verdetto + "\"");
    const double Fa = *text::parse_number(c[colonna_uscita("Fa")], text::dot_format());
    const double Rlat = *text::parse_number(c[colonna_uscita("Rlat")], text::dot_format());
    richiedi(!(Rlat > Fa) || verdetto == "> Fa : OK", "verdetto \"!!!\" con Rlat maggiore di Fa");
    richiedi(!(Rlat < Fa) || verdetto == "< Fa : !!!", "verdetto \"OK\" con Rlat minore di Fa");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const cli::Lotto& l = lotto();
    std::istringstream in(std::string(fuzz::come_testo(data, size)));
    std::unique_ptr<cli::LettoreLotto> lettore;
    try {
        lettore = std::make_unique<cli::LettoreLotto>("lotto.csv", in);
    } catch (const Failure& e) {
        const std::string m = e.what();
        richiedi(m.find("\"lotto.csv\"") != std::string::npos, "messaggio senza il file: " + m);
        richiedi(text::is_valid_utf8(m), "messaggio non UTF-8");
        return 0;
    }
    cli::Lotto::Banco banco;
    cli::RigaIngresso riga;
    cli::RigaEsito esito;
    try {
        for (std::size_t n = 0; n < kRigheMassime && lettore->prossima(riga); ++n) {
            l.verifica(riga, banco, esito);
            controlla_riga(esito);
            richiedi(cli::riga_csv(esito).ends_with("\n"), "riga CSV senza fine");
        }
    } catch (const Failure& e) {
        const std::string m = e.what();
        richiedi(m.find("troppo lunga") != std::string::npos, "lettura fermata: " + m);
    }
    return 0;
}
