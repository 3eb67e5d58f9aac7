// SPDX-License-Identifier: GPL-3.0-or-later
// The job the window last opened in each suite, kept in the user's own settings (the XDG config
// folder), never in the suite's impostazioni/lavoro, which other programs of the suite share.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace tv::form {

// $XDG_CONFIG_HOME/torvelando/ultimi_lavori, else ~/.config/torvelando/ultimi_lavori; nullopt
// when neither folder is known (the window then opens the suite's job, as always).
std::optional<std::filesystem::path> file_ultimi_lavori();

// The job last opened in the suite at `root`, when one is kept and its folder still exists in
// the suite's job folder.
std::optional<std::string> ultimo_lavoro(const std::filesystem::path& file,
                                         const std::filesystem::path& root);

// Keeps `nome` as the job last opened in the suite at `root`. Settings that cannot be written
// are not worth a message: the window then opens the suite's job next time.
void ricorda_lavoro(const std::filesystem::path& file, const std::filesystem::path& root,
                    const std::string& nome);

}  // namespace tv::form
