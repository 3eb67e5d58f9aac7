// SPDX-License-Identifier: GPL-3.0-or-later
// The jobs and panels strip: thin widgets under the design's controls, each command handed to
// the form's panel session and the window redrawn from its state.
#include "app/striscia_pannelli.h"

#include <QComboBox>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "app/campi.h"
#include "app/caratteri.h"
#include "app/finestra.h"
#include "app/messaggi_qt.h"
#include "app/presentatore.h"
#include "app/modello/form1.h"
#include "form/lavoro.h"
#include "form/sito_lavoro.h"
#include "text/error.h"

namespace tv::app {

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

// The strip's height and its two rows, in twips.
constexpr int kAltezza = 900;
constexpr int kRiga1 = 90, kRiga2 = 500, kAltezzaRiga = 330;

}  // namespace

bool DomandeQt::conferma(QWidget* proprietario, const QString& titolo, const QString& testo) {
    QMessageBox box(QMessageBox::Question, titolo, testo, QMessageBox::Yes | QMessageBox::No,
                    proprietario);
    box.setDefaultButton(QMessageBox::No);
    adatta_al_titolo(box);
    return box.exec() == QMessageBox::Yes;
}

std::optional<QString> DomandeQt::testo(QWidget* proprietario, const QString& titolo,
                                        const QString& etichetta) {
    QInputDialog dialogo(proprietario);
    dialogo.setWindowTitle(titolo);
    dialogo.setLabelText(etichetta);
    dialogo.setInputMode(QInputDialog::TextInput);
    adatta_al_titolo(dialogo);
    if (dialogo.exec() != QDialog::Accepted) return std::nullopt;
    return dialogo.textValue();
}

StrisciaPannelli::StrisciaPannelli(Presentatore& presentatore, Domande& domande, QObject* parent)
    : QObject(parent), presentatore_(presentatore), domande_(domande) {
    crea_controlli();
    connect(&presentatore_, &Presentatore::ingresso_accettato, this, [this] {
        if (!sessione_) return;
        const bool prima = sessione_->ha_file();
        avvisa(sessione_->registra());
        if (prima != sessione_->ha_file()) mostra();
    });
    connect(lavori_, &QComboBox::activated, this, &StrisciaPannelli::scegli_lavoro);
    connect(nuovo_lavoro_, &QPushButton::clicked, this, &StrisciaPannelli::crea_lavoro);
    connect(sito_lavoro_, &QPushButton::clicked, this, &StrisciaPannelli::scrivi_sito_lavoro);
    connect(pannelli_, &QComboBox::activated, this, &StrisciaPannelli::scegli_pannello);
    connect(descrizione_, &QLineEdit::editingFinished, this, [this] {
        if (in_mostra_ || !sessione_) return;
        const std::string d = descrizione_->text().trimmed().toStdString();
        if (d == sessione_->descrizione()) return;
        if (!pronto()) return;
        avvisa(sessione_->imposta_descrizione(d));
        mostra();
    });
    connect(nuovo_, &QPushButton::clicked, this,
            [this] { comando(&form::SessionePannelli::nuovo); });
    connect(duplica_, &QPushButton::clicked, this,
            [this] { comando(&form::SessionePannelli::duplica); });
    connect(elimina_, &QPushButton::clicked, this, [this] {
        if (!sessione_ || !pronto()) return;
        const QString testo = QStringLiteral("Eliminare il pannello \"%1\"%2?")
                                  .arg(q(sessione_->corrente()),
                                       sessione_->descrizione().empty()
                                           ? QString()
                                           : QStringLiteral(" (%1)").arg(q(sessione_->descrizione())));
        if (!domande_.conferma(&presentatore_.finestra(), QStringLiteral("ELIMINA"), testo)) return;
        comando(&form::SessionePannelli::elimina);
    });
    apri_sessione();
}

StrisciaPannelli::~StrisciaPannelli() = default;

void StrisciaPannelli::mostra_nota(const QString& testo) {
    // A long path is cut in its middle, where the folders are, so that the file's name shows.
    nota_->setText(nota_->fontMetrics().elidedText(testo, Qt::ElideMiddle, nota_->width()));
    nota_->setToolTip(testo);
}

