// The main window as built: controls found by name, field roles, toggles, search box, plain-text
// captions and the accessors a presenter relies on.
#include "app/form1.h"

#include "app/colori.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace tv::app;

namespace {

class Finestra : public ::testing::Test {
protected:
    Form1 form{96.0};
};

std::vector<QString> nomi_attesi()
{
    std::vector<QString> nomi;
    for (int i = 0; i < numero_campi; ++i)
        nomi.push_back(QStringLiteral("Text1_%1").arg(i));
    for (int i = 0; i < numero_label1; ++i)
        nomi.push_back(QStringLiteral("Label1_%1").arg(i));
    for (int i : indici_label2)
        nomi.push_back(QStringLiteral("Label2_%1").arg(i));
    nomi.push_back(QStringLiteral("Label3"));
    for (int i = 0; i < numero_vincoli; ++i)
        nomi.push_back(QStringLiteral("Check1_%1").arg(i));
    for (int n = 1; n <= numero_linee; ++n)
        nomi.push_back(QStringLiteral("Line%1").arg(n));
    nomi.push_back(QStringLiteral("Command1_0"));
    for (int n = 2; n <= 5; ++n)
        nomi.push_back(QStringLiteral("Command%1").arg(n));
    nomi.push_back(QStringLiteral("Combo1"));
    nomi.push_back(QStringLiteral("Combo1_list"));
    for (int n = 1; n <= numero_frame; ++n)
        nomi.push_back(QStringLiteral("Frame%1").arg(n));
    for (int n = 1; n <= numero_immagini; ++n)
        nomi.push_back(QStringLiteral("Image%1").arg(n));
    return nomi;
}

}  // namespace

TEST_F(Finestra, CaptionAndClientAreaFollowTheDesign)
{
    EXPECT_EQ(form.windowTitle(), QStringLiteral("TORVELANDO PANNELLI MURARI"));
    EXPECT_EQ(form.size(), QSize(679, 544));
    const Form1 grande(120.0);
    EXPECT_EQ(grande.size(), QSize(849, 680));
}

TEST_F(Finestra, EveryControlIsFoundByItsObjectNameExactlyOnce)
{
    for (const QString& nome : nomi_attesi())
        EXPECT_EQ(form.findChildren<QWidget*>(nome).size(), 1) << nome.toStdString();
}

TEST_F(Finestra, AccessorsReturnTheNamedControls)
{
    EXPECT_EQ(form.campo(22), form.findChild<QLineEdit*>(QStringLiteral("Text1_22")));
    EXPECT_EQ(form.label1(28), form.findChild<QLabel*>(QStringLiteral("Label1_28")));
    EXPECT_EQ(form.label2(6), form.findChild<QLabel*>(QStringLiteral("Label2_6")));
    EXPECT_EQ(form.check(3), form.findChild<QCheckBox*>(QStringLiteral("Check1_3")));
    EXPECT_EQ(form.linea(5), form.findChild<LineaWidget*>(QStringLiteral("Line5")));
    EXPECT_EQ(form.command(1), form.findChild<QPushButton*>(QStringLiteral("Command1_0")));
    EXPECT_EQ(form.command(4), form.findChild<QPushButton*>(QStringLiteral("Command4")));
    EXPECT_EQ(form.frame(2), form.findChild<QGroupBox*>(QStringLiteral("Frame2")));
    EXPECT_EQ(form.image(6), form.findChild<FormulaWidget*>(QStringLiteral("Image6")));
    const std::array<const char*, 5> ordine = {"AGGIORNA", "HELP", "COPIA", "STAMPA", "SALVA"};
    for (std::size_t i = 0; i < ordine.size(); ++i)
        EXPECT_EQ(form.comandi()[i]->text(), QString::fromLatin1(ordine[i]));
}

TEST_F(Finestra, AccessorsGiveNullOutsideTheirRanges)
{
    EXPECT_EQ(form.campo(-1), nullptr);
    EXPECT_EQ(form.campo(27), nullptr);
    EXPECT_EQ(form.label1(36), nullptr);
    EXPECT_EQ(form.label2(2), nullptr);
    EXPECT_EQ(form.check(4), nullptr);
    EXPECT_EQ(form.linea(0), nullptr);
    EXPECT_EQ(form.linea(7), nullptr);
    EXPECT_EQ(form.linea_di(4), nullptr);
    EXPECT_EQ(form.command(0), nullptr);
    EXPECT_EQ(form.command(6), nullptr);
    EXPECT_EQ(form.frame(4), nullptr);
    EXPECT_EQ(form.image(7), nullptr);
}

