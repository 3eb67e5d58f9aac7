// SPDX-License-Identifier: GPL-3.0-or-later
// The job's report data: who the report is for, the work, the designer and the designer's
// judgement, one "chiave = valore" line each in <job folder>/relazione.txt.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tv::form {

struct DatiRelazione {
    std::string committente, opera, indirizzo, progettista;
    std::string ordine;    // order and registration number
    std::string giudizio;  // several lines allowed
    std::string note;
    std::vector<std::pair<std::string, std::string>> altre;  // unknown keys, in file order
};

inline constexpr const char* kFileRelazione = "relazione.txt";

// The lines of the file, decoded: "chiave = valore", the blanks around both ignored, the seven
// keys found in any letter case and any other kept as written; a value ending with "\" goes on
// with the next line (a line break between them), and "\\" at a line's end is one backslash of
// the value. Lines without "=" and empty keys are skipped.
DatiRelazione leggi_dati_relazione(const std::vector<std::string>& righe);

// <dir_lavoro>/relazione.txt read as the suite's files are (UTF-8 where valid, else
// Windows-1252); nullopt when there is no such file or it cannot be read.
std::optional<DatiRelazione> leggi_file_relazione(const std::filesystem::path& dir_lavoro);

// The file's text as it is written back (UTF-8, "\n" line ends): the seven keys in their order,
// then the unknown keys as read; a value of several lines ends each but the last with " \", and
// the backslashes ending a line of the value are doubled.
std::string testo_dati_relazione(const DatiRelazione& d);

}  // namespace tv::form
