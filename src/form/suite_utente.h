// SPDX-License-Identifier: GPL-3.0-or-later
// The user's own suite, made from the installed data when start-up finds no suite, and the
// "--root DIR" option of the front ends.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tv::form {

// What the fallback needs to know about the process: where its program lies and the two
// variables that place the user's data.
struct Ambiente {
    std::filesystem::path eseguibile;
    std::optional<std::string> xdg_data_home, home;

    // This process: /proc/self/exe, $XDG_DATA_HOME and $HOME.
    static Ambiente del_processo();
};

// The installed data next to a program at <prefix>/bin/<name>: <prefix>/share/torvelando (the
// install layout's own relative path, so any prefix chosen at install time works).
std::filesystem::path dati_installati(const std::filesystem::path& eseguibile);

// $XDG_DATA_HOME/torvelando/suite, or $HOME/.local/share/torvelando/suite when XDG_DATA_HOME is
// unset, empty or relative; nothing when neither gives an absolute folder.
std::optional<std::filesystem::path> cartella_suite_utente(const Ambiente& ambiente);

// True when the root holds impostazioni/dirlav, so that start-up can read it as a suite.
bool e_una_suite(const std::filesystem::path& root);

struct SuiteUtente {
    std::filesystem::path root;
    bool creata = false;  // made by this call: the program says where it is
    // Said once each: a file the user changed kept while a newer one was installed, and where
    // that one is.
    std::vector<std::string> avvisi;
};

// Makes the suite `dest` from the installed `dati` when it holds no impostazioni/dirlav (what is
// already there is kept); otherwise copies again the grid, the locality list and the manual when
// missing or still the version last copied (a manifest in the suite keeps its hash) and the
// installed one differs. Jobs, settings and files the user changed are never written. Throws
// tv::Failure naming the folder or file of the user's suite that could not be written, leaving
// no hidden copy behind.
SuiteUtente prepara_suite_utente(const std::filesystem::path& dati,
                                 const std::filesystem::path& dest);

// The suite start-up uses when the arguments name none ("|diroot=") and the parent of
// `current_dir` is no suite: the user's own, prepared. Nothing when start-up's own rule applies,
// or when the program is not installed (no suite under its data folder) or the user's folder is
// unknown: start-up then reports the missing settings as it always did.
std::optional<SuiteUtente> suite_di_ripiego(const std::vector<std::string>& args,
                                            const std::filesystem::path& current_dir,
                                            const Ambiente& ambiente);

// The one-time notice of a suite just made.
std::string avviso_suite_creata(const SuiteUtente& suite);

// "--root DIR" and "--root=DIR" replaced by "|diroot=DIR|", which start-up reads, with a relative
// DIR taken from `current_dir`; the other arguments kept in their order. Throws tv::Failure when
// DIR is missing or empty.
std::vector<std::string> opzione_root(const std::vector<std::string>& args,
                                      const std::filesystem::path& current_dir);

}  // namespace tv::form
