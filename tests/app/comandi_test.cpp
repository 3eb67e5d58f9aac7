// The buttons and the double-click of the real window reach their commands: the editor opens
// once per double-click and writes back, "COPIA", "SALVA", "STAMPA", "RELAZIONE" and "HELP" run;
// and the report's PDF renderer read back as text.
#include "app/comandi.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <functional>

#include "../form/relazione_demo.h"
#include "app/fluttuante.h"
#include "app/relazione_pdf.h"
#include "finestra_prova.h"

namespace {

using tv::app::Fluttuante;
using tv::app::percorso_qt;
using tv::app::prova::clic;
using tv::app::prova::FinestraVera;

// Acts on every floating editor that becomes the modal window while it lives, and counts them.
class SeSiApre {
  public:
    explicit SeSiApre(std::function<void(Fluttuante&)> azione) : azione_(std::move(azione)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto* f = qobject_cast<Fluttuante*>(QApplication::activeModalWidget());
            if (f == nullptr || f->property("visto").toBool()) return;
            f->setProperty("visto", true);
            ++aperti;
            azione_(*f);
        });
        timer_.start(0);
    }
    int aperti = 0;

  private:
    std::function<void(Fluttuante&)> azione_;
    QTimer timer_;
};

QString esegui(const QString& programma, const QStringList& argomenti) {
    QProcess p;
    p.start(programma, argomenti);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

QString pdftotext(const QString& file) {
    return esegui("pdftotext", {"-layout", file, "-"});
}

class Comando : public ::testing::Test {
  protected:
    void SetUp() override {
        desktop.scelto = percorso_qt(tmp.path() / "finestra.bmp");
        desktop.pdf = percorso_qt(tmp.path() / "stampa.pdf");
    }
    tv::form::prova::SuiteTemp suite;
    tv::form::prova::CartellaTemp tmp;
    FinestraVera f{suite};
    tv::app::prova::PiattaformaProva desktop;
    tv::app::Comandi comandi{f.presentatore, f.messaggi, desktop};
};

TEST_F(Comando, DoubleClickOnTheHeightOpensTheEditorOnceAndOnlyAChangedValueMarksTheResults) {
    QLabel* verdetto = f.finestra.label1(28);
    {
        SeSiApre invariato([](Fluttuante& e) { QTest::keyClick(e.riga(0), Qt::Key_Return); });
        QTest::mouseDClick(f.campo(20), Qt::LeftButton);  // a locked result has no editor
        EXPECT_EQ(invariato.aperti, 0);
        QTest::mouseDClick(f.campo(12), Qt::LeftButton);
        ASSERT_EQ(invariato.aperti, 1);
    }
    EXPECT_NE(verdetto->text(), "da aggiornare");
    QStringList viste;
    SeSiApre editor([&](Fluttuante& e) {
        for (int i = 0; i < e.righe(); ++i) viste << e.riga(i)->text();
        e.riga(1)->setFocus();
        e.riga(1)->selectAll();
        QTest::keyClicks(e.riga(1), "2.5");
        QTest::keyClick(e.riga(1), Qt::Key_Return);
    });
    QTest::mouseDClick(f.campo(12), Qt::LeftButton);
    EXPECT_EQ(editor.aperti, 1);
    EXPECT_EQ(viste, (QStringList{"300", "3", "3000"}));
    EXPECT_EQ(f.campo(12)->text(), "250");
    EXPECT_EQ(verdetto->text(), "da aggiornare");
    clic(f.finestra.command(1));
    EXPECT_EQ(f.campo(2)->text(), "1200");  // the run computes with it
    EXPECT_TRUE(f.messaggi.elenco.empty());
}

TEST_F(Comando, CopiaSalvaStampaAndHelpRunFromTheirButtons) {
    tv::form::prova::scrivi(suite.root() / "help" / "torvelando.pdf", "%PDF-1.4\n");
    QApplication::clipboard()->clear();
    clic(f.finestra.command(3));
    EXPECT_EQ(QApplication::clipboard()->image().deviceIndependentSize().toSize(),
              f.finestra.size());
    clic(f.finestra.command(5));
    EXPECT_TRUE(QFile::exists(desktop.scelto));
    clic(f.finestra.command(4));
    EXPECT_TRUE(pdftotext(desktop.pdf).contains("Lavoro: commessa"));  // above the picture
    clic(f.finestra.command(2));
    ASSERT_EQ(desktop.aperti.size(), 1u);
    EXPECT_EQ(desktop.aperti[0].toLocalFile(),
              percorso_qt(suite.root() / "help" / "torvelando.pdf"));
    EXPECT_TRUE(f.messaggi.elenco.empty()) << f.testi().front();
}

TEST_F(Comando, OutputsOfAStaleWindowRunTheCheckFirstAndNothingWhenItStops) {
    f.scrivi(13, "abc");
    clic(f.finestra.command(5));  // a refused text: only its message
    ASSERT_EQ(f.testi().size(), 1u);
    EXPECT_EQ(f.testi()[0].rfind("Richiesto valore numerico\n", 0), 0u);
    f.scrivi(13, "20");
    QApplication::clipboard()->clear();
    clic(f.finestra.command(3));
    EXPECT_EQ(f.campo(2)->text(), "2400");
    EXPECT_FALSE(QApplication::clipboard()->image().isNull());
    f.scrivi(13, "-1");
    const std::string arresto = "Valore non valido: t (spessore) deve essere maggiore di 0";
    clic(f.finestra.command(5));
    clic(f.finestra.command(4));
    EXPECT_EQ(f.testi(), (std::vector<std::string>{f.testi()[0], arresto, arresto}));
    EXPECT_EQ(desktop.salvataggi_chiesti, 0);
    EXPECT_EQ(desktop.stampe_chieste, 0);
    EXPECT_EQ(f.campo(2)->text(), "2400");
}

TEST_F(Comando, RelazioneRunsTheCheckOnTheFieldsAndWritesTheReport) {
    desktop.scelto = percorso_qt(tmp.path() / "relazione");
    f.scrivi(13, "20");  // typed, not yet run: the report must be of it
    clic(f.finestra.command(6));
    ASSERT_EQ(desktop.salvataggi_chiesti, 1);
    EXPECT_EQ(desktop.nome, "commessa.pdf");
    EXPECT_EQ(desktop.cartella, percorso_qt(suite.lavoro()));
    EXPECT_EQ(desktop.filtro, "File PDF (*.pdf)");
    ASSERT_TRUE(f.messaggi.elenco.empty()) << f.testi().front();
    const QString testo = pdftotext(desktop.scelto + ".pdf");
    const QString fa = f.campo(tv::form::indice(tv::form::Campo::Fa))->text().replace('.', ',');
    EXPECT_TRUE(testo.contains(QRegularExpression("Fa +" + QRegularExpression::escape(fa))));
    EXPECT_TRUE(testo.contains(QRegularExpression("Spessore +t +20 ")));
    f.scrivi(6, "0");  // a run that stops opens no dialog and writes nothing
    clic(f.finestra.command(6));
    EXPECT_EQ(desktop.salvataggi_chiesti, 1);
    EXPECT_EQ(f.messaggi.elenco.size(), 1u);
}

TEST(RelazionePdf, DemoReportReadsBackAsTextAndAnUnwritableFileIsNamedAndLeavesNothing) {
    tv::form::prova::CartellaTemp tmp;
    const auto documento = tv::form::costruisci_relazione(tv::form::dati_relazione_demo());
    const QString file = percorso_qt(tmp.path() / "demo.pdf");
    ASSERT_EQ(tv::app::scrivi_relazione_pdf(documento, file), std::nullopt);
    const QString testo = pdftotext(file);
    for (const char* atteso :
         {"TORVELANDO PANNELLI MURARI", "Lavoro: demo", "L'Aquila", "Long. 13,3995°", "12/03/2025",
          "26527", "26528", "26306", "26305", "840,56", "614,87", "verifica non soddisfatta",
          "Coefficiente di amplificazione topografica", "Metodo e riferimenti"})
        EXPECT_TRUE(testo.contains(QString::fromUtf8(atteso))) << atteso;
    const QString info = esegui("pdfinfo", {file});
    const int pagine = info.section("Pages:", 1).trimmed().section('\n', 0, 0).toInt();
    EXPECT_GE(pagine, 2) << info.toStdString();
    EXPECT_TRUE(testo.contains(QStringLiteral("pagina %1 di %1").arg(pagine)));
    EXPECT_TRUE(info.contains("A4")) << info.toStdString();

    const QString manca = percorso_qt(tmp.path() / "manca" / "relazione.pdf");
    const auto errore = tv::app::scrivi_relazione_pdf(documento, manca);
    ASSERT_TRUE(errore.has_value());
    EXPECT_TRUE(errore->startsWith("Impossibile scrivere la relazione nel file " + manca + ": "))
        << errore->toStdString();
    EXPECT_FALSE(QFile::exists(manca));
}

}  // namespace
