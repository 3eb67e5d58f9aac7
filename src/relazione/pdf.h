// The calculation report drawn to PDF (A4 portrait, vector text and plots) with Qt Gui only, so
// that the window and the command line share it. Needs a QGuiApplication.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>

#include "relazione/documento.h"

namespace tv::relazione {

// The report's PDF in memory, or the message that stopped it (fonts that cannot be loaded).
std::variant<QByteArray, QString> relazione_pdf(const Documento& doc);

// Writes `doc` to `file`, whole or not at all. Returns nullopt when written, else the message
// to show, naming the file.
std::optional<QString> scrivi_relazione_pdf(const Documento& doc, const QString& file);

}  // namespace tv::relazione