void StrisciaPannelli::crea_controlli() {
    FinestraPrincipale& f = presentatore_.finestra();
    const int cima = finestra().altezza;
    f.setFixedSize(f.pixel(finestra().larghezza), f.pixel(cima + kAltezza));
    const QFont font = crea_font(carattere_sans_serif);
    const auto metti = [&](QWidget* w, int riga, int left, int width, const char* nome) {
        w->setParent(&f);
        w->setObjectName(QString::fromLatin1(nome));
        w->setFont(font);
        w->setGeometry(f.rettangolo({left, cima + riga, width, kAltezzaRiga}));
        w->show();
    };
    const auto etichetta = [&](const char* testo, int riga, int left, int width) {
        auto* l = new QLabel(QString::fromUtf8(testo));
        metti(l, riga, left, width, "LabelStriscia");
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    };
    etichetta("Lavoro", kRiga1, 60, 900);
    lavori_ = new QComboBox;
    metti(lavori_, kRiga1, 1020, 2700, "ComboLavori");
    lavori_->setToolTip(QStringLiteral("Apre un altro lavoro della cartella dei lavori"));
    nuovo_lavoro_ = new QPushButton(QStringLiteral("NUOVO LAVORO"));
    metti(nuovo_lavoro_, kRiga1, 3840, 1700, "CommandNuovoLavoro");
    nuovo_lavoro_->setToolTip(
        QStringLiteral("Crea un lavoro con le unità di misura di questo e lo apre"));
    sito_lavoro_ = new QPushButton(QStringLiteral("SITO DEL LAVORO"));
    metti(sito_lavoro_, kRiga1, 5640, 1900, "CommandSitoLavoro");
    sito_lavoro_->setToolTip(QStringLiteral(
        "Questo sito per tutto il lavoro: coordinate, suolo, St, VN e Cu di questo pannello "
        "scritti nel file della commessa (sismica_2008.txt) per i pannelli senza un sito proprio"));
    // Beside the jobs, the note line says what the last output wrote.
    nota_ = new QLabel;
    metti(nota_, kRiga1, 7640, 2500, "LabelNota");
    nota_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    etichetta("Pannello", kRiga2, 60, 900);
    pannelli_ = new QComboBox;
    metti(pannelli_, kRiga2, 1020, 2700, "ComboPannelli");
    pannelli_->setToolTip(QStringLiteral("I pannelli del lavoro, salvati in pannelli.csv"));
    etichetta("Descrizione", kRiga2, 3720, 1000);
    descrizione_ = new QLineEdit;
    metti(descrizione_, kRiga2, 4800, 2480, "TextDescrizione");
    nuovo_ = new QPushButton(QStringLiteral("NUOVO"));
    metti(nuovo_, kRiga2, 7380, 900, "CommandNuovo");
    nuovo_->setToolTip(QStringLiteral("Un nuovo pannello con i valori del lavoro"));
    duplica_ = new QPushButton(QStringLiteral("DUPLICA"));
    metti(duplica_, kRiga2, 8340, 900, "CommandDuplica");
    duplica_->setToolTip(QStringLiteral("Un nuovo pannello copia di questo"));
    elimina_ = new QPushButton(QStringLiteral("ELIMINA"));
    metti(elimina_, kRiga2, 9300, 840, "CommandElimina");
    elimina_->setToolTip(QStringLiteral("Elimina questo pannello dal lavoro"));
    // After the design's controls: the results, then the strip.
    QWidget* ultimo = f.campo(form::indice(form::Campo::Ta));
    for (QWidget* w : std::initializer_list<QWidget*>{lavori_, nuovo_lavoro_, sito_lavoro_,
                                                      pannelli_, descrizione_, nuovo_, duplica_,
                                                      elimina_}) {
        QWidget::setTabOrder(ultimo, w);
        ultimo = w;
    }
}

void StrisciaPannelli::apri_sessione() {
    sessione_.reset();
    try {
        sessione_ = std::make_unique<form::SessionePannelli>(presentatore_.form());
        // A cell this window and another writer both changed: the user says whose text stays.
        sessione_->imposta_scelta([this](const form::Conflitto& c) {
            return domande_.conferma(
                &presentatore_.finestra(), QStringLiteral("Pannelli"),
                q("Il pannello \"" + c.id + "\" è stato cambiato anche da un'altra finestra o a "
                  "mano: " + c.colonna + " vale \"" + c.loro + "\" nel file e \"" + c.mio +
                  "\" in questa finestra.\nTenere il valore di questa finestra?"));
        });
    } catch (const Failure& e) {
        presentatore_.form().messaggi().mostra(
            form::Messaggio{std::string(e.what()) + " I pannelli non vengono salvati.",
                            "Pannelli", form::Icona::stop});
    }
    presentatore_.mostra_stato();
    mostra();
    avvisa(std::nullopt);
}

void StrisciaPannelli::mostra() {
    in_mostra_ = true;
    const form::Form1& form = presentatore_.form();
    lavori_->clear();
    const auto elenco = form::elenco_lavori(form.cartelle().dir_lavori);
    for (const auto& n : elenco) lavori_->addItem(q(n));
    lavori_->setCurrentIndex(lavori_->findText(q(form.cartelle().nome_lavoro)));
    pannelli_->clear();
    const bool attiva = sessione_ != nullptr;
    for (QWidget* w : std::initializer_list<QWidget*>{pannelli_, descrizione_, nuovo_, duplica_})
        w->setEnabled(attiva);
    if (attiva) {
        const auto* file = sessione_->file() ? &*sessione_->file() : nullptr;
        for (const auto& id : sessione_->ids()) {
            const auto* r = file ? file->pannello(id) : nullptr;
            const std::string d = r ? file->cella(*r, "descrizione") : std::string();
            pannelli_->addItem(q(d.empty() ? id : id + " - " + d), q(id));
        }
        pannelli_->setCurrentIndex(pannelli_->findData(q(sessione_->corrente())));
        descrizione_->setText(q(sessione_->descrizione()));
    }
    elimina_->setEnabled(attiva && sessione_->ids().size() > 1);
    sito_lavoro_->setEnabled(form::sito_lavoro_scrivibile(form.cartelle().dir_lavoro));
    in_mostra_ = false;
}

