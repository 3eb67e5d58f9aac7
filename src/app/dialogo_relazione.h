// SPDX-License-Identifier: GPL-3.0-or-later
// The dialog of "RELAZIONE": the job's report data edited in place and saved to relazione.txt
// before the report is written.
#pragma once

#include <QDialog>
#include <filesystem>
#include <optional>

#include "form/dati_relazione.h"

class QFormLayout;
class QLineEdit;
class QPlainTextEdit;

namespace tv::app {

class DialogoRelazione : public QDialog {
    Q_OBJECT

  public:
    // The fields filled from `dati`; the unknown keys ride along untouched.
    explicit DialogoRelazione(const form::DatiRelazione& dati, QWidget* parent = nullptr);

    // The data as edited.
    form::DatiRelazione dati() const;

    // A further choice shown above the buttons, owned by the dialog (e.g. which panels the
    // report covers); `etichetta` is its caption.
    void aggiungi_scelta(const QString& etichetta, QWidget* scelta);

    QLineEdit* riga(int i) const { return righe_[i]; }  // committente, opera, indirizzo,
                                                        // progettista, ordine, note
    QPlainTextEdit* giudizio() const { return giudizio_; }

  private:
    form::DatiRelazione dati_;
    QFormLayout* modulo_;
    QLineEdit* righe_[6];
    QPlainTextEdit* giudizio_;
};

// The data written whole to <dir_lavoro>/relazione.txt (the existing file's own spelling of the
// name kept): nullopt when done, else the writer's message naming the file, then as it was.
std::optional<QString> salva_dati_relazione(const std::filesystem::path& dir_lavoro,
                                            const form::DatiRelazione& dati);

}  // namespace tv::app
