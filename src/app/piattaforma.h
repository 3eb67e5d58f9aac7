// SPDX-License-Identifier: GPL-3.0-or-later
// What the output commands ask of the desktop: the printer and save dialogs and the viewer of a
// document. Tests answer these without a person; the program uses the Qt dialogs.
#pragma once

#include <QString>
#include <QUrl>
#include <filesystem>

class QPrinter;
class QWidget;

namespace tv::app {

// A folder or file of the suite as Qt names it (the path's own characters, unchanged).
QString percorso_qt(const std::filesystem::path& percorso);

class Piattaforma {
  public:
    virtual ~Piattaforma() = default;

    // The printer dialog on `stampante`, which it sets up, proposing the file `pdf` for printing
    // to a file: false when the user cancels.
    virtual bool dialogo_stampa(QPrinter& stampante, QWidget* proprietario, const QString& pdf) = 0;

    // The save dialog starting in `cartella` with the proposed name `nome` and the file-type
    // filter `filtro`: the chosen path, empty when the user cancels.
    virtual QString dialogo_salva(QWidget* proprietario, const QString& cartella,
                                  const QString& nome, const QString& filtro) = 0;

    // Opens a local document with the desktop's viewer for its type, without a shell: false
    // when the desktop registers no program for that type or reports that it cannot.
    virtual bool apri_documento(const QUrl& documento) = 0;
};

// The desktop itself: QPrintDialog, QFileDialog and QDesktopServices.
class PiattaformaQt : public Piattaforma {
  public:
    bool dialogo_stampa(QPrinter& stampante, QWidget* proprietario, const QString& pdf) override;
    QString dialogo_salva(QWidget* proprietario, const QString& cartella, const QString& nome,
                          const QString& filtro) override;
    bool apri_documento(const QUrl& documento) override;
};

}  // namespace tv::app
