// SPDX-License-Identifier: GPL-3.0-or-later
// torvelando-cli report hands over to the report's own program, which alone links Qt: the other
// commands start without loading it.
#include <unistd.h>

#include <cerrno>
#include <iostream>
#include <system_error>

#include "cli/opzioni.h"
#include "cli/relazione.h"
#include "text/errori_sistema.h"

#ifndef TV_LIBEXEC_DA_BIN
#define TV_LIBEXEC_DA_BIN "../libexec/torvelando"
#endif

namespace tv::cli {
namespace fs = std::filesystem;

namespace {
constexpr const char* kProgramma = "torvelando-relazione";
}

std::optional<fs::path> programma_relazione(const fs::path& eseguibile) {
    const fs::path cartella = eseguibile.parent_path();
    // Installed: the libexec folder, found from bin/ as the data are; built: the same folder.
    for (const fs::path& p : {(cartella / TV_LIBEXEC_DA_BIN / kProgramma).lexically_normal(),
                              cartella / kProgramma}) {
        std::error_code ec;
        if (fs::is_regular_file(p, ec)) return p;
    }
    return std::nullopt;
}

int avvia_relazione(const OpzioniReport& o, std::ostream& err) {
    std::error_code ec;
    const fs::path eseguibile = fs::read_symlink("/proc/self/exe", ec);
    const auto programma = ec ? std::nullopt : programma_relazione(eseguibile);
    if (!programma) {
        err << "Programma della relazione non trovato: " << kProgramma << " accanto a "
            << eseguibile.string() << " o in " << TV_LIBEXEC_DA_BIN << "\n";
        return 2;
    }
    std::vector<std::string> argomenti = argomenti_report(o);
    std::vector<char*> argv;
    std::string nome = programma->string();
    argv.push_back(nome.data());
    for (auto& a : argomenti) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::cout.flush();
    err.flush();
    execv(nome.c_str(), argv.data());
    err << "Impossibile avviare " << nome << ": " << text::messaggio_errno(errno)
        << "\n";
    return 2;
}

}  // namespace tv::cli
