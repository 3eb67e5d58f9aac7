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
const tv::text::NumberFormat kPunto{".", ","};

// The texts of the rows (or, with `didascalie`, of their unit labels).
QStringList righe(const Fluttuante& f, bool didascalie = false) {
    QStringList out;
    for (int i = 0; i < f.righe(); ++i)
        out << (didascalie ? f.etichetta(i)->text() : f.riga(i)->text());
    return out;
}

// The rows in bold; each caption must be bold with its row.
std::vector<int> grassetto(const Fluttuante& f) {
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
    void SetUp() override { proprietario.show(); }

    // Builds the editor for the field holding `testo` in `unita` and shows it (its activation).
    std::unique_ptr<Fluttuante> apri(const QString& testo, const QString& unita,
                                     tv::text::NumberFormat formato = kPunto) {
        campo->setText(testo);
        auto f = std::make_unique<Fluttuante>(campo, unita, 9.81, formato, kDpi, &proprietario);
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
    QLineEdit* campo = new QLineEdit(&proprietario);
};

TEST_F(Editor, RowsCaptionsBoldRowSizeLookAndPlaceFollowTheFamilyAndThePointer) {
    QCursor::setPos(100, 120);
    auto f = apri("300", "cm");
    EXPECT_EQ(f->pos(), QPoint(100, 120));
    EXPECT_EQ(righe(*f, true), (QStringList{"cm", "m", "mm"}));
    EXPECT_EQ(righe(*f), (QStringList{"300", "3", "3000"}));
    EXPECT_EQ(grassetto(*f), std::vector<int>{0});
    auto g = apri("300", "kpa");  // any case
    EXPECT_EQ(righe(*g, true),
              (QStringList{"daN/cm2", "daN/mm2", "N/mm2", "kgf/cm2", "KPa", "MPa"}));
    EXPECT_EQ(righe(*g), (QStringList{"3", "0.03", "0.3", "3.0581", "300", "0.3"}));
    EXPECT_EQ(grassetto(*g), std::vector<int>{4});
    for (const auto& [editor, n] : {std::pair{f.get(), 3}, std::pair{g.get(), 6}}) {
        EXPECT_EQ(editor->height(), tv::app::twips_a_pixel(435 + 360 * (n - 1), kDpi));
        EXPECT_EQ(editor->width(), tv::app::twips_a_pixel(2565, kDpi));
    }
    EXPECT_TRUE(f->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(f->isModal());
    EXPECT_EQ(f->palette().color(QPalette::Window),
              QToolTip::palette().color(QPalette::Inactive, QPalette::ToolTipBase));
    scrivi(*g, 5, "0.5");
    QTest::keyClick(g->riga(5), Qt::Key_Return);
    EXPECT_EQ(campo->text(), "500");  // written from the row with the field's factor
    scrivi(*f, 1, "2.5");
    QEvent attiva(QEvent::WindowActivate);  // only the first showing fills the rows
    QCoreApplication::sendEvent(f.get(), &attiva);
    f->hide();
    f->show();
    EXPECT_EQ(righe(*f), (QStringList{"250", "2.5", "2500"}));
    const QRect schermo = QGuiApplication::primaryScreen()->availableGeometry();
    QCursor::setPos(schermo.right() - 5, schermo.bottom() - 5);
    EXPECT_EQ(apri("300", "cm")->frameGeometry().bottomRight(), schermo.bottomRight());
}

TEST_F(Editor, EnterWritesTheRowsValueEvenFromAnnullaEscapeAnnullaAndNonNumbersDoNot) {
    // Row, its new text, whether Annulla has the focus, the key (none: a click on Annulla), field.
    const std::tuple<int, const char*, bool, int, const char*> casi[] = {
        {1, "2.5", false, Qt::Key_Return, "250"},
        {2, "1234", true, Qt::Key_Enter, "123.4"},
        {1, "2.5", false, Qt::Key_Escape, "300"},
        {0, "7", true, 0, "300"},
        {0, "x", false, Qt::Key_Return, "300"}};
    for (const auto& [riga, testo, su_annulla, tasto, atteso] : casi) {
        auto f = apri("300", "cm");
        scrivi(*f, riga, testo);
        QWidget* w = su_annulla ? static_cast<QWidget*>(f->annulla()) : f->riga(riga);
        w->setFocus();
        if (tasto == 0)
            QTest::mouseClick(w, Qt::LeftButton);
        else
            QTest::keyClick(w, Qt::Key(tasto),
                            tasto == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        EXPECT_EQ(campo->text(), atteso) << testo;
        if (tasto != Qt::Key_Return || riga != 0) {  // a non-number closes too, writing nothing
            EXPECT_EQ(f->result(), QString(atteso) == "300" ? QDialog::Rejected : QDialog::Accepted)
                << testo;
        }
    }
    auto n = apri("300", "cm");
    scrivi(*n, 1, "abc");
    EXPECT_EQ(righe(*n), (QStringList{"300", "abc", "3000"}));
    EXPECT_EQ(righe(*apri("abc", "cm")), (QStringList{"0", "0", "0"}));
    EXPECT_EQ(righe(*apri("0.00001", "mm")), (QStringList{"0", "0", "1E-05"}));
    // A unit in no family closes at once, on exec or on its activation, leaving the field.
    Fluttuante p(campo, "pollici", 9.81, kPunto, kDpi, &proprietario);
    EXPECT_EQ(std::tuple(p.etichetta(0)->text(), p.exec()),
              std::tuple("pollici", int{QDialog::Rejected}));
    auto v = apri("12", "");
    QCoreApplication::processEvents();
    EXPECT_EQ(std::tuple(v->isVisible(), campo->text()), std::tuple(false, "12"));
}

TEST_F(Editor, ConfirmingWithoutTypingLeavesTheValueExactlyAsItWasAlsoUnderDecimalCommas) {
    // kN/m3: the t/m3 row holds 1.83486; no row may be converted back from it.
    auto f = apri("18", "kN/m3");
    EXPECT_EQ(righe(*f), (QStringList{"0.0018", "1800", "18000", "18", "1834.86239", "1.83486"}));
    EXPECT_EQ(grassetto(*f), std::vector<int>{3});
    QTest::keyClick(f->riga(0), Qt::Key_Return);
    EXPECT_EQ(campo->text(), "18");
    auto g = apri("8.0", "kN/m3");  // a text in a form of its own stays character for character
    QTest::mouseClick(g->ok(), Qt::LeftButton);
    EXPECT_EQ(campo->text(), "8.0");
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));  // a decimal-comma locale
    auto c = apri("0,12", "m", {",", "."});
    EXPECT_EQ(righe(*c), (QStringList{"12", "0,12", "120"}));
    scrivi(*c, 0, "2,5");
    EXPECT_EQ(righe(*c), (QStringList{"2,5", "0,025", "25"}));
    QTest::keyClick(c->riga(0), Qt::Key_Return);
    EXPECT_EQ(campo->text(), "0,025");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

}  // namespace
