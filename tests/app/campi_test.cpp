// The design table of the main window: field roles, captions, sketch geometry and a layout
// without collisions.
#include "app/campi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <set>
#include <string>
#include <vector>

using namespace tv::app;

namespace {

bool si_sovrappongono(const Posizione& a, const Posizione& b, int tolleranza)
{
    const int dx = std::min(a.left + a.width, b.left + b.width) - std::max(a.left, b.left);
    const int dy = std::min(a.top + a.height, b.top + b.height) - std::max(a.top, b.top);
    return dx > tolleranza && dy > tolleranza;
}

Posizione area(Contenitore dove)
{
    switch (dove) {
    case Contenitore::frame1:
        return {0, 0, frames()[0].pos.width, frames()[0].pos.height};
    case Contenitore::frame2:
        return {0, 0, frames()[1].pos.width, frames()[1].pos.height};
    case Contenitore::frame3:
        return {0, 0, frames()[2].pos.width, frames()[2].pos.height};
    case Contenitore::finestra:
        break;
    }
    return {0, 0, finestra().larghezza, finestra().altezza};
}

bool dentro(const Posizione& p, const Posizione& contenitore)
{
    return p.left >= contenitore.left && p.top >= contenitore.top &&
           p.left + p.width <= contenitore.left + contenitore.width &&
           p.top + p.height <= contenitore.top + contenitore.height;
}

std::set<int> indici_dove(bool (*prova)(const DatiCampo&))
{
    std::set<int> indici;
    for (int i = 0; i < numero_campi; ++i)
        if (prova(campi()[static_cast<std::size_t>(i)]))
            indici.insert(i);
    return indici;
}

struct Controllo {
    std::string nome;
    Contenitore dove;
    Posizione pos;
};

// Every control that takes room on the window, except the sketch lines and the pictures.
std::vector<Controllo> controlli()
{
    std::vector<Controllo> tutti;
    for (int i = 0; i < numero_campi; ++i)
        tutti.push_back({"Text1_" + std::to_string(i), campi()[i].dove, campi()[i].pos});
    for (int i = 0; i < numero_label1; ++i)
        tutti.push_back({"Label1_" + std::to_string(i), etichette1()[i].dove, etichette1()[i].pos});
    for (std::size_t i = 0; i < indici_label2.size(); ++i)
        tutti.push_back({"Label2_" + std::to_string(indici_label2[i]), etichette2()[i].dove, etichette2()[i].pos});
    tutti.push_back({"Label3", etichetta3().dove, etichetta3().pos});
    for (int i = 0; i < numero_vincoli; ++i)
        tutti.push_back({"Check1_" + std::to_string(i), Contenitore::frame1, vincoli()[i].pos});
    for (const auto& p : pulsanti())
        tutti.push_back({p.nome, Contenitore::finestra, p.pos});
    tutti.push_back({"Combo1", Contenitore::finestra, ricerca().pos});
    return tutti;
}

}  // namespace

TEST(Campi, SiteDataFieldsAndOnlyThoseAreBold)
{
    EXPECT_EQ(indici_dove([](const DatiCampo& c) { return c.grassetto; }),
              (std::set<int>{1, 3, 4, 5, 6, 7, 8, 9, 10}));
}

TEST(Campi, ResultFieldsAndOnlyThoseAreLocked)
{
    // Field 0 is a result too but stays typeable: the next check run overwrites it.
    EXPECT_EQ(indici_dove([](const DatiCampo& c) { return c.bloccato; }),
              (std::set<int>{2, 18, 19, 20, 21, 22, 24, 25, 26}));
}

TEST(Campi, SketchDimensionsAndCoefficientsAreNarrowerThanTheOtherFields)
{
    for (int i = 0; i < numero_campi; ++i) {
        const Posizione& p = campi()[i].pos;
        const int atteso = (i == 11 || i == 12) ? 615 : (i == 25 || i == 26) ? 735 : 855;
        EXPECT_EQ(p.width, atteso) << "field " << i;
        EXPECT_EQ(p.height, 315) << "field " << i;
    }
}

struct CasoTooltip {
    int indice;
    const char* tooltip;
};

void PrintTo(const CasoTooltip& c, std::ostream* os)
{
    *os << "field " << c.indice;
}

class TooltipCampo : public ::testing::TestWithParam<CasoTooltip> {};

TEST_P(TooltipCampo, KeepsTheTextExactlyAsDesigned)
{
    EXPECT_STREQ(campi()[GetParam().indice].tooltip, GetParam().tooltip);
}

