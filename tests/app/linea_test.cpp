// The sketch line: what it paints for each width and colour, and that it lets clicks through.
#include "app/linea.h"

#include <gtest/gtest.h>

#include <QImage>

#include <tuple>

using namespace tv::app;

namespace {

// A white sheet with one line on it.
struct Foglio {
    QWidget sfondo;
    LineaWidget* linea;

    Foglio(QPoint da, QPoint a, double scala = 1.0) {
        sfondo.resize(200, 100);
        sfondo.setAutoFillBackground(true);
        QPalette p = sfondo.palette();
        p.setColor(QPalette::Window, Qt::white);
        sfondo.setPalette(p);
        linea = new LineaWidget(da, a, scala, &sfondo);
    }

    // Painted pixels in column x (or in row y when `riga`).
    int dipinti(int n, bool riga = false) {
        const QImage immagine = sfondo.grab().toImage();
        int conta = 0;
        for (int k = 0; k < (riga ? immagine.width() : immagine.height()); ++k)
            conta +=
                (riga ? immagine.pixelColor(k, n) : immagine.pixelColor(n, k)) != QColor(Qt::white);
        return conta;
    }
};

}  // namespace

TEST(Linea, PaintsAsManyPixelRowsAsItsWidthTimesTheScale) {
    for (const auto& [larghezza, scala, pixel] : {std::tuple{1, 1.0, 1}, std::tuple{3, 1.0, 3},
                                                  std::tuple{3, 2.0, 6}, std::tuple{0, 1.0, 1}}) {
        Foglio foglio({20, 50}, {180, 50}, scala);
        foglio.linea->imposta_larghezza(larghezza);
        EXPECT_EQ(foglio.dipinti(100), pixel) << larghezza << " at " << scala;
    }
}

TEST(Linea, NarrowingBackToOneRepaintsThin) {
    Foglio foglio({100, 10}, {100, 90});
    foglio.linea->imposta_larghezza(3);
    EXPECT_EQ(foglio.dipinti(50, true), 3);
    foglio.linea->imposta_larghezza(1);
    EXPECT_EQ(foglio.dipinti(50, true), 1);
}

TEST(Linea, DrawsInItsColourWithSquareCapsAndLetsClicksThrough) {
    // A 3-wide horizontal edge ending where a vertical edge starts covers the corner.
    Foglio foglio({20, 50}, {100, 50});
    foglio.linea->imposta_larghezza(3);
    foglio.linea->imposta_colore(QColor(192, 0, 0));
    const QImage immagine = foglio.sfondo.grab().toImage();
    EXPECT_EQ(immagine.pixelColor(60, 50).rgb(), QColor(192, 0, 0).rgb());
    EXPECT_NE(immagine.pixelColor(101, 49), QColor(Qt::white));
    EXPECT_NE(immagine.pixelColor(19, 51), QColor(Qt::white));
    EXPECT_EQ(foglio.linea->a(), QPoint(100, 50));
    EXPECT_EQ(foglio.sfondo.childAt(60, 50), nullptr);
}
