// The flat frame: exactly its own background inside, an etched border and its caption on top.
#include "app/cornice.h"

#include "app/colori.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace tv::app;

namespace {

int pixel_scuri(const QImage& immagine, const QRect& zona)
{
    int n = 0;
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x)
            if (qGray(immagine.pixel(x, y)) < 128)
                ++n;
    return n;
}

int pixel_non_bianchi(const QImage& immagine, const QRect& zona)
{
    int n = 0;
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x)
            if (immagine.pixelColor(x, y) != QColor(Qt::white))
                ++n;
    return n;
}

}  // namespace

TEST(Cornice, FillsItsInsideWithExactlyItsColour)
{
    // The white panel frame must match the white controls placed on it.
    CorniceWidget cornice(QStringLiteral("DATI"));
    cornice.resize(120, 80);
    set_background(&cornice, Qt::white);
    const QImage immagine = cornice.grab().toImage();
    EXPECT_EQ(immagine.pixelColor(60, 50).rgb(), QColor(Qt::white).rgb());
    EXPECT_EQ(immagine.pixelColor(5, 40).rgb(), QColor(Qt::white).rgb());
}

TEST(Cornice, DrawsItsBorderAndCaptionInThePaletteColours)
{
    CorniceWidget cornice(QStringLiteral("EC8 - 4.3.5.2"));
    cornice.resize(200, 80);
    set_background(&cornice, Qt::white);
    set_text_color(&cornice, Qt::black);
    const QImage immagine = cornice.grab().toImage();
    const int alto = cornice.fontMetrics().height();
    // Caption near the top-left corner, nothing dark in the middle, the border at the bottom.
    EXPECT_GT(pixel_scuri(immagine, QRect(0, 0, 120, alto)), 30);
    EXPECT_EQ(pixel_scuri(immagine, QRect(20, alto + 5, 160, 40)), 0);
    EXPECT_GT(pixel_non_bianchi(immagine, QRect(100, 75, 1, 5)), 0);
    EXPECT_GT(pixel_non_bianchi(immagine, QRect(0, 60, 3, 1)), 0);
}

TEST(Cornice, WithoutACaptionTheTopEdgeRunsAcross)
{
    CorniceWidget cornice(QString{});
    cornice.resize(100, 60);
    set_background(&cornice, Qt::white);
    const QImage immagine = cornice.grab().toImage();
    const int bordo = cornice.fontMetrics().height() / 2;
    EXPECT_GT(pixel_non_bianchi(immagine, QRect(30, bordo - 1, 1, 3)), 0);
}
