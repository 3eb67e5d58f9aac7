// SPDX-License-Identifier: GPL-3.0-or-later
// Connections of the output buttons and of the editor request to their handlers.
#include "app/pulsanti.h"

#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QShortcut>
#include <optional>
#include <sstream>
#include <utility>

#include "app/aiuto.h"
#include "app/dialogo_relazione.h"
#include "app/fluttuante.h"
#include "app/finestra.h"
#include "app/piattaforma.h"
#include "app/presentatore.h"
#include "app/striscia_pannelli.h"
#include "app/modello/contesto.h"
#include "form/pannelli.h"
#include "relazione/documento.h"
#include "relazione/odt.h"
#include "relazione/pdf.h"
#include "relazione/relazione_meccanismo.h"
#include "relazione/relazione_tutti.h"
#include "text/encoding.h"
#include "text/error.h"

namespace tv::app {

namespace {

// A report file named *.odt is the editable copy; any other name, the PDF.
bool odt(const QString& file) {
    return file.endsWith(QStringLiteral(".odt"), Qt::CaseInsensitive);
}

// The job's own panel in the "." notation the panels file is read with: the base the report of
// all panels lays each saved panel over.
form::Pannello pannello_del_lavoro(const form::Form1& f, const form::StatoFinestra& base) {
    form::Pannello p;
    p.testi = base.pannello.testi;
    for (form::Campo c : form::kCampiIngresso) p.testi[c] = form::cella_di_testo(c, p.testi[c], f.formato());
    p.vincoli = base.pannello.vincoli;
    p.formula = base.pannello.formula;
    p.datum = base.pannello.datum;
    return p;
}

}  // namespace

Pulsanti::Pulsanti(Presentatore& presentatore, form::Messaggi& messaggi, Piattaforma& piattaforma,
                 QObject* parent)
    : QObject(parent),
      presentatore_(presentatore),
      messaggi_(messaggi),
      piattaforma_(piattaforma),
      uscite_(presentatore.finestra(), presentatore.form().cartelle(), messaggi, piattaforma) {
    FinestraPrincipale& finestra = presentatore.finestra();
    connect(finestra.command(2), &QPushButton::clicked, this, [this] { aiuto(); });
    // An output never captures results that do not belong to the inputs shown.
    connect(finestra.command(3), &QPushButton::clicked, this, [this] {
        if (presentatore_.aggiorna_se_scaduti()) uscite_.Command3_Click();
    });
    connect(finestra.command(4), &QPushButton::clicked, this, [this] {
        if (presentatore_.aggiorna_se_scaduti()) uscite_.Command4_Click();
    });
    connect(finestra.command(5), &QPushButton::clicked, this, [this] {
        if (presentatore_.aggiorna_se_scaduti()) uscite_.Command5_Click();
    });
    connect(&presentatore, &Presentatore::editor_richiesto, this,
            [this](int campo) { editor(campo); });
    connect(finestra.command(6), &QPushButton::clicked, this, [this] { Command6_Click(); });
    // Keys for the buttons; Ctrl+S stays free, since "SALVA" saves a picture, not the data.
    const std::pair<QKeySequence, int> tasti[] = {
        {QKeySequence(Qt::CTRL | Qt::Key_P), 4}, {QKeySequence(Qt::CTRL | Qt::Key_R), 6},
        {QKeySequence(Qt::Key_F1), 2}};
    for (const auto& [sequenza, numero] : tasti) {
        auto* scorciatoia = new QShortcut(sequenza, &finestra);
        connect(scorciatoia, &QShortcut::activated, this, [this, numero] {
            if (presentatore_.convalida_campo_attivo())
                presentatore_.finestra().command(numero)->click();
        });
    }
}

bool Pulsanti::aiuto() {
    return Command2_Click(presentatore_.form().cartelle().dir_help, piattaforma_, messaggi_);
}

bool Pulsanti::Command6_Click() {
    // The report is of the fields as they stand, whatever was typed since the last run.
    if (!presentatore_.aggiorna_se_scaduti()) return false;
    const form::Form1& form = presentatore_.form();
    const auto errore = [this](const QString& testo, const char* titolo) {
        messaggi_.mostra(form::Messaggio{testo.toStdString(), titolo, form::Icona::stop});
        return false;
    };
    // The report data first: edited in place and saved, or Annulla and nothing is written.
    const auto& dir_lavoro = form.cartelle().dir_lavoro;
    DialogoRelazione dialogo(form::leggi_file_relazione(dir_lavoro).value_or(form::DatiRelazione{}),
                             &presentatore_.finestra());
    // With two panels or more the report is of this panel or of all of them, asked here once.
    form::SessionePannelli* sessione = striscia_ != nullptr ? striscia_->sessione() : nullptr;
    const bool con_pannelli = sessione != nullptr && sessione->ha_file();
    QComboBox* scelta = nullptr;
    if (con_pannelli && sessione->ids().size() > 1) {
        scelta = new QComboBox;
        scelta->setObjectName(QStringLiteral("ComboRelazionePannelli"));
        scelta->addItem(QStringLiteral("Questo pannello (%1)").arg(QString::fromStdString(sessione->corrente())));
        scelta->addItem(QStringLiteral("Tutti i pannelli del lavoro"));
        dialogo.aggiungi_scelta(QStringLiteral("Pannelli"), scelta);
    }
    const bool accettato = dialogo.exec() == QDialog::Accepted;
    const bool tutti = scelta != nullptr && scelta->currentIndex() == 1;
    // Keys and shortcuts go back to the window, also where the platform activates nothing.
    presentatore_.finestra().activateWindow();
    if (!accettato) return false;
    if (const auto e = salva_dati_relazione(dir_lavoro, dialogo.dati()))
        return errore(*e, "Salvataggio non riuscito");
    const std::string& lavoro = form.cartelle().nome_lavoro;
    const std::string nome = !con_pannelli ? lavoro
                             : tutti       ? form::nome_relazione_tutti(lavoro)
                                           : form::nome_relazione_pannello(lavoro, sessione->corrente());
    const QString scelto = piattaforma_.dialogo_salva(
        &presentatore_.finestra(), percorso_qt(form.cartelle().dir_lavoro),
        nome_proposto(nome, QStringLiteral("pdf")), QString::fromLatin1(filtro_relazione));
    if (scelto.isEmpty()) return false;
    if (nome_con_jolly(scelto))
        return errore(QStringLiteral("Il nome \"%1\" contiene \"*\" o \"?\", che non possono "
                                     "stare nel nome di un file: la relazione non è stata salvata.")
                          .arg(QFileInfo(scelto).fileName()),
                      "Nome non valido");
    const QString file = QFileInfo(scelto).fileName().contains(QLatin1Char('.'))
                             ? scelto
                             : scelto + QStringLiteral(".pdf");
    const std::string data = QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")).toStdString();
    try {
        if (tutti) {
            const auto scritta = relazione_tutti(form, *sessione, file, data);
            if (!scritta) return false;  // stopped: no file written
            if (!scritta->isEmpty()) return errore(*scritta, "Salvataggio non riuscito");
        } else {
            // The report of the kind on screen, from that kind's last result.
            if (form::e_meccanismo(form.stato.pannello.tipo) ? !form.risultato_meccanismo : !form.risultato)
                return errore(QStringLiteral("Premere AGGIORNA: la verifica non ha risultati."),
                              "Relazione non riuscita");
            const relazione::Documento doc =
                form::e_meccanismo(form.stato.pannello.tipo)
                    ? relazione::costruisci_relazione_meccanismo(
                          *form.risultato_meccanismo,
                          relazione::contesto_relazione(form.lavoro, std::nullopt, data))
                    : relazione::costruisci_relazione(*form.risultato,
                                                      form::contesto_relazione(form, data));
            relazione::FonteDocumento fonte(doc);
            if (const auto e = odt(file) ? relazione::scrivi_relazione_odt(fonte, file)
                                         : relazione::scrivi_relazione_pdf(doc, file))
                return errore(*e, "Salvataggio non riuscito");
        }
    } catch (const Failure& f) {
        return errore(QString::fromStdString(f.what()), "Relazione non riuscita");
    }
    if (striscia_ != nullptr)
        striscia_->mostra_nota(QStringLiteral("Relazione scritta in %1").arg(QDir::toNativeSeparators(file)));
    return true;
}

std::optional<QString> Pulsanti::relazione_tutti(const form::Form1& form,
                                                 const form::SessionePannelli& sessione,
                                                 const QString& file, const std::string& data) {
    const form::Pannello base = pannello_del_lavoro(form, sessione.base());
    const form::FilePannelli& pannelli = *sessione.file();
    const auto prepara = [&](const form::RigaPannello& riga, form::Pannello& p, std::ostream& e) {
        p = base;
        const auto rifiuto =
            form::applica_riga(pannelli, riga, p, form.lavoro.unita, text::dot_format());
        if (rifiuto) e << text::printable(*rifiuto) << "\n";
        return !rifiuto;
    };
    const auto verifica = [&](const form::Pannello& p) {
        return form::calcola_pannello(p, form.lavoro, *form.fonte_griglia(), text::dot_format());
    };
    // Past 100 panels a dialog says how far the report has gone and can stop it.
    std::optional<QProgressDialog> dialogo;
    relazione::AvanzamentoRelazione avanzamento;
    if (sessione.ids().size() > relazione::kPannelliSenzaProgresso) {
        dialogo.emplace(QStringLiteral("Relazione"), QStringLiteral("Annulla"), 0, 3000,
                        &presentatore_.finestra());
        dialogo->setObjectName(QStringLiteral("ProgressoRelazione"));
        dialogo->setWindowTitle(QStringLiteral("Relazione"));
        dialogo->setWindowModality(Qt::WindowModal);
        dialogo->setMinimumDuration(0);
        dialogo->setValue(0);
        avanzamento = [&](relazione::FaseRelazione fase, std::size_t fatti, std::size_t totale) {
            int base = 0;
            switch (fase) {
                case relazione::FaseRelazione::verifica: base = 0; break;
                case relazione::FaseRelazione::impaginazione: base = 1000; break;
                case relazione::FaseRelazione::scrittura: base = 2000; break;
            }
            dialogo->setLabelText(QString::fromStdString(
                "Relazione: " + relazione::testo_avanzamento(fase, fatti, totale)));
            dialogo->setValue(base + static_cast<int>(totale == 0 ? 0 : fatti * 1000 / totale));
            return !dialogo->wasCanceled();
        };
    }
    std::ostringstream err;
    relazione::RelazioneTutti fonte(form.lavoro, pannelli, prepara, verifica,
                                    relazione::contesto_relazione(form.lavoro, std::nullopt, data),
                                    err, avanzamento);
    if (fonte.fermata()) return std::nullopt;
    if (fonte.codice() != 0 && !err.str().empty())
        messaggi_.mostra(form::Messaggio{err.str(), "Relazione", form::Icona::stop});
    const auto e = odt(file) ? relazione::scrivi_relazione_odt(fonte, file)
                             : relazione::scrivi_relazione_pdf(fonte, file, avanzamento);
    if (e && e->isEmpty()) return std::nullopt;
    return e.value_or(QString());
}

bool Pulsanti::editor(int campo) {
    FinestraPrincipale& finestra = presentatore_.finestra();
    const form::Form1& form = presentatore_.form();
    return apri_fluttuante(finestra.campo(campo), QString::fromStdString(form.unita_campo),
                           form.unita().accelerazione_g, form.formato(), finestra.dpi(), &finestra);
}

}  // namespace tv::app
