// The flat frame: exactly its own background inside, an etched border and its caption on top.
#include "app/cornice.h"

#include <gtest/gtest.h>

#include <QImage>

#include "app/colori.h"

using namespace tv::app;

namespace {

// Pixels of the zone darker than mid grey (or, with `bianco`, of any colour but white).
int pixel(const QImage& immagine, const QRect& zona, bool bianco = false) {
    int n = 0;
    for (int y = zona.top(); y <= zona.bottom(); ++y)
        for (int x = zona.left(); x <= zona.right(); ++x)
            n += bianco ? immagine.pixelColor(x, y) != QColor(Qt::white)
                        : qGray(immagine.pixel(x, y)) < 128;
    return n;
}

}  // namespace

TEST(Cornice, FillsItsInsideWithItsColourAndDrawsBorderAndCaption) {
    // The white panel frame must match the white controls placed on it.
    CorniceWidget cornice(QStringLiteral("EC8 - 4.3.5.2"));
    cornice.resize(200, 80);
    set_background(&cornice, Qt::white);
    set_text_color(&cornice, Qt::black);
    const QImage immagine = cornice.grab().toImage();
    const int alto = cornice.fontMetrics().height();
    EXPECT_EQ(immagine.pixelColor(100, 50).rgb(), QColor(Qt::white).rgb());
    EXPECT_EQ(immagine.pixelColor(5, 40).rgb(), QColor(Qt::white).rgb());
    // Caption near the top-left corner, nothing dark in the middle, the border at the bottom.
    EXPECT_GT(pixel(immagine, QRect(0, 0, 120, alto)), 30);
    EXPECT_EQ(pixel(immagine, QRect(20, alto + 5, 160, 40)), 0);
    EXPECT_GT(pixel(immagine, QRect(100, 75, 1, 5), true), 0);
    EXPECT_GT(pixel(immagine, QRect(0, 60, 3, 1), true), 0);
}

TEST(Cornice, WithoutACaptionTheTopEdgeRunsAcross) {
    CorniceWidget cornice(QString{});
    cornice.resize(100, 60);
    set_background(&cornice, Qt::white);
    const QImage immagine = cornice.grab().toImage();
    EXPECT_GT(pixel(immagine, QRect(30, cornice.fontMetrics().height() / 2 - 1, 1, 3), true), 0);
}
