// The subcommands of torvelando-cli as functions over streams, so tests run them in-process.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "form/calcolo.h"
#include "form/tabella_campi.h"

namespace tv::form {
class Form1;
class RaccoltaMessaggi;
}  // namespace tv::form

namespace tv::cli {

struct OpzioniCheck {
    std::optional<std::string> root;
    std::optional<std::string> job;    // a job of the suite's job folder instead of its current one
    std::optional<std::string> panel;  // a panel saved in the job, the options applied over it
    std::vector<std::string> set;  // "N=TEXT", in order
    std::optional<int> top, left, right;
    std::optional<std::string> demand;  // "ec8" or "c7.2.11", either case; EC8 when unset
    std::optional<std::string> datum;   // "ed50" or "wgs84", either case, of lat and lon; ED50
    bool json = false;
    std::vector<std::string> extra;  // other arguments, e.g. "|diroot=DIR|"
};

struct OpzioniSearch {
    std::string testo;
    std::optional<std::string> root;
    std::vector<std::string> extra;
};

// Exit codes: 0 the run completed; 1 start-up or the run stopped with a message; 2 a --set text,
// the restraints, the --demand or the --datum word were refused.
int esegui_check(const OpzioniCheck& o, const std::filesystem::path& cwd, std::ostream& out,
                 std::ostream& err);
// The same after start-up, on a form already started whose messages go to `messaggi`: the
// options, the run and its output (the fuzz target's way in).
int esegui_check_su(form::Form1& f, form::RaccoltaMessaggi& messaggi, const OpzioniCheck& o,
                    std::ostream& out, std::ostream& err);
// The panel the command line asks for, as texts: start-up's 27 field texts, toggles (0 top,
// 1 left, 2 bottom, 3 right) and demand formula, with the options written over them.
struct Richiesta {
    std::array<std::string, form::kCampi> testi;
    std::array<bool, 4> vincoli{};
    panel::FormulaDomanda formula = panel::FormulaDomanda::ec8;
    hazard::Datum datum = hazard::Datum::ed50;  // of the coordinates in testi
    bool sito_pannello = false;  // the saved panel gave its own coordinates
};
// What a started form shows, before any option.
Richiesta richiesta_di(const form::Form1& avviato);

// Start-up into `f` and the options of check applied to `r`, as check and report share them:
// nullopt when the run can follow, otherwise the exit code (1 start-up stopped, 2 a refused
// --set text, restraint or --demand word) after the messages on `err`.
std::optional<int> prepara_check(const OpzioniCheck& o, const std::filesystem::path& cwd,
                                 form::Form1& f, form::RaccoltaMessaggi& messaggi, Richiesta& r,
                                 std::ostream& err);
// The options alone, through each field's own validation and the restraint rule; the messages
// of a refusal on `err`.
std::optional<int> applica_opzioni(const OpzioniCheck& o, const form::Form1& f, Richiesta& r,
                                   std::ostream& err);
// The request read into a panel and checked by the one check function, against the grid and the
// work units of the started form `f`.
form::EsitoVerifica calcola_richiesta(const form::Form1& f, const Richiesta& r);
// Start-up of `f` from the suite that --root (`root`), else "|diroot=DIR|" in `extra`, else the
// parent of `cwd` names; false after its messages on `err`, one a line.
// `job` opens that job of the suite's job folder.
bool avvia_da_opzioni(form::Form1& f, const form::RaccoltaMessaggi& messaggi,
                      const std::optional<std::string>& root, const std::vector<std::string>& extra,
                      const std::filesystem::path& cwd, std::ostream& err,
                      const std::optional<std::string>& job = std::nullopt);
// The texts of the saved panel `id` of the started form's job written into `r`, through the
// fields' validation; nullopt when done, else 2 after the message on `err`.
std::optional<int> applica_pannello(const std::string& id, const form::Form1& f, Richiesta& r,
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
// The warnings of a run of `r`: the initial site's notice, then the plausibility warnings of
// `completata` when the run completed; on `err` one a line, "Avviso: text".
std::vector<std::string> avvisi(const form::Form1& f, const Richiesta& r,
                                const form::RisultatoVerifica* completata);
void stampa_avvisi(const std::vector<std::string>& avvisi, std::ostream& err);

// Exit codes: 0 lines found; 1 no line contains the text; 2 a text of fewer than 3 characters,
// or a suite or locality list that cannot be read.
int esegui_search(const OpzioniSearch& o, const std::filesystem::path& cwd, std::ostream& out,
                  std::ostream& err);

}  // namespace tv::cli
