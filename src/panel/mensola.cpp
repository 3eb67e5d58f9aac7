// SPDX-License-Identifier: GPL-3.0-or-later
// The cantilever's resistance: overturning about the base edge with a compressed block.
#include "panel/mensola.h"

#include "panel/controlli.h"
#include "text/error.h"

namespace tv::panel {

Mensola ribaltamento(double N, double B, double t, double fd) {
    Mensola m{};
    m.N = N;
    m.sigma0 = richiedi_finito(N / (B * t), "σ0 (tensione media alla base)");
    m.fd_blocco = 0.85 * fd;
    if (!(m.sigma0 < m.fd_blocco)) {
        throw Failure(
            "Verifica non possibile: σ0 (tensione media alla base della mensola) non minore di "
            "0.85·fd (resistenza a compressione di progetto): la base si schiaccia prima di "
            "ribaltarsi");
    }
    m.M_Rd = richiedi_finito(N * (t / 2.0) * (1.0 - m.sigma0 / m.fd_blocco),
                             "M_Rd (momento resistente alla base)");
    return m;
}

}  // namespace tv::panel
