// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's dialogs and document viewer behind the output commands.
#include "app/piattaforma.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QPrintDialog>
#include <QPrinter>

namespace tv::app {

QString percorso_qt(const std::filesystem::path& percorso) {
    const std::u8string testo = percorso.u8string();
    return QString::fromUtf8(reinterpret_cast<const char*>(testo.data()),
                             static_cast<qsizetype>(testo.size()));
}

bool PiattaformaQt::dialogo_stampa(QPrinter& stampante, QWidget* proprietario, const QString& pdf) {
    // A ".pdf" output name switches the printer to PDF; the dialog should still offer the real
    // printer first and show the name only under "print to file".
    const bool stampante_vera = stampante.outputFormat() == QPrinter::NativeFormat;
    stampante.setOutputFileName(pdf);
    if (stampante_vera) stampante.setOutputFormat(QPrinter::NativeFormat);
    QPrintDialog dialogo(&stampante, proprietario);
    return dialogo.exec() == QDialog::Accepted;
}

QString PiattaformaQt::dialogo_salva(QWidget* proprietario, const QString& cartella,
                                     const QString& nome, const QString& filtro) {
    QFileDialog dialogo(proprietario);
    dialogo.setAcceptMode(QFileDialog::AcceptSave);
    dialogo.setFileMode(QFileDialog::AnyFile);
    // Overwriting an existing file asks first (the dialog's default).
    dialogo.setDirectory(cartella);
    dialogo.setNameFilter(filtro);
    // A name typed without extension gets the proposed one here already, so that the question
    // before overwriting is asked about the file that will be written.
    dialogo.setDefaultSuffix(QFileInfo(nome).suffix());
    dialogo.selectFile(nome);
    if (dialogo.exec() != QDialog::Accepted) return {};
    const QStringList scelti = dialogo.selectedFiles();
    return scelti.isEmpty() ? QString() : scelti.front();
}

namespace {

// False only when the desktop's register of programs says that none opens documents of this
// type: the desktop would then take the document and silently do nothing with it.
bool visore_registrato(const QUrl& documento) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    const QString xdg_mime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdg_mime.isEmpty() || !documento.isLocalFile()) return true;
    const QString tipo = QMimeDatabase().mimeTypeForFile(documento.toLocalFile()).name();
    QProcess domanda;
    domanda.start(xdg_mime, {QStringLiteral("query"), QStringLiteral("default"), tipo});
    if (!domanda.waitForFinished(5000)) {
        domanda.kill();
        domanda.waitForFinished();
        return true;
    }
    return domanda.exitStatus() != QProcess::NormalExit || domanda.exitCode() != 0 ||
           !domanda.readAllStandardOutput().trimmed().isEmpty();
#else
    Q_UNUSED(documento);
    return true;
#endif
}

}  // namespace

bool PiattaformaQt::apri_documento(const QUrl& documento) {
    return visore_registrato(documento) && QDesktopServices::openUrl(documento);
}

}  // namespace tv::app
