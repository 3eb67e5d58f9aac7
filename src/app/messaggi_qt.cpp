// Modal message box for a core message; the text is always plain text.
#include "app/messaggi_qt.h"

#include <QMessageBox>

namespace tv::app {

void MessaggiQt::mostra(const form::Messaggio& m) {
    QMessageBox box(m.icona == form::Icona::stop ? QMessageBox::Critical : QMessageBox::NoIcon,
                    QString::fromStdString(m.titolo), QString::fromStdString(m.testo),
                    QMessageBox::Ok, finestra_);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

}  // namespace tv::app
