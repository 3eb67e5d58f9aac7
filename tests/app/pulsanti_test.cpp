// SPDX-License-Identifier: GPL-3.0-or-later
// The window's commands on the real window with answered dialogs: "COPIA" (the picture without
// buttons, selection or focus), "SALVA" (the BMP file), "STAMPA" (one page), the editor opened by
// a double-click, "HELP" (a file URL through the desktop, no shell), "RELAZIONE", the report's PDF
// read back as text, and Qt's dialogs in Italian.
#include "app/pulsanti.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QCheckBox>
#include <QComboBox>
#include <QTableWidget>
#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QPlainTextEdit>
#include <functional>

#include "app/aiuto.h"
#include "app/cornice_meccanismo.h"
#include "app/dialogo_relazione.h"
#include "app/colori.h"
#include "app/fluttuante.h"
#include "app/lingua.h"
#include "app/uscite.h"
#include "finestra_prova.h"

namespace {

using tv::app::Fluttuante;
using tv::app::prova::clic;
namespace fs = std::filesystem;

const auto q = tv::app::percorso_qt;

QString esegui(const QString& programma, const QStringList& argomenti) {
    QProcess p;
    p.start(programma, argomenti);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
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
    tv::form::prova::SuiteTemp suite{tv::form::prova::kConSito};
    tv::form::prova::CartellaTemp tmp;
    tv::app::prova::FinestraVera f{suite};
    tv::app::prova::PiattaformaProva desktop;
    tv::app::Uscite uscite{f.finestra, f.form.cartelle(), f.messaggi, desktop};
    tv::app::Pulsanti comandi{f.presentatore, f.messaggi, desktop};
    // The report data dialog answered with keys as a person would: OK by Enter unless told.
    int dialoghi = 0;
    std::function<void(tv::app::DialogoRelazione*)> risposta = [](tv::app::DialogoRelazione* d) {
        QTest::keyClick(d->riga(0), Qt::Key_Return);
    };
    QTimer risponde;
    void SetUp() override {
        QObject::connect(&risponde, &QTimer::timeout, [this] {
            auto* d = qobject_cast<tv::app::DialogoRelazione*>(QApplication::activeModalWidget());
            if (d == nullptr || d->property("visto").toBool()) return;
            d->setProperty("visto", true);
            ++dialoghi;
            risposta(d);
        });
        risponde.start(0);
    }
};

TEST_F(Uscita, CopiaShowsTheWindowWithoutButtonsSelectionOrFocusAndGivesThemBack) {
    QLineEdit* sa = f.campo(18);
    QListWidget* lista = f.finestra.combo1_list();
    f.form.imposta_testo_combo("tor");
    f.presentatore.mostra_stato();
    lista->setCurrentRow(0);
    sa->setFocus();
    sa->setSelection(sa->text().size(), -2);
    // The window as it stands when its picture reaches the clipboard: buttons shown, any text or
    // line selected, the active window.
    using Vista = std::tuple<int, bool, QWidget*>;
    std::vector<Vista> viste;
    QObject::connect(QApplication::clipboard(), &QClipboard::dataChanged, &f.finestra, [&] {
        int pulsanti = 0;
        bool scelta = lista->selectionModel()->hasSelection();
        for (QPushButton* p : f.finestra.comandi()) pulsanti += p->isVisible();
        for (QLineEdit* e : f.finestra.findChildren<QLineEdit*>()) scelta |= e->hasSelectedText();
        viste.emplace_back(pulsanti, scelta, QApplication::activeWindow());
    });
    const QImage copia = uscite.Command3_Click();
    EXPECT_EQ(QApplication::clipboard()->image().size(), copia.size());
    EXPECT_EQ(copia.deviceIndependentSize().toSize(), f.finestra.size());
    for (QPushButton* p : f.finestra.comandi()) EXPECT_TRUE(p->isVisible());  // shown again
    EXPECT_EQ(
        std::tuple(QApplication::focusWidget(), sa->selectionStart(), lista->item(0)->isSelected()),
        std::tuple(static_cast<QWidget*>(sa), sa->text().size() - 2, true));
    // Hiding the pressed button must not hand its focus on to a field, which would show its text
    // selected.
    f.finestra.command(5)->setFocus();
    uscite.Command3_Click();
    EXPECT_EQ(QApplication::focusWidget(), f.finestra.command(5));
    EXPECT_EQ(viste, (std::vector{Vista{0, false, nullptr}, Vista{0, false, nullptr}}));
    EXPECT_TRUE(f.messaggi.elenco.empty());
}

TEST_F(Uscita, SalvaWritesABmpFromTheWorkFolderDialogAndNamesWhatItCannotSave) {
    desktop.scelto = q(tmp.path() / "finestra");  // typed without extension
    EXPECT_TRUE(uscite.Command5_Click());
    EXPECT_EQ(desktop.salvataggi.at(0),
              (QStringList{q(suite.lavoro()), "commessa.bmp", "File BMP (*.bmp)"}));
    EXPECT_FALSE(QFile::exists(desktop.scelto));
    QImageReader lettore(q(tmp.path() / "finestra.bmp"));
    EXPECT_EQ(lettore.format(), "bmp");
    EXPECT_EQ(lettore.read().size(), f.finestra.size() * uscite.immagine().devicePixelRatio());
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
    // The job's name above the picture.
    EXPECT_TRUE(esegui("pdftotext", {"-layout", desktop.pdf, "-"}).contains("Lavoro: commessa"));
    EXPECT_TRUE(esegui("pdfinfo", {desktop.pdf}).contains(QRegularExpression("Pages: +1\n")));
    tv::form::prova::scrivi(tmp.path() / "blocco", "x");
    desktop.pdf = q(tmp.path() / "blocco" / "stampa.pdf");
    EXPECT_FALSE(uscite.Command4_Click());
    ASSERT_EQ(f.messaggi.elenco.size(), 1u);
    EXPECT_EQ(f.messaggi.elenco[0].titolo, "Stampa non riuscita");
    EXPECT_EQ(f.messaggi.elenco[0].testo, "Impossibile stampare sulla stampante \"" +
                                              desktop.pdf.toStdString() +
                                              "\": la finestra non è stata stampata.");
}

// Ctrl+P, Ctrl+R and F1 act as their buttons from any control, after validating the field held.
TEST_F(Uscita, CtrlPPrintsCtrlRWritesTheReportF1OpensTheManualEachAfterTheFieldIsValidated) {
    desktop.pdf = q(tmp.path() / "stampa.pdf");
    QTest::keyClick(f.campo(13), Qt::Key_P, Qt::ControlModifier);
    EXPECT_TRUE(QFile::exists(desktop.pdf));
    desktop.scelto = q(tmp.path() / "relazione.pdf");
    QTest::keyClick(f.finestra.check(0), Qt::Key_R, Qt::ControlModifier);
    EXPECT_TRUE(dialoghi == 1 && QFile::exists(desktop.scelto));
    EXPECT_TRUE(QTest::qWaitForWindowActive(&f.finestra));  // the keys are the window's again
    QTest::keyClick(f.finestra.combo1(), Qt::Key_F1);
    ASSERT_EQ(f.messaggi.elenco.size(), 1u);
    EXPECT_EQ(f.messaggi.elenco[0].titolo, "HELP");  // the test suite has no manual
    f.scrivi(13, "abc");
    QTest::keyClick(f.campo(13), Qt::Key_R, Qt::ControlModifier);
    EXPECT_EQ(std::tuple(f.messaggi.elenco.size(), f.messaggi.elenco.back().titolo,
                         desktop.salvataggi.size(), QApplication::focusWidget()),
              std::tuple(2u, "Input errato", 1u, static_cast<QWidget*>(f.campo(13))));
}

// RELAZIONE on a mechanism writes the mechanism's report, never the arch's of an earlier run: the
// one-storey wall, α0 = 5.6 / 83.2 = 0,06731 (the report's decimal comma).
TEST_F(Uscita, RelazioneOfAMechanismIsTheMechanismsReport) {
    clic(f.finestra.command(1));  // an arching panel's run first
    tv::app::ControlliMeccanismo& m = f.finestra.meccanismo();
    m.tipo()->setCurrentIndex(1);
    f.scrivi(11, "100");
    f.scrivi(14, "0.002");
    const char* riga[] = {"320", "50", "1000", "40", "200"};
    for (int c = 0; c < 5; ++c) m.tabella()->item(0, c)->setText(riga[c]);
    desktop.scelto = q(tmp.path() / "meccanismo.pdf");
    QTest::keyClick(f.campo(11), Qt::Key_R, Qt::ControlModifier);  // runs the stale check first
    ASSERT_TRUE(QFile::exists(desktop.scelto)) << f.testi().front();
    const QString testo = esegui("pdftotext", {desktop.scelto, "-"});
    EXPECT_TRUE(testo.contains("meccanismi locali")) << testo.toStdString();
    EXPECT_TRUE(testo.contains("0,06731"));
    EXPECT_FALSE(testo.contains("effetto arco"));
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

TEST_F(Uscita, DoubleClickOpensTheEditorOnAnInputAndOnlyAChangedValueMarksTheResults) {
    int aperti = 0;  // the editors answered: Enter on the first, 2.5 m then Enter on the second
    QTimer risponde;
    QObject::connect(&risponde, &QTimer::timeout, [&aperti] {
        auto* e = qobject_cast<Fluttuante*>(QApplication::activeModalWidget());
        if (e == nullptr || e->property("visto").toBool()) return;
        e->setProperty("visto", true);
        e->riga(1)->setFocus();
        e->riga(1)->selectAll();
        if (++aperti == 2) QTest::keyClicks(e->riga(1), "2.5");
        QTest::keyClick(e->riga(1), Qt::Key_Return);
    });
    risponde.start(0);
    QTest::mouseDClick(f.campo(20), Qt::LeftButton);  // a locked result has no editor
    QTest::mouseDClick(f.campo(12), Qt::LeftButton);
    EXPECT_EQ(std::tuple(aperti, f.finestra.label1(28)->text() == "da aggiornare"),
              std::tuple(1, false));
    QTest::mouseDClick(f.campo(12), Qt::LeftButton);
    EXPECT_EQ(std::tuple(f.campo(12)->text(), f.finestra.label1(28)->text()),
              std::tuple("250", "da aggiornare"));
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
    const std::string arresto =
        "Valore non valido: t (spessore) deve essere maggiore di 0 e al massimo 100000 [cm]";
    for (int comando : {5, 4, 6}) clic(f.finestra.command(comando));
    EXPECT_EQ(f.testi(), (std::vector<std::string>{f.testi()[0], arresto, arresto, arresto}));
    EXPECT_EQ(std::tuple(desktop.salvataggi.size(), desktop.pdf_proposto, dialoghi),
              std::tuple(0u, "", 0));
    EXPECT_EQ(f.campo(2)->text(), "2400");
}

TEST_F(Uscita, RelazioneRunsTheCheckOnTheFieldsAndWritesTheReportOrNamesTheFailure) {
    desktop.scelto = q(tmp.path() / "relazione");
    f.scrivi(13, "20");  // typed, not yet run: the report must be of it
    clic(f.finestra.command(6));
    ASSERT_EQ(desktop.salvataggi,
              (std::vector<QStringList>{{q(suite.lavoro()), "commessa.pdf",
                                         "File PDF (*.pdf);;Testo OpenDocument modificabile (*.odt)"}}));
    ASSERT_TRUE(f.messaggi.elenco.empty()) << f.testi().front();
    const QString testo = esegui("pdftotext", {"-layout", desktop.scelto + ".pdf", "-"});
    EXPECT_TRUE(testo.contains(QRegularExpression("Spessore +t +20 ")));
    const QString info = esegui("pdfinfo", {desktop.scelto + ".pdf"});
    const int pagine = info.section("Pages:", 1).trimmed().section('\n', 0, 0).toInt();
    EXPECT_TRUE(info.contains("A4")) << info.toStdString();
    EXPECT_TRUE(pagine > 1 && testo.contains(QStringLiteral("pagina %1 di %1").arg(pagine)));
    // A name ending in .odt gets the editable copy, the same thickness in its text.
    desktop.scelto = q(tmp.path() / "copia.odt");
    clic(f.finestra.command(6));
    ASSERT_TRUE(f.messaggi.elenco.empty()) << f.testi().front();
    EXPECT_TRUE(esegui("unzip", {"-p", desktop.scelto, "content.xml"}).contains("Spessore"));
    desktop.scelto = q(tmp.path() / "manca" / "relazione.pdf");
    clic(f.finestra.command(6));
    ASSERT_EQ(f.messaggi.elenco.size(), 1u);
    EXPECT_EQ(f.messaggi.elenco[0].titolo, "Salvataggio non riuscito");
    EXPECT_EQ(
        f.testi()[0].rfind(
            "Impossibile scrivere la relazione nel file " + desktop.scelto.toStdString() + ": ", 0),
        0u)
        << f.testi()[0];
    EXPECT_FALSE(QFile::exists(desktop.scelto));
}

// The report data typed into the dialog reach relazione.txt whole (unknown keys kept) and the
// report; Annulla leaves the file as it was and writes no PDF.
TEST_F(Uscita, RelazioneDialogSavesTheTypedDataToTheFileAndAnnullaWritesNothing) {
    const fs::path file = suite.lavoro() / "relazione.txt";
    tv::form::prova::scrivi(file, "Committente = Vecchio\r\nrevisione = B\r\n");
    risposta = [](tv::app::DialogoRelazione* d) {
        // Tab follows the fields as shown: Ordine, the judgement, Note (the focus chain's next
        // widget that takes the focus by Tab).
        const auto dopo = [](QWidget* w) {
            do w = w->nextInFocusChain();
            while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(w->window()));
            return w;
        };
        EXPECT_EQ(dopo(d->riga(4)), static_cast<QWidget*>(d->giudizio()));
        EXPECT_EQ(dopo(d->giudizio()), static_cast<QWidget*>(d->riga(5)));
        EXPECT_EQ(d->riga(0)->text(), "Vecchio");
        d->riga(0)->selectAll();
        QTest::keyClicks(d->riga(0), "Comune di Fossa");
        QTest::keyClicks(d->riga(1), "Scuola primaria");
        QTest::keyClicks(d->riga(3), "Ing. Anna Neri");
        QTest::keyClicks(d->giudizio(), "Coerenti con il calcolo a mano.");
        QTest::keyClick(d->giudizio(), Qt::Key_Return);
        QTest::keyClicks(d->giudizio(), "Accettati.");
        QTest::keyClick(d->riga(3), Qt::Key_Enter);
    };
    desktop.scelto = q(tmp.path() / "r.pdf");
    clic(f.finestra.command(6));
    ASSERT_TRUE(f.messaggi.elenco.empty()) << f.testi().front();
    QFile scritto(q(file));
    ASSERT_TRUE(scritto.open(QIODevice::ReadOnly));
    const QByteArray atteso =
        "committente = Comune di Fossa\nopera = Scuola primaria\nindirizzo =\n"
        "progettista = Ing. Anna Neri\nordine =\n"
        "giudizio = Coerenti con il calcolo a mano. \\\nAccettati.\nnote =\nrevisione = B\n";
    EXPECT_EQ(scritto.readAll(), atteso);
    scritto.close();
    EXPECT_TRUE(QFile::exists(desktop.scelto));
    risposta = [](tv::app::DialogoRelazione* d) {
        QTest::keyClicks(d->riga(2), "Via Roma 1");
        QTest::keyClick(d->riga(2), Qt::Key_Escape);
    };
    desktop.scelto = q(tmp.path() / "annullata.pdf");
    EXPECT_FALSE(comandi.Command6_Click());
    ASSERT_TRUE(scritto.open(QIODevice::ReadOnly));
    EXPECT_EQ(scritto.readAll(), atteso);
    EXPECT_EQ(std::tuple(dialoghi, desktop.salvataggi.size(), QFile::exists(desktop.scelto)),
              std::tuple(2, 1u, false));
    // A file that cannot be written: its message, and no report.
    scritto.close();
    fs::remove(file);
    fs::create_directory(file);
    risposta = [](tv::app::DialogoRelazione* d) { QTest::keyClick(d->riga(0), Qt::Key_Return); };
    EXPECT_FALSE(comandi.Command6_Click());
    ASSERT_EQ(f.messaggi.elenco.size(), 1u);
    EXPECT_EQ(f.messaggi.elenco[0].titolo, "Salvataggio non riuscito");
    EXPECT_EQ(f.testi()[0].rfind("Impossibile scrivere il file \"" + q(file).toStdString(), 0), 0u)
        << f.testi()[0];
    EXPECT_EQ(desktop.salvataggi.size(), 1u);
}

// A missing manual, or a desktop that cannot open it, is reported with the path; the desktop gets
// one file URL even through blanks and shell characters.
TEST_F(Uscita, HelpHandsTheManualToTheDesktopAsOneFileUrlAndFailuresNameThePath) {
    const fs::path manuale = tv::app::percorso_manuale(suite.root() / "help");
    const std::string percorso = q(manuale).toStdString();
    clic(f.finestra.command(2));
    tv::form::prova::scrivi(manuale, "%PDF-1.4\n");
    desktop.apre = false;
    clic(f.finestra.command(2));
    EXPECT_EQ(desktop.aperti, std::vector<QUrl>{QUrl::fromLocalFile(q(manuale))});
    const auto& m = f.messaggi.elenco;
    ASSERT_EQ(m.size(), 2u);
    EXPECT_EQ(std::tuple(m[0].titolo, m[0].icona, m[0].testo),
              std::tuple("HELP", tv::form::Icona::stop, "Manuale non trovato:\n" + percorso));
    EXPECT_EQ(m[1].testo,
              "Impossibile aprire il manuale con il visualizzatore di documenti PDF "
              "del sistema:\n" +
                  percorso);
    const fs::path help = tmp.path() / "Suite Prova; touch pwned & echo $HOME" / "help";
    tv::form::prova::scrivi(tv::app::percorso_manuale(help), "%PDF-1.4\n");
    Visore visore;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &visore, "apri");
    tv::app::PiattaformaQt vero;
    // The desktop's register of programs answers through xdg-mime: first with no PDF viewer.
    const fs::path bin = tmp.path() / "bin";
    const auto registro = [&bin](const std::string& visore_pdf) {
        tv::form::prova::scrivi(bin / "xdg-mime", "#!/bin/sh\necho " + visore_pdf + "\n");
        fs::permissions(bin / "xdg-mime", fs::perms::owner_all);
    };
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", q(bin).toLocal8Bit() + ":" + path);
    registro("");
    EXPECT_FALSE(tv::app::Command2_Click(help, vero, f.messaggi));
    registro("visore.desktop");
    EXPECT_TRUE(tv::app::Command2_Click(help, vero, f.messaggi));
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    qputenv("PATH", path);
    EXPECT_EQ(visore.ricevuti, std::vector<QUrl>{QUrl::fromLocalFile(q(tv::app::percorso_manuale(help)))});
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[2].testo, m[1].testo.substr(0, m[1].testo.find('\n') + 1) +
                              q(tv::app::percorso_manuale(help)).toStdString());
    EXPECT_FALSE(fs::exists(tmp.path() / "pwned") || fs::exists(fs::current_path() / "pwned"));
}

