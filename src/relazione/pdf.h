// The calculation report drawn to PDF (A4 portrait, vector text and plots) with Qt Gui only, so
// that the window and the command line share it. Needs a QGuiApplication.
#pragma once

#include <QString>
#include <optional>

#include "relazione/documento.h"

namespace tv::relazione {

// Writes `doc` to `file`, whole or not at all. Returns nullopt when written, else the message
// to show, naming the file.
std::optional<QString> scrivi_relazione_pdf(const Documento& doc, const QString& file);

}  // namespace tv::relazione
