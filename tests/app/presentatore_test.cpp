// The real window driven by clicks and keys: start-up, validation that keeps the focus,
// toggles, locality search and "AGGIORNA", under a "." and a "," locale.
#include "app/presentatore.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTest>

#include "app/colori.h"
#include "app/form1.h"
#include "app/linea.h"
#include "finestra_prova.h"

namespace {

using tv::form::prova::SuiteTemp;

using tv::app::prova::clic;
using tv::app::prova::FinestraVera;

class Presentatore : public ::testing::Test {
  protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }
    SuiteTemp suite;
};

TEST_F(Presentatore, StartUpShowsTheFirstRunWithUnitCaptionsAndVerdictBesideTheResistance) {
    FinestraVera f(suite);
    ASSERT_TRUE(f.avviata);
    EXPECT_TRUE(f.messaggi.elenco.empty()) << f.testi().front();
    EXPECT_EQ(f.finestra.label1(18)->text(), "B [cm]");
    EXPECT_EQ(f.campo(13)->text(), "12");
    EXPECT_EQ(f.campo(2)->text(), "1440");
    EXPECT_EQ(f.campo(0)->text().toStdString(), f.form.stato.text1[0]);
    EXPECT_NE(f.campo(0)->text(), "1.26");  // the run replaced the design text
    const QColor sfondo = tv::app::background(f.campo(22));
    EXPECT_TRUE(sfondo == QColor(128, 255, 128) || sfondo == QColor(255, 128, 128));
    EXPECT_TRUE(f.finestra.label1(28)->text().startsWith("[daN]"));
    EXPECT_GT(f.finestra.label1(28)->x(), f.campo(22)->geometry().right());
    EXPECT_EQ(tv::app::background(f.campo(7)), QColor(Qt::white));
}

TEST_F(Presentatore, RefusedTextKeepsTheFocusAndAClickOnAggiornaOnlyShowsTheMessage) {
    FinestraVera f(suite);
    const QString peso = f.campo(2)->text();
    f.scrivi(13, "abc");
    clic(f.finestra.command(1));
    ASSERT_EQ(f.testi(), std::vector<std::string>{"Richiesto valore numerico\nt (spessore): usare "
                                                  "il punto come separatore decimale, per "
                                                  "esempio 0.39"});
    EXPECT_EQ(f.messaggi.elenco[0].titolo, "Input errato");
    EXPECT_EQ(QApplication::focusWidget(), f.campo(13));
    EXPECT_EQ(f.campo(2)->text(), peso);  // no run happened

    // A toggle click is refused the same way and the toggle keeps its state.
    clic(f.finestra.check(1));
    EXPECT_FALSE(f.finestra.check(1)->isChecked());
    EXPECT_EQ(f.messaggi.elenco.size(), 2u);

    f.scrivi(13, "24");
    clic(f.finestra.command(1));
    EXPECT_EQ(f.messaggi.elenco.size(), 2u);
    EXPECT_EQ(f.campo(2)->text(), "2880");  // the run used the new thickness
}

TEST_F(Presentatore, TabOutOfARefusedSoilCategoryShowsItsMessage) {
    FinestraVera f(suite);
    f.scrivi(4, "F");
    QTest::keyClick(f.campo(4), Qt::Key_Tab);
    EXPECT_EQ(f.testi(), std::vector<std::string>{"Accettati solo terreni tipo A, B, C, D, E"});
    EXPECT_EQ(QApplication::focusWidget(), f.campo(4));
}

