// Formula pictures: every resource loads at its designed size and paints ink on a clear ground.
#include "app/campi.h"
#include "app/formula.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace tv::app;

namespace {

int pixel_scuri(const QImage& immagine)
{
    int n = 0;
    for (int y = 0; y < immagine.height(); ++y)
        for (int x = 0; x < immagine.width(); ++x)
            if (qGray(immagine.pixel(x, y)) < 100)
                ++n;
    return n;
}

}  // namespace

class Formula : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override { registra_formule(); }
    const DatiImmagine& dati() const { return immagini()[static_cast<std::size_t>(GetParam())]; }
};

TEST_P(Formula, ResourceIsAnSvgOfTheDesignedPictureSize)
{
    FormulaWidget formula(QString::fromUtf8(dati().risorsa));
    ASSERT_TRUE(formula.valida()) << dati().risorsa;
    EXPECT_EQ(formula.dimensione_disegno(), QSize(dati().pixel_larghezza, dati().pixel_altezza));
}

TEST_P(Formula, PaintsTypesetInkOverATransparentGround)
{
    // Pictures overlap inside the EC6 frame: a picture must not blank out its neighbour.
    QWidget sotto;
    sotto.resize(dati().pixel_larghezza, dati().pixel_altezza);
    sotto.setAutoFillBackground(true);
    QPalette p = sotto.palette();
    p.setColor(QPalette::Window, QColor(255, 0, 255));
    sotto.setPalette(p);
    auto* formula = new FormulaWidget(QString::fromUtf8(dati().risorsa), &sotto);
    formula->setGeometry(sotto.rect());
    const QImage immagine = sotto.grab().toImage();
    EXPECT_EQ(immagine.pixelColor(0, 0), QColor(255, 0, 255));
    EXPECT_GT(pixel_scuri(immagine), 20);
}

INSTANTIATE_TEST_SUITE_P(Images, Formula, ::testing::Range(0, numero_immagini),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return "Image" + std::to_string(info.param + 1);
                         });

TEST(FormulaMancante, IsInvalidAndPaintsNothing)
{
    QWidget sotto;
    sotto.resize(40, 20);
    sotto.setAutoFillBackground(true);
    QPalette p = sotto.palette();
    p.setColor(QPalette::Window, Qt::white);
    sotto.setPalette(p);
    auto* formula = new FormulaWidget(QStringLiteral(":/formule/non_esiste.svg"), &sotto);
    formula->setGeometry(sotto.rect());
    EXPECT_FALSE(formula->valida());
    EXPECT_EQ(pixel_scuri(sotto.grab().toImage()), 0);
}
