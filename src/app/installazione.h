// SPDX-License-Identifier: GPL-3.0-or-later
// The window program as an installed desktop program: "--root DIR" and the user's own suite
// when start-up would find none.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "form/messaggi.h"

class QWidget;

namespace tv::app {

struct ArgomentiAvvio {
    QStringList argomenti;  // for Presentatore::avvia: "--root DIR" turned into "|diroot=DIR|"
    QString avviso;         // where the user's suite was just made; empty otherwise
};

// The start-up arguments for the suite to open; nothing after a message when there is none.
std::optional<ArgomentiAvvio> argomenti_avvio(const QStringList& argomenti,
                                              const QString& cartella_corrente,
                                              form::Messaggi& messaggi);

// Says where the new suite is without stopping anything: on the standard error and in a box
// that does not block the window (so that --screenshot still runs alone).
void mostra_avviso(QWidget* finestra, const QString& avviso);

}  // namespace tv::app
