// The sketch line: what it paints for each width and colour, and that it lets clicks through.
#include "app/linea.h"

#include <QImage>

#include <gtest/gtest.h>

#include <ostream>

using namespace tv::app;

namespace {

struct Foglio {
    QWidget sfondo;
    LineaWidget* linea;

    Foglio(QPoint da, QPoint a, double scala = 1.0)
    {
        sfondo.resize(200, 100);
        sfondo.setAutoFillBackground(true);
        QPalette p = sfondo.palette();
        p.setColor(QPalette::Window, Qt::white);
        sfondo.setPalette(p);
        linea = new LineaWidget(da, a, scala, &sfondo);
    }

    // Painted rows in column x, or painted columns in row y.
    int righe_dipinte(int x)
    {
        const QImage immagine = sfondo.grab().toImage();
        int n = 0;
        for (int y = 0; y < immagine.height(); ++y)
            if (immagine.pixelColor(x, y) != QColor(Qt::white))
                ++n;
        return n;
    }
    int colonne_dipinte(int y)
    {
        const QImage immagine = sfondo.grab().toImage();
        int n = 0;
        for (int x = 0; x < immagine.width(); ++x)
            if (immagine.pixelColor(x, y) != QColor(Qt::white))
                ++n;
        return n;
    }
};

}  // namespace

struct CasoLarghezza {
    int larghezza;
    double scala;
    int pixel;
};

void PrintTo(const CasoLarghezza& c, std::ostream* os)
{
    *os << "width " << c.larghezza << " at scale " << c.scala;
}

class LineaLarghezza : public ::testing::TestWithParam<CasoLarghezza> {};

TEST_P(LineaLarghezza, PaintsAsManyPixelRowsAsItsWidth)
{
    Foglio foglio({20, 50}, {180, 50}, GetParam().scala);
    foglio.linea->imposta_larghezza(GetParam().larghezza);
    EXPECT_EQ(foglio.righe_dipinte(100), GetParam().pixel);
}

INSTANTIATE_TEST_SUITE_P(Widths, LineaLarghezza,
                         ::testing::Values(CasoLarghezza{1, 1.0, 1}, CasoLarghezza{3, 1.0, 3},
                                           CasoLarghezza{3, 2.0, 6}, CasoLarghezza{0, 1.0, 1},
                                           CasoLarghezza{1, 1.25, 1}));

TEST(Linea, NarrowingBackToOneRepaintsThin)
{
    Foglio foglio({100, 10}, {100, 90});
    foglio.linea->imposta_larghezza(3);
    EXPECT_EQ(foglio.colonne_dipinte(50), 3);
    foglio.linea->imposta_larghezza(1);
    EXPECT_EQ(foglio.linea->larghezza(), 1);
    EXPECT_EQ(foglio.colonne_dipinte(50), 1);
}

TEST(Linea, DrawsInItsColour)
{
    Foglio foglio({20, 50}, {180, 50});
    foglio.linea->imposta_colore(QColor(192, 0, 0));
    const QImage immagine = foglio.sfondo.grab().toImage();
    EXPECT_EQ(immagine.pixelColor(100, 50).rgb(), QColor(192, 0, 0).rgb());
    EXPECT_EQ(foglio.linea->colore(), QColor(192, 0, 0));
}

TEST(Linea, WideEdgeReachesTheCornerOfAThinOne)
{
    // Square caps: a 3-wide horizontal edge ending where a vertical edge starts covers the corner.
    Foglio foglio({20, 50}, {100, 50});
    foglio.linea->imposta_larghezza(3);
    const QImage immagine = foglio.sfondo.grab().toImage();
    EXPECT_NE(immagine.pixelColor(101, 49), QColor(Qt::white));
    EXPECT_NE(immagine.pixelColor(19, 51), QColor(Qt::white));
}

TEST(Linea, EndPointsAreReportedInTheParentsPixels)
{
    Foglio foglio({20, 50}, {180, 50});
    EXPECT_EQ(foglio.linea->da(), QPoint(20, 50));
    EXPECT_EQ(foglio.linea->a(), QPoint(180, 50));
    EXPECT_TRUE(foglio.linea->geometry().contains(QPoint(20, 50)));
}

TEST(Linea, ClicksGoThroughToWhatLiesUnderIt)
{
    Foglio foglio({20, 50}, {180, 50});
    EXPECT_EQ(foglio.sfondo.childAt(100, 50), nullptr);
}