TEST_F(Finestra, FieldsCarryTheirTooltipsDesignTextsAndFonts)
{
    for (int i = 0; i < numero_campi; ++i) {
        const DatiCampo& dati = campi()[i];
        QLineEdit* campo = form.campo(i);
        EXPECT_EQ(campo->toolTip(), QString::fromUtf8(dati.tooltip)) << i;
        EXPECT_EQ(campo->text(), QString::fromUtf8(dati.testo)) << i;
        EXPECT_EQ(campo->font().bold(), dati.grassetto) << i;
        EXPECT_EQ(campo->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter) << i;
    }
    EXPECT_TRUE(form.campo(7)->font().bold());
    EXPECT_FALSE(form.campo(0)->font().bold());
}

TEST_F(Finestra, LockedFieldsRefuseTypingButStillTakeTheFocus)
{
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    for (int i = 0; i < numero_campi; ++i) {
        QLineEdit* campo = form.campo(i);
        EXPECT_EQ(campo->isReadOnly(), campi()[i].bloccato) << i;
        EXPECT_EQ(campo->focusPolicy() & Qt::StrongFocus, Qt::StrongFocus) << i;
        QTest::mouseClick(campo, Qt::LeftButton);
        EXPECT_TRUE(campo->hasFocus()) << i;
    }
    // Typing into a locked result leaves it unchanged; an input takes the keys.
    form.campo(20)->setFocus();
    QTest::keyClicks(form.campo(20), QStringLiteral("12"));
    EXPECT_EQ(form.campo(20)->text(), QStringLiteral("900"));
    form.campo(13)->selectAll();
    QTest::keyClicks(form.campo(13), QStringLiteral("12"));
    EXPECT_EQ(form.campo(13)->text(), QStringLiteral("12"));
}

TEST_F(Finestra, TogglesStartTopAndBottomSupportedWithMatchingEdges)
{
    const std::array<bool, 4> appoggiato = {true, false, true, false};
    const std::array<int, 4> linea = {3, 1, 4, 2};
    for (int i = 0; i < numero_vincoli; ++i) {
        QCheckBox* vincolo = form.check(i);
        EXPECT_EQ(vincolo->isChecked(), appoggiato[i]) << i;
        EXPECT_EQ(vincolo->text(), appoggiato[i] ? QStringLiteral("Appoggiato") : QStringLiteral("Libero")) << i;
        EXPECT_EQ(vincolo->toolTip(), QStringLiteral("Grado di vincolo del lato"));
        EXPECT_EQ(form.linea_di(i), form.linea(linea[i])) << i;
        EXPECT_EQ(form.linea_di(i)->larghezza(), appoggiato[i] ? 3 : 1) << i;
    }
}

TEST_F(Finestra, SketchLinesLieInThePanelFrameUnderItsControls)
{
    for (int n = 1; n <= numero_linee; ++n) {
        LineaWidget* linea = form.linea(n);
        EXPECT_EQ(linea->parentWidget(), form.frame(1)) << n;
        // Drawn on the frame's surface: every control of the frame stacks above it.
        const auto figli = form.frame(1)->children();
        EXPECT_LT(figli.indexOf(linea), figli.indexOf(form.check(0))) << n;
        EXPECT_LT(figli.indexOf(linea), figli.indexOf(form.campo(12))) << n;
    }
    EXPECT_EQ(form.linea(5)->colore(), QColor(192, 0, 0));
    EXPECT_EQ(form.linea(6)->colore(), QColor(192, 0, 0));
    EXPECT_EQ(form.linea(3)->da(), QPoint(form.pixel(1320), form.pixel(720)));
    EXPECT_EQ(form.linea(3)->a(), QPoint(form.pixel(3960), form.pixel(720)));
}

