// SPDX-License-Identifier: GPL-3.0-or-later
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

// Opened with the pointer on the field it serves, the editor sits just under the field, never
// over it; every converted value is whole in its row.
TEST_F(Editor, NeverCoversTheFieldItServesAndShowsEachValueWhole) {
    proprietario.setGeometry(50, 50, 400, 300);
    campo->setGeometry(20, 20, 60, 20);
    proprietario.show();
    const QRect sul_schermo(campo->mapToGlobal(QPoint(0, 0)), campo->size());
    QCursor::setPos(sul_schermo.center());
    auto f = apri("0.0008", "daN/cm3");
    EXPECT_FALSE(f->geometry().intersects(sul_schermo)) << f->geometry().y();
    EXPECT_EQ(f->pos().y(), sul_schermo.bottom() + 3);
    for (int i = 0; i < f->righe(); ++i)
        EXPECT_LE(f->riga(i)->fontMetrics().horizontalAdvance(f->riga(i)->text()) + 8,
                  f->riga(i)->width())
            << f->riga(i)->text().toStdString();
}

TEST_F(Editor, RowsCaptionsBoldRowSizeLookAndPlaceFollowTheFamilyAndThePointer) {
    QCursor::setPos(100, 120);
    auto f = apri("300", "cm");
    EXPECT_EQ(f->pos(), QPoint(100, 120));
    EXPECT_EQ(righe(*f, true), (QStringList{"cm", "m", "mm"}));
    EXPECT_EQ(righe(*f), (QStringList{"300", "3", "3000"}));
    EXPECT_EQ(grassetto(*f), std::vector<int>{0});
    auto g = apri("300", "kpa");  // any case; the rows in the order of the unit table
    EXPECT_EQ(righe(*g), (QStringList{"3", "0.03", "0.3", "3.0581", "300", "0.3"}));
    EXPECT_EQ(grassetto(*g), std::vector<int>{4});
    // 435 twips for the first row, 360 for each other, 2910 wide.
    EXPECT_EQ(f->size(),
              QSize(tv::app::twips_a_pixel(2910, kDpi), tv::app::twips_a_pixel(1155, kDpi)));
    EXPECT_EQ(g->height(), tv::app::twips_a_pixel(2235, kDpi));
    EXPECT_TRUE(f->windowFlags().testFlag(Qt::FramelessWindowHint) && f->isModal());
    EXPECT_EQ(f->palette().color(QPalette::Window),
              QToolTip::palette().color(QPalette::Inactive, QPalette::ToolTipBase));
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

TEST_F(Editor, RowsFollowTheTypedOneEnterWritesEvenFromAnnullaEscapeAnnullaNonNumbersDoNot) {
    // Field, unit, row typed in, its text, whether Annulla has the focus, the key (none: a click on
    // Annulla), the rows then, the field after. Enter closes accepting even on a non-number.
    using Caso =
        std::tuple<const char*, const char*, int, const char*, bool, int, QStringList, const char*>;
    const Caso casi[] = {
        {"300", "cm", 1, "2.5", false, Qt::Key_Return, {"250", "2.5", "2500"}, "250"},
        {"300", "cm", 2, "1234", true, Qt::Key_Enter, {"123.4", "1.234", "1234"}, "123.4"},
        {"300", "cm", 1, "2.5", false, Qt::Key_Escape, {"250", "2.5", "2500"}, "300"},
        {"300", "cm", 0, "7", true, 0, {"7", "0.07", "70"}, "300"},
        {"300", "cm", 0, "x", false, Qt::Key_Return, {"x", "3", "3000"}, "300"},
        {"abc", "cm", 0, "", false, Qt::Key_Escape, {"0", "0", "0"}, "abc"},
        {"0.00001", "mm", 0, "", false, Qt::Key_Escape, {"0", "0", "1E-05"}, "0.00001"},
        // A converted work row is written exactly, never as the five decimals it shows; a typed
        // one as typed.
        {"0.0018", "daN/cm3", 3, "9.81", false, Qt::Key_Return,
         {"0.00098", "981", "9810", "9.81", "1000", "1"}, "0.000981"},
        {"0.0018", "daN/cm3", 4, "9.81", false, Qt::Key_Return,
         {"1E-05", "9.62361", "96.2361", "0.09624", "9.81", "0.00981"}, "9.62361E-06"},
        {"300", "cm", 0, "2.50", false, Qt::Key_Return, {"2.50", "0.025", "25"}, "2.50"}};
    for (const auto& [testo, unita, riga, scritto, su_annulla, tasto, attese, atteso] : casi) {
        auto f = apri(testo, unita);
        scrivi(*f, riga, scritto);
        EXPECT_EQ(righe(*f), attese) << testo << " " << scritto;
        QWidget* w = su_annulla ? static_cast<QWidget*>(f->annulla()) : f->riga(riga);
        w->setFocus();
        if (tasto == 0)
            QTest::mouseClick(w, Qt::LeftButton);
        else
            QTest::keyClick(w, Qt::Key(tasto),
                            tasto == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        const bool annulla = tasto == 0 || tasto == Qt::Key_Escape;
        EXPECT_EQ(std::tuple(campo->text(), f->result()),
                  std::tuple(QString(atteso), annulla ? QDialog::Rejected : QDialog::Accepted))
            << testo << " " << scritto;
    }
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
