// SPDX-License-Identifier: GPL-3.0-or-later
// "COPIA", "STAMPA" and "SALVA": a fresh picture of the main window without its buttons,
// put on the clipboard, printed or saved as a BMP file.
#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <string>

#include "form/avvio.h"
#include "form/messaggi.h"

namespace tv::app {

class FinestraPrincipale;
class Piattaforma;

// File-type filters of the save dialog.
inline constexpr const char* filtro_bmp = "File BMP (*.bmp)";
// The report: a PDF, or its editable copy as OpenDocument text, chosen by the name's ending.
inline constexpr const char* filtro_relazione = "File PDF (*.pdf);;Testo OpenDocument modificabile (*.odt)";

// The file name every output proposes: the job's name (the last part of `nome_lavoro`) with
// `estensione` ("bmp", "pdf"); "pannello" stands in for a missing job name.
QString nome_proposto(const std::string& nome_lavoro, const QString& estensione);

// The name SALVA writes for the name chosen in the save dialog: ".bmp" added when its last part
// has no extension (no "."), else the name as chosen.
QString con_estensione_bmp(const QString& scelto);

// Size on the printer, in its device units, of a picture `logica` pixels wide and high on a
// screen of `dpi_schermo` dots per inch: the same size in inches.
QSizeF dimensione_stampa(QSizeF logica, double dpi_schermo_x, double dpi_schermo_y,
                         double dpi_stampante);

// True when the last part of a name chosen in the save dialog still holds a wildcard ("*" or
// "?"), as the proposed "*.bmp" does: no file can be written under it.
bool nome_con_jolly(const QString& scelto);

class Uscite {
  public:
    // `cartelle` is read when a command runs: the form fills it at start-up.
    Uscite(FinestraPrincipale& finestra, const form::Cartelle& cartelle, form::Messaggi& messaggi,
           Piattaforma& piattaforma);

    // "COPIA": hides the six buttons, lets the window repaint, grabs its picture, puts it on the
    // clipboard and shows the buttons again. The picture shows no selected text or list line and
    // no focus (caret, focus frame): these are put back afterwards. Returns the picture.
    QImage Command3_Click();

    // "STAMPA": a fresh picture, printed at the top-left of one page under a line naming the job
    // and the date, after the printer dialog,
    // which proposes the job's name in the job's work folder for printing to a PDF file.
    // True when the page went to the printer; a cancelled dialog ends silently, a printer fault
    // shows a message naming the printer.
    bool Command4_Click();

    // "SALVA": a fresh picture, saved as a BMP file under the name chosen in the save dialog,
    // which proposes the job's name in the job's work folder; ".bmp" is added to a name without
    // extension. True when a file was written whole (never a part of one); a cancelled dialog ends silently, a name holding
    // a wildcard or a file that cannot be written shows a message naming it.
    bool Command5_Click();

    // The picture of the last capture (what "STAMPA" and "SALVA" printed or saved).
    const QImage& immagine() const { return immagine_; }

  private:
    void errore(const QString& testo, const char* titolo);

    FinestraPrincipale& finestra_;
    const form::Cartelle& cartelle_;
    form::Messaggi& messaggi_;
    Piattaforma& piattaforma_;
    QImage immagine_;
};

}  // namespace tv::app
