// Capture of the main window, and its way to the clipboard, the printer and a BMP file.
#include "app/uscite.h"

#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QPainter>
#include <QPointer>
#include <QPrinter>
#include <QPushButton>

#include "app/form1.h"
#include "app/piattaforma.h"

namespace tv::app {

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

Uscite::Uscite(Form1& finestra, const form::Cartelle& cartelle, form::Messaggi& messaggi,
               Piattaforma& piattaforma)
    : finestra_(finestra), cartelle_(cartelle), messaggi_(messaggi), piattaforma_(piattaforma) {}

QImage Uscite::Command3_Click() {
    // Hiding the button that has the focus moves the focus on: it comes back afterwards.
    const QPointer<QWidget> fuoco = QApplication::focusWidget();
    for (QPushButton* p : finestra_.comandi()) p->hide();
    finestra_.repaint();
    immagine_ = finestra_.grab().toImage();
    QApplication::clipboard()->setImage(immagine_);
    for (QPushButton* p : finestra_.comandi()) p->show();
    if (fuoco && fuoco->window() == &finestra_) fuoco->setFocus(Qt::OtherFocusReason);
    finestra_.repaint();
    return immagine_;
}

bool Uscite::Command4_Click() {
    const QImage immagine = Command3_Click();
    QPrinter stampante(QPrinter::HighResolution);
    stampante.setDocName(finestra_.windowTitle());
    if (!piattaforma_.dialogo_stampa(stampante, &finestra_)) return false;

    // At the size the window has on screen: logical pixels over the screen's resolution.
    const QSizeF logica = immagine.deviceIndependentSize();
    const QSizeF misura = dimensione_stampa(logica, finestra_.logicalDpiX(),
                                            finestra_.logicalDpiY(), stampante.resolution());
    QPainter pittore;
    bool ok = pittore.begin(&stampante);
    if (ok) {
        pittore.setRenderHint(QPainter::SmoothPixmapTransform);
        pittore.drawImage(QRectF(QPointF(0, 0), misura), immagine);
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
    const QString scelto = piattaforma_.dialogo_salva(&finestra_, percorso_qt(cartelle_.dir_lavoro),
                                                      QString::fromLatin1(nome_proposto),
                                                      QString::fromLatin1(filtro_bmp));
    if (scelto.isEmpty() || nome_con_jolly(scelto)) return false;
    if (immagine.save(scelto, "BMP")) return true;
    errore(QStringLiteral("Impossibile scrivere il file \"%1\": l'immagine non è stata salvata.")
               .arg(scelto),
           "Salvataggio non riuscito");
    return false;
}

void Uscite::errore(const QString& testo, const char* titolo) {
    messaggi_.mostra(form::Messaggio{testo.toStdString(), titolo, form::Icona::stop});
}

}  // namespace tv::app
