// The buttons and the double-click of the real window reach their commands: the editor opens
// once per double-click and writes back, "COPIA", "SALVA", "STAMPA" and "HELP" run.
#include "app/comandi.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "app/fluttuante.h"
#include "finestra_prova.h"

namespace {

using tv::app::Comandi;
using tv::app::Fluttuante;
using tv::app::prova::clic;
using tv::app::prova::FinestraVera;
using tv::app::prova::PiattaformaProva;
using tv::form::prova::CartellaTemp;
using tv::form::prova::SuiteTemp;
namespace fs = std::filesystem;

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

void scrivi_riga(Fluttuante& f, int i, const QString& testo) {
    f.riga(i)->setFocus();
    f.riga(i)->selectAll();
    QTest::keyClicks(f.riga(i), testo);
}

class Comando : public ::testing::Test {
  protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
    SuiteTemp suite;
    CartellaTemp tmp;
};

TEST_F(Comando, DoubleClickOnTheHeightOpensTheEditorOnceAndEnterWritesTheValue) {
    FinestraVera f(suite);
    PiattaformaProva desktop;
    Comandi comandi(f.presentatore, f.messaggi, desktop);
    QStringList viste;
    SeSiApre editor([&](Fluttuante& e) {
        for (int i = 0; i < e.righe(); ++i) viste << e.riga(i)->text();
        scrivi_riga(e, 1, "2.5");
        QTest::keyClick(e.riga(1), Qt::Key_Return);
    });
    QTest::mouseDClick(f.campo(12), Qt::LeftButton);
    EXPECT_EQ(editor.aperti, 1);
    EXPECT_EQ(viste, (QStringList{"300", "3", "3000"}));
    EXPECT_EQ(f.campo(12)->text(), "250");
    EXPECT_EQ(f.form.stato.text1[12], "250");
    // The next run computes with it.
    clic(f.finestra.command(1));
    EXPECT_EQ(f.campo(2)->text(), "1200");
    EXPECT_TRUE(f.messaggi.elenco.empty());
}

TEST_F(Comando, WithKiloNewtonPerCubicMetreTheStartUpWeightSurvivesTheEditor) {
    tv::form::prova::scrivi(suite.lavoro() / "parametrilavoro",
                            tv::form::prova::parametrilavoro("cm", "daN", "kN/m3", "daN/cm2"));
    FinestraVera f(suite);
    ASSERT_TRUE(f.avviata);
    ASSERT_EQ(f.campo(14)->text(), "8");
    PiattaformaProva desktop;
    Comandi comandi(f.presentatore, f.messaggi, desktop);
    QString grassetto;
    SeSiApre editor([&](Fluttuante& e) {
        for (int i = 0; i < e.righe(); ++i)
            if (e.riga(i)->font().bold()) grassetto = e.etichetta(i)->text();
        QTest::keyClick(e.riga(0), Qt::Key_Return);
    });
    QTest::mouseDClick(f.campo(14), Qt::LeftButton);
    EXPECT_EQ(editor.aperti, 1);
    EXPECT_EQ(grassetto, "kN/m3");
    EXPECT_EQ(f.campo(14)->text(), "8");
}

TEST_F(Comando, CopiaSalvaStampaAndHelpRunFromTheirButtons) {
    tv::form::prova::scrivi(suite.root() / "help" / "torvelando.pdf", "%PDF-1.4\n");
    FinestraVera f(suite);
    PiattaformaProva desktop;
    desktop.scelto = tv::app::percorso_qt(tmp.path() / "finestra.bmp");
    desktop.pdf = tv::app::percorso_qt(tmp.path() / "stampa.pdf");
    Comandi comandi(f.presentatore, f.messaggi, desktop);

    QApplication::clipboard()->clear();
    clic(f.finestra.command(3));
    EXPECT_EQ(QApplication::clipboard()->image().deviceIndependentSize().toSize(),
              f.finestra.size());

    clic(f.finestra.command(5));
    EXPECT_EQ(desktop.salvataggi_chiesti, 1);
    EXPECT_TRUE(QFile::exists(desktop.scelto));

    clic(f.finestra.command(4));
    EXPECT_EQ(desktop.stampe_chieste, 1);
    EXPECT_TRUE(QFile::exists(desktop.pdf));

    clic(f.finestra.command(2));
    ASSERT_EQ(desktop.aperti.size(), 1u);
    EXPECT_EQ(desktop.aperti[0].toLocalFile(),
              tv::app::percorso_qt(suite.root() / "help" / "torvelando.pdf"));
    EXPECT_TRUE(f.messaggi.elenco.empty()) << f.testi().front();
}

TEST_F(Comando, HelpWithoutTheManualInTheSuiteSaysWhereItLooked) {
    FinestraVera f(suite);
    PiattaformaProva desktop;
    Comandi comandi(f.presentatore, f.messaggi, desktop);
    clic(f.finestra.command(2));
    EXPECT_TRUE(desktop.aperti.empty());
    ASSERT_EQ(f.messaggi.elenco.size(), 1u);
    EXPECT_NE(f.messaggi.elenco[0].testo.find("Suite Prova/help/torvelando.pdf"),
              std::string::npos);
}

TEST_F(Comando, AButtonClickWhileAFieldHoldsARefusedTextOnlyShowsTheMessage) {
    FinestraVera f(suite);
    PiattaformaProva desktop;
    desktop.scelto = tv::app::percorso_qt(tmp.path() / "finestra.bmp");
    Comandi comandi(f.presentatore, f.messaggi, desktop);
    f.scrivi(13, "abc");
    clic(f.finestra.command(5));
    ASSERT_EQ(f.testi().size(), 1u);
    EXPECT_EQ(f.testi()[0].rfind("Richiesto valore numerico\n", 0), 0u);
    EXPECT_EQ(desktop.salvataggi_chiesti, 0);
}

TEST_F(Comando, TheEditorsWriteBackMarksTheResultsAndAnUnchangedOneDoesNot) {
    FinestraVera f(suite);
    PiattaformaProva desktop;
    Comandi comandi(f.presentatore, f.messaggi, desktop);
    QLabel* verdetto = f.finestra.label1(28);
    {
        SeSiApre invariato([](Fluttuante& e) { QTest::keyClick(e.riga(0), Qt::Key_Return); });
        QTest::mouseDClick(f.campo(12), Qt::LeftButton);
        ASSERT_EQ(invariato.aperti, 1);
    }
    EXPECT_NE(verdetto->text(), "da aggiornare");

    SeSiApre nuovo([](Fluttuante& e) {
        scrivi_riga(e, 1, "2.5");
        QTest::keyClick(e.riga(1), Qt::Key_Return);
    });
    QTest::mouseDClick(f.campo(12), Qt::LeftButton);
    ASSERT_EQ(nuovo.aperti, 1);
    EXPECT_EQ(f.campo(12)->text(), "250");
    EXPECT_EQ(verdetto->text(), "da aggiornare");
}

TEST_F(Comando, OutputsOfAStaleWindowRunTheCheckFirstAndNothingWhenItStops) {
    FinestraVera f(suite);
    PiattaformaProva desktop;
    desktop.scelto = tv::app::percorso_qt(tmp.path() / "finestra.bmp");
    desktop.pdf = tv::app::percorso_qt(tmp.path() / "stampa.pdf");
    Comandi comandi(f.presentatore, f.messaggi, desktop);
    f.scrivi(13, "20");
    QApplication::clipboard()->clear();
    clic(f.finestra.command(3));
    EXPECT_EQ(f.campo(2)->text(), "2400");
    EXPECT_FALSE(QApplication::clipboard()->image().isNull());
    EXPECT_TRUE(f.messaggi.elenco.empty());

    f.scrivi(13, "-1");
    const std::string arresto = "Valore non valido: t (spessore) deve essere maggiore di 0";
    clic(f.finestra.command(5));
    clic(f.finestra.command(4));
    EXPECT_EQ(f.testi(), (std::vector<std::string>{arresto, arresto}));
    EXPECT_EQ(desktop.salvataggi_chiesti, 0);
    EXPECT_EQ(desktop.stampe_chieste, 0);
    EXPECT_EQ(f.campo(2)->text(), "2400");
}

}  // namespace
