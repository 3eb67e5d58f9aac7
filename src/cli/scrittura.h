// SPDX-License-Identifier: GPL-3.0-or-later
// Output that reaches its destination whole or not at all: the standard output checked when the
// program ends (files go through the one writer, text/file_atomico.h).
#pragma once

#include <ostream>

#include "text/file_atomico.h"

namespace tv::cli {

// Flushes std::cout and the C standard output and closes descriptor 1; false when anything
// written to the standard output did not reach it (a full disk, a closed descriptor). Once.
bool chiudi_stdout();

// The program's last step: `codice` when the standard output was written whole, otherwise the
// message naming it on `err` and 2.
int concludi(int codice, std::ostream& err);

}  // namespace tv::cli