TEST_F(Finestra, EveryLabelShowsMarkupLiterally)
{
    // Captions may come from files: "<b>x</b>" must show its tags, not a bold x.
    const auto etichette = form.findChildren<QLabel*>();
    ASSERT_GE(etichette.size(), numero_label1 + 4);
    for (QLabel* etichetta : etichette) {
        etichetta->setText(QStringLiteral("x"));
        const int semplice = etichetta->sizeHint().width();
        etichetta->setText(QStringLiteral("<b>x</b>"));
        EXPECT_GT(etichetta->sizeHint().width(), 3 * semplice) << etichetta->objectName().toStdString();
        EXPECT_EQ(etichetta->text(), QStringLiteral("<b>x</b>"));
    }
}

TEST_F(Finestra, GreekCaptionsAreUnicodeLetters)
{
    EXPECT_EQ(form.label1(0)->text(), QString(QChar(0x03b1)));
    EXPECT_EQ(form.label1(23)->text(), QString(QChar(0x03b3)) + QLatin1Char(' '));
}

TEST_F(Finestra, ValueLabelsAreBorderedAndCentred)
{
    for (int i : indici_label2) {
        QLabel* valore = form.label2(i);
        EXPECT_NE(valore->frameShape(), QFrame::NoFrame) << i;
        EXPECT_EQ(valore->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter) << i;
    }
    EXPECT_EQ(form.label2(6)->text(), QStringLiteral("50"));
    EXPECT_EQ(form.label2(1)->toolTip(), QStringLiteral(" St * Ss"));
}

TEST_F(Finestra, SearchBoxIsAnEditLineOverAnAlwaysOpenList)
{
    QLineEdit* riga = form.combo1();
    QListWidget* elenco = form.combo1_list();
    ASSERT_NE(riga, nullptr);
    ASSERT_NE(elenco, nullptr);
    EXPECT_EQ(form.findChildren<QComboBox*>().size(), 0);
    EXPECT_EQ(riga->text(), QStringLiteral("Combo1"));
    EXPECT_EQ(riga->toolTip(), QString::fromUtf8("Ricerca coordinate delle località italiane"));
    EXPECT_EQ(elenco->count(), 0);
    EXPECT_FALSE(elenco->isHidden());
    // Together they fill the designed place, the list right under the line.
    EXPECT_EQ(riga->geometry().united(elenco->geometry()), form.rettangolo({120, 120, 3735, 960}));
    EXPECT_EQ(elenco->y(), riga->y() + riga->height());
}

TEST_F(Finestra, ControlsSitInTheirContainersAtTheirDesignPlaces)
{
    for (int i = 0; i < numero_campi; ++i) {
        EXPECT_EQ(form.campo(i)->parentWidget(), form.contenitore(campi()[i].dove)) << i;
        EXPECT_EQ(form.campo(i)->geometry(), form.rettangolo(campi()[i].pos)) << i;
    }
    for (int i = 0; i < numero_label1; ++i)
        EXPECT_EQ(form.label1(i)->parentWidget(), form.contenitore(etichette1()[i].dove)) << i;
    EXPECT_EQ(form.frame(2)->geometry(), QRect(264, 8, 409, 129));
    EXPECT_EQ(form.command(1)->geometry(), QRect(8, 240, 72, 27));
}

TEST_F(Finestra, SpanSymbolIsDrawnOverItsFormulaPicture)
{
    QLabel* campata = form.label1(8);
    FormulaWidget* image5 = form.image(5);
    ASSERT_EQ(campata->parentWidget(), image5->parentWidget());
    EXPECT_TRUE(image5->geometry().contains(campata->geometry()));
    EXPECT_EQ(form.frame(3)->childAt(campata->geometry().center()), campata);
}

TEST_F(Finestra, PanelFrameIsWhiteFromTheStart)
{
    EXPECT_EQ(background(form.frame(1)), QColor(Qt::white));
    EXPECT_NE(background(form.frame(2)), QColor(Qt::white));
}

TEST_F(Finestra, SpostaLeftMovesAControlInTwipsKeepingItsTop)
{
    QLabel* verdetto = form.label1(28);
    const int top = verdetto->y();
    form.sposta_left(verdetto, 3180 + 855 + 50 + 300);
    EXPECT_EQ(verdetto->x(), form.pixel(4385));
    EXPECT_EQ(verdetto->y(), top);
}
