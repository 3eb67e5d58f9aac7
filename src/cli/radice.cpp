// SPDX-License-Identifier: GPL-3.0-or-later
// The user's own suite for the command line, made or refreshed from the installed data.
#include "cli/radice.h"

#include "text/encoding.h"
#include "text/error.h"

namespace tv::cli {

bool scegli_suite(std::optional<std::string>& root, const std::vector<std::string>& extra,
                  const std::filesystem::path& cwd, std::ostream& err,
                  const form::Ambiente& ambiente) {
    if (root) return true;
    try {
        if (auto suite = form::suite_di_ripiego(extra, cwd, ambiente)) {
            root = suite->root.string();
            if (suite->creata) err << text::printable(form::avviso_suite_creata(*suite)) << "\n";
            for (const auto& a : suite->avvisi) err << text::printable(a) << "\n";
        }
    } catch (const Failure& f) {
        err << text::printable(f.what()) << "\n";
        return false;
    }
    return true;
}

}  // namespace tv::cli