TEST_F(Presentatore, FreeingTheTopWithAFreeSideIsRefusedAndTheTopComesBack) {
    FinestraVera f(suite);
    clic(f.finestra.check(0));
    EXPECT_EQ(f.testi(), std::vector<std::string>{"Verifica non possibile"});
    EXPECT_EQ(f.messaggi.elenco[0].titolo, "VINCOLI SCORRETTI");
    EXPECT_TRUE(f.finestra.check(0)->isChecked());
    EXPECT_EQ(f.finestra.check(0)->text(), "Appoggiato");
    EXPECT_EQ(f.finestra.linea(3)->larghezza(), 3);
    EXPECT_EQ(QApplication::focusWidget(), f.finestra.command(1));

    clic(f.finestra.check(1));
    EXPECT_TRUE(f.finestra.check(1)->isChecked());
    EXPECT_EQ(f.finestra.check(1)->text(), "Appoggiato");
    EXPECT_EQ(f.finestra.linea(1)->larghezza(), 3);
}

TEST_F(Presentatore, TheRefusedToggleShowsLiberoAndTheThinLineWhileItsMessageIsOpen) {
    FinestraVera f(suite);
    QString didascalia;
    int larghezza = 0;
    f.messaggi.osserva = [&](const tv::form::Messaggio&) {
        didascalia = f.finestra.check(0)->text();
        larghezza = f.finestra.linea(3)->larghezza();
    };
    clic(f.finestra.check(0));
    ASSERT_EQ(f.testi(), std::vector<std::string>{"Verifica non possibile"});
    EXPECT_EQ(didascalia, "Libero");
    EXPECT_EQ(larghezza, 1);
}

TEST_F(Presentatore, AClickThatMovesNoFocusDoesNotValidate) {
    FinestraVera f(suite);
    f.scrivi(11, "abc");
    // A point of the panel frame that no control covers.
    QWidget* frame = f.finestra.frame(1);
    QPoint vuoto(-1, -1);
    for (int y = frame->height() - 5; y > 20 && vuoto.x() < 0; y -= 7)
        for (int x = 5; x < frame->width() - 5; x += 7)
            if (frame->childAt(x, y) == nullptr) {
                vuoto = QPoint(x, y);
                break;
            }
    ASSERT_GE(vuoto.x(), 0);
    QTest::mouseClick(f.finestra.windowHandle(), Qt::LeftButton, {},
                      frame->mapTo(&f.finestra, vuoto));
    EXPECT_TRUE(f.messaggi.elenco.empty());
    EXPECT_EQ(QApplication::focusWidget(), f.campo(11));
    clic(f.campo(12));
    ASSERT_EQ(f.testi().size(), 1u);
    EXPECT_EQ(f.testi()[0].rfind("Richiesto valore numerico\nB (lunghezza in pianta): ", 0), 0u);
    EXPECT_EQ(QApplication::focusWidget(), f.campo(11));
    // Keys typed after the refused click go to the refused field, never to the one clicked.
    const QString altezza = f.campo(12)->text();
    QTest::keyClicks(QApplication::focusWidget(), "7");
    EXPECT_EQ(f.campo(12)->text(), altezza);
    EXPECT_EQ(f.campo(11)->text(), "abc7");
}

TEST_F(Presentatore, ALongNumberShowsItsFirstDigitsWhenWrittenAndAfterLeavingTheField) {
    using tv::form::prova::scrivi;
    scrivi(suite.lavoro() / "parametrilavoro",
           tv::form::prova::parametrilavoro("cm", "kgf", "kgf/cm3", "kgf/cm2"));
    FinestraVera f(suite);
    ASSERT_TRUE(f.avviata);
    QLineEdit* fd = f.campo(15);
    ASSERT_GT(fd->text().size(), 12);  // 3 daN/cm2 in kgf/cm2: many digits
    EXPECT_EQ(fd->cursorPosition(), 0);
    fd->setFocus();
    QTest::keyClick(fd, Qt::Key_End);
    QTest::keyClick(fd, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), fd);
    EXPECT_EQ(fd->cursorPosition(), 0);
}

