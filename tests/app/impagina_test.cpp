// SPDX-License-Identifier: GPL-3.0-or-later
// The manual's typesetting: title, one page per chapter, failures in words; and the
// manual's source names what the window shows.
#include "impagina.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include "suite_temp.h"

namespace {

using tv::manuale::impagina;

const auto q = [](const std::filesystem::path& p) { return QString::fromStdString(p.string()); };

QByteArray leggi(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(Impagina, EveryChapterStartsOnANewPageWithTheFirstTitleAndFailuresAreReported) {
    EXPECT_EQ(tv::manuale::titolo_di("testo\n## Sezione\n# Titolo vero  \n# Secondo\n"),
              "Titolo vero");
    EXPECT_EQ(tv::manuale::titolo_di("## Solo sezioni\n"), "");
    tv::form::prova::CartellaTemp tmp;
    const QString pdf = q(tmp.path() / "manuale.pdf");
    EXPECT_EQ(impagina("# Primo\n\nTesto con **grassetto**.\n\n| a | b |\n|---|---|\n| 1 | 2 |\n\n"
                       "```\nW = L · B · t · γ\n```\n\n# Secondo\n\nAltro.\n\n# Terzo\n\nFine.\n",
                       pdf, QStringLiteral("Manuale di prova")),
              QString());
    const QRegularExpression pagina(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    EXPECT_EQ(QString::fromLatin1(leggi(pdf)).count(pagina), 3);
    // The title as a PDF text string: UTF-16 big-endian after its byte-order mark.
    QByteArray titolo("/Title (\xFE\xFF");
    for (char c : QByteArray("Manuale di prova")) titolo.append('\0').append(c);
    EXPECT_TRUE(leggi(pdf).startsWith("%PDF") && leggi(pdf).contains(titolo + ")"));
    tv::form::prova::scrivi(tmp.path() / "blocco", "x");
    const QString bloccato = q(tmp.path() / "blocco" / "manuale.pdf");
    EXPECT_EQ(impagina("# Titolo\n\ntesto\n", bloccato, "T"),
              "Impossibile scrivere il file \"" + bloccato + "\".");
    EXPECT_EQ(impagina("", q(tmp.path() / "m.pdf"), "T"), "Il testo del manuale è vuoto.");
}

}  // namespace
