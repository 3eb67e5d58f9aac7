// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up from the suite: the root folder from the command line or the current folder, the
// suite folders, the current job's work folder and the site data of its job file.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form/tabella_campi.h"

namespace tv::form {

struct Cartelle {
    std::filesystem::path dir_root, dir_progra, dir_driver, dir_custom, dir_help, dir_lavoro;
    std::filesystem::path dir_lavori;  // the suite's job folder (dirlav), which holds dir_lavoro
    std::string nome_lavoro;
};

// The suite root: the folder after "|diroot=" in the arguments (joined with single blanks),
// up to a closing "|", without a trailing separator; otherwise the parent of `current_dir`.
// Throws tv::Failure for an empty "|diroot=" value.
std::filesystem::path trova_root(const std::vector<std::string>& args,
                                 const std::filesystem::path& current_dir);

// A suite root as given ("|diroot=" value or --root): trimmed, "\\" read as "/", without a
// trailing separator. Throws tv::Failure when nothing is left.
std::filesystem::path radice_indicata(std::string_view testo);

// Suite folders under the root and the job's work folder from impostazioni/dirlav and
// impostazioni/lavoro. Throws tv::Failure naming the file when one is missing or empty.
Cartelle leggi_cartelle(const std::filesystem::path& root);

// What a job file says about the site; only what it holds is set.
struct DatiLavoro {
    std::optional<std::string> localita;  // text for the search box
    std::optional<std::string> nome_localita;  // the same as the file writes it (letter case)
    std::optional<std::string> longitudine, latitudine, suolo, St, VN, Cu;
    std::optional<double> T1;
    // A locality line whose coordinates cannot both be read up to its closing ")" (a file cut in
    // the middle of that line): neither coordinate is taken from it.
    bool localita_incompleta = false;
    // The period's cell holds a control character: T1 is not taken from it.
    bool T1_illeggibile = false;

    // True when no rule took anything from the file.
    bool vuoto() const {
        return !localita && !longitudine && !latitudine && !suolo && !St && !VN && !Cu && !T1;
    }
};

// The fields whose text a job file gives, in the order start-up writes them, and where
// DatiLavoro keeps each; T1 apart, a number the job file gives as well.
inline constexpr std::array<std::pair<Campo, std::optional<std::string> DatiLavoro::*>, 6>
    kCampiLavoro = {{
        {Campo::lon, &DatiLavoro::longitudine},
        {Campo::lat, &DatiLavoro::latitudine},
        {Campo::suolo, &DatiLavoro::suolo},
        {Campo::St, &DatiLavoro::St},
        {Campo::VN, &DatiLavoro::VN},
        {Campo::Cu, &DatiLavoro::Cu},
    }};

DatiLavoro analizza_lavoro(const std::vector<std::string>& lines);

// dinamica.txt when present, else sismica_2008.txt, else nothing (letter case of the names is
// not significant). Returns the file read, if any.
std::optional<std::filesystem::path> file_lavoro(const std::filesystem::path& dir_lavoro);

}  // namespace tv::form
