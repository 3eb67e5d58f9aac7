// Twips to pixels: the conversion every control's place goes through.
#include "app/twips.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace tv::app;

struct CasoTwips {
    int twips;
    double dpi;
    int pixel;
};

void PrintTo(const CasoTwips& c, std::ostream* os)
{
    *os << c.twips << " twips at " << c.dpi << " dpi";
}

class TwipsAPixel : public ::testing::TestWithParam<CasoTwips> {};

TEST_P(TwipsAPixel, RoundsToTheNearestPixelAtTheLogicalResolution)
{
    const CasoTwips& c = GetParam();
    EXPECT_EQ(twips_a_pixel(c.twips, c.dpi), c.pixel) << c.twips << " twips at " << c.dpi << " dpi";
}

INSTANTIATE_TEST_SUITE_P(
    Resolutions, TwipsAPixel,
    ::testing::Values(CasoTwips{1440, 96, 96}, CasoTwips{1440, 120, 120}, CasoTwips{1440, 144, 144},
                      CasoTwips{15, 96, 1}, CasoTwips{7, 96, 0}, CasoTwips{8, 96, 1}, CasoTwips{22, 96, 1},
                      CasoTwips{23, 96, 2}, CasoTwips{0, 96, 0},
                      // The client area of the window.
                      CasoTwips{10185, 96, 679}, CasoTwips{8160, 96, 544}, CasoTwips{10185, 120, 849},
                      CasoTwips{8160, 144, 816},
                      // Exact halves go away from zero, on both sides.
                      CasoTwips{15, 48, 1}, CasoTwips{-15, 48, -1}, CasoTwips{-300, 96, -20}));

TEST(PosizioneInPixel, ConvertsOffsetsAndSizesSeparatelySoEqualDesignSizesStayEqual)
{
    // Two fields 855 wide at different offsets keep the same pixel width at 120 dpi
    // (855 twips = 71.25 px), although their right edges would round differently.
    const Posizione a = posizione_in_pixel({1200, 1200, 855, 315}, 120);
    const Posizione b = posizione_in_pixel({3000, 1500, 855, 315}, 120);
    EXPECT_EQ(a.width, b.width);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.left, 100);
    EXPECT_EQ(b.left, 250);
    EXPECT_EQ(a.top, 100);
    EXPECT_EQ(b.top, 125);
    EXPECT_EQ(a.width, 71);
    EXPECT_EQ(a.height, 26);
}