// Accents, a trailing blank, a doubled letter and symbols that must survive as they are.
INSTANTIATE_TEST_SUITE_P(
    Tricky, TooltipCampo,
    ::testing::Values(CasoTooltip{0, "Rapporto a/g (a=accelerazione max, g=accelerazione di gravità) "},
                      CasoTooltip{6, "Longitudine della località"},
                      CasoTooltip{9, "Probabilità di superamento (tab.3.2.1)"},
                      CasoTooltip{10, "Coefficiente d'uso (tab. 2.4.II)"},
                      CasoTooltip{19, "Periodo proprio muro = SQR(Wa*H^3 / EJg)/1.571"},
                      CasoTooltip{26, "Coefficiente per iinstabilità euleriana"}));

TEST(Campi, PanelDataShowDesignValuesThatStartUpMustReplace)
{
    EXPECT_STREQ(campi()[13].testo, "25");
    EXPECT_STREQ(campi()[14].testo, "0.001");
    EXPECT_STREQ(campi()[15].testo, "5");
    EXPECT_STREQ(campi()[23].testo, "5000");
    EXPECT_STREQ(campi()[1].testo, "45.01");
}

TEST(Campi, EachGroupHoldsItsFields)
{
    std::set<int> sito, ec8, ec6, pannello;
    for (int i = 0; i < numero_campi; ++i) {
        switch (campi()[i].dove) {
        case Contenitore::finestra: sito.insert(i); break;
        case Contenitore::frame2: ec8.insert(i); break;
        case Contenitore::frame3: ec6.insert(i); break;
        case Contenitore::frame1: pannello.insert(i); break;
        }
    }
    EXPECT_EQ(sito, (std::set<int>{0, 1, 3, 4, 5, 6, 7, 8, 9, 10}));
    EXPECT_EQ(ec8, (std::set<int>{18, 20}));
    EXPECT_EQ(ec6, (std::set<int>{22, 24, 25, 26}));
    EXPECT_EQ(pannello, (std::set<int>{2, 11, 12, 13, 14, 15, 16, 17, 19, 21, 23}));
}

TEST(Etichette, AllRightAlignedButTheTwoDimensionCaptions)
{
    for (int i = 0; i < numero_label1; ++i) {
        const Allineamento atteso = (i == 18 || i == 19) ? Allineamento::centro : Allineamento::destra;
        EXPECT_EQ(etichette1()[i].allineamento, atteso) << "Label1(" << i << ")";
    }
}

TEST(Etichette, GreekLettersAreUnicodeText)
{
    EXPECT_STREQ(etichette1()[0].testo, "\u03b1");
    EXPECT_STREQ(etichette1()[23].testo, "\u03b3 ");
}

TEST(Etichette, CoefficientCaptionsKeepTheirPaddingAndItalicFont)
{
    EXPECT_STREQ(etichette1()[33].testo, "Coeff. di instabilità              K2 =");
    for (int i : {32, 33}) {
        EXPECT_TRUE(etichette1()[i].carattere.corsivo);
        EXPECT_DOUBLE_EQ(etichette1()[i].carattere.punti, 9.75);
    }
    const Carattere& campata = etichette1()[8].carattere;
    EXPECT_TRUE(campata.grassetto && campata.corsivo);
    EXPECT_DOUBLE_EQ(campata.punti, 11.25);
}

TEST(Etichette, VerdictLabelStartsFiftyTwipsRightOfFieldTwentyTwo)
{
    const Posizione& campo = campi()[22].pos;
    const DatiEtichetta& verdetto = etichette1()[28];
    EXPECT_EQ(verdetto.dove, campi()[22].dove);
    EXPECT_EQ(verdetto.pos.left, campo.left + campo.width + 50);
    EXPECT_EQ(verdetto.pos.top, campo.top);
}

TEST(Etichette, SpanSymbolSitsInsideItsFormulaPicture)
{
    const DatiImmagine& image5 = immagini()[4];
    EXPECT_EQ(etichette1()[8].dove, image5.dove);
    EXPECT_TRUE(dentro(etichette1()[8].pos, image5.pos));
}

TEST(Etichette, ValueLabelsShowTheirDesignCaptionsAndTooltips)
{
    EXPECT_STREQ(etichette2()[0].tooltip, "Coefficiente stratigrafico");
    EXPECT_STREQ(etichette2()[1].tooltip, " St * Ss");
    EXPECT_STREQ(etichette2()[2].tooltip, "Periodo di riferimento (2.4.1)");
    EXPECT_STREQ(etichette2()[0].testo, "Label2");
    EXPECT_STREQ(etichette2()[2].testo, "50");
    for (const auto& e : etichette2())
        EXPECT_EQ(e.allineamento, Allineamento::centro);
    EXPECT_STREQ(etichetta3().testo, "Distribuzione massa orizzontale/verticale: 15.1 / 84.9 [%]");
}

