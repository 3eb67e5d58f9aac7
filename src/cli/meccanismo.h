// SPDX-License-Identifier: GPL-3.0-or-later
// check for a local mechanism: the run, its summary and its JSON results, from the typed result.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/comandi.h"
#include "form/verifica_meccanismo.h"

namespace tv::cli {

// The results of a completed mechanism check as JSON (the mechanisms in storey order).
nlohmann::json risultati_meccanismo_json(const form::RisultatoMeccanismo& r);

// The run of a panel whose kind is a mechanism, its summary or JSON on `out`, a stop on `err`:
// 0 completed, 1 stopped.
int esegui_meccanismo(const Avvio& a, const form::Pannello& p, const OpzioniCheck& o,
                      std::ostream& out, std::ostream& err);

// A --set text for a mechanism field written into `p` when `nome` names one: false when it
// names none; `rifiuto` set when the text is not a number.
bool imposta_campo_meccanismo(form::Pannello& p, std::string_view nome, const std::string& testo,
                              std::optional<std::string>& rifiuto);

}  // namespace tv::cli
