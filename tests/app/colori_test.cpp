// Colours of single controls and of a whole window, checked on what the controls paint.
#include "app/colori.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace tv::app;

namespace {

QImage disegno(QWidget& w) { return w.grab().toImage(); }

// How many pixels of the picture have exactly this colour.
int pixel_di(const QImage& immagine, const QColor& colore)
{
    int n = 0;
    for (int y = 0; y < immagine.height(); ++y)
        for (int x = 0; x < immagine.width(); ++x)
            if (immagine.pixelColor(x, y).rgb() == colore.rgb())
                ++n;
    return n;
}

}  // namespace

TEST(Colori, LabelBackgroundFillsTheWholeLabel)
{
    QWidget finestra;
    finestra.resize(100, 60);
    auto* etichetta = new QLabel(QStringLiteral("x"), &finestra);
    etichetta->setGeometry(10, 10, 60, 30);
    set_background(etichetta, QColor(255, 255, 0));
    const QImage immagine = disegno(*etichetta);
    EXPECT_EQ(immagine.pixelColor(1, 1).rgb(), QColor(255, 255, 0).rgb());
    EXPECT_EQ(immagine.pixelColor(58, 28).rgb(), QColor(255, 255, 0).rgb());
    EXPECT_EQ(background(etichetta), QColor(255, 255, 0));
}

TEST(Colori, TextFieldBackgroundColoursItsEditingArea)
{
    QLineEdit campo;
    campo.resize(80, 24);
    set_background(&campo, QColor(128, 255, 128));
    EXPECT_EQ(background(&campo), QColor(128, 255, 128));
    EXPECT_EQ(disegno(campo).pixelColor(40, 12).rgb(), QColor(128, 255, 128).rgb());
}

TEST(Colori, TextColourIsWhatTheTextIsDrawnIn)
{
    QLabel etichetta(QStringLiteral("MMMM"));
    QFont grande = etichetta.font();
    grande.setPixelSize(30);
    etichetta.setFont(grande);
    etichetta.resize(120, 40);
    set_background(&etichetta, Qt::white);
    set_text_color(&etichetta, QColor(255, 0, 0));
    EXPECT_EQ(text_color(&etichetta), QColor(255, 0, 0));
    EXPECT_GT(pixel_di(disegno(etichetta), QColor(255, 0, 0)), 20);

    QLineEdit campo(QStringLiteral("MMMM"));
    campo.setFont(grande);
    campo.resize(120, 40);
    set_text_color(&campo, QColor(0, 128, 0));
    EXPECT_EQ(text_color(&campo), QColor(0, 128, 0));
    EXPECT_GT(pixel_di(disegno(campo), QColor(0, 128, 0)), 20);
}

TEST(Colori, WhiteWindowKeepsItsButtonsAndFieldsAsTheyWere)
{
    QWidget finestra;
    auto* pulsante = new QPushButton(QStringLiteral("AGGIORNA"), &finestra);
    auto* campo = new QLineEdit(&finestra);
    const QColor faccia = pulsante->palette().color(QPalette::Button);
    set_background(campo, QColor(255, 128, 128));
    set_background(&finestra, Qt::white);
    EXPECT_EQ(pulsante->palette().color(QPalette::Button), faccia);
    EXPECT_EQ(background(campo), QColor(255, 128, 128));
}

TEST(Colori, ColoraTuttoPaintsEveryControlThatHasColoursButNotTheButtons)
{
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

    for (QWidget* w : std::initializer_list<QWidget*>{&finestra, cornice, etichetta, campo, vincolo, elenco}) {
        EXPECT_EQ(background(w), QColor(Qt::white)) << w->metaObject()->className();
        EXPECT_EQ(text_color(w), QColor(Qt::black)) << w->metaObject()->className();
    }
    EXPECT_TRUE(etichetta->autoFillBackground());
    EXPECT_FALSE(ha_colori(pulsante));
    EXPECT_EQ(pulsante->palette().color(QPalette::Button), faccia);
}

TEST(Colori, ToggleBackgroundAndCaptionAreDrawnInTheirColours)
{
    QCheckBox vincolo(QStringLiteral("MMMM"));
    QFont grande = vincolo.font();
    grande.setPixelSize(30);
    vincolo.setFont(grande);
    vincolo.resize(200, 40);
    set_background(&vincolo, QColor(255, 255, 0));
    set_text_color(&vincolo, QColor(255, 0, 0));
    const QImage immagine = disegno(vincolo);
    EXPECT_EQ(immagine.pixelColor(195, 2).rgb(), QColor(255, 255, 0).rgb());
    EXPECT_GT(pixel_di(immagine, QColor(255, 0, 0)), 20);
    EXPECT_EQ(background(&vincolo), QColor(255, 255, 0));
    EXPECT_EQ(text_color(&vincolo), QColor(255, 0, 0));
}