TEST(Vincoli, TopAndBottomStartSupportedWithWideEdges)
{
    const std::array<int, numero_vincoli> linee_attese = {3, 1, 4, 2};
    for (int i = 0; i < numero_vincoli; ++i) {
        const DatiVincolo& v = vincoli()[i];
        EXPECT_EQ(v.appoggiato, i == 0 || i == 2) << "Check1(" << i << ")";
        EXPECT_EQ(v.linea, linee_attese[i]) << "Check1(" << i << ")";
        // The edge's design width must agree with the toggle's initial state.
        EXPECT_EQ(linee()[v.linea - 1].larghezza, v.appoggiato ? 3 : 1) << "Check1(" << i << ")";
    }
}

TEST(Linee, FourEdgesCloseTheSketchRectangle)
{
    struct Segmento {
        int x1, y1, x2, y2;
    };
    const Segmento attesi[] = {{1320, 720, 1320, 2040}, {3960, 720, 3960, 2040},
                               {1320, 720, 3960, 720},  {1320, 2040, 3960, 2040}};
    for (int n = 0; n < 4; ++n) {
        const DatiLinea& l = linee()[n];
        EXPECT_EQ(l.x1, attesi[n].x1) << "Line" << n + 1;
        EXPECT_EQ(l.y1, attesi[n].y1) << "Line" << n + 1;
        EXPECT_EQ(l.x2, attesi[n].x2) << "Line" << n + 1;
        EXPECT_EQ(l.y2, attesi[n].y2) << "Line" << n + 1;
        EXPECT_EQ(l.colore, nero);
    }
}

TEST(Linee, DimensionLinesAreThinAndDarkRed)
{
    for (int n : {4, 5}) {
        EXPECT_EQ(linee()[n].colore, (Rgb{192, 0, 0}));
        EXPECT_EQ(linee()[n].larghezza, 1);
    }
    EXPECT_EQ(linee()[4].y1, 1680);
    EXPECT_EQ(linee()[4].y2, 1680);
    EXPECT_EQ(linee()[5].x1, 1800);
    EXPECT_EQ(linee()[5].x2, 1800);
}

TEST(Layout, NoControlCoversASketchLine)
{
    // A control over an edge would hide the width that shows the side's restraint; the margin is
    // half the widest pen each line can get (3 pixels for the edges, 1 for the dimension lines).
    for (const Controllo& c : controlli()) {
        if (c.dove != Contenitore::frame1)
            continue;
        for (int n = 0; n < numero_linee; ++n) {
            const DatiLinea& l = linee()[n];
            const int margine = n < 4 ? 23 : 8;
            const Posizione tratto = {std::min(l.x1, l.x2) - margine, std::min(l.y1, l.y2) - margine,
                                      std::abs(l.x2 - l.x1) + 2 * margine, std::abs(l.y2 - l.y1) + 2 * margine};
            EXPECT_FALSE(si_sovrappongono(c.pos, tratto, 0)) << c.nome << " over Line" << n + 1;
        }
    }
}

TEST(Layout, EveryControlFitsInsideItsContainer)
{
    for (const Controllo& c : controlli())
        EXPECT_TRUE(dentro(c.pos, area(c.dove))) << c.nome;
    for (const DatiImmagine& i : immagini())
        EXPECT_TRUE(dentro(i.pos, area(i.dove))) << i.risorsa;
    for (const DatiFrame& f : frames())
        EXPECT_TRUE(dentro(f.pos, area(Contenitore::finestra))) << f.nome;
}

TEST(Layout, NoTwoControlsOfAContainerOverlap)
{
    // Rows of the site group are 300 apart with 315-high fields: the 15 twips (one pixel at
    // 96 dpi) where the borders meet are allowed.
    const auto tutti = controlli();
    for (std::size_t a = 0; a < tutti.size(); ++a)
        for (std::size_t b = a + 1; b < tutti.size(); ++b)
            if (tutti[a].dove == tutti[b].dove) {
                EXPECT_FALSE(si_sovrappongono(tutti[a].pos, tutti[b].pos, 15))
                    << tutti[a].nome << " and " << tutti[b].nome;
            }
}

TEST(Layout, FramesDoNotOverlapEachOther)
{
    for (std::size_t a = 0; a < frames().size(); ++a)
        for (std::size_t b = a + 1; b < frames().size(); ++b)
            EXPECT_FALSE(si_sovrappongono(frames()[a].pos, frames()[b].pos, 0))
                << frames()[a].nome << " and " << frames()[b].nome;
}
