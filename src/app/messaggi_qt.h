// Message boxes of the window: the core's messages shown as modal boxes with a stop icon and a
// single OK button. Tests put a collecting sink in its place.
#pragma once

#include "form/messaggi.h"

class QWidget;

namespace tv::app {

class MessaggiQt : public form::Messaggi {
public:
    explicit MessaggiQt(QWidget* finestra) : finestra_(finestra) {}
    void mostra(const form::Messaggio& m) override;

private:
    QWidget* finestra_;
};

}  // namespace tv::app
