// Colours of single controls and of a whole window, checked on what the controls paint.
#include "app/colori.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

using namespace tv::app;

namespace {

// How many pixels of what the control paints have exactly this colour.
int pixel_di(QWidget& w, const QColor& colore) {
    const QImage immagine = w.grab().toImage();
    int n = 0;
    for (int y = 0; y < immagine.height(); ++y)
        for (int x = 0; x < immagine.width(); ++x)
            n += immagine.pixelColor(x, y).rgb() == colore.rgb();
    return n;
}

}  // namespace

TEST(Colori, BackgroundFillsALabelAToggleAndTheEditingAreaOfAField) {
    QLabel etichetta(QStringLiteral("x"));
    QCheckBox vincolo(QStringLiteral("x"));
    QLineEdit campo;
    for (QWidget* w : std::initializer_list<QWidget*>{&etichetta, &vincolo, &campo}) {
        w->resize(80, 24);
        set_background(w, QColor(255, 255, 0));
        EXPECT_EQ(background(w), QColor(255, 255, 0));
        EXPECT_GT(pixel_di(*w, QColor(255, 255, 0)), 60 * 16) << w->metaObject()->className();
    }
}

TEST(Colori, TextColourIsWhatTheTextIsDrawnIn) {
    QLabel etichetta(QStringLiteral("MMMM"));
    QLineEdit campo(QStringLiteral("MMMM"));
    QCheckBox vincolo(QStringLiteral("MMMM"));
    for (QWidget* w : std::initializer_list<QWidget*>{&etichetta, &campo, &vincolo}) {
        QFont grande = w->font();
        grande.setPixelSize(30);
        w->setFont(grande);
        w->resize(200, 40);
        set_background(w, Qt::white);
        set_text_color(w, QColor(0, 128, 0));
        EXPECT_EQ(text_color(w), QColor(0, 128, 0));
        EXPECT_GT(pixel_di(*w, QColor(0, 128, 0)), 20) << w->metaObject()->className();
    }
}

TEST(Colori, ColoraTuttoPaintsEveryControlThatHasColoursButNotTheButtons) {
    QWidget finestra;
    auto* cornice = new QGroupBox(QStringLiteral("Frame"), &finestra);
    auto* etichetta = new QLabel(QStringLiteral("x"), cornice);
    auto* campo = new QLineEdit(&finestra);
    auto* vincolo = new QCheckBox(QStringLiteral("Libero"), cornice);
    auto* elenco = new QListWidget(&finestra);
    auto* pulsante = new QPushButton(QStringLiteral("COPIA"), &finestra);
    set_background(campo, Qt::yellow);
    set_text_color(etichetta, Qt::red);
    const QColor faccia = pulsante->palette().color(QPalette::Button);

    colora_tutto(&finestra, Qt::white, Qt::black);

    for (QWidget* w :
         std::initializer_list<QWidget*>{&finestra, cornice, etichetta, campo, vincolo, elenco}) {
        EXPECT_EQ(background(w), QColor(Qt::white)) << w->metaObject()->className();
        EXPECT_EQ(text_color(w), QColor(Qt::black)) << w->metaObject()->className();
    }
    EXPECT_TRUE(etichetta->autoFillBackground());
    EXPECT_FALSE(ha_colori(pulsante));
    EXPECT_EQ(pulsante->palette().color(QPalette::Button), faccia);
}
