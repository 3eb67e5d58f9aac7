// The window's building blocks checked on what they paint: twips to pixels, colours, the
// flat frame, the sketch line and the formula pictures.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>
#include <tuple>

#include "app/campi.h"
#include "app/colori.h"
#include "app/cornice.h"
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
const auto non_bianco = [](QColor p) { return p != QColor(Qt::white); };
const auto scuro = [](QColor p) { return qGray(p.rgb()) < 128; };

// A sheet of colour `fondo` as large as `dimensione`.
void fondo(QWidget& w, QSize dimensione, QColor colore) {
    w.resize(dimensione);
    w.setAutoFillBackground(true);
    QPalette p = w.palette();
    p.setColor(QPalette::Window, colore);
    w.setPalette(p);
}

}  // namespace

TEST(Twips, RoundHalvesAwayFromZeroAndConvertOffsetsAndSizesSeparately) {
    for (const auto& [twips, dpi, pixel] :
         {std::tuple{1440, 120, 120}, std::tuple{7, 96, 0}, std::tuple{8, 96, 1},
          std::tuple{10185, 96, 679}, std::tuple{15, 48, 1}, std::tuple{-15, 48, -1}})
        EXPECT_EQ(twips_a_pixel(twips, dpi), pixel) << twips << " at " << dpi;
    // 855 twips = 71.25 px at 120 dpi: equal design widths stay equal wherever their edges fall.
    const Posizione a = posizione_in_pixel({1200, 1200, 855, 315}, 120);
    const Posizione b = posizione_in_pixel({3000, 1500, 855, 315}, 120);
    EXPECT_EQ(std::tuple(a.left, b.top, a.width, b.width, b.height),
              std::tuple(100, 125, 71, 71, 26));
}

TEST(Colori, BackgroundAndTextColourAreWhatALabelAToggleAndAFieldPaint) {
    QLabel etichetta(QStringLiteral("MMMM"));
    QLineEdit campo(QStringLiteral("MMMM"));
    QCheckBox vincolo(QStringLiteral("MMMM"));
    for (QWidget* w : std::initializer_list<QWidget*>{&etichetta, &campo, &vincolo}) {
        QFont grande = w->font();
        grande.setPixelSize(30);
        w->setFont(grande);
        w->resize(200, 40);
        set_background(w, QColor(255, 255, 0));
        set_text_color(w, QColor(0, 128, 0));
        EXPECT_EQ(background(w), QColor(255, 255, 0));
        EXPECT_EQ(text_color(w), QColor(0, 128, 0));
        const QImage immagine = w->grab().toImage();
        EXPECT_GT(conta(immagine, uguale(QColor(255, 255, 0))), 1000)
            << w->metaObject()->className();
        EXPECT_GT(conta(immagine, uguale(QColor(0, 128, 0))), 20) << w->metaObject()->className();
    }
}

TEST(Colori, ColoraTuttoPaintsEveryControlThatHasColoursButNotTheButtons) {
    QWidget finestra;
    auto* cornice = new QGroupBox(QStringLiteral("Frame"), &finestra);
    auto* etichetta = new QLabel(QStringLiteral("x"), cornice);
    auto* campo = new QLineEdit(&finestra);
    auto* vincolo = new QCheckBox(cornice);
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

TEST(Cornice, FillsItsInsideWithItsColourAndDrawsBorderAndCaption) {
    // The white panel frame must match the white controls placed on it.
    CorniceWidget cornice(QStringLiteral("EC8 - 4.3.5.2"));
    cornice.resize(200, 80);
    set_background(&cornice, Qt::white);
    set_text_color(&cornice, Qt::black);
    const QImage immagine = cornice.grab().toImage();
    const int alto = cornice.fontMetrics().height();
    EXPECT_EQ(conta(immagine, non_bianco, QRect(5, alto + 5, 190, 40)), 0);
    EXPECT_GT(conta(immagine, scuro, QRect(0, 0, 120, alto)), 30);  // the caption
    EXPECT_GT(conta(immagine, non_bianco, QRect(100, 75, 1, 5)), 0);
    EXPECT_GT(conta(immagine, non_bianco, QRect(0, 60, 3, 1)), 0);
    CorniceWidget senza(QString{});  // without a caption the top edge runs across
    senza.resize(100, 60);
    set_background(&senza, Qt::white);
    EXPECT_GT(conta(senza.grab().toImage(), non_bianco, QRect(30, alto / 2 - 1, 1, 3)), 0);
}

TEST(Linea, PaintsItsWidthTimesTheScaleInItsColourWithSquareCapsAndLetsClicksThrough) {
    for (const auto& [larghezza, scala, pixel] : {std::tuple{3, 1.0, 3}, std::tuple{1, 1.0, 1},
                                                  std::tuple{3, 2.0, 6}, std::tuple{0, 1.0, 1}}) {
        QWidget foglio;
        fondo(foglio, {200, 100}, Qt::white);
        auto* linea = new LineaWidget({20, 50}, {180, 50}, scala, &foglio);
        linea->imposta_larghezza(3);  // narrowing again repaints thin
        linea->imposta_larghezza(larghezza);
        EXPECT_EQ(conta(foglio.grab().toImage(), non_bianco, QRect(100, 0, 1, 100)), pixel)
            << larghezza << " at " << scala;
    }
    // A 3-wide horizontal edge ending where a vertical edge starts covers the corner.
    QWidget foglio;
    fondo(foglio, {200, 100}, Qt::white);
    auto* linea = new LineaWidget({20, 50}, {100, 50}, 1.0, &foglio);
    linea->imposta_larghezza(3);
    linea->imposta_colore(QColor(192, 0, 0));
    const QImage immagine = foglio.grab().toImage();
    EXPECT_EQ(immagine.pixelColor(60, 50).rgb(), QColor(192, 0, 0).rgb());
    EXPECT_NE(immagine.pixelColor(101, 49), QColor(Qt::white));
    EXPECT_NE(immagine.pixelColor(19, 51), QColor(Qt::white));
    EXPECT_EQ(foglio.childAt(60, 50), nullptr);
}

TEST(Formula, EveryPictureIsAnSvgOfItsDesignedSizePaintingInkOverAClearGround) {
    // Pictures overlap inside the EC6 frame: a picture must not blank out its neighbour.
    registra_formule();
    std::vector<std::pair<const char*, QSize>> casi;
    for (const DatiImmagine& d : immagini())
        casi.push_back({d.risorsa, {d.pixel_larghezza, d.pixel_altezza}});
    casi.push_back({":/formule/non_esiste.svg", {40, 20}});
    for (std::size_t i = 0; i < casi.size(); ++i) {
        const auto& [risorsa, dimensione] = casi[i];
        const bool esiste = i + 1 < casi.size();
        QWidget sotto;
        fondo(sotto, dimensione, QColor(255, 0, 255));
        auto* formula = new FormulaWidget(QString::fromUtf8(risorsa), &sotto);
        formula->setGeometry(sotto.rect());
        EXPECT_EQ(formula->valida(), esiste) << risorsa;
        if (esiste) {
            EXPECT_EQ(formula->dimensione_disegno(), dimensione) << risorsa;
        }
        const QImage immagine = sotto.grab().toImage();
        EXPECT_EQ(immagine.pixelColor(0, 0), QColor(255, 0, 255)) << risorsa;
        const int inchiostro = conta(immagine, [](QColor p) { return qGray(p.rgb()) < 100; });
        EXPECT_TRUE(esiste ? inchiostro > 20 : inchiostro == 0) << risorsa << " " << inchiostro;
    }
}
