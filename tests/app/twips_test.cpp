// Twips to pixels: the conversion every control's place goes through.
#include "app/twips.h"

#include <gtest/gtest.h>

using namespace tv::app;

TEST(TwipsAPixel, RoundsToTheNearestPixelAtTheLogicalResolutionHalvesAwayFromZero) {
    EXPECT_EQ(twips_a_pixel(1440, 120), 120);
    EXPECT_EQ(twips_a_pixel(7, 96), 0);
    EXPECT_EQ(twips_a_pixel(8, 96), 1);
    EXPECT_EQ(twips_a_pixel(10185, 96), 679);  // the client area of the window
    EXPECT_EQ(twips_a_pixel(15, 48), 1);
    EXPECT_EQ(twips_a_pixel(-15, 48), -1);
}

TEST(PosizioneInPixel, ConvertsOffsetsAndSizesSeparatelySoEqualDesignSizesStayEqual) {
    // Two fields 855 wide at different offsets keep the same pixel width at 120 dpi
    // (855 twips = 71.25 px), although their right edges would round differently.
    const Posizione a = posizione_in_pixel({1200, 1200, 855, 315}, 120);
    const Posizione b = posizione_in_pixel({3000, 1500, 855, 315}, 120);
    EXPECT_EQ(a.left, 100);
    EXPECT_EQ(b.top, 125);
    EXPECT_EQ(a.width, 71);
    EXPECT_EQ(b.width, 71);
    EXPECT_EQ(b.height, 26);
}