TEST_F(Presentatore, TypingInTheSearchBoxListsLinesAndAPickFillsTheCoordinates) {
    FinestraVera f(suite);
    f.finestra.combo1()->clear();
    QTest::keyClicks(f.finestra.combo1(), "tor");
    QListWidget* lista = f.finestra.combo1_list();
    ASSERT_EQ(lista->count(), 3);  // Torre Pellice, Torino, then "Senza separatore"
    EXPECT_EQ(lista->item(1)->text(), "45.0703   7.6869   Torino (TO)");
    EXPECT_EQ(f.finestra.combo1()->text(), "tor");  // the typed text is never replaced
    QTest::keyClick(f.finestra.combo1(), Qt::Key_Backspace);
    EXPECT_EQ(lista->count(), 3);  // two characters: the list stays
    const QRect r = lista->visualItemRect(lista->item(1));
    QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, r.center());
    EXPECT_EQ(f.campo(7)->text(), "45.0703");
    EXPECT_EQ(f.campo(6)->text(), "7.6869");

    // The arrow keys pick too (the line above has no coordinates and changes nothing).
    QTest::keyClick(lista, Qt::Key_Up);
    QTest::keyClick(lista, Qt::Key_Up);
    EXPECT_EQ(lista->currentRow(), 0);
    EXPECT_EQ(f.campo(7)->text(), "44.9700");
    EXPECT_EQ(f.campo(6)->text(), "7.3000");
}

TEST_F(Presentatore, DoubleClickOnALengthFieldAsksForTheEditorWithItsUnit) {
    FinestraVera f(suite);
    std::vector<int> richiesti;
    QObject::connect(&f.presentatore, &tv::app::Presentatore::editor_richiesto,
                     [&](int campo) { richiesti.push_back(campo); });
    QTest::mouseDClick(f.campo(20), Qt::LeftButton);
    EXPECT_TRUE(richiesti.empty());
    QTest::mouseDClick(f.campo(12), Qt::LeftButton);
    EXPECT_EQ(richiesti, std::vector<int>{12});  // once per double-click
    EXPECT_EQ(f.form.unita_campo, "cm");
}

TEST_F(Presentatore, DecimalCommaLocaleWritesAndReadsCommaNumbers) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    FinestraVera f(suite);
    ASSERT_TRUE(f.avviata);
    EXPECT_EQ(f.campo(1)->text(), "0,39");
    EXPECT_EQ(f.campo(14)->text(), "0,0008");
    EXPECT_TRUE(f.messaggi.elenco.empty());
    f.scrivi(13, "12,5");
    clic(f.finestra.command(1));
    EXPECT_TRUE(f.messaggi.elenco.empty());
    EXPECT_EQ(f.campo(2)->text(), "1500");
    EXPECT_TRUE(f.campo(0)->text().contains(','));
}

TEST_F(Presentatore, TypingGreysTheResultsAtOnceAndAggiornaMakesThemCurrent) {
    using tv::app::text_color;
    FinestraVera f(suite);
    const QString guida = f.campo(22)->toolTip();
    const QColor grigio(128, 128, 128);
    f.scrivi(13, "20");  // no Enter, the focus stays
    EXPECT_EQ(f.campo(2)->text(), "1440");
    EXPECT_EQ(f.finestra.label1(28)->text(), "da aggiornare");
    EXPECT_EQ(text_color(f.finestra.label1(28)), grigio);
    EXPECT_EQ(tv::app::background(f.campo(22)), QColor(Qt::white));
    EXPECT_EQ(text_color(f.campo(2)), grigio);
    EXPECT_EQ(text_color(f.finestra.label3()), grigio);
    EXPECT_EQ(f.campo(22)->toolTip(), "Premere AGGIORNA");

    clic(f.finestra.command(1));
    EXPECT_EQ(f.campo(2)->text(), "2400");
    EXPECT_TRUE(f.finestra.label1(28)->text().startsWith("[daN] "));
    EXPECT_EQ(text_color(f.campo(2)), QColor(Qt::black));
    EXPECT_NE(tv::app::background(f.campo(22)), QColor(Qt::white));
    EXPECT_EQ(f.campo(22)->toolTip(), guida);
}

}  // namespace
