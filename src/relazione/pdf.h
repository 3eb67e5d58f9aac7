// SPDX-License-Identifier: GPL-3.0-or-later
// The calculation report drawn to PDF (A4 portrait, vector text and plots) with Qt Gui only, so
// that the window and the command line share it. Needs a QGuiApplication.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>
#include <optional>
#include <ostream>
#include <variant>

#include "relazione/documento.h"

namespace tv::relazione {

// A device writing what it is given to a stream (the one writer's file): the PDF goes out page
// by page, never whole in memory.
class UscitaFlusso : public QIODevice {
  public:
    explicit UscitaFlusso(std::ostream& flusso);

  protected:
    qint64 readData(char* dati, qint64 n) override;
    qint64 writeData(const char* dati, qint64 n) override;

  private:
    std::ostream& flusso_;
};

// The report of `fonte` laid out on pages, each part built when its turn comes; then, once every
// block has its place, drawn page by page ("pagina N di M") on the device `apri` gives, which
// is called only then (nullptr: stop). Of the parts only those of the pages being filled are
// held. `avanzamento` is told each part laid out, then each part drawn. nullopt when drawn;
// else the message that stopped it, empty when `apri` or `avanzamento` stopped it.
std::optional<QString> disegna_relazione_pdf(FonteRelazione& fonte,
                                             const std::function<QIODevice*()>& apri,
                                             const AvanzamentoRelazione& avanzamento = {});

// The report's PDF in memory, or the message that stopped it (fonts that cannot be loaded).
std::variant<QByteArray, QString> relazione_pdf(const Documento& doc);

// Writes the report to `file`, whole or not at all: one stopped by `avanzamento` or failed
// leaves the file as it was. Returns nullopt when written, else the message to show, naming
// the file (empty after a stop).
std::optional<QString> scrivi_relazione_pdf(FonteRelazione& fonte, const QString& file,
                                            const AvanzamentoRelazione& avanzamento);
std::optional<QString> scrivi_relazione_pdf(const Documento& doc, const QString& file);

}  // namespace tv::relazione
