// SPDX-License-Identifier: GPL-3.0-or-later
// The report data dialog: one line per datum, several for the judgement, OK saves, Annulla drops.
#include "app/dialogo_relazione.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "text/file_atomico.h"
#include "text/encoding.h"

namespace tv::app {

namespace {

using Campo = std::string form::DatiRelazione::*;
constexpr Campo kRighe[6] = {&form::DatiRelazione::committente, &form::DatiRelazione::opera,
                             &form::DatiRelazione::indirizzo,   &form::DatiRelazione::progettista,
                             &form::DatiRelazione::ordine,      &form::DatiRelazione::note};
const char* const kEtichette[6] = {"Committente", "Opera", "Indirizzo", "Progettista",
                                   "Ordine e n. di iscrizione", "Note"};

}  // namespace

DialogoRelazione::DialogoRelazione(const form::DatiRelazione& dati, QWidget* parent)
    : QDialog(parent), dati_(dati), modulo_(new QFormLayout(this)) {
    setWindowTitle(QStringLiteral("Dati della relazione"));
    for (int i = 0; i < 6; ++i) {
        righe_[i] = new QLineEdit(QString::fromStdString(dati.*kRighe[i]), this);
        righe_[i]->setMinimumWidth(420);
        if (i < 5) modulo_->addRow(QString::fromUtf8(kEtichette[i]), righe_[i]);
    }
    giudizio_ = new QPlainTextEdit(QString::fromStdString(dati.giudizio), this);
    giudizio_->setTabChangesFocus(true);
    modulo_->addRow(QStringLiteral("Giudizio motivato di accettabilità dei risultati"), giudizio_);
    modulo_->addRow(QString::fromUtf8(kEtichette[5]), righe_[5]);
    auto* pulsanti = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    pulsanti->button(QDialogButtonBox::Ok)->setDefault(true);  // Enter in a line is OK
    connect(pulsanti, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(pulsanti, &QDialogButtonBox::rejected, this, &QDialog::reject);
    modulo_->addRow(pulsanti);
    // Tab follows the fields as shown: the judgement comes between Ordine and Note.
    QWidget::setTabOrder(righe_[4], giudizio_);
    QWidget::setTabOrder(giudizio_, righe_[5]);
    QWidget::setTabOrder(righe_[5], pulsanti);
}

form::DatiRelazione DialogoRelazione::dati() const {
    form::DatiRelazione d = dati_;
    for (int i = 0; i < 6; ++i) d.*kRighe[i] = righe_[i]->text().trimmed().toStdString();
    d.giudizio = giudizio_->toPlainText().trimmed().toStdString();
    return d;
}

void DialogoRelazione::aggiungi_scelta(const QString& etichetta, QWidget* scelta) {
    scelta->setParent(this);
    modulo_->insertRow(modulo_->rowCount() - 1, etichetta, scelta);
}

std::optional<QString> salva_dati_relazione(const std::filesystem::path& dir_lavoro,
                                            const form::DatiRelazione& dati) {
    text::FileAtomico file(text::find_nocase(dir_lavoro, form::kFileRelazione));
    if (!file.aperto()) return QString::fromStdString(file.messaggio_apertura());
    file.stream() << form::testo_dati_relazione(dati);
    if (!file.conferma()) return QString::fromStdString(file.messaggio_scrittura());
    return std::nullopt;
}

}  // namespace tv::app