void StrisciaPannelli::avvisa(const std::optional<std::string>& errore) {
    form::Messaggi& m = presentatore_.form().messaggi();
    if (errore) m.mostra(form::Messaggio{*errore, "Salvataggio non riuscito", form::Icona::stop});
    if (!sessione_) return;
    for (const auto& a : sessione_->prendi_avvisi())
        m.mostra(form::Messaggio{a, "Pannelli", form::Icona::stop});
    // The file had been written by someone else: its panels are in the list now.
    if (const auto nota = sessione_->prendi_nota()) {
        presentatore_.mostra_stato();
        mostra();
        mostra_nota(q(*nota));
    }
}

bool StrisciaPannelli::pronto() {
    if (!presentatore_.convalida_campo_attivo()) return false;
    if (sessione_) avvisa(sessione_->registra());
    return true;
}

void StrisciaPannelli::comando(std::optional<std::string> (form::SessionePannelli::*azione)()) {
    if (!sessione_ || !pronto()) return;
    const auto errore = ((*sessione_).*azione)();
    presentatore_.mostra_stato();
    mostra();
    avvisa(errore);
}

void StrisciaPannelli::scegli_pannello(int indice) {
    if (in_mostra_ || !sessione_ || indice < 0) return;
    const std::string id = pannelli_->itemData(indice).toString().toStdString();
    if (id == sessione_->corrente() || !pronto()) {
        mostra();
        return;
    }
    sessione_->scegli(id);
    presentatore_.mostra_stato();
    mostra();
    avvisa(std::nullopt);
}

void StrisciaPannelli::scegli_lavoro(int indice) {
    const std::string nome = lavori_->itemText(indice).toStdString();
    if (in_mostra_ || indice < 0 || nome == presentatore_.form().cartelle().nome_lavoro) return;
    if (!pronto() || !presentatore_.apri_lavoro(nome)) {
        mostra();
        return;
    }
    apri_sessione();
}

void StrisciaPannelli::crea_lavoro() {
    if (!pronto()) return;
    const auto nome = domande_.testo(&presentatore_.finestra(), QStringLiteral("NUOVO LAVORO"),
                                     QStringLiteral("Nome del nuovo lavoro:"));
    if (!nome) return;
    const form::Cartelle& c = presentatore_.form().cartelle();
    if (const auto e = form::crea_lavoro(c.dir_lavori, nome->toStdString(), c.dir_lavoro)) {
        presentatore_.form().messaggi().mostra(
            form::Messaggio{*e, "NUOVO LAVORO", form::Icona::stop});
        return;
    }
    if (!presentatore_.apri_lavoro(nome->trimmed().toStdString())) {
        mostra();
        return;
    }
    apri_sessione();
    // The new job has no site yet: its panels show "Sito da indicare" until it is given.
    presentatore_.form().messaggi().mostra(form::Messaggio{
        "Indicare il sito del nuovo lavoro: cercare la località nella casella di ricerca o "
        "scrivere latitudine e longitudine, scegliere il suolo e St, poi premere "
        "SITO DEL LAVORO.",
        "NUOVO LAVORO", form::Icona::nessuna});
    presentatore_.finestra().combo1()->setFocus();
}

void StrisciaPannelli::scrivi_sito_lavoro() {
    if (!pronto()) return;
    form::Form1& form = presentatore_.form();
    const form::Cartelle c = form.cartelle();
    const auto& testi = form.stato.pannello.testi;
    if (form::file_lavoro(c.dir_lavoro) &&
        !domande_.conferma(&presentatore_.finestra(), QStringLiteral("SITO DEL LAVORO"),
                           QStringLiteral("Sostituire il sito del lavoro con quello di questo "
                                          "pannello?")))
        return;
    // The locality picked from the list, when the coordinates are still its own.
    const auto numero = [&](form::Campo k) {
        return form::numero_di_testo(k, testi[k], form.formato());
    };
    std::string localita;
    if (const auto lon = numero(form::Campo::lon), lat = numero(form::Campo::lat); lon && lat)
        localita = form.localita_del_sito(*lon, *lat).value_or("");
    if (const auto e = form::scrivi_sito_lavoro(c.dir_lavoro, testi, form.stato.pannello.datum, localita,
                                                form.formato())) {
        form.messaggi().mostra(form::Messaggio{*e, "SITO DEL LAVORO", form::Icona::stop});
        return;
    }
    if (presentatore_.apri_lavoro(c.nome_lavoro)) apri_sessione();
    else mostra();
    mostra_nota(QString::fromStdString("Sito del lavoro scritto in " +
                                       (c.dir_lavoro / form::kFileSitoLavoro).string()));
}

}  // namespace tv::app