// Every standard button of a message box, in the enum's order, as it reads now.
QStringList pulsanti_standard() {
    QMessageBox box;
    QStringList testi;
    for (int b = QMessageBox::FirstButton; b <= QMessageBox::LastButton; b <<= 1)
        testi << box.addButton(QMessageBox::StandardButton(b))->text();
    return testi;
}

// Under an English locale Qt's buttons read Italian: from Qt's translation and, on a system
// without it, from the program's own texts, which then read the same on every standard button;
// each translator's texts go with it.
TEST(Lingua, QtsButtonsSpeakItalianUnderAnEnglishLocaleWithOrWithoutQtsTranslation) {
    ASSERT_EQ(QLocale().language(), QLocale::English);
    const QStringList inglese = pulsanti_standard();
    const tv::prova::CartellaTemp senza;
    QStringList con_traduzione;
    for (const bool installata : {true, false}) {
        SCOPED_TRACE(installata ? "Qt's translation" : "no translation installed");
        const auto traduttore = tv::app::installa_italiano(
            installata ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : q(senza.path()));
        // A text only Qt's translation has tells which one was loaded.
        EXPECT_EQ(QCoreApplication::translate("QInputDialog", "Enter a value:"),
                  installata ? "Inserisci un valore:" : "Enter a value:")
            << "Qt's translations (qt6-translations-l10n) are not installed";
        if (installata) con_traduzione = pulsanti_standard();
        EXPECT_EQ(pulsanti_standard(), con_traduzione);
        // The panel strip's question and the report dialog's buttons.
        QMessageBox domanda(QMessageBox::Question, "t", "?",
                            QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(domanda.button(QMessageBox::Yes)->text(), "&Sì");
        EXPECT_EQ(domanda.button(QMessageBox::No)->text(), "&No");
        EXPECT_EQ(domanda.button(QMessageBox::Cancel)->text(), "Annulla");
        QDialogButtonBox box(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        EXPECT_EQ(box.button(QDialogButtonBox::Ok)->text(), "OK");
        EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), "Annulla");
        EXPECT_EQ(QCoreApplication::translate("QFileDialog", "&Save"), "&Salva");
    }
    EXPECT_EQ(pulsanti_standard(), inglese);
}

}  // namespace

#include "pulsanti_test.moc"

