// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes of the window: the core's messages shown as modal boxes with a stop icon and a
// single OK button, or written to the standard error when nobody is there to answer.
#pragma once

#include <cstddef>

#include "form/messaggi.h"

class QDialog;
class QMessageBox;
class QString;
class QWidget;

namespace tv::app {

// The width a dialog needs so that a window manager's title bar shows `titolo` whole (its
// buttons and margins included).
int larghezza_per_titolo(const QString& titolo);
// A message box or a dialog made at least that wide.
void adatta_al_titolo(QMessageBox& box);
void adatta_al_titolo(QDialog& dialogo);

class MessaggiQt : public form::Messaggi {
public:
    // `senza_persona`: each message goes to the standard error, never into a box that waits.
    explicit MessaggiQt(QWidget* finestra, bool senza_persona = false)
        : finestra_(finestra), senza_persona_(senza_persona) {}
    void mostra(const form::Messaggio& m) override;
    std::size_t mostrati() const { return mostrati_; }

private:
    QWidget* finestra_;
    bool senza_persona_;
    std::size_t mostrati_ = 0;
};

}  // namespace tv::app
