// Modal message box for a core message, or its text on the standard error; always plain text.
#include "app/messaggi_qt.h"

#include <QMessageBox>
#include <iostream>

namespace tv::app {

void MessaggiQt::mostra(const form::Messaggio& m) {
    ++mostrati_;
    if (senza_persona_) {
        std::cerr << m.titolo << ": " << m.testo << "\n";
        return;
    }
    QMessageBox box(m.icona == form::Icona::stop ? QMessageBox::Critical : QMessageBox::NoIcon,
                    QString::fromStdString(m.titolo), QString::fromStdString(m.testo),
                    QMessageBox::Ok, finestra_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace tv::app
