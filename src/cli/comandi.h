// SPDX-License-Identifier: GPL-3.0-or-later
// The subcommands of torvelando-cli as functions over streams, so tests run them in-process.
#pragma once

#include <array>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "form/calcolo.h"
#include "form/lavoro.h"
#include "form/messaggi.h"
#include "form/pannelli.h"
#include "form/tabella_campi.h"
#include "hazard/fonte.h"

namespace tv::cli {

struct OpzioniCheck {
    std::optional<std::string> root;
    std::optional<std::string> job;    // a job of the suite's job folder instead of its current one
    std::optional<std::string> panel;  // a panel saved in the job, the options applied over it
    std::vector<std::string> set;  // "N=TEXT", in order
    std::optional<int> top, left, right;
    std::optional<std::string> demand;  // "ec8" or "c7.2.11", either case; EC8 when unset
    std::optional<std::string> datum;   // "ed50" or "wgs84", either case, of lat and lon; ED50
    // pannello, ribaltamento, flessione, ribaltamento_composto or elemento_libero; the panel's own
    std::optional<std::string> kind;
    bool json = false;
    std::vector<std::string> extra;  // other arguments, e.g. "|diroot=DIR|"
};

struct OpzioniSearch {
    std::string testo;
    std::optional<std::string> root;
    std::vector<std::string> extra;
};

// A job started for the command line: the job, the panel start-up describes, start-up's
// notices about the job file, and where runs take the grid from (read once, kept for every run).
struct Avvio {
    form::Lavoro lavoro;
    form::Pannello pannello;
    form::RaccoltaMessaggi messaggi;
    std::shared_ptr<hazard::FonteGriglia> griglia = std::make_shared<hazard::CacheGriglia>();
};

// Start-up from the suite that --root (`root`), else "|diroot=DIR|" in `extra`, else the parent
// of `cwd` names; nullopt after its messages on `err`, one a line. `job` opens that job of the
// suite's job folder.
std::optional<Avvio> avvia_da_opzioni(const std::optional<std::string>& root,
                                      const std::vector<std::string>& extra,
                                      const std::filesystem::path& cwd, std::ostream& err,
                                      const std::optional<std::string>& job = std::nullopt);

// Exit codes: 0 the run completed; 1 start-up or the run stopped with a message; 2 a --set text,
// the restraints, the --demand or the --datum word were refused.
int esegui_check(const OpzioniCheck& o, const std::filesystem::path& cwd, std::ostream& out,
                 std::ostream& err);
// The same after start-up, whose notices were already printed: the options, the run and its
// output (the fuzz target's way in).
int esegui_check_su(const Avvio& a, const OpzioniCheck& o, std::ostream& out, std::ostream& err);

// Start-up into `a` and the options of check applied to `p`, start-up's panel, as check and
// report share them: nullopt when the run can follow, otherwise the exit code (1 start-up
// stopped, 2 a refused --set text, restraint or --demand word) after the messages on `err`.
std::optional<int> prepara_check(const OpzioniCheck& o, const std::filesystem::path& cwd,
                                 std::optional<Avvio>& a, form::Pannello& p, std::ostream& err);
// The options alone written over `p`, through each field's validation and the restraint rule;
// the messages of a refusal on `err`.
std::optional<int> applica_opzioni(const OpzioniCheck& o, const form::Lavoro& lavoro,
                                   form::Pannello& p, std::ostream& err);
// The panel checked by the one check function, against the started job's grid and work units.
form::EsitoVerifica calcola_pannello(const Avvio& a, const form::Pannello& p);
// The job's panels file (nullopt without one) into `pannelli`; false after naming on `err` a
// file that cannot be read.
bool leggi_pannelli(const form::Lavoro& lavoro, std::optional<form::FilePannelli>& pannelli,
                    std::ostream& err);
// The message of every row of `f` that could not be read on `err`, one a line, written a block
// at a time.
void stampa_righe_guaste(const form::FilePannelli& f, std::ostream& err);

// The texts of the saved panel `id` of the job written into `p`, through the fields'
// validation; nullopt when done, else 2 after the message on `err`.
std::optional<int> applica_pannello(const std::string& id, const form::Lavoro& lavoro,
                                    form::Pannello& p, std::ostream& err);
// The same for row `riga` of the panels file `f` already read.
std::optional<int> applica_riga_salvata(const form::FilePannelli& f, const form::RigaPannello& riga,
                                        const form::Lavoro& lavoro, form::Pannello& p,
                                        std::ostream& err);

struct OpzioniPanels {
    std::optional<std::string> root;
    std::optional<std::string> job;
    std::vector<std::string> extra;
};
// The job's panels, one a line: id, description and the verdict of a fresh check (or why it
// stopped), tab-separated. Exit codes: 0 listed; 1 start-up stopped; 2 the panels file cannot be
// used.
int esegui_panels(const OpzioniPanels& o, const std::filesystem::path& cwd, std::ostream& out,
                  std::ostream& err);
// Messages from `from` on, one a line, "TITLE: text".
void stampa_messaggi(const form::RaccoltaMessaggi& m, std::size_t from, std::ostream& err);
// The warnings of a run of `p`: the initial site's notice, then the plausibility warnings of
// `completata` when the run completed; on `err` one a line, "Avviso: text".
std::vector<std::string> avvisi(const form::Lavoro& lavoro, const form::Pannello& p,
                                const form::RisultatoVerifica* completata);
void stampa_avvisi(const std::vector<std::string>& avvisi, std::ostream& err);

// Exit codes: 0 lines found; 1 no line contains the text; 2 a text of fewer than 3 characters,
// or a suite or locality list that cannot be read.
int esegui_search(const OpzioniSearch& o, const std::filesystem::path& cwd, std::ostream& out,
                  std::ostream& err);

}  // namespace tv::cli
