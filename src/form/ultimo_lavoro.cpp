// SPDX-License-Identifier: GPL-3.0-or-later
// One line a suite: its root folder, a tab, the job's name (UTF-8, LF).
#include "form/ultimo_lavoro.h"

#include <cstdlib>
#include <system_error>
#include <vector>

#include "form/avvio.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/file_atomico.h"

namespace tv::form {
namespace fs = std::filesystem;

namespace {
// The lines of the file: (root, job).
std::vector<std::pair<std::string, std::string>> righe(const fs::path& file) {
    std::vector<std::pair<std::string, std::string>> out;
    const auto testo = text::read_bytes(file);
    if (!testo) return out;
    for (const std::string& r : text::split_lines(*testo))
        if (const auto tab = r.find('\t'); tab != std::string::npos && tab > 0)
            out.emplace_back(r.substr(0, tab), r.substr(tab + 1));
    return out;
}
}  // namespace

std::optional<fs::path> file_ultimi_lavori() {
    // Relative values are invalid by the XDG rules and are ignored.
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && fs::path(x).is_absolute())
        return fs::path(x) / "torvelando" / "ultimi_lavori";
    if (const char* h = std::getenv("HOME"); h && fs::path(h).is_absolute())
        return fs::path(h) / ".config" / "torvelando" / "ultimi_lavori";
    return std::nullopt;
}

std::optional<std::string> ultimo_lavoro(const fs::path& file, const fs::path& root) {
    const std::string chiave = root.lexically_normal().string();
    for (const auto& [r, nome] : righe(file)) {
        if (r != chiave || nome.empty() || nome.find("..") != std::string::npos) continue;
        try {
            std::error_code ec;
            if (fs::is_directory(leggi_cartelle(root).dir_lavori / nome, ec)) return nome;
        } catch (const Failure&) {
            // Settings of the suite that cannot be read: start-up says so itself.
        }
        return std::nullopt;
    }
    return std::nullopt;
}

void ricorda_lavoro(const fs::path& file, const fs::path& root, const std::string& nome) {
    const std::string chiave = root.lexically_normal().string();
    if (chiave.find_first_of("\t\n") != std::string::npos ||
        nome.find_first_of("\t\n") != std::string::npos)
        return;
    std::string testo = chiave + "\t" + nome + "\n";
    for (const auto& [r, n] : righe(file))
        if (r != chiave) testo += r + "\t" + n + "\n";
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    (void)text::scrivi_file_intero(file, testo);
}

}  // namespace tv::form
