// SPDX-License-Identifier: GPL-3.0-or-later
// One reader of a panel's cells (a saved panel's or a batch row's) into a Pannello, with one rule
// for a cell it refuses: the panel is not checked, and the message names its id, column and why.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "form/lavoro.h"
#include "text/number_text.h"
#include "units/unita.h"

namespace tv::form {

struct FilePannelli;
struct RigaPannello;

// A row's cell as the file gave it: its text in "." notation, and whether it is a number of a ";"
// file holding a "." (kept as read and refused: "1.200" there is a grouped 1200, never 1.2).
struct CellaRiga {
    std::string_view testo;
    bool con_punto = false;
};
// The cell of a column by its name (kNomiColonnePannello); nullopt where the row has no such column.
using CelleRiga = std::function<std::optional<CellaRiga>(std::string_view colonna)>;

// Why a cell was refused: its column (empty for the restraints judged together) and the reason.
struct RifiutoCella {
    std::string colonna;
    std::string motivo;
};
// "column: why" (the reason alone for the restraints), as a row beside its id shows it.
std::string testo_rifiuto(const RifiutoCella& r);
// "Pannello "ID", column: why" ("Pannello "ID": why" for the restraints).
std::string messaggio_rifiuto(std::string_view id, const RifiutoCella& r);

// The row's cells written over `p` (start-up's or the job's panel): id and description, every
// input field through its validation in the job's work units (a "." number kept in `formato`, the
// format of p's texts), the restraints (their combination judged once all are read), the demand
// formula and the datum, in the columns' order. An empty or missing cell keeps p's value; a
// refused one too, and the reader goes on: nullopt when every cell was accepted, else the first
// refusal, and the panel must not be checked. `numeri`, when given, takes the number of each
// accepted input cell as the check reads it, so that a batch does not read the texts again.
std::optional<RifiutoCella> leggi_celle(const CelleRiga& cella, Pannello& p,
                                        const units::Unita& unita,
                                        const text::NumberFormat& formato,
                                        NumeriIngresso* numeri = nullptr);

// The cells of row `r` of a panels file (none for a damaged row).
CelleRiga celle_di_riga(const FilePannelli& f, const RigaPannello& r);

}  // namespace tv::form
