// SPDX-License-Identifier: GPL-3.0-or-later
// Capture of the main window, and its way to the clipboard, the printer and a BMP file.
#include "app/uscite.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>
#include <vector>

#include "app/finestra.h"
#include "app/piattaforma.h"
#include "text/file_atomico.h"

namespace tv::app {
namespace {

// While it lives, the window draws no focus and no selection: the application has no active
// window (so no caret and no focus frame; the field loses the focus with the reason that
// validation ignores), and the text fields and lists have nothing selected. All comes back,
// focus included, when it ends.
class SenzaEvidenza {
  public:
    explicit SenzaEvidenza(QWidget& finestra)
        : attiva_(QApplication::activeWindow() == &finestra ? &finestra : nullptr) {
        if (attiva_) QApplication::setActiveWindow(nullptr);
        for (QLineEdit* e : finestra.findChildren<QLineEdit*>()) {
            if (!e->hasSelectedText()) continue;
            campi_.push_back({e, e->selectionStart(), e->selectionLength(), e->cursorPosition()});
            e->deselect();
        }
        for (QAbstractItemView* v : finestra.findChildren<QAbstractItemView*>()) {
            QItemSelectionModel* m = v->selectionModel();
            if (!m || (!m->hasSelection() && !m->currentIndex().isValid())) continue;
            liste_.push_back({m, m->selection(), m->currentIndex()});
            m->clear();
        }
    }
    ~SenzaEvidenza() {
        for (const Lista& l : liste_) {
            if (!l.modello) continue;
            l.modello->setCurrentIndex(l.corrente, QItemSelectionModel::NoUpdate);
            l.modello->select(l.scelta, QItemSelectionModel::ClearAndSelect);
        }
        for (const Campo& c : campi_) {
            if (!c.campo) continue;
            // The caret stays at the end where it was: a selection made backwards keeps it first.
            if (c.cursore == c.inizio)
                c.campo->setSelection(c.inizio + c.lunghezza, -c.lunghezza);
            else
                c.campo->setSelection(c.inizio, c.lunghezza);
        }
        if (attiva_) QApplication::setActiveWindow(attiva_);
    }
    SenzaEvidenza(const SenzaEvidenza&) = delete;
    SenzaEvidenza& operator=(const SenzaEvidenza&) = delete;

