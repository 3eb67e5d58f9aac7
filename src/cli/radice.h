// SPDX-License-Identifier: GPL-3.0-or-later
// The suite a subcommand starts from when its arguments name none: the user's own.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "form/suite_utente.h"

namespace tv::cli {

// Sets `root` to the user's own suite when neither `root` nor "|diroot=" in `extra` names one
// and the current folder's parent is no suite; says on `err` where the suite is when it was just
// made (never on the standard output, which may carry JSON or CSV). False after a message on
// `err` when the suite cannot be made.
bool scegli_suite(std::optional<std::string>& root, const std::vector<std::string>& extra,
                  const std::filesystem::path& cwd, std::ostream& err,
                  const form::Ambiente& ambiente = form::Ambiente::del_processo());

}  // namespace tv::cli
