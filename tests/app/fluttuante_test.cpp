// The floating editor on a stand-alone field: rows and captions per family, the bold row, the
// window's size and place, live conversion, Enter and Escape, and values that must not drift.
#include "app/fluttuante.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QToolTip>

#include "app/twips.h"

namespace {

using tv::app::Fluttuante;

constexpr double kDpi = 96.0;
constexpr double kG = 9.81;

const tv::text::NumberFormat kPunto{".", ","}, kVirgola{",", "."};

// The texts of the rows (or, with `didascalie`, of their unit labels).
QStringList righe(const Fluttuante& f, bool didascalie = false) {
    QStringList out;
    for (int i = 0; i < f.righe(); ++i)
        out << (didascalie ? f.etichetta(i)->text() : f.riga(i)->text());
    return out;
}

std::vector<int> righe_in_grassetto(const Fluttuante& f) {
    std::vector<int> out;
    for (int i = 0; i < f.righe(); ++i) {
        EXPECT_EQ(f.riga(i)->font().bold(), f.etichetta(i)->font().bold()) << "row " << i;
        if (f.riga(i)->font().bold()) out.push_back(i);
    }
    return out;
}

// A main window with one field, the owner of the editor.
class Editor : public ::testing::Test {
  protected:
    void SetUp() override {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        campo = new QLineEdit(&proprietario);
        proprietario.show();
    }
    void TearDown() override { QLocale::setDefault(QLocale::system()); }

    // Builds the editor for the field holding `testo` in `unita` and shows it (its activation).
    std::unique_ptr<Fluttuante> apri(const QString& testo, const QString& unita,
                                     tv::text::NumberFormat formato = kPunto, double g = kG) {
        campo->setText(testo);
        auto f =
            std::make_unique<Fluttuante>(campo, unita, g, std::move(formato), kDpi, &proprietario);
        f->show();
        return f;
    }

    // Replaces the text of row `i` as the user would: select all and type.
    static void scrivi(Fluttuante& f, int i, const QString& testo) {
        f.riga(i)->setFocus();
        f.riga(i)->selectAll();
        QTest::keyClicks(f.riga(i), testo);
    }

