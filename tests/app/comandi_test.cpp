// The window's commands on the real window with answered dialogs: "COPIA" (the picture without
// buttons, selection or focus), "SALVA" (the BMP file), "STAMPA" (one page), the editor opened by
// a double-click, "HELP" (a file URL through the desktop, no shell), "RELAZIONE", the report's PDF
// read back as text, and Qt's dialogs in Italian.
#include "app/comandi.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>

#include "app/aiuto.h"
#include "app/colori.h"
#include "app/fluttuante.h"
#include "app/lingua.h"
#include "app/uscite.h"
#include "finestra_prova.h"

namespace {

using tv::app::Fluttuante;
using tv::app::prova::clic;
namespace fs = std::filesystem;

QString q(const fs::path& p) {
    return tv::app::percorso_qt(p);
}

// The colours of the pixels of widget `w` in a picture of its window.
QSet<QRgb> colori(const QImage& immagine, QWidget* w) {
    const qreal dpr = immagine.devicePixelRatio();
    const QRect r(w->mapTo(w->window(), QPoint()), w->size());
    QSet<QRgb> visti;
    for (int y = qRound(r.top() * dpr); y < qRound((r.bottom() + 1) * dpr); ++y)
        for (int x = qRound(r.left() * dpr); x < qRound((r.right() + 1) * dpr); ++x)
            visti.insert(immagine.pixel(x, y));
    return visti;
}

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
QString testo_pdf(const QString& file) {
    return esegui("pdftotext", {"-layout", file, "-"});
}

// Takes the URLs the desktop would open, in place of the system's viewer.
class Visore : public QObject {
    Q_OBJECT

  public:
    std::vector<QUrl> ricevuti;

