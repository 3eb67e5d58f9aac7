// SPDX-License-Identifier: GPL-3.0-or-later
// WGS84 to ED50: the published cross-check for Rome and the datum words.
#include "hazard/datum.h"

#include <gtest/gtest.h>

using namespace tv::hazard;

TEST(Datum, Wgs84ToEd50MatchesTheCrossCheckAndEd50StaysPut) {
    // EPSG:1133 inverted at Rome: 41.9028, 12.4964 (WGS84) -> 41.903790, 12.497326 (ED50).
    const Geografiche roma = in_ed50({41.9028, 12.4964}, Datum::wgs84);
    EXPECT_NEAR(roma.lat, 41.903790, 1e-6);
    EXPECT_NEAR(roma.lon, 12.497326, 1e-6);
    const Geografiche same = in_ed50({41.9028, 12.4964}, Datum::ed50);
    EXPECT_EQ(same.lat, 41.9028);
    EXPECT_EQ(same.lon, 12.4964);
}

TEST(Datum, WordsEitherCase) {
    EXPECT_EQ(datum_di_testo(" WGS84 "), Datum::wgs84);
    EXPECT_EQ(datum_di_testo("ed50"), Datum::ed50);
    EXPECT_FALSE(datum_di_testo("wgs 84").has_value());
}
