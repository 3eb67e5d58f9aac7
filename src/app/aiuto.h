// SPDX-License-Identifier: GPL-3.0-or-later
// "HELP": the manual torvelando.pdf of the suite's help folder, opened with the desktop's viewer
// for PDF documents.
#pragma once

#include <QString>
#include <filesystem>

#include "form/messaggi.h"

namespace tv::app {

class Piattaforma;

inline constexpr const char* nome_manuale = "torvelando.pdf";

// dir_help + "/torvelando.pdf".
std::filesystem::path percorso_manuale(const std::filesystem::path& dir_help);

// Opens the manual of `dir_help` as a file URL, without a shell: the path is never read as a
// command, whatever characters it holds. A missing document, or one the desktop cannot open,
// shows a message naming the path. True when the desktop took the document.
bool Command2_Click(const std::filesystem::path& dir_help, Piattaforma& piattaforma,
                    form::Messaggi& messaggi);

}  // namespace tv::app
