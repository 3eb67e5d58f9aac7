// Formula pictures: every resource loads at its designed size and paints ink on a clear ground.
#include "app/formula.h"

#include <gtest/gtest.h>

#include <QImage>

#include "app/campi.h"

using namespace tv::app;

namespace {

// A picture over a magenta ground: how many dark pixels it leaves there, and whether the corner
// still shows the ground.
int pixel_scuri(const char* risorsa, QSize dimensione, bool& fondo_visibile) {
    QWidget sotto;
    sotto.resize(dimensione);
    sotto.setAutoFillBackground(true);
    QPalette p = sotto.palette();
    p.setColor(QPalette::Window, QColor(255, 0, 255));
    sotto.setPalette(p);
    auto* formula = new FormulaWidget(QString::fromUtf8(risorsa), &sotto);
    formula->setGeometry(sotto.rect());
    const QImage immagine = sotto.grab().toImage();
    fondo_visibile = immagine.pixelColor(0, 0) == QColor(255, 0, 255);
    int n = 0;
    for (int y = 0; y < immagine.height(); ++y)
        for (int x = 0; x < immagine.width(); ++x) n += qGray(immagine.pixel(x, y)) < 100;
    return n;
}

}  // namespace

TEST(Formula, EveryPictureIsAnSvgOfItsDesignedSizePaintingInkOverAClearGround) {
    // Pictures overlap inside the EC6 frame: a picture must not blank out its neighbour.
    registra_formule();
    for (const DatiImmagine& dati : immagini()) {
        FormulaWidget formula(QString::fromUtf8(dati.risorsa));
        ASSERT_TRUE(formula.valida()) << dati.risorsa;
        const QSize dimensione(dati.pixel_larghezza, dati.pixel_altezza);
        EXPECT_EQ(formula.dimensione_disegno(), dimensione) << dati.risorsa;
        bool fondo = false;
        EXPECT_GT(pixel_scuri(dati.risorsa, dimensione, fondo), 20) << dati.risorsa;
        EXPECT_TRUE(fondo) << dati.risorsa;
    }
}

TEST(Formula, MissingResourceIsInvalidAndPaintsNothing) {
    EXPECT_FALSE(FormulaWidget(QStringLiteral(":/formule/non_esiste.svg")).valida());
    bool fondo = false;
    EXPECT_EQ(pixel_scuri(":/formule/non_esiste.svg", QSize(40, 20), fondo), 0);
    EXPECT_TRUE(fondo);
}
