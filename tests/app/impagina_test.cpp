// The manual's typesetting: title, one page per chapter, pictures, failures in words; and the
// manual's source names what the window shows.
#include "impagina.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include "suite_temp.h"

namespace {

using tv::manuale::impagina;

QString q(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

QByteArray leggi(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int pagine(const QString& pdf) {
    static const QRegularExpression pagina(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return static_cast<int>(QString::fromLatin1(leggi(pdf)).count(pagina));
}

TEST(Impagina, EveryChapterStartsOnANewPageWithTheFirstTitleInTheDocument) {
    EXPECT_EQ(tv::manuale::titolo_di("testo\n## Sezione\n# Titolo vero  \n# Secondo\n"),
              "Titolo vero");
    EXPECT_EQ(tv::manuale::titolo_di("## Solo sezioni\n"), "");
    tv::form::prova::CartellaTemp tmp;
    const QString pdf = q(tmp.path() / "manuale.pdf");
    EXPECT_EQ(impagina("# Primo\n\nTesto con **grassetto**.\n\n| a | b |\n|---|---|\n| 1 | 2 |\n\n"
                       "```\nW = L · B · t · γ\n```\n\n# Secondo\n\nAltro.\n\n# Terzo\n\nFine.\n",
                       pdf, QStringLiteral("Manuale di prova")),
              QString());
    EXPECT_TRUE(leggi(pdf).startsWith("%PDF"));
    EXPECT_EQ(pagine(pdf), 3);
    // The title as a PDF text string: UTF-16 big-endian after its byte-order mark.
    QByteArray titolo("/Title (\xFE\xFF");
    for (char c : QByteArray("Manuale di prova")) titolo.append('\0').append(c);
    EXPECT_TRUE(leggi(pdf).contains(titolo + ")"));
}

TEST(Impagina, AFileThatCannotBeWrittenOrAnEmptyTextIsReported) {
    tv::form::prova::CartellaTemp tmp;
    tv::form::prova::scrivi(tmp.path() / "blocco", "x");
    const QString pdf = q(tmp.path() / "blocco" / "manuale.pdf");
    EXPECT_EQ(impagina("# Titolo\n\ntesto\n", pdf, "T"),
              "Impossibile scrivere il file \"" + pdf + "\".");
    EXPECT_EQ(impagina("", q(tmp.path() / "m.pdf"), "T"), "Il testo del manuale è vuoto.");
}

// Pictures come from the folder given; a wide one is shrunk to fit the page.
TEST(Impagina, PicturesFromTheirFolderShrunkToThePage) {
    tv::form::prova::CartellaTemp tmp;
    QImage largo(3000, 300, QImage::Format_RGB32);
    largo.fill(Qt::blue);
    ASSERT_TRUE(largo.save(q(tmp.path() / "largo.png")));
    const QString pdf = q(tmp.path() / "m.pdf");
    ASSERT_EQ(impagina("# T\n\n![a](largo.png)\n", pdf, "T", q(tmp.path())), QString());
    QProcess p;
    p.start("pdfimages", {"-list", pdf});
    ASSERT_TRUE(p.waitForFinished(30000));
    const QStringList righe = QString::fromUtf8(p.readAllStandardOutput()).split('\n');
    ASSERT_GE(righe.size(), 3) << righe.join('\n').toStdString();  // two heading lines first
    const QStringList campi = righe[2].simplified().split(' ');
    ASSERT_GE(campi.size(), 13);
    EXPECT_EQ(campi[3], "3000");
    // Its printed width, 3000 pixels over x-ppi, stays within A4's 8.27 inches.
    EXPECT_LT(3000.0 / campi[12].toDouble(), 8.27) << righe[2].toStdString();
    EXPECT_EQ(pagine(pdf), 1);
}

// What the user meets on screen must be found in the manual, word for word.
TEST(Manuale, NamesEveryButtonMessageFrameAndSuiteFileOfTheWindow) {
    const QString testo =
        QString::fromUtf8(leggi(QStringLiteral(TV_SOURCE_DIR "/docs/manuale.md")));
    EXPECT_EQ(tv::manuale::titolo_di(testo), "TORVELANDO PANNELLI MURARI");
    const char* const voci[] = {"AGGIORNA", "COPIA", "STAMPA", "SALVA", "HELP", "Appoggiato",
        "Libero", "Annulla", "Richiesto valore numerico",
        "Accettati solo terreni tipo A, B, C, D, E", "Verifica non possibile", "VINCOLI SCORRETTI",
        "Punto fuori zona!", "> Fa : OK", "< Fa : !!!", "EC8 - 4.3.5.2", "EC6 - 6.3.2",
        "DATI PANNELLO MURARIO", "File BMP (*.bmp)", "parametrilavoro", "dinamica.txt",
        "sismica_2008.txt", "parametri_per_spettro.txt", "coordinate_localita.txt",
        "torvelando.pdf", "|diroot=", "Ripartizione massa verticale / orizzontale",
        "Sigma critica di instabilità", "840,56", "614,87"};
    for (const char* voce : voci) EXPECT_TRUE(testo.contains(QString::fromUtf8(voce))) << voce;
}

}  // namespace
