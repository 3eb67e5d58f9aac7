// SPDX-License-Identifier: GPL-3.0-or-later
// Design fonts with fallbacks; registers font files shipped outside the system's font paths.
#include "app/caratteri.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QString>

#include <cstring>

namespace tv::app {

namespace {

struct FileCarattere {
    const char* famiglia;
    const char* file;
};

// Files that carry the design families in the folders of cartelle_caratteri(). The bold Tahoma
// file found there is hardly heavier than the regular one: bold is left to the font engine.
constexpr FileCarattere file_noti[] = {
    {"Tahoma", "tahoma.ttf"},
    {"Symbol", "symbol.ttf"},
};

}  // namespace

QStringList cartelle_caratteri()
{
    return {QStringLiteral("/usr/share/wine/fonts"), QStringLiteral("/usr/share/fonts/truetype/wine")};
}

QStringList registra_caratteri()
{
    QStringList registrate;
    const QStringList note = QFontDatabase::families();
    for (const auto& voce : file_noti) {
        const QString famiglia = QString::fromLatin1(voce.famiglia);
        if (note.contains(famiglia, Qt::CaseInsensitive))
            continue;
        for (const QString& cartella : cartelle_caratteri()) {
            const QString percorso = QDir(cartella).filePath(QString::fromLatin1(voce.file));
            if (QFileInfo::exists(percorso) && QFontDatabase::addApplicationFont(percorso) >= 0) {
                if (!registrate.contains(famiglia))
                    registrate.append(famiglia);
                break;
            }
        }
    }
    return registrate;
}

QStringList famiglie_per(const char* famiglia)
{
    const QString nome = QString::fromUtf8(famiglia);
    if (std::strcmp(famiglia, "MS Sans Serif") == 0)
        return {nome, QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans")};
    if (std::strcmp(famiglia, "Lucida Console") == 0)
        return {nome, QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono")};
    // The Greek letters are plain Unicode text: a font without them hands over to a serif one that has them.
    if (std::strcmp(famiglia, "Symbol") == 0)
        return {nome, QStringLiteral("DejaVu Serif"), QStringLiteral("Liberation Serif")};
    return {nome, QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")};
}

QStringList famiglie_scalabili(const char* famiglia)
{
    QStringList famiglie = famiglie_per(famiglia);
    const QStringList note = QFontDatabase::families();
    famiglie.removeIf([&note](const QString& f) {
        return note.contains(f, Qt::CaseInsensitive) && !QFontDatabase::isScalable(f);
    });
    return famiglie;
}

QFont crea_font(const Carattere& carattere)
{
    QFont font;
    font.setFamilies(famiglie_scalabili(carattere.famiglia));
    if (std::strcmp(carattere.famiglia, "Lucida Console") == 0)
        font.setStyleHint(QFont::Monospace);
    else if (std::strcmp(carattere.famiglia, "Symbol") == 0)
        font.setStyleHint(QFont::Serif);
    else
        font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(carattere.punti);
    font.setBold(carattere.grassetto);
    font.setItalic(carattere.corsivo);
    return font;
}

}  // namespace tv::app
