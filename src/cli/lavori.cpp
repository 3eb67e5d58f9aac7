// SPDX-License-Identifier: GPL-3.0-or-later
// torvelando-cli panels: the job's saved panels, each checked afresh as a batch row.
#include <exception>

#include "cli/batch.h"
#include "cli/comandi.h"
#include "form/pannelli.h"
#include "text/encoding.h"
#include "text/error.h"

namespace tv::cli {
namespace fs = std::filesystem;
static_assert(kNomiRisultato[kColonneRisultato - 4] == "verdict");

int esegui_panels(const OpzioniPanels& o, const fs::path& cwd, std::ostream& out,
                  std::ostream& err) {
    const std::optional<Avvio> avvio = avvia_da_opzioni(o.root, o.extra, cwd, err, o.job);
    if (!avvio) return 1;
    const form::Lavoro& lavoro = avvio->lavoro;
    std::optional<form::FilePannelli> pannelli;
    std::unique_ptr<Lotto> lotto;
    try {
        pannelli = form::carica_pannelli(lavoro.cartelle.dir_lavoro);
        if (!pannelli) {
            err << "Il lavoro \"" << text::printable(lavoro.cartelle.nome_lavoro)
                << "\" non ha pannelli salvati ("
                << form::kFilePannelli << ").\n";
            return 0;
        }
        lotto = std::make_unique<Lotto>(lavoro, avvio->pannello, *avvio->griglia);
    } catch (const Failure& f) {
        err << text::printable(f.what()) << "\n";
        return 2;
    }
    stampa_righe_guaste(*pannelli, err);
    std::size_t numero = 0;
    for (const auto& r : pannelli->righe) {
        ++numero;
        if (!r.leggibile()) continue;  // said above; kept in the file
        const RigaEsito e = lotto->verifica(riga_di_pannello(*pannelli, r, numero));
        // The file's texts as a terminal can show them: an id or a description holding escape
        // sequences would otherwise move the cursor or recolour the screen.
        out << text::printable(pannelli->cella(r, "id")) << "\t"
            << text::printable(pannelli->cella(r, "descrizione")) << "\t"
            << text::printable(e.completata ? e.celle[kColonneUscita - 4] : "errore: " + e.errore())
            << "\n";
    }
    return 0;
}

}  // namespace tv::cli