    QWidget proprietario;
    QLineEdit* campo = nullptr;
};

TEST_F(Editor, RowsCaptionsBoldRowAndHeightFollowTheFamily) {
    auto f = apri("300", "cm");
    EXPECT_EQ(righe(*f, true), (QStringList{"cm", "m", "mm"}));
    EXPECT_EQ(righe(*f), (QStringList{"300", "3", "3000"}));
    EXPECT_EQ(righe_in_grassetto(*f), std::vector<int>{0});
    auto g = apri("0.3", "N/mm2");
    EXPECT_EQ(righe(*g, true),
              (QStringList{"daN/cm2", "daN/mm2", "N/mm2", "kgf/cm2", "KPa", "MPa"}));
    EXPECT_EQ(righe(*g), (QStringList{"3", "0.03", "0.3", "3.0581", "300", "0.3"}));
    EXPECT_EQ(righe_in_grassetto(*g), std::vector<int>{2});
    for (const auto& [editor, n] : {std::pair{f.get(), 3}, std::pair{g.get(), 6}}) {
        EXPECT_EQ(editor->height(), tv::app::twips_a_pixel(435 + 360 * (n - 1), kDpi));
        EXPECT_EQ(editor->width(), tv::app::twips_a_pixel(2565, kDpi));
    }
}

TEST_F(Editor, IsAFramelessModalWindowOwnedByTheMainWindowInTheTooltipColour) {
    auto f = apri("300", "cm");
    EXPECT_TRUE(f->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(f->isModal());
    EXPECT_EQ(f->parentWidget(), &proprietario);
    EXPECT_EQ(f->palette().color(QPalette::Window),
              QToolTip::palette().color(QPalette::Inactive, QPalette::ToolTipBase));
}

TEST_F(Editor, OpensAtTheMousePointerAndStaysOnTheScreenNearItsEdge) {
    QCursor::setPos(100, 120);
    auto f = apri("300", "cm");
    EXPECT_EQ(f->cursore(), QPoint(100, 120));
    EXPECT_EQ(f->pos(), QPoint(100, 120));

    const QRect schermo = QGuiApplication::primaryScreen()->availableGeometry();
    QCursor::setPos(schermo.right() - 5, schermo.bottom() - 5);
    auto g = apri("300", "cm");
    EXPECT_TRUE(schermo.contains(g->frameGeometry())) << g->x() << "," << g->y();
    EXPECT_EQ(g->frameGeometry().right(), schermo.right());
    EXPECT_EQ(g->frameGeometry().bottom(), schermo.bottom());
}

TEST_F(Editor, TypingInTheMetreRowConvertsTheOthersAndEnterWritesTheCentimetres) {
    auto f = apri("300", "cm");
    scrivi(*f, 1, "2.5");
    EXPECT_EQ(righe(*f), (QStringList{"250", "2.5", "2500"}));
    QTest::keyClick(f->riga(1), Qt::Key_Return);
    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(campo->text(), "250");
}

TEST_F(Editor, EnterMeansOkEvenWhenAnnullaHasTheFocusAndTheKeypadEnterToo) {
    auto f = apri("300", "cm");
    scrivi(*f, 2, "1234");
    f->annulla()->setFocus();
    QTest::keyClick(f->annulla(), Qt::Key_Return);
    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_EQ(campo->text(), "123.4");

    auto g = apri("300", "cm");
    scrivi(*g, 1, "1");
    g->ok()->setFocus();
    QTest::keyClick(g->ok(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(campo->text(), "100");
}

TEST_F(Editor, EscapeAndAnnullaLeaveTheFieldAsItWas) {
    auto f = apri("300", "cm");
    scrivi(*f, 1, "2.5");
    QTest::keyClick(f->riga(1), Qt::Key_Escape);
    EXPECT_EQ(f->result(), QDialog::Rejected);
    EXPECT_FALSE(f->isVisible());
    EXPECT_EQ(campo->text(), "300");

    auto g = apri("300", "cm");
    scrivi(*g, 0, "7");
    QTest::mouseClick(g->annulla(), Qt::LeftButton);
    EXPECT_EQ(g->result(), QDialog::Rejected);
    EXPECT_EQ(campo->text(), "300");
}

TEST_F(Editor, KPaAsTheWorkUnitOpensTheStressFamilyWithThatRowBoldWhateverItsCase) {
    auto g = apri("300", "kpa");
    EXPECT_EQ(g->famiglia(), tv::units::Famiglia::tensione);
    EXPECT_EQ(righe_in_grassetto(*g), std::vector<int>{4});
    EXPECT_EQ(righe(*g), (QStringList{"3", "0.03", "0.3", "3.0581", "300", "0.3"}));
    scrivi(*g, 5, "0.5");
    QTest::keyClick(g->riga(5), Qt::Key_Return);
    EXPECT_EQ(campo->text(), "500");  // written from the row with the field's factor
}

TEST_F(Editor, AUnitInNoFamilyClosesAtOnceAndLeavesTheField) {
    campo->setText("12");
    Fluttuante f(campo, "pollici", kG, kPunto, kDpi, &proprietario);
    EXPECT_EQ(f.righe(), 1);
    EXPECT_EQ(f.etichetta(0)->text(), "pollici");
    EXPECT_EQ(f.exec(), QDialog::Rejected);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(campo->text(), "12");

    // Shown without exec, it closes on its activation.
    Fluttuante g(campo, "", kG, kPunto, kDpi, &proprietario);
    g.show();
    QCoreApplication::processEvents();
    EXPECT_FALSE(g.isVisible());
    EXPECT_EQ(g.result(), QDialog::Rejected);
    EXPECT_EQ(campo->text(), "12");
}

TEST_F(Editor, DecimalCommaLocaleReadsTheFieldAndWritesCommas) {
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    auto f = apri("0,12", "m", kVirgola);
    EXPECT_EQ(righe(*f), (QStringList{"12", "0,12", "120"}));
    scrivi(*f, 0, "2,5");
    EXPECT_EQ(righe(*f), (QStringList{"2,5", "0,025", "25"}));
    QTest::keyClick(f->riga(0), Qt::Key_Return);
    EXPECT_EQ(campo->text(), "0,025");
}

TEST_F(Editor, ConfirmingWithoutTypingLeavesTheValueExactlyAsItWas) {
    // kN/m3: the t/m3 row holds 1.83486; no row may be converted back from it.
    auto f = apri("18", "kN/m3");
    EXPECT_EQ(righe(*f), (QStringList{"0.0018", "1800", "18000", "18", "1834.86239", "1.83486"}));
    EXPECT_EQ(righe_in_grassetto(*f), std::vector<int>{3});
    QTest::keyClick(f->riga(0), Qt::Key_Return);
    EXPECT_EQ(f->result(), QDialog::Accepted);
    EXPECT_EQ(campo->text(), "18");

    // A text in a form of its own stays character for character.
    auto g = apri("8.0", "kN/m3");
    QTest::mouseClick(g->ok(), Qt::LeftButton);
    EXPECT_EQ(campo->text(), "8.0");
}

TEST_F(Editor, ARowThatIsNoNumberConvertsNothingAndIsNotWrittenBack) {
    auto f = apri("300", "cm");
    scrivi(*f, 1, "abc");
    EXPECT_EQ(righe(*f), (QStringList{"300", "abc", "3000"}));
    scrivi(*f, 0, "x");
    QTest::keyClick(f->riga(0), Qt::Key_Return);
    EXPECT_EQ(campo->text(), "300");
}

TEST_F(Editor, AFieldWithoutANumberOrRoundedAwayAtFiveDecimalsShowsZero) {
    EXPECT_EQ(righe(*apri("abc", "cm")), (QStringList{"0", "0", "0"}));
    EXPECT_EQ(righe(*apri("0.00001", "mm")), (QStringList{"0", "0", "1E-05"}));
}

TEST_F(Editor, ActivationIsTheFirstShowingOnlySoWhatWasTypedSurvivesReactivation) {
    auto f = apri("300", "cm");
    scrivi(*f, 1, "2.5");
    QEvent attiva(QEvent::WindowActivate);
    QCoreApplication::sendEvent(f.get(), &attiva);
    f->hide();
    f->show();
    EXPECT_EQ(righe(*f), (QStringList{"250", "2.5", "2500"}));
}

}  // namespace
