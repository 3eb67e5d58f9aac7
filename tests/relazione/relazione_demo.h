// SPDX-License-Identifier: GPL-3.0-or-later
// Test data: the result and the report context of a check run of the demo job (L'Aquila, panel 500 x 300 x 12
// cm, top and bottom supported) on the reference grid, dated 12/03/2025.
#pragma once

#include <stdexcept>

#include "app/modello/contesto.h"
#include "relazione/documento.h"
#include "finestra_temp.h"

namespace tv::relazione {
using form::Form1;
namespace prova = form::prova;

// The demo suite started once, as the window starts it.
struct LavoroDemo {
    LavoroDemo() {
        avviato = prova::copia_suite_demo(cartella.path()) &&
                  finestra.form.Form_Load({"|diroot=" + cartella.path().string() + "|"},
                                          cartella.path()) &&
                  finestra.form.risultato.has_value();
    }
    static const LavoroDemo& uno() {
        static const LavoroDemo demo;
        if (!demo.avviato) throw std::runtime_error("demo job not started: reference data?");
        return demo;
    }
    prova::CartellaTemp cartella;
    prova::Finestra finestra;
    bool avviato = false;
};

inline RisultatoVerifica risultato_demo() {
    return *LavoroDemo::uno().finestra.form.risultato;
}
inline ContestoRelazione contesto_demo() {
    return contesto_relazione(LavoroDemo::uno().finestra.form, "12/03/2025");
}

}  // namespace tv::relazione
