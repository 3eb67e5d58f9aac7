// The subcommands of torvelando-cli as functions over streams, so tests run them in-process.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tv::form {
class Form1;
class RaccoltaMessaggi;
}  // namespace tv::form

namespace tv::cli {

struct OpzioniCheck {
    std::optional<std::string> root;
    std::vector<std::string> set;  // "N=TEXT", in order
    std::optional<int> top, left, right;
    std::optional<std::string> demand;  // "ec8" or "c7.2.11", either case; EC8 when unset
    bool json = false;
    std::vector<std::string> extra;  // other arguments, e.g. "|diroot=DIR|"
};

struct OpzioniSearch {
    std::string testo;
    std::optional<std::string> root;
    std::vector<std::string> extra;
};

// Exit codes: 0 the run completed; 1 start-up or the run stopped with a message; 2 a --set text,
// the restraints or the --demand word were refused.
int esegui_check(const OpzioniCheck& o, const std::filesystem::path& cwd, std::ostream& out,
                 std::ostream& err);
// The same after start-up, on a form already started whose messages go to `messaggi`: the
// options, the run and its output (the fuzz target's way in).
int esegui_check_su(form::Form1& f, form::RaccoltaMessaggi& messaggi, const OpzioniCheck& o,
                    std::ostream& out, std::ostream& err);
// Start-up and the options of check applied to `f`, as check and report share them: nullopt
// when the run can follow, otherwise the exit code (1 start-up stopped, 2 a refused --set text,
// restraint or --demand word) after the messages on `err`.
std::optional<int> prepara_check(const OpzioniCheck& o, const std::filesystem::path& cwd,
                                 form::Form1& f, form::RaccoltaMessaggi& messaggi,
                                 std::ostream& err);
// The options alone, on a form already started.
std::optional<int> applica_opzioni(const OpzioniCheck& o, form::Form1& f,
                                   form::RaccoltaMessaggi& messaggi, std::ostream& err);
// The warnings of the form's last run on `err`, one a line, "Avviso: text": the initial site,
// then (when the run completed) the plausibility warnings.
void stampa_avvisi(const form::Form1& f, bool completata, std::ostream& err);
// Messages from `from` on, one a line, "TITLE: text".
void stampa_messaggi(const form::RaccoltaMessaggi& m, std::size_t from, std::ostream& err);

// Exit codes: 0 lines found; 1 no line contains the text; 2 a text of fewer than 3 characters,
// or a suite or locality list that cannot be read.
int esegui_search(const OpzioniSearch& o, const std::filesystem::path& cwd, std::ostream& out,
                  std::ostream& err);

}  // namespace tv::cli
