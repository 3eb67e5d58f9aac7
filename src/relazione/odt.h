// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation report as an OpenDocument text (.odt), an editable copy of the PDF's content
// for the building's overall report. Qt Gui only; needs a QGuiApplication.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <variant>

#include "relazione/documento.h"

namespace tv::relazione {

// The document of `fonte`, every part built in turn, as ODT bytes; or the message that stopped it.
std::variant<QByteArray, QString> relazione_odt(FonteRelazione& fonte);

// The same written whole to `file` (or not at all): nullopt when done, else the message.
std::optional<QString> scrivi_relazione_odt(FonteRelazione& fonte, const QString& file);

}  // namespace tv::relazione
