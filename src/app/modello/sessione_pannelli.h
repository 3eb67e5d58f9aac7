// SPDX-License-Identifier: GPL-3.0-or-later
// The window's panels: the job's panels file behind the fields, every accepted input of the
// current panel saved at once, and the panel the window reopens on.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/modello/form1.h"
#include "form/pannelli.h"
#include "form/unione_pannelli.h"

namespace tv::form {

// The small file in the job's folder that names the panel the window shows.
inline constexpr std::string_view kFilePannelloCorrente = "pannellocorrente";

class SessionePannelli {
  public:
    // Over `form` just started: its state is the job's, the base of every panel. The panels file
    // is read and the panel last shown put in the fields and checked; a job without the file
    // keeps the fields as they are. Throws tv::Failure when the file cannot be used.
    explicit SessionePannelli(Form1& form);

    // The messages about rows that could not be read or cells that were refused, since the last
    // call: each is shown once.
    std::vector<std::string> prendi_avvisi();
    // What the last save had to say for the status line (the file had changed since this window
    // read it, and was read again under this window's changes), once.
    std::optional<std::string> prendi_nota() { return std::exchange(nota_, std::nullopt); }
    // Who decides a cell this window and another writer both changed (this window's text when
    // nobody does).
    void imposta_scelta(SceltaConflitto scelta) { scelta_ = std::move(scelta); }
    // The readable panels in file order; {"1"} while the job has no panels file.
    std::vector<std::string> ids() const;
    const std::string& corrente() const { return corrente_; }
    std::string descrizione() const;
    bool ha_file() const { return file_.has_value(); }
    const std::optional<FilePannelli>& file() const { return file_; }
    // The job's own state, before any panel: what empty cells take.
    const StatoFinestra& base() const { return base_; }

    // The panel `id` in the fields, checked (a run that stops shows its message). False when
    // there is no such panel.
    bool scegli(const std::string& id);
    // A new panel with the job's values; a copy of the current one under a new id; the current
    // one removed (never the last) and the first one shown. Each saves the file: nullopt when
    // done, else the writer's message.
    std::optional<std::string> nuovo();
    std::optional<std::string> duplica();
    std::optional<std::string> elimina();
    std::optional<std::string> imposta_descrizione(const std::string& descrizione);
    // The inputs of the fields compared with the panel's: each accepted change written to its
    // row (site cells only when changed) and the file saved. nullopt when nothing changed or
    // all was saved.
    std::optional<std::string> registra();

  private:
    // The row's cells over the base state, into the form's fields.
    void mostra_riga(const RigaPannello& r);
    // The current panel's row; made, with the file when missing, from the inputs `prima`.
    RigaPannello& riga_corrente(const StatoFinestra& prima);
    void scrivi_ingressi(FilePannelli& f, RigaPannello& r, const StatoFinestra& s,
                         bool anche_sito) const;
    std::optional<std::string> salva();

    Form1& form_;
    StatoFinestra base_;
    StatoFinestra noto_;  // the current panel's inputs as last saved or shown
    std::optional<FilePannelli> file_;
    // The file as this window last read or wrote it, and the SHA-256 of its bytes (empty while
    // there is no file): a save first sees whether someone else wrote it since.
    std::optional<FilePannelli> letto_;
    std::string impronta_;
    SceltaConflitto scelta_;
    std::optional<std::string> nota_;
    std::string corrente_ = "1";
    std::vector<std::string> avvisi_;
};

}  // namespace tv::form
