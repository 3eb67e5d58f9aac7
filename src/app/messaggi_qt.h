// Message boxes of the window: the core's messages shown as modal boxes with a stop icon and a
// single OK button, or written to the standard error when nobody is there to answer.
#pragma once

#include <cstddef>

#include "form/messaggi.h"

class QWidget;

namespace tv::app {

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
