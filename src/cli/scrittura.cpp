// SPDX-License-Identifier: GPL-3.0-or-later
// The checked standard output: every failed write, flush and close of descriptor 1 is seen.
#include "cli/scrittura.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <iostream>

namespace tv::cli {
namespace fs = std::filesystem;

bool chiudi_stdout() {
    std::cout.flush();
    bool ok = !std::cout.fail();
    // ferror also remembers a write that failed inside an earlier fwrite.
    ok = std::fflush(stdout) == 0 && std::ferror(stdout) == 0 && ok;
    // Closing tells of errors some file systems report only then. EBADF: the program was started
    // with its output closed and wrote nothing to it (writing would have failed above).
    if (::close(STDOUT_FILENO) != 0 && errno != EBADF) ok = false;
    return ok;
}

int concludi(int codice, std::ostream& err) {
    if (chiudi_stdout()) return codice;
    err << text::messaggio_scrittura("standard output") << "\n";
    return 2;
}

}  // namespace tv::cli
