// Distance on the sphere and the east and west neighbours by code (the nearest point and the
// north and south searches are checked through the index and the cell of the site).
#include "hazard/ricerca.h"

#include <gtest/gtest.h>

#include <cmath>

#include "griglia_prova.h"

namespace tv::hazard {
namespace {

using prova::nodo;

TEST(DistGeo, FixedDegreeConstantAndRadiusAndZeroForOnePosition) {
    // 57.29577951 degrees of latitude are exactly one radian with the program's constant.
    EXPECT_NEAR(dist_geo(0, 0, 0, 57.29577951), 6371.0, 1e-9);
    EXPECT_DOUBLE_EQ(dist_geo(10, 45, 11, 45), dist_geo(-1, 45, 0, 45));
    // At latitude 0.08 the cosine term of a point with itself rounds to just above 1.
    const double a = 0.08 / 57.29577951;
    ASSERT_GT(std::cos(a) * std::cos(a) * std::cos(0.0) + std::sin(a) * std::sin(a), 1.0);
    EXPECT_EQ(dist_geo(12.5, 0.08, 12.5, 0.08), 0.0);
}

TEST(VicinoPerCodice, EastAndWestAreTheNextCodesWhereverTheyLie) {
    const Griglia g{{nodo(2147483647, 10, 45), nodo(2147483648LL, 10.07, 45), nodo(10, 10, 44.9)}};
    const RicercaLineare s(g);
    EXPECT_EQ(trova_EST(s, 2147483647)->cod, 2147483648LL);  // no overflow at 32 bits
    EXPECT_EQ(trova_WEST(s, 2147483648LL)->lon, 10);
    EXPECT_EQ(trova_EST(s, 9)->lat, 44.9);
    EXPECT_FALSE(trova_WEST(s, 10).has_value());
    EXPECT_FALSE(trova_EST(s, 2147483648LL).has_value());
}

}  // namespace
}  // namespace tv::hazard
