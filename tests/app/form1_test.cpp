// The main window as built: caption and size, field roles, toggles, search box, plain-text
// captions, controls in their places, and the accessors a presenter relies on.
#include "app/form1.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/colori.h"

using namespace tv::app;

TEST(Finestra, CaptionSizeButtonsSearchBoxAndAccessorsOutsideTheirRanges) {
    Form1 form(96.0);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("TORVELANDO PANNELLI MURARI"));
    EXPECT_EQ(form.size(), QSize(679, 544));
    EXPECT_EQ(Form1(120.0).size(), QSize(849, 680));
    QStringList pulsanti;
    for (QPushButton* p : form.comandi()) pulsanti << p->text();
    EXPECT_EQ(pulsanti, (QStringList{"AGGIORNA", "HELP", "COPIA", "STAMPA", "SALVA", "RELAZIONE"}));
    EXPECT_EQ(form.command(1), form.comandi()[0]);
    for (QObject* fuori : std::initializer_list<QObject*>{
             form.campo(-1), form.campo(27), form.label1(36), form.label2(2), form.check(4),
             form.linea(0), form.command(7), form.frame(4), form.image(7)})
        EXPECT_EQ(fuori, nullptr);
    // The search box is an edit line over an always open list, filling the designed place.
    QLineEdit* riga = form.combo1();
    QListWidget* elenco = form.combo1_list();
    EXPECT_EQ(form.findChildren<QComboBox*>(), QList<QComboBox*>{form.combo2()});  // not Combo1
    EXPECT_EQ(elenco->count(), 0);
    EXPECT_FALSE(elenco->isHidden());
    EXPECT_EQ(riga->geometry().united(elenco->geometry()), form.rettangolo({120, 120, 3735, 960}));
    EXPECT_EQ(elenco->y(), riga->y() + riga->height());
}

TEST(Finestra, LockedFieldsRefuseTypingButStillTakeTheFocus) {
    Form1 form(96.0);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    for (int i = 0; i < numero_campi; ++i) {
        EXPECT_EQ(form.campo(i)->isReadOnly(), campi()[i].bloccato) << i;
        QTest::mouseClick(form.campo(i), Qt::LeftButton);
        EXPECT_TRUE(form.campo(i)->hasFocus()) << i;
    }
    form.campo(20)->setFocus();
    QTest::keyClicks(form.campo(20), QStringLiteral("12"));
    EXPECT_EQ(form.campo(20)->text(), QStringLiteral("900"));
    form.campo(13)->selectAll();
    QTest::keyClicks(form.campo(13), QStringLiteral("12"));
    EXPECT_EQ(form.campo(13)->text(), QStringLiteral("12"));
}

TEST(Finestra, TogglesStartTopAndBottomSupportedWithMatchingEdgesUnderTheControls) {
    Form1 form(96.0);
    for (int i = 0; i < numero_vincoli; ++i) {
        const bool appoggiato = i % 2 == 0;
        EXPECT_EQ(form.check(i)->isChecked(), appoggiato) << i;
        EXPECT_EQ(form.check(i)->text(), appoggiato ? "Appoggiato" : "Libero") << i;
        EXPECT_EQ(form.linea_di(i)->larghezza(), appoggiato ? 3 : 1) << i;
    }
    EXPECT_EQ(form.linea_di(0), form.linea(3));
    const auto figli = form.frame(1)->children();  // lines drawn under every control of the frame
    for (int n = 1; n <= numero_linee; ++n) {
        EXPECT_LT(figli.indexOf(form.linea(n)), figli.indexOf(form.check(0))) << n;
        EXPECT_LT(figli.indexOf(form.linea(n)), figli.indexOf(form.campo(12))) << n;
    }
    EXPECT_EQ(form.linea(3)->a(), QPoint(form.pixel(3960), form.pixel(720)));
    EXPECT_EQ(background(form.frame(1)), QColor(Qt::white));  // the panel frame only
    EXPECT_NE(background(form.frame(2)), QColor(Qt::white));
}

TEST(Finestra, EveryLabelShowsMarkupLiterally) {
    // Captions may come from files: "<b>x</b>" must show its tags, not a bold x.
    Form1 form(96.0);
    const auto etichette = form.findChildren<QLabel*>();
    ASSERT_GE(etichette.size(), numero_label1 + 4);
    for (QLabel* etichetta : etichette) {
        etichetta->setText(QStringLiteral("x"));
        const int semplice = etichetta->sizeHint().width();
        etichetta->setText(QStringLiteral("<b>x</b>"));
        EXPECT_GT(etichetta->sizeHint().width(), 3 * semplice)
            << etichetta->objectName().toStdString();
    }
}