  public slots:
    void apri(const QUrl& url) { ricevuti.push_back(url); }
};

class Uscita : public ::testing::Test {
  protected:
    tv::form::prova::SuiteTemp suite;
    tv::form::prova::CartellaTemp tmp;
    tv::app::prova::FinestraVera f{suite};
    tv::app::prova::PiattaformaProva desktop;
    tv::app::Uscite uscite{f.finestra, f.form.cartelle, f.messaggi, desktop};
    tv::app::Comandi comandi{f.presentatore, f.messaggi, desktop};
};

TEST_F(Uscita, CopiaShowsTheWindowWithoutButtonsSelectionOrFocusAndGivesThemBack) {
    QLineEdit* sa = f.campo(18);
    QListWidget* lista = f.finestra.combo1_list();
    f.form.imposta_testo_combo("tor");
    f.presentatore.mostra_stato();
    lista->setCurrentRow(0);
    sa->setFocus();
    sa->setSelection(sa->text().size(), -2);
    const QRgb evidenza = sa->palette().color(QPalette::Active, QPalette::Highlight).rgb();
    const QImage prima = f.finestra.grab().toImage();
    ASSERT_TRUE(colori(prima, sa).contains(evidenza));
    ASSERT_TRUE(colori(prima, lista).contains(evidenza));
    const QImage copia = uscite.Command3_Click();
    EXPECT_EQ(QApplication::clipboard()->image().size(), copia.size());
    EXPECT_EQ(copia.deviceIndependentSize().toSize(), f.finestra.size());
    for (QPushButton* p : f.finestra.comandi()) {
        EXPECT_GT(colori(prima, p).size(), 1) << p->text().toStdString();
        EXPECT_EQ(colori(copia, p), QSet<QRgb>{QColor(Qt::white).rgb()}) << p->text().toStdString();
        EXPECT_TRUE(p->isVisible());  // shown again
    }
    EXPECT_FALSE(colori(copia, sa).contains(evidenza) || colori(copia, lista).contains(evidenza));
    EXPECT_EQ(std::tuple(QApplication::focusWidget(), sa->selectionStart(),
                         lista->item(0)->isSelected()),
              std::tuple(static_cast<QWidget*>(sa), sa->text().size() - 2, true));
    // Hiding the pressed button must not hand its focus on to a field, which would show its text
    // selected.
    f.finestra.command(5)->setFocus();
    EXPECT_FALSE(colori(uscite.Command3_Click(), sa).contains(evidenza));
    EXPECT_EQ(QApplication::focusWidget(), f.finestra.command(5));
    EXPECT_TRUE(f.messaggi.elenco.empty());
}

TEST_F(Uscita, SalvaWritesABmpFromTheWorkFolderDialogAndNamesWhatItCannotSave) {
    desktop.scelto = q(tmp.path() / "finestra");  // typed without extension
    EXPECT_TRUE(uscite.Command5_Click());
    EXPECT_EQ(std::tuple(desktop.cartella, desktop.nome, desktop.filtro),
              std::tuple(q(suite.lavoro()), "commessa.bmp", "File BMP (*.bmp)"));
    EXPECT_FALSE(QFile::exists(desktop.scelto));
    QImageReader lettore(q(tmp.path() / "finestra.bmp"));
    EXPECT_EQ(lettore.format(), "bmp");
    EXPECT_EQ(lettore.read().size(), f.finestra.size() * uscite.immagine().devicePixelRatio());
    EXPECT_TRUE(f.messaggi.elenco.empty());
    // A plain file in the place of the folder: no user, root included, can write under it.
    tv::form::prova::scrivi(tmp.path() / "blocco", "x");
    const QStringList prima = QDir(q(suite.lavoro())).entryList(QDir::Files);
    for (const QString& scelto :
         {QString(), q(suite.lavoro() / "*.bmp"), QString("*.bmp"), q(suite.lavoro() / "pannello?"),
          q(tmp.path() / "blocco" / "f.bmp")}) {
        desktop.scelto = scelto;
        EXPECT_FALSE(uscite.Command5_Click()) << scelto.toStdString();
    }
    EXPECT_EQ(QDir(q(suite.lavoro())).entryList(QDir::Files), prima);
    EXPECT_EQ(QDir::current().entryList({QStringLiteral("*.bmp")}, QDir::Files), QStringList());
    const auto& m = f.messaggi.elenco;
    ASSERT_EQ(m.size(), 4u);  // the cancelled dialog says nothing
    EXPECT_EQ(std::tie(m[0].titolo, m[3].titolo, m[3].icona),
              std::tuple("Nome non valido", "Salvataggio non riuscito", tv::form::Icona::stop));
    EXPECT_EQ(m[2].testo,
              "Il nome \"pannello?\" contiene \"*\" o \"?\", che non possono stare nel nome di un "
              "file: l'immagine non è stata salvata.");
    EXPECT_EQ(m[3].testo, "Impossibile scrivere il file \"" + desktop.scelto.toStdString() +
                              "\": l'immagine non è stata salvata.");
}

TEST_F(Uscita, StampaPrintsOnePageAfterThePrinterDialogNothingWhenCancelledAndNamesTheFailure) {
    desktop.pdf = q(tmp.path() / "annullata.pdf");
    desktop.annulla_stampa = true;
    EXPECT_FALSE(uscite.Command4_Click());
    EXPECT_FALSE(QFile::exists(desktop.pdf));
    desktop.pdf = q(tmp.path() / "stampa.pdf");
    desktop.annulla_stampa = false;
    EXPECT_TRUE(uscite.Command4_Click());
    EXPECT_EQ(desktop.pdf_proposto, q(suite.lavoro() / "commessa.pdf"));
    EXPECT_TRUE(testo_pdf(desktop.pdf).contains("Lavoro: commessa"));  // above the picture
    EXPECT_TRUE(esegui("pdfinfo", {desktop.pdf}).contains(QRegularExpression("Pages: +1\n")));
    EXPECT_TRUE(f.messaggi.elenco.empty());
    tv::form::prova::scrivi(tmp.path() / "blocco", "x");
    desktop.pdf = q(tmp.path() / "blocco" / "stampa.pdf");
    EXPECT_FALSE(uscite.Command4_Click());
    ASSERT_EQ(f.messaggi.elenco.size(), 1u);
    EXPECT_EQ(f.messaggi.elenco[0].titolo, "Stampa non riuscita");
    EXPECT_EQ(f.messaggi.elenco[0].testo, "Impossibile stampare sulla stampante \"" +
                                              desktop.pdf.toStdString() +
                                              "\": la finestra non è stata stampata.");
}

TEST(NomeSalva, BmpAddedOnlyToANameWithoutExtensionTheJobsNameProposedThePrintSizeKept) {
    using P = std::pair<const char*, const char*>;
    for (const auto& [scelto, atteso] :
         {P{"/l/p.BMP", "/l/p.BMP"}, P{"/l/m.png", "/l/m.png"}, P{"/a.b/muro", "/a.b/muro.bmp"}})
        EXPECT_EQ(tv::app::con_estensione_bmp(scelto), atteso);
    EXPECT_EQ(tv::app::nome_proposto("2024\\Rossi via Po", "pdf"), "Rossi via Po.pdf");
    EXPECT_EQ(tv::app::nome_proposto("2024/rossi/", "bmp"), "rossi.bmp");
    EXPECT_EQ(tv::app::nome_proposto("", "bmp"), "pannello.bmp");
    EXPECT_EQ(tv::app::dimensione_stampa(QSizeF(679, 544), 96, 96, 1200), QSizeF(8487.5, 6800));
    EXPECT_EQ(tv::app::dimensione_stampa(QSizeF(100, 100), 120, 96, 600), QSizeF(500, 625));
}

TEST_F(Uscita, DoubleClickOnTheHeightOpensTheEditorOnceAndOnlyAChangedValueMarksTheResults) {
    QLabel* verdetto = f.finestra.label1(28);
    {
        SeSiApre invariato([](Fluttuante& e) { QTest::keyClick(e.riga(0), Qt::Key_Return); });
        QTest::mouseDClick(f.campo(20), Qt::LeftButton);  // a locked result has no editor
        EXPECT_EQ(invariato.aperti, 0);
        QTest::mouseDClick(f.campo(12), Qt::LeftButton);
        ASSERT_EQ(invariato.aperti, 1);
    }
    EXPECT_NE(verdetto->text(), "da aggiornare");
    SeSiApre editor([&](Fluttuante& e) {
        e.riga(1)->setFocus();
        e.riga(1)->selectAll();
        QTest::keyClicks(e.riga(1), "2.5");
        QTest::keyClick(e.riga(1), Qt::Key_Return);
    });
    QTest::mouseDClick(f.campo(12), Qt::LeftButton);
    EXPECT_EQ(editor.aperti, 1);
    EXPECT_EQ(f.campo(12)->text(), "250");
    EXPECT_EQ(verdetto->text(), "da aggiornare");
    clic(f.finestra.command(1));
    EXPECT_EQ(f.campo(2)->text(), "1200");  // the run computes with it
    EXPECT_TRUE(f.messaggi.elenco.empty());
}

TEST_F(Uscita, OutputsOfAStaleWindowRunTheCheckFirstAndNothingWhenItStops) {
    f.scrivi(13, "abc");
    clic(f.finestra.command(5));  // a refused text: only its message
    ASSERT_EQ(f.testi().size(), 1u);
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
    EXPECT_EQ(desktop.salvataggi_chiesti + desktop.stampe_chieste, 0);
    EXPECT_EQ(f.campo(2)->text(), "2400");
}

TEST_F(Uscita, RelazioneRunsTheCheckOnTheFieldsAndWritesTheReportOrNamesTheFailure) {
    desktop.scelto = q(tmp.path() / "relazione");
    f.scrivi(13, "20");  // typed, not yet run: the report must be of it
    clic(f.finestra.command(6));
    ASSERT_EQ(desktop.salvataggi_chiesti, 1);
    EXPECT_EQ(std::tuple(desktop.nome, desktop.cartella, desktop.filtro),
              std::tuple("commessa.pdf", q(suite.lavoro()), "File PDF (*.pdf)"));
    ASSERT_TRUE(f.messaggi.elenco.empty()) << f.testi().front();
    const QString testo = testo_pdf(desktop.scelto + ".pdf");
    const QString fa = f.campo(tv::form::indice(tv::form::Campo::Fa))->text().replace('.', ',');
    EXPECT_TRUE(testo.contains(QRegularExpression("Fa +" + QRegularExpression::escape(fa))));
    EXPECT_TRUE(testo.contains(QRegularExpression("Spessore +t +20 ")));
    const QString info = esegui("pdfinfo", {desktop.scelto + ".pdf"});
    const int pagine = info.section("Pages:", 1).trimmed().section('\n', 0, 0).toInt();
    EXPECT_TRUE(info.contains("A4")) << info.toStdString();
    EXPECT_TRUE(pagine > 1 && testo.contains(QStringLiteral("pagina %1 di %1").arg(pagine)));
    desktop.scelto = q(tmp.path() / "manca" / "relazione.pdf");
    clic(f.finestra.command(6));
    ASSERT_EQ(f.messaggi.elenco.size(), 1u);
    EXPECT_EQ(f.messaggi.elenco[0].titolo, "Salvataggio non riuscito");
    EXPECT_EQ(f.testi()[0].rfind("Impossibile scrivere la relazione nel file " +
                                     desktop.scelto.toStdString() + ": ", 0), 0u) << f.testi()[0];
    EXPECT_FALSE(QFile::exists(desktop.scelto));
    f.scrivi(6, "0");  // a run that stops opens no dialog and writes nothing
    clic(f.finestra.command(6));
    EXPECT_EQ(desktop.salvataggi_chiesti, 2);
    EXPECT_EQ(f.messaggi.elenco.size(), 2u);
}

// A help folder whose path holds blanks and shell characters goes to the desktop as one file
// URL; a missing manual, or a desktop that cannot open it, is reported with the path.
TEST(Aiuto, TheManualGoesToTheDesktopAsOneFileUrlAndFailuresNameThePath) {
    tv::form::prova::CartellaTemp tmp;
    const fs::path help = tmp.path() / "Suite Prova; touch pwned & echo $HOME" / "help";
    const fs::path pdf = tv::app::percorso_manuale(help);
    const std::string percorso = q(pdf).toStdString();
    tv::form::RaccoltaMessaggi messaggi;
    tv::app::prova::PiattaformaProva desktop;
    EXPECT_FALSE(tv::app::Command2_Click(help, desktop, messaggi));
    tv::form::prova::scrivi(pdf, "%PDF-1.4\n");
    desktop.apre = false;
    EXPECT_FALSE(tv::app::Command2_Click(help, desktop, messaggi));
    EXPECT_EQ(desktop.aperti.size(), 1u);
    const auto& m = messaggi.elenco;
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(std::tuple(m[0].titolo, m[0].icona, m[0].testo),
              std::tuple("HELP", tv::form::Icona::stop, "Manuale non trovato:\n" + percorso));
    EXPECT_EQ(m[1].testo, "Impossibile aprire il manuale con il visualizzatore di documenti PDF "
                          "del sistema:\n" + percorso);
    Visore visore;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &visore, "apri");
    tv::app::PiattaformaQt vero;
    EXPECT_TRUE(tv::app::Command2_Click(help, vero, messaggi));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(visore.ricevuti, std::vector<QUrl>{QUrl::fromLocalFile(q(pdf))});
    EXPECT_EQ(messaggi.elenco.size(), 2u);
    EXPECT_FALSE(fs::exists(tmp.path() / "pwned"));
    EXPECT_FALSE(fs::exists(fs::current_path() / "pwned"));
}

