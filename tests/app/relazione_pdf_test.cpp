// The report's PDF: the demo job's report read back with pdftotext (job, nodes, Fa, Rlat,
// verdict, page numbers, words without ligatures) and a file that cannot be written.
#include "app/relazione_pdf.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include "../form/relazione_demo.h"

namespace tv::app {
namespace {

QString esegui(const QString& programma, const QStringList& argomenti) {
    QProcess p;
    p.start(programma, argomenti);
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return "(" + programma + " non riuscito)";
    return QString::fromUtf8(p.readAllStandardOutput());
}

TEST(RelazionePdf, DemoReportReadsBackAsText) {
    QTemporaryDir cartella;
    const QString file = cartella.filePath("demo.pdf");
    ASSERT_EQ(scrivi_relazione_pdf(form::costruisci_relazione(form::dati_relazione_demo()), file),
              std::nullopt);
    const QString testo = esegui("pdftotext", {"-layout", file, "-"});
    for (const char* atteso :
         {"TORVELANDO PANNELLI MURARI", "Lavoro: demo", "L'Aquila", "Long. 13,3995°", "12/03/2025",
          "26527", "26528", "26306", "26305", "840,56", "614,87", "verifica non soddisfatta",
          "Coefficiente di amplificazione topografica", "pagina 1 di", "Metodo e riferimenti"})
        EXPECT_TRUE(testo.contains(QString::fromUtf8(atteso))) << atteso;
    const QString info = esegui("pdfinfo", {file});
    const auto pagine = info.section("Pages:", 1).trimmed().section('\n', 0, 0).toInt();
    EXPECT_GE(pagine, 2) << info.toStdString();
    EXPECT_TRUE(testo.contains(QStringLiteral("pagina %1 di %1").arg(pagine)));
    EXPECT_TRUE(info.contains("A4")) << info.toStdString();
}

TEST(RelazionePdf, UnwritableFileIsNamedAndLeavesNothing) {
    QTemporaryDir cartella;
    const QString file = cartella.filePath("manca/relazione.pdf");
    const auto errore =
        scrivi_relazione_pdf(form::costruisci_relazione(form::dati_relazione_demo()), file);
    ASSERT_TRUE(errore.has_value());
    EXPECT_TRUE(errore->startsWith("Impossibile scrivere la relazione nel file " + file + ": "))
        << errore->toStdString();
    EXPECT_FALSE(QFile::exists(file));
}

}  // namespace
}  // namespace tv::app

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
