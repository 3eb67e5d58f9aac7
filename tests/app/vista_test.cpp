// The main window and its building blocks: the design table's layout, twips to pixels, what
// colours, sketch line and formula pictures paint, and the window as built.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <tuple>

#include "app/campi.h"
#include "app/colori.h"
#include "app/form1.h"
#include "app/formula.h"
#include "app/linea.h"
#include "app/twips.h"

using namespace tv::app;

namespace {

// How many pixels of `zona` (the whole picture when empty) satisfy `vale`.
int conta(const QImage& immagine, const std::function<bool(QColor)>& vale, QRect zona = {}) {
    if (zona.isNull()) zona = immagine.rect();
    int n = 0;
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x) n += vale(immagine.pixelColor(x, y));
    return n;
}

auto uguale(QColor c) {
    return [c](QColor p) { return p.rgb() == c.rgb(); };
}

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

TEST(Colori, WhatALabelAToggleAndAFieldPaintAndColoraTuttoSkipsTheButtons) {
    QWidget finestra;
    auto* cornice = new QGroupBox(QStringLiteral("Frame"), &finestra);
    auto* etichetta = new QLabel(QStringLiteral("MMMM"), cornice);
    auto* campo = new QLineEdit(QStringLiteral("MMMM"), &finestra);
    auto* vincolo = new QCheckBox(QStringLiteral("MMMM"), cornice);
    auto* pulsante = new QPushButton(QStringLiteral("COPIA"), &finestra);
    finestra.setFont(QFont(finestra.font().family(), 23));  // large enough to count the text
    const QColor faccia = pulsante->palette().color(QPalette::Button);
    for (QWidget* w : std::initializer_list<QWidget*>{etichetta, campo, vincolo}) {
        w->resize(200, 40);
        set_background(w, QColor(255, 255, 0));
        set_text_color(w, QColor(0, 128, 0));
        const QImage immagine = w->grab().toImage();
        EXPECT_TRUE(conta(immagine, uguale(QColor(255, 255, 0))) > 1000 &&
                    conta(immagine, uguale(QColor(0, 128, 0))) > 20)
            << w->metaObject()->className();
    }
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

TEST(Linea, PaintsItsWidthTimesTheScaleInItsColourWithSquareCapsAndLetsClicksThrough) {
    // Width, scale, pixels across; narrowing from 3 must repaint thin.
    for (const auto& [larghezza, scala, pixel] : {std::tuple{3, 2.0, 6}, std::tuple{0, 1.0, 1}}) {
        QWidget foglio;
        foglio.resize(200, 100);
        auto* linea = new LineaWidget({20, 50}, {100, 50}, scala, &foglio);
        linea->imposta_larghezza(3);
        linea->imposta_larghezza(larghezza);
        linea->imposta_colore(QColor(192, 0, 0));
        const QImage immagine = foglio.grab().toImage();
        EXPECT_EQ(conta(immagine, uguale(QColor(192, 0, 0)), QRect(60, 0, 1, 100)), pixel);
        // A wide edge ending where another starts covers the corner.
        EXPECT_EQ(immagine.pixelColor(101, 49) == QColor(192, 0, 0), pixel > 1) << larghezza;
        EXPECT_EQ(foglio.childAt(60, 50), nullptr);
    }
}

TEST(Formula, EveryPictureIsAnSvgOfItsDesignedSizePaintingInkOverAClearGround) {
    // Pictures overlap inside the EC6 frame: a picture must not blank out its neighbour.
    registra_formule();
    for (const DatiImmagine& d : immagini()) {
        QWidget sotto;
        sotto.resize(d.pixel_larghezza, d.pixel_altezza);
        auto* formula = new FormulaWidget(QString::fromUtf8(d.risorsa), &sotto);
        formula->setGeometry(sotto.rect());
        EXPECT_EQ(formula->dimensione_disegno(), sotto.size()) << d.risorsa;
        const QImage immagine = sotto.grab().toImage();
        EXPECT_EQ(immagine.pixelColor(0, 0), sotto.palette().color(QPalette::Window)) << d.risorsa;
        EXPECT_GT(conta(immagine, [](QColor p) { return qGray(p.rgb()) < 100; }), 20) << d.risorsa;
    }
    EXPECT_FALSE(FormulaWidget(QStringLiteral(":/formule/non_esiste.svg")).valida());
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
    Form1 form(96.0);
    QLineEdit* riga = form.combo1();
    EXPECT_EQ(form.findChildren<QComboBox*>(),  // not Combo1
              (QList<QComboBox*>{form.combo2(), form.combo_datum()}));
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