  private:
    struct Campo {
        QPointer<QLineEdit> campo;
        int inizio, lunghezza, cursore;
    };
    struct Lista {
        QPointer<QItemSelectionModel> modello;
        QItemSelection scelta;
        QPersistentModelIndex corrente;
    };
    QPointer<QWidget> attiva_;
    std::vector<Campo> campi_;
    std::vector<Lista> liste_;
};

// The output's path in the job's work folder.
QString nel_lavoro(const form::Cartelle& cartelle, const QString& estensione) {
    return QDir(percorso_qt(cartelle.dir_lavoro))
        .filePath(nome_proposto(cartelle.nome_lavoro, estensione));
}

}  // namespace

QString nome_proposto(const std::string& nome_lavoro, const QString& estensione) {
    // The job name may name a sub-folder of the jobs ("2024\\rossi"): its last part is the job.
    QString nome = QString::fromStdString(nome_lavoro).replace(QLatin1Char('\\'), QLatin1Char('/'));
    nome = nome.section(QLatin1Char('/'), -1, -1, QString::SectionSkipEmpty).trimmed();
    if (nome.isEmpty()) nome = QStringLiteral("pannello");
    return nome + QLatin1Char('.') + estensione;
}

QString con_estensione_bmp(const QString& scelto) {
    if (QFileInfo(scelto).fileName().contains(QLatin1Char('.'))) return scelto;
    return scelto + QStringLiteral(".bmp");
}

QSizeF dimensione_stampa(QSizeF logica, double dpi_schermo_x, double dpi_schermo_y,
                         double dpi_stampante) {
    if (dpi_schermo_x <= 0 || dpi_schermo_y <= 0) return logica;
    return {logica.width() * dpi_stampante / dpi_schermo_x,
            logica.height() * dpi_stampante / dpi_schermo_y};
}

bool nome_con_jolly(const QString& scelto) {
    const QString ultimo = QFileInfo(scelto).fileName();
    return ultimo.contains(QLatin1Char('*')) || ultimo.contains(QLatin1Char('?'));
}

Uscite::Uscite(FinestraPrincipale& finestra, const form::Cartelle& cartelle, form::Messaggi& messaggi,
               Piattaforma& piattaforma)
    : finestra_(finestra), cartelle_(cartelle), messaggi_(messaggi), piattaforma_(piattaforma) {}

QImage Uscite::Command3_Click() {
    // Hiding the button that has the focus moves the focus on: it comes back afterwards.
    const QPointer<QWidget> fuoco = QApplication::focusWidget();
    {
        const SenzaEvidenza senza(finestra_);
        for (QPushButton* p : finestra_.comandi()) p->hide();
        finestra_.repaint();
        immagine_ = finestra_.grab().toImage();
        QApplication::clipboard()->setImage(immagine_);
        for (QPushButton* p : finestra_.comandi()) p->show();
    }
    if (fuoco && fuoco->window() == &finestra_ && QApplication::focusWidget() != fuoco)
        fuoco->setFocus(Qt::OtherFocusReason);
    finestra_.repaint();
    return immagine_;
}

bool Uscite::Command4_Click() {
    const QImage immagine = Command3_Click();
    QPrinter stampante(QPrinter::HighResolution);
    stampante.setDocName(finestra_.windowTitle());
    if (!piattaforma_.dialogo_stampa(stampante, &finestra_, nel_lavoro(cartelle_, "pdf")))
        return false;

    // At the size the window has on screen: logical pixels over the screen's resolution.
    const QSizeF logica = immagine.deviceIndependentSize();
    const QSizeF misura = dimensione_stampa(logica, finestra_.logicalDpiX(),
                                            finestra_.logicalDpiY(), stampante.resolution());
    QPainter pittore;
    bool ok = pittore.begin(&stampante);
    if (ok) {
        // A line naming the job and the date above the picture, so that the sheet says what it is.
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(10);
        pittore.setFont(font);
        const QString testata =
            QStringLiteral("%1 - Lavoro: %2 - %3")
                .arg(finestra_.windowTitle(),
                     nome_proposto(cartelle_.nome_lavoro, QString()).chopped(1),
                     QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy")));
        const QFontMetricsF metriche(font, &stampante);
        pittore.drawText(QPointF(0, metriche.ascent()), testata);
        const double sotto = metriche.height() * 1.5;
        pittore.setRenderHint(QPainter::SmoothPixmapTransform);
        pittore.drawImage(QRectF(QPointF(0, sotto), misura), immagine);
        ok = pittore.end();
    }
    if (ok && stampante.printerState() != QPrinter::Error) return true;

    QString nome = stampante.printerName();
    if (nome.isEmpty()) nome = stampante.outputFileName();
    errore(QStringLiteral("Impossibile stampare sulla stampante \"%1\": la finestra non è stata "
                          "stampata.")
               .arg(nome),
           "Stampa non riuscita");
    return false;
}

bool Uscite::Command5_Click() {
    const QImage immagine = Command3_Click();
    const QString scelto =
        piattaforma_.dialogo_salva(&finestra_, percorso_qt(cartelle_.dir_lavoro),
                                   nome_proposto(cartelle_.nome_lavoro, QStringLiteral("bmp")),
                                   QString::fromLatin1(filtro_bmp));
    if (scelto.isEmpty()) return false;
    if (nome_con_jolly(scelto)) {
        errore(
            QStringLiteral("Il nome \"%1\" contiene \"*\" o \"?\", che non possono stare nel nome "
                           "di un file: l'immagine non è stata salvata.")
                .arg(QFileInfo(scelto).fileName()),
            "Nome non valido");
        return false;
    }
    const QString file = con_estensione_bmp(scelto);
    // Whole or not at all: a full disk never leaves half a picture under the chosen name.
    QByteArray byte;
    QBuffer uscita(&byte);
    if (uscita.open(QIODevice::WriteOnly) && immagine.save(&uscita, "BMP") &&
        !text::scrivi_file_intero(QFile::encodeName(file).toStdString(),
                                  std::string_view(byte.constData(), static_cast<std::size_t>(byte.size()))))
        return true;
    errore(QStringLiteral("Impossibile scrivere il file \"%1\": l'immagine non è stata salvata.")
               .arg(file),
           "Salvataggio non riuscito");
    return false;
}

void Uscite::errore(const QString& testo, const char* titolo) {
    messaggi_.mostra(form::Messaggio{testo.toStdString(), titolo, form::Icona::stop});
}

}  // namespace tv::app
