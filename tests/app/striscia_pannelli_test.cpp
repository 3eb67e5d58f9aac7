// SPDX-License-Identifier: GPL-3.0-or-later
// The panels strip on the real window, by clicks and keys: panels made, changed, kept across a
// close and reopen, a damaged row kept, deletion confirmed, a new job made from the window.
#include "app/striscia_pannelli.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QProgressDialog>
#include <QTimer>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <memory>

#include "app/cornice_scelte.h"
#include "app/dialogo_relazione.h"
#include "app/messaggi_qt.h"
#include "app/pulsanti.h"
#include "finestra_prova.h"
#include "text/encoding.h"

namespace {

using tv::app::StrisciaPannelli;
using tv::app::prova::clic;
using tv::app::prova::FinestraVera;
namespace fs = std::filesystem;
constexpr int kT = tv::form::indice(tv::form::Campo::t);
constexpr int kLat = tv::form::indice(tv::form::Campo::lat);

// Answers the strip's questions as set, counting them.
struct DomandeProva : tv::app::Domande {
    bool conferma(QWidget*, const QString&, const QString& t) override {
        conferme.push_back(t);
        return si;
    }
    std::optional<QString> testo(QWidget*, const QString&, const QString&) override {
        return nome;
    }
    bool si = true;
    std::optional<QString> nome;
    QStringList conferme;
};

// The window and its strip over the suite, as the program opens them.
struct Aperta {
    explicit Aperta(const tv::form::prova::SuiteTemp& suite) : f(suite), s(f.presentatore, d) {}
    // Field i typed and left with Tab, as the user does.
    void scrivi(int i, const QString& testo) {
        f.scrivi(i, testo);
        QTest::keyClick(f.campo(i), Qt::Key_Tab);
    }
    // The panel chosen in the list with the arrow keys.
    void scegli(const QString& id) {
        QComboBox* c = s.pannelli();
        c->setFocus();
        const int da = c->currentIndex(), a = c->findData(id);
        for (int k = da; k != a; k += a > da ? 1 : -1)
            QTest::keyClick(c, a > da ? Qt::Key_Down : Qt::Key_Up);
    }
    FinestraVera f;
    DomandeProva d;
    StrisciaPannelli s;
};

std::string testo_file(const fs::path& p) { return tv::text::read_bytes(p).value_or("<none>"); }

TEST(StrisciaPannelli, TwoPanelsMadeAndChangedComeBackAfterReopening) {
    tv::form::prova::SuiteTemp suite{tv::form::prova::kConSito};
    const fs::path file = suite.lavoro() / "pannelli.csv";
    {
        Aperta a(suite);
        ASSERT_TRUE(a.f.avviata);
        EXPECT_FALSE(fs::exists(file));  // opening writes nothing
        EXPECT_EQ(a.s.pannelli()->count(), 1);
        EXPECT_FALSE(a.s.elimina()->isEnabled());
        clic(a.s.nuovo());
        ASSERT_TRUE(fs::exists(file));
        EXPECT_EQ(a.s.pannelli()->count(), 2);
        EXPECT_EQ(a.s.pannelli()->currentData().toString(), "2");
        a.scrivi(kT, "30");
        a.s.descrizione()->setFocus();
        QTest::keyClicks(a.s.descrizione(), "Parete sud");
        QTest::keyClick(a.s.descrizione(), Qt::Key_Return);
        a.scegli("1");
        EXPECT_EQ(a.f.campo(kT)->text(), "12");
        EXPECT_EQ(a.s.descrizione()->text(), "");
        a.scegli("2");
        a.scegli("1");  // closed on panel 1
        EXPECT_TRUE(a.f.messaggi.elenco.empty()) << a.f.testi().front();
    }
    const std::string salvato = testo_file(file);
    EXPECT_NE(salvato.find("\n2,Parete sud,"), std::string::npos) << salvato;
    // The site columns stay empty: no panel typed its own site.
    EXPECT_NE(salvato.find(",,,"), std::string::npos) << salvato;
    Aperta b(suite);
    ASSERT_EQ(b.s.pannelli()->count(), 2);
    EXPECT_EQ(b.s.pannelli()->itemText(1), "2 - Parete sud");
    EXPECT_EQ(std::tuple(b.s.pannelli()->currentData().toString(), b.f.campo(kT)->text()),
              std::tuple(QString("1"), QString("12")));
    b.scegli("2");
    EXPECT_EQ(std::tuple(b.f.campo(kT)->text(), b.s.descrizione()->text()),
              std::tuple(QString("30"), QString("Parete sud")));
    EXPECT_EQ(b.f.form.stato.pannello.testi[tv::form::Campo::W], "3600");  // W of the 30 cm panel, from the fresh check
}

// The choices are saved beside their numbers and come back with them: solid bricks at LC1 give
// fd = 2.6/(1.35 x 2) = 0.962963 N/mm2 = 9.6296 daN/cm2; T3 at h/H 0.5 gives St = 1.1.
TEST(StrisciaPannelli, ChoicesSavedWithTheNumbersComeBackAfterReopening) {
    using tv::app::Picker;
    tv::form::prova::SuiteTemp suite{tv::form::prova::kConSito};
    const fs::path file = suite.lavoro() / "pannelli.csv";
    {
        Aperta a(suite);
        ASSERT_TRUE(a.f.avviata);
        tv::app::ControlliScelte& c = a.f.finestra.scelte();
        emit c.lista(Picker::muratura)->activated(6);
        emit c.lista(Picker::categoria_topografica)->activated(2);
        c.h_su_H()->setText("0.5");
        emit c.h_su_H()->editingFinished();
    }
    const std::string salvato = testo_file(file);
    EXPECT_NE(salvato.find("mattoni_pieni"), std::string::npos) << salvato;
    Aperta b(suite);
    tv::app::ControlliScelte& c = b.f.finestra.scelte();
    EXPECT_EQ(std::tuple(c.lista(Picker::muratura)->currentIndex(),
                         c.lista(Picker::categoria_topografica)->currentText(), c.h_su_H()->text(),
                         b.f.campo(15)->text(), b.f.campo(5)->text()),
              std::tuple(6, QString("T3"), QString("0.5"), QString("9.6296"), QString("1.1")));
}

// New masonry comes back too: fk 50 daN/cm2 of category II, class 1, γM 2.5: fd = 20 daN/cm2.
TEST(StrisciaPannelli, NewMasonrySavedComesBackWithItsClass) {
    tv::form::prova::SuiteTemp suite{tv::form::prova::kConSito};
    {
        Aperta a(suite);
        ASSERT_TRUE(a.f.avviata);
        tv::app::ControlliScelte& c = a.f.finestra.scelte();
        c.fk()->setText("50");
        emit c.fk()->editingFinished();
        emit c.elementi()->activated(2);
        emit c.classe_esecuzione()->activated(0);
        EXPECT_EQ(a.f.campo(15)->text(), "20");
    }
    Aperta b(suite);
    tv::app::ControlliScelte& c = b.f.finestra.scelte();
    EXPECT_EQ(std::tuple(c.fk()->text(), c.elementi()->currentIndex(), c.classe_esecuzione()->currentText(),
                         b.f.campo(15)->text(), b.f.campo(23)->text()),
              std::tuple(QString("50"), 2, QString("1"), QString("20"), QString("50000")));
}

TEST(StrisciaPannelli, DamagedRowKeptThroughSavesAndDeletionAsksFirst) {
    tv::form::prova::SuiteTemp suite{tv::form::prova::kConSito};
    const fs::path file = suite.lavoro() / "pannelli.csv";
    tv::prova::scrivi(file, "id,descrizione,t,nota\nA,Nord,20,x\nB,\"rotta,25,y\nC,Est,24,z\n");
    Aperta a(suite);
    ASSERT_EQ(a.f.testi().size(), 1u);  // its wording is the panels file's own test
    EXPECT_EQ(a.f.testi()[0].rfind("pannelli.csv, riga 3: ", 0), 0u);
    EXPECT_EQ(a.f.campo(kT)->text(), "20");
    a.scrivi(kLat, "45.02");  // a site typed for this panel is its own
    a.d.si = false;
    clic(a.s.elimina());
    EXPECT_EQ(a.d.conferme, QStringList{"Eliminare il pannello \"A\" (Nord)?"});
    EXPECT_EQ(a.s.pannelli()->count(), 2);
    a.scegli("C");
    a.d.si = true;
    clic(a.s.elimina());
    EXPECT_EQ(testo_file(file),
              "id,descrizione,t,nota,lat\nA,Nord,20,x,45.02\nB,\"rotta,25,y\n");
    EXPECT_EQ(a.s.pannelli()->count(), 1);
    EXPECT_FALSE(a.s.elimina()->isEnabled());
}

TEST(StrisciaPannelli, NewJobCopiesTheUnitsAndOpensWithoutRewritingTheSuiteSetting) {
    tv::form::prova::SuiteTemp suite{tv::form::prova::kConSito};
    tv::prova::scrivi(suite.lavoro() / "parametrilavoro", tv::form::prova::parametrilavoro("m"));
    Aperta a(suite);
    a.d.nome = "a/b";
    clic(a.s.nuovo_lavoro());
    ASSERT_EQ(a.f.testi().size(), 1u);
    a.d.nome = "Scuola";
    clic(a.s.nuovo_lavoro());
    EXPECT_EQ(a.f.form.cartelle().nome_lavoro, "Scuola");
    EXPECT_EQ(testo_file(suite.root() / "lavori" / "Scuola" / "parametrilavoro"),
              testo_file(suite.lavoro() / "parametrilavoro"));
    EXPECT_EQ(a.s.lavori()->currentText(), "Scuola");
    EXPECT_EQ(a.f.campo(kT)->text(), "0.12");  // start-up in the copied units: metres
    EXPECT_EQ(testo_file(suite.root() / "impostazioni" / "lavoro"), "commessa\r\n");
    a.scrivi(kT, "0.3");  // the new job's own panel
    a.s.lavori()->setFocus();
    QTest::keyClick(a.s.lavori(), Qt::Key_Down);  // the list by name: "Scuola", "commessa"
    EXPECT_EQ(std::tuple(a.f.form.cartelle().nome_lavoro, a.f.campo(kT)->text()),
              std::tuple(std::string("commessa"), QString("0.12")));
    EXPECT_FALSE(fs::exists(suite.lavoro() / "pannelli.csv"));
    EXPECT_NE(testo_file(suite.root() / "lavori" / "Scuola" / "pannelli.csv").find(",0.3,"),
              std::string::npos);
}

// The real question for a new job's name is wide enough for a window manager to show its title
// ("NUOV… AVORO" otherwise).
TEST(DomandeQt, TheNameQuestionIsWideEnoughForItsTitle) {
    QWidget finestra;
    tv::app::DomandeQt domande;
    int larghezza = 0;
    QTimer::singleShot(200, [&] {
        QWidget* d = QApplication::activeModalWidget();
        if (d == nullptr) return;
        larghezza = d->width();
        d->close();
    });
    EXPECT_FALSE(domande.testo(&finestra, "NUOVO LAVORO", "Nome del nuovo lavoro:").has_value());
    EXPECT_GE(larghezza, tv::app::larghezza_per_titolo("NUOVO LAVORO"));
}

// A new job asks for its site and shows no verdict until it has one; SITO DEL LAVORO writes the
// panel's site as the job's, which a new panel then takes; another program's job file is kept.
TEST(StrisciaPannelli, NewJobAsksForItsSiteAndSitoDelLavoroGivesItToNewPanels) {
    tv::form::prova::SuiteTemp suite;
    Aperta a(suite);
    QLabel* verdetto = a.f.finestra.label1(static_cast<int>(tv::form::kLabelVerdetto));
    a.d.nome = "Norcia";
    clic(a.s.nuovo_lavoro());
    ASSERT_EQ(a.f.testi().size(), 1u);
    EXPECT_EQ(a.f.testi()[0].rfind("Indicare il sito del nuovo lavoro", 0), 0u);
    EXPECT_EQ(verdetto->text(), "Sito da indicare");
    EXPECT_TRUE(a.s.sito_lavoro()->isEnabled());
    a.scrivi(kLat, "45.05");
    a.scrivi(tv::form::indice(tv::form::Campo::lon), "7.22");
    clic(a.s.sito_lavoro());
    const fs::path file = suite.root() / "lavori" / "Norcia" / "sismica_2008.txt";
    EXPECT_NE(testo_file(file).find("(long. 7.220000  lat. 45.050000 )"), std::string::npos);
    EXPECT_EQ(a.s.nota()->toolTip(),
              QString::fromStdString("Sito del lavoro scritto in " + file.string()));
    clic(a.s.nuovo());
    EXPECT_EQ(a.f.campo(kLat)->text(), "45.050000");
    clic(a.f.finestra.command(1));
    EXPECT_TRUE(verdetto->text().contains("Fa :")) << verdetto->text().toStdString();
    EXPECT_EQ(a.f.testi().size(), 1u);
    tv::prova::scrivi(suite.lavoro() / "dinamica.txt", "Torino (long. 7.29 lat. 45)\n");
    a.s.lavori()->setFocus();
    QTest::keyClick(a.s.lavori(), Qt::Key_Down);  // by name: "Norcia", then "commessa"
    ASSERT_EQ(a.f.form.cartelle().nome_lavoro, "commessa");
    EXPECT_FALSE(a.s.sito_lavoro()->isEnabled());
}

// The window reopens on the job last used in the suite, from the user's settings: the suite's
// impostazioni/lavoro is never rewritten; a job since removed falls back to the suite's.
TEST(StrisciaPannelli, TheWindowReopensOnTheLastJobAndPanelUsed) {
    tv::form::prova::SuiteTemp suite{tv::form::prova::kConSito};
    {
        Aperta a(suite);
        a.d.nome = "Scuola";
        clic(a.s.nuovo_lavoro());
        clic(a.s.nuovo());
        ASSERT_EQ(a.s.pannelli()->currentData().toString(), "2");
    }
    {
        Aperta b(suite);
        EXPECT_EQ(b.f.form.cartelle().nome_lavoro, "Scuola");
        EXPECT_EQ(b.s.pannelli()->currentData().toString(), "2");
    }
    EXPECT_EQ(testo_file(suite.root() / "impostazioni" / "lavoro"), "commessa\r\n");
    fs::remove_all(suite.root() / "lavori" / "Scuola");
    Aperta c(suite);
    EXPECT_EQ(c.f.form.cartelle().nome_lavoro, "commessa");
}

// Two real windows on one job: the one opened first and saving last keeps the other's panels,
// and says so in its note line.
TEST(StrisciaPannelli, TwoWindowsOnOneJobLoseNoPanel) {
    tv::form::prova::SuiteTemp suite{tv::form::prova::kConSito};
    Aperta a(suite), b(suite);
    for (int i = 0; i < 3; ++i) clic(a.s.nuovo());
    b.s.descrizione()->setFocus();
    QTest::keyClicks(b.s.descrizione(), "Nord");
    QTest::keyClick(b.s.descrizione(), Qt::Key_Return);
    const auto file = *tv::form::carica_pannelli(suite.lavoro());
    EXPECT_EQ(file.ids(), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(file.cella(*file.pannello("1"), "descrizione"), "Nord");
    EXPECT_EQ(b.s.pannelli()->count(), 4);
    EXPECT_TRUE(b.s.nota()->toolTip().startsWith("pannelli.csv era stato cambiato"))
        << b.s.nota()->toolTip().toStdString();
}

TEST(StrisciaPannelli, RelazioneAsksOnceAndWritesAllPanelsWithTheirSummary) {
    tv::form::prova::SuiteTemp suite{tv::form::prova::kConSito};
    Aperta a(suite);
    tv::app::prova::PiattaformaProva desktop;
    tv::app::Pulsanti comandi(a.f.presentatore, a.f.messaggi, desktop);
    comandi.imposta_striscia(&a.s);
    clic(a.s.duplica());
    a.scrivi(kT, "30");
    desktop.scelto = QString::fromStdString((suite.lavoro() / "tutti.pdf").string());
    int dialoghi = 0;
    QTimer risponde;
    QObject::connect(&risponde, &QTimer::timeout, [&] {
        auto* d = qobject_cast<tv::app::DialogoRelazione*>(QApplication::activeModalWidget());
        if (d == nullptr || d->property("visto").toBool()) return;
        d->setProperty("visto", true);
        ++dialoghi;
        auto* scelta = d->findChild<QComboBox*>("ComboRelazionePannelli");
        ASSERT_NE(scelta, nullptr);
        scelta->setCurrentIndex(1);
        QTest::keyClick(d->riga(0), Qt::Key_Return);
    });
    risponde.start(0);
    ASSERT_TRUE(comandi.Command6_Click());
    EXPECT_EQ(dialoghi, 1);
    ASSERT_EQ(desktop.salvataggi.size(), 1u);
    EXPECT_EQ(desktop.salvataggi[0][1], "commessa_tutti.pdf");
    EXPECT_EQ(a.s.nota()->toolTip(), "Relazione scritta in " + desktop.scelto);
    EXPECT_TRUE(a.s.nota()->text().endsWith("tutti.pdf")) << a.s.nota()->text().toStdString();
    QProcess p;
    p.start("pdftotext", {"-layout", desktop.scelto, "-"});
    p.waitForFinished(30000);
    const QString testo = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(testo.contains("Pannello 1: ") && testo.contains("Pannello 2: "))
        << testo.toStdString();
}

}  // namespace

namespace {

// Past 100 panels the report shows its progress; Annulla while the pages are written leaves the
// file that was there as it was, with no temporary file beside it, and no message.
TEST(StrisciaPannelli, RelazioneOfManyPanelsStoppedWhileWritingLeavesNoFile) {
    tv::form::prova::SuiteTemp suite{tv::form::prova::kConSito};
    std::string righe = "id,descrizione,t\n";
    for (int i = 1; i <= 101; ++i) righe += "P" + std::to_string(i) + ",Parete,30\n";
    tv::prova::scrivi(suite.lavoro() / "pannelli.csv", righe);
    const fs::path pdf = suite.lavoro() / "tutti.pdf";
    tv::prova::scrivi(pdf, "prima");
    Aperta a(suite);
    ASSERT_EQ(a.s.pannelli()->count(), 101);
    tv::app::prova::PiattaformaProva desktop;
    tv::app::Pulsanti comandi(a.f.presentatore, a.f.messaggi, desktop);
    comandi.imposta_striscia(&a.s);
    desktop.scelto = QString::fromStdString(pdf.string());
    QStringList fasi;
    QTimer risponde;
    QObject::connect(&risponde, &QTimer::timeout, [&] {
        if (auto* d = qobject_cast<tv::app::DialogoRelazione*>(QApplication::activeModalWidget());
            d != nullptr && !d->property("visto").toBool()) {
            d->setProperty("visto", true);
            d->findChild<QComboBox*>("ComboRelazionePannelli")->setCurrentIndex(1);
            QTest::keyClick(d->riga(0), Qt::Key_Return);
            return;
        }
        auto* p = a.f.finestra.findChild<QProgressDialog*>("ProgressoRelazione");
        if (p == nullptr) return;
        const QString fase = p->labelText().section(QLatin1Char(' '), 1, 1);
        if (!fasi.contains(fase)) fasi << fase;
        if (fase == "scrittura" && p->value() > 2500) p->cancel();
    });
    risponde.start(0);
    EXPECT_FALSE(comandi.Command6_Click());
    EXPECT_EQ(fasi, (QStringList{"verifica", "impaginazione", "scrittura"}));
    EXPECT_EQ(testo_file(pdf), "prima");
    std::vector<std::string> cartella;
    for (const auto& e : fs::directory_iterator(suite.lavoro()))
        cartella.push_back(e.path().filename().string());
    std::sort(cartella.begin(), cartella.end());
    EXPECT_EQ(cartella, (std::vector<std::string>{"pannelli.csv", "parametrilavoro",
                                                   "relazione.txt", "sismica_2008.txt",
                                                   "tutti.pdf"}));
    EXPECT_TRUE(a.f.testi().empty());
    EXPECT_TRUE(a.s.nota()->text().isEmpty());
}

}  // namespace
