// SPDX-License-Identifier: GPL-3.0-or-later
// The main window and its building blocks: the design table's layout, twips to pixels, the
// colours, the formula pictures and the window as built.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <tuple>

#include "app/campi.h"
#include "app/colori.h"
#include "app/cornice_meccanismo.h"
#include "app/finestra.h"
#include "app/formula.h"
#include "app/cornice_scelte.h"
#include "app/linea.h"
#include "app/twips.h"

using namespace tv::app;

namespace {

bool si_sovrappongono(const Posizione& a, const Posizione& b, int tolleranza) {
    const int dx = std::min(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
    const int dy = std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
    return dx > tolleranza && dy > tolleranza;
}

bool dentro(const Posizione& p, Contenitore dove) {
    const Posizione c = dove == Contenitore::finestra
                            ? Posizione{0, 0, finestra().larghezza, finestra().altezza}
                            : frames()[static_cast<std::size_t>(dove) - 1].pos;
    return p.left >= 0 && p.top >= 0 && p.left + p.width <= c.width && p.top + p.height <= c.height;
}

struct Controllo {
    std::string nome;
    Contenitore dove;
    Posizione pos;
};

// Every control and frame that takes room on the window, except the sketch lines and pictures.
std::vector<Controllo> controlli() {
    std::vector<Controllo> t{{"Label3", etichetta3().dove, etichetta3().pos},
                             {"Combo1", Contenitore::finestra, ricerca().pos},
                             {"Combo2", scelta_formula().dove, scelta_formula().pos},
                             {"Label4", etichetta_fonte().dove, etichetta_fonte().pos}};
    const auto da = [&t](const char* nome, const auto& elenco) {  // Label2 by place in its list
        for (std::size_t i = 0; i < elenco.size(); ++i)
            t.push_back({nome + std::to_string(i), elenco[i].dove, elenco[i].pos});
    };
    da("Text1_", campi());
    da("Label1_", etichette1());
    da("Label2 #", etichette2());
    for (const auto& v : vincoli()) t.push_back({"a Check1", Contenitore::frame1, v.pos});
    for (const auto& p : pulsanti()) t.push_back({p.nome, Contenitore::finestra, p.pos});
    for (const auto& f : frames()) t.push_back({f.nome, Contenitore::finestra, f.pos});
    return t;
}

}  // namespace

TEST(Twips, RoundHalvesAwayFromZeroAndConvertOffsetsAndSizesSeparately) {
    EXPECT_EQ(std::tuple(twips_a_pixel(7, 96), twips_a_pixel(15, 48), twips_a_pixel(-15, 48)),
              std::tuple(0, 1, -1));
    // 855 twips = 71.25 px at 120 dpi: equal design widths stay equal wherever their edges fall.
    const Posizione a = posizione_in_pixel({1200, 1200, 855, 315}, 120);
    const Posizione b = posizione_in_pixel({3000, 1500, 855, 315}, 120);
    EXPECT_EQ(std::tuple(a.left, b.top, a.width, b.width, b.height),
              std::tuple(100, 125, 71, 71, 26));
}

TEST(Colori, ColoraTuttoPaintsEveryWidgetButTheButtons) {
    QWidget finestra;
    auto* cornice = new QGroupBox(QStringLiteral("Frame"), &finestra);
    auto* etichetta = new QLabel(QStringLiteral("MMMM"), cornice);
    auto* campo = new QLineEdit(QStringLiteral("MMMM"), &finestra);
    auto* vincolo = new QCheckBox(QStringLiteral("MMMM"), cornice);
    auto* pulsante = new QPushButton(QStringLiteral("COPIA"), &finestra);
    const QColor faccia = pulsante->palette().color(QPalette::Button);
    colora_tutto(&finestra, Qt::white, Qt::black);
    for (QWidget* w :
         std::initializer_list<QWidget*>{&finestra, cornice, etichetta, campo, vincolo})
        EXPECT_EQ(std::tuple(background(w), text_color(w)),
                  std::tuple(QColor(Qt::white), QColor(Qt::black)))
            << w->metaObject()->className();
    EXPECT_TRUE(etichetta->autoFillBackground());
    EXPECT_FALSE(ha_colori(pulsante));
    EXPECT_EQ(pulsante->palette().color(QPalette::Button), faccia);
}

TEST(Formula, EveryPictureIsAValidSvgOfItsDesignedSize) {
    registra_formule();
    for (const DatiImmagine& d : immagini()) {
        FormulaWidget formula(QString::fromUtf8(d.risorsa));
        formula.resize(d.pixel_larghezza, d.pixel_altezza);
        EXPECT_TRUE(formula.valida()) << d.risorsa;
        EXPECT_EQ(formula.dimensione_disegno(), QSize(d.pixel_larghezza, d.pixel_altezza))
            << d.risorsa;
    }
    EXPECT_FALSE(FormulaWidget(QStringLiteral(":/formule/non_esiste.svg")).valida());
}

TEST(Formula, EveryPictureIsLegibleAtItsDesignedSizeAndEachCaseIsSaidInTheTooltip) {
    // Drawn 1:1, a picture's text is 12 px (9 pt at 96 dpi) or more, its subscripts and
    // exponents 9.5 px or more.
    registra_formule();
    QStringList risorse;
    for (const DatiImmagine& d : immagini()) risorse << QString::fromUtf8(d.risorsa);
    for (const char* r : immagini_mensola) risorse << QString::fromUtf8(r);
    QStringList legende;
    for (const auto& f : tv::panel::kFormule) {
        risorse << QString::fromUtf8(immagine_formula(f.formula));
        legende << legenda_formula(f.formula);
    }
    const QRegularExpression corpo(QStringLiteral("font-size=\"([0-9.]+)\""));
    for (const QString& r : risorse) {
        QFile file(r);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << r.toStdString();
        double minimo = 1e9, massimo = 0;
        for (const auto& m : corpo.globalMatch(QString::fromUtf8(file.readAll()))) {
            minimo = std::min(minimo, m.captured(1).toDouble());
            massimo = std::max(massimo, m.captured(1).toDouble());
        }
        EXPECT_GE(minimo, 9.5) << r.toStdString();
        EXPECT_GE(massimo, 12.0) << r.toStdString();
    }
    // The cases the floor-spectrum picture leaves out are in its tooltip.
    EXPECT_EQ(legende.removeDuplicates(), 0);
    for (const char* caso : {"0,8", "1,6", "1,1", "1,2", "γ", "0,0004"})
        EXPECT_TRUE(legende[2].contains(QString::fromUtf8(caso))) << caso;
}

TEST(Layout, EveryControlFitsInsideItsContainerAndNoTwoOverlapNorCoverASketchLine) {
    // Rows of the site group are 300 apart with 315-high fields: the 15 twips (one pixel at
    // 96 dpi) where the borders meet are allowed.
    const auto tutti = controlli();
    for (std::size_t a = 0; a < tutti.size(); ++a) {
        EXPECT_TRUE(dentro(tutti[a].pos, tutti[a].dove)) << tutti[a].nome;
        for (std::size_t b = a + 1; b < tutti.size(); ++b)
            EXPECT_FALSE(tutti[a].dove == tutti[b].dove &&
                         si_sovrappongono(tutti[a].pos, tutti[b].pos, 15))
                << tutti[a].nome << " and " << tutti[b].nome;
        // A control over an edge would hide the width that shows the side's restraint; the margin
        // is half the widest pen each line can get (3 pixels for the edges, 1 for the dimensions).
        for (int k = 0; k < numero_linee && tutti[a].dove == Contenitore::frame1; ++k) {
            const DatiLinea& l = linee()[k];
            const int m = k < 4 ? 23 : 8;
            const Posizione tratto = {std::min(l.x1, l.x2) - m, std::min(l.y1, l.y2) - m,
                                      std::abs(l.x2 - l.x1) + 2 * m, std::abs(l.y2 - l.y1) + 2 * m};
            EXPECT_FALSE(si_sovrappongono(tutti[a].pos, tratto, 0))
                << tutti[a].nome << " over Line" << k + 1;
        }
    }
    for (const DatiImmagine& i : immagini()) {
        EXPECT_TRUE(dentro(i.pos, i.dove)) << i.risorsa;
        // The formula list sits beside Image1, never over a formula.
        EXPECT_FALSE(i.dove == scelta_formula().dove &&
                     si_sovrappongono(i.pos, scelta_formula().pos, 0))
            << i.risorsa;
    }
    for (const DatiVincolo& v : vincoli())  // the edge's width agrees with the toggle's state
        EXPECT_EQ(linee()[v.linea - 1].larghezza, v.appoggiato ? 3 : 1) << "Line" << v.linea;
}

TEST(Finestra, SearchBoxIsALineOverAListLockedFieldsRefuseTypingButTakeFocusLabelsArePlain) {
    FinestraPrincipale form(96.0);
    QLineEdit* riga = form.combo1();
    QList<QComboBox*> liste{form.meccanismo().tipo(), form.meccanismo().lc(),
                            form.meccanismo().analisi(), form.combo2(),
                            form.combo_datum()};
    for (Picker p : kPicker) liste.push_back(form.scelte().lista(p));
    liste.append({form.scelte().classe_esecuzione(), form.scelte().elementi(),
                  form.scelte().edificio(), form.scelte().elemento()});
    EXPECT_EQ(form.findChildren<QComboBox*>(), liste);  // not Combo1
    EXPECT_EQ(riga->geometry().united(form.combo1_list()->geometry()),
              form.rettangolo({120, 120, 3735, 960}));
    EXPECT_EQ(form.combo1_list()->y(), riga->y() + riga->height());
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    EXPECT_FALSE(form.combo1_list()->isHidden());
    for (int i = 0; i < numero_campi; ++i) {
        EXPECT_EQ(form.campo(i)->isReadOnly(), campi()[i].bloccato) << i;
        QTest::mouseClick(form.campo(i), Qt::LeftButton);
        EXPECT_TRUE(form.campo(i)->hasFocus()) << i;
    }
    // Captions may come from files: "<b>x</b>" must show its tags, not a bold x.
    ASSERT_GE(form.findChildren<QLabel*>().size(), numero_label1 + 4);
    for (QLabel* etichetta : form.findChildren<QLabel*>())
        EXPECT_EQ(etichetta->textFormat(), Qt::PlainText) << etichetta->objectName().toStdString();
}
// Ctrl++ and Ctrl+− zoom the window by tenths with its layout kept (every control, font and line
// scaled alike), between one half and three times; Ctrl+0 goes back to the design size exactly.
TEST(Finestra, CtrlPlusAndMinusZoomTheWindowKeepingItsLayout) {
    FinestraPrincipale f(96.0);
    f.show();
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    QLineEdit* campo = f.campo(13);
    const QRect prima = campo->geometry();
    const QSize finestra = f.size();
    const double punti = campo->font().pointSizeF();
    const QPoint da = f.linea(1)->da();
    for (int i = 0; i < 5; ++i) QTest::keyClick(&f, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(f.zoom(), 1.5);
    EXPECT_NEAR(campo->x(), prima.x() * 1.5, 1);
    EXPECT_NEAR(campo->width(), prima.width() * 1.5, 1);
    EXPECT_NEAR(f.width(), finestra.width() * 1.5, 1);
    EXPECT_DOUBLE_EQ(campo->font().pointSizeF(), punti * 1.5);
    EXPECT_NEAR(f.linea(1)->da().x(), da.x() * 1.5, 1);
    EXPECT_EQ(f.pixel(1440), 144);  // what the program places later lands where the zoom says
    QTest::keyClick(&f, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_DOUBLE_EQ(f.zoom(), 1.4);
    QTest::keyClick(&f, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(std::tuple(campo->geometry(), f.size(), campo->font().pointSizeF(), f.linea(1)->da()),
              std::tuple(prima, finestra, punti, da));
    f.imposta_zoom(9);
    EXPECT_DOUBLE_EQ(f.zoom(), 3.0);
    f.imposta_zoom(0.1);
    EXPECT_DOUBLE_EQ(f.zoom(), 0.5);
}

