// SPDX-License-Identifier: GPL-3.0-or-later
// The window's form over a temporary suite, with its collected messages: for the tests that
// drive the view-model as the window does.
#pragma once

#include "app/modello/form1.h"
#include "suite_temp.h"

namespace tv::form::prova {

// The window with its collected messages.
struct Finestra {
    explicit Finestra(text::NumberFormat formato = text::dot_format())
        : form(messaggi, std::move(formato)) {}
    bool avvia(const SuiteTemp& s) { return form.Form_Load(s.args(), fs::current_path()); }
    std::vector<std::string> testi() const { return testi_di(messaggi); }

    RaccoltaMessaggi messaggi;
    Form1 form;
};

}  // namespace tv::form::prova
