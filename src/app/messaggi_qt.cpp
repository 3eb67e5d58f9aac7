// SPDX-License-Identifier: GPL-3.0-or-later
// Modal message box for a core message, or its text on the standard error; always plain text.
#include "app/messaggi_qt.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QSpacerItem>
#include <iostream>

namespace tv::app {

int larghezza_per_titolo(const QString& titolo) {
    // Title bars draw in a bold face near the application's; close, maximise and the icon take
    // about 160 pixels beside it.
    QFont f = QApplication::font();
    f.setBold(true);
    return QFontMetrics(f).horizontalAdvance(titolo) + 160;
}

void adatta_al_titolo(QMessageBox& box) {
    // A message box sets its own size from its text; a spacer in its grid widens it.
    if (auto* griglia = qobject_cast<QGridLayout*>(box.layout()))
        griglia->addItem(new QSpacerItem(larghezza_per_titolo(box.windowTitle()), 0,
                                         QSizePolicy::Minimum, QSizePolicy::Fixed),
                         griglia->rowCount(), 0, 1, griglia->columnCount());
}

void adatta_al_titolo(QDialog& dialogo) {
    // A dialog whose layout sets its size from its controls (an input dialog) ignores its own
    // minimum width: its widest line takes it instead.
    const int larghezza = larghezza_per_titolo(dialogo.windowTitle());
    dialogo.setMinimumWidth(std::max(dialogo.minimumWidth(), larghezza));
    if (auto* riga = dialogo.findChild<QLineEdit*>()) {
        const QMargins m = dialogo.layout() ? dialogo.layout()->contentsMargins() : QMargins();
        riga->setMinimumWidth(std::max(riga->minimumWidth(), larghezza - m.left() - m.right()));
    }
}

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
    adatta_al_titolo(box);
    box.exec();
}

}  // namespace tv::app