// The build lays the typeset manual into the demo suite: the window's "HELP" opens it there.
TEST_F(Uscita, HelpOpensTheManualOfTheSuiteAndTheDemoSuiteHasTheBuiltOne) {
    tv::form::prova::scrivi(suite.root() / "help" / "torvelando.pdf", "%PDF-1.4\n");
    clic(f.finestra.command(2));
    ASSERT_EQ(desktop.aperti.size(), 1u);
    EXPECT_EQ(desktop.aperti[0].toLocalFile(), q(suite.root() / "help" / "torvelando.pdf"));
    ASSERT_TRUE(tv::app::Command2_Click(fs::path(TV_SOURCE_DIR) / "examples/suite/help", desktop,
                                        f.messaggi));
    QFile manuale(desktop.aperti.at(1).toLocalFile());
    ASSERT_TRUE(manuale.open(QIODevice::ReadOnly));
    EXPECT_GT(manuale.readAll().count("/Type /Page\n"), 10);
}

TEST(Lingua, QtsDialogsSpeakItalianUnderAnItalianLocaleOnlyWhileInstalled) {
    const auto tr = [](const char* contesto, const char* testo) {
        return QCoreApplication::translate(contesto, testo);
    };
    const auto italiano = tv::app::traduzioni_qt(QLocale(QLocale::Italian, QLocale::Italy));
    ASSERT_NE(italiano, nullptr) << "Qt's translations (qt6-translations-l10n) are not installed";
    QApplication::installTranslator(italiano.get());
    EXPECT_EQ(tr("QFileDialog", "Look in:"), "Cerca in:");
    QApplication::removeTranslator(italiano.get());
    EXPECT_EQ(tr("QFileDialog", "Look in:"), "Look in:");
    EXPECT_EQ(tv::app::traduzioni_qt(QLocale(QLocale::Zulu)), nullptr);
}

}  // namespace

#include "comandi_test.moc"
