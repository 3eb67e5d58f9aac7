// SPDX-License-Identifier: GPL-3.0-or-later
// The strip under the window's controls: the suite's jobs and the job's panels, with "NUOVO",
// "DUPLICA" and "ELIMINA"; the panels' logic is the form's SessionePannelli.
#pragma once

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

#include "app/modello/sessione_pannelli.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tv::app {

class Presentatore;

// What the strip asks the user; tests answer without a person.
class Domande {
  public:
    virtual ~Domande() = default;
    virtual bool conferma(QWidget* proprietario, const QString& titolo, const QString& testo) = 0;
    // A line of text; nullopt when the user cancels.
    virtual std::optional<QString> testo(QWidget* proprietario, const QString& titolo,
                                         const QString& etichetta) = 0;
};

// QMessageBox and QInputDialog.
class DomandeQt : public Domande {
  public:
    bool conferma(QWidget* proprietario, const QString& titolo, const QString& testo) override;
    std::optional<QString> testo(QWidget* proprietario, const QString& titolo,
                                 const QString& etichetta) override;
};

class StrisciaPannelli : public QObject {
    Q_OBJECT

  public:
    // Added under the controls of the presenter's window, which grows by its height, over the
    // form just started: the job's panels read and the panel last shown put in the fields.
    StrisciaPannelli(Presentatore& presentatore, Domande& domande, QObject* parent = nullptr);
    ~StrisciaPannelli() override;

    // Null when the job's panels file could not be used (its message has been shown).
    form::SessionePannelli* sessione() { return sessione_.get(); }

    QComboBox* lavori() const { return lavori_; }
    QPushButton* nuovo_lavoro() const { return nuovo_lavoro_; }
    QPushButton* sito_lavoro() const { return sito_lavoro_; }
    QComboBox* pannelli() const { return pannelli_; }
    QLineEdit* descrizione() const { return descrizione_; }
    QPushButton* nuovo() const { return nuovo_; }
    QPushButton* duplica() const { return duplica_; }
    QPushButton* elimina() const { return elimina_; }
    // The note line: what the last output wrote and where (its whole text in the tooltip).
    QLabel* nota() const { return nota_; }
    void mostra_nota(const QString& testo);

  private:
    void crea_controlli();
    // The session over the form as start-up left it; its messages shown.
    void apri_sessione();
    // The lists, the description and the buttons as the session stands.
    void mostra();
    void avvisa(const std::optional<std::string>& errore);
    // The field holding the focus validated and every accepted input saved, before a command.
    bool pronto();
    void scegli_lavoro(int indice);
    void crea_lavoro();
    // The current panel's site fields written as the job's own site; the job opened again, so
    // that its panels without a site of their own take it.
    void scrivi_sito_lavoro();
    void scegli_pannello(int indice);
    void comando(std::optional<std::string> (form::SessionePannelli::*azione)());

    Presentatore& presentatore_;
    Domande& domande_;
    std::unique_ptr<form::SessionePannelli> sessione_;
    QComboBox* lavori_ = nullptr;
    QPushButton* nuovo_lavoro_ = nullptr;
    QPushButton* sito_lavoro_ = nullptr;
    QComboBox* pannelli_ = nullptr;
    QLineEdit* descrizione_ = nullptr;
    QPushButton* nuovo_ = nullptr;
    QLabel* nota_ = nullptr;
    QPushButton* duplica_ = nullptr;
    QPushButton* elimina_ = nullptr;
    bool in_mostra_ = false;
};

}  // namespace tv::app
