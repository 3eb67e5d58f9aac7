// Distance on the sphere and the searches over the grid: nearest point with its tie rule, point
// by code, and the four neighbour searches at the edges of the grid.
#include "hazard/ricerca.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>

#include "griglia_prova.h"

namespace tv::hazard {
namespace {

using prova::codice;
using prova::nodo;
using prova::reticolo;

struct CasoArccos {
    double x;
    double angolo;
};

class Arccos : public ::testing::TestWithParam<CasoArccos> {};

TEST_P(Arccos, MatchesTheInverseCosineAndClampsOutsideTheRange) {
    EXPECT_NEAR(arccos(GetParam().x), GetParam().angolo, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(Valori, Arccos,
                         ::testing::Values(CasoArccos{1.0, 0.0}, CasoArccos{1.0000000000000002, 0.0},
                                           CasoArccos{7.0, 0.0}, CasoArccos{-1.0, std::numbers::pi},
                                           CasoArccos{-3.0, std::numbers::pi}, CasoArccos{0.0, std::numbers::pi / 2},
                                           CasoArccos{0.5, std::numbers::pi / 3}, CasoArccos{-0.5, 2 * std::numbers::pi / 3},
                                           CasoArccos{0.9999, std::acos(0.9999)}));

TEST(DistGeo, IdenticalPositionsAreZeroAlsoWhenTheCosineRoundsAboveOne) {
    // At latitude 0.08 the cosine term of a point with itself rounds to just above 1.
    const double a = 0.08 / 57.29577951;
    ASSERT_GT(std::cos(a) * std::cos(a) * std::cos(0.0) + std::sin(a) * std::sin(a), 1.0);
    EXPECT_EQ(dist_geo(12.5, 0.08, 12.5, 0.08), 0.0);
    EXPECT_EQ(dist_geo(6.5448, 45.134, 6.5448, 45.134), 0.0);
}

TEST(DistGeo, UsesTheFixedDegreeConstantAndRadius) {
    // 57.29577951 degrees of latitude are exactly one radian with the program's constant.
    EXPECT_NEAR(dist_geo(0, 0, 0, 57.29577951), 6371.0, 1e-9);
    EXPECT_NEAR(dist_geo(10, 40, 10, 41), 6371.0 / 57.29577951, 1e-9);
}

TEST(DistGeo, DependsOnlyOnTheLongitudeDifference) {
    EXPECT_DOUBLE_EQ(dist_geo(10, 45, 11, 45), dist_geo(11, 45, 10, 45));
    EXPECT_DOUBLE_EQ(dist_geo(10, 45, 11, 45), dist_geo(-1, 45, 0, 45));
    EXPECT_NEAR(dist_geo(0, 0, 90, 0), 6371.0 * std::numbers::pi / 2, 1e-6);
    EXPECT_NEAR(dist_geo(0, 90, 0, -90), 6371.0 * std::numbers::pi, 1e-6);
}

TEST(GridSearchNearest, TargetOnAGridPointChoosesIt) {
    const Grid g = reticolo(3, 3);
    const GridSearch s(g);
    const GridPoint& p = g.points[4];
    ASSERT_NE(s.nearest(p.lon, p.lat), nullptr);
    EXPECT_EQ(s.nearest(p.lon, p.lat)->cod, p.cod);
}

TEST(GridSearchNearest, EqualDistancesKeepTheRecordMetFirst) {
    // Exactly representable longitudes: both points lie 0.125 degrees from the target.
    Grid g{{nodo(7, 9.875, 45), nodo(3, 10.125, 45)}};
    ASSERT_EQ(dist_geo(9.875, 45, 10, 45), dist_geo(10.125, 45, 10, 45));
    EXPECT_EQ(GridSearch(g).nearest(10, 45)->cod, 7);
    std::swap(g.points[0], g.points[1]);
    EXPECT_EQ(GridSearch(g).nearest(10, 45)->cod, 3);
}

TEST(GridSearchNearest, EmptyGridHasNoPoint) {
    const Grid g;
    EXPECT_EQ(GridSearch(g).nearest(10, 45), nullptr);
}

TEST(GridSearchByCode, FirstRecordWithTheCodeWins) {
    const Grid g{{nodo(5, 10, 45), nodo(8, 11, 45), nodo(8, 12, 45)}};
    const GridSearch s(g);
    EXPECT_EQ(s.by_code(8)->lon, 11);
    EXPECT_EQ(s.by_code(6), nullptr);
}

class Vicini : public ::testing::Test {
protected:
    Grid g = reticolo(3, 4);  // codes 101..104, 111..114, 121..124
    GridSearch s{g};
    const GridPoint& at(int row, int col) { return *s.by_code(codice(row, col)); }
};

TEST_F(Vicini, NorthAndSouthFindTheNextRow) {
    const Vicino n = trova_NORD(s, at(1, 2));
    EXPECT_EQ(n.punto.cod, codice(0, 2));
    EXPECT_FALSE(n.fuori_zona);
    const Vicino sud = trova_SUD(s, at(1, 2));
    EXPECT_EQ(sud.punto.cod, codice(2, 2));
    EXPECT_FALSE(sud.fuori_zona);
}

TEST_F(Vicini, NorthFromTheNorthernmostRowReturnsTheStartOutsideTheZone) {
    const Vicino n = trova_NORD(s, at(0, 1));
    EXPECT_TRUE(n.fuori_zona);
    EXPECT_EQ(n.punto.cod, codice(0, 1));
    EXPECT_EQ(n.punto.dati, at(0, 1).dati);
}

TEST_F(Vicini, SouthFromTheSouthernmostRowReturnsTheStartOutsideTheZone) {
    const Vicino sud = trova_SUD(s, at(2, 3));
    EXPECT_TRUE(sud.fuori_zona);
    EXPECT_EQ(sud.punto.cod, codice(2, 3));
}

TEST_F(Vicini, NorthSearchSkewsToTheNearestPointWhenTheColumnEnds) {
    // Without the point due north, the nearest one to the shifted target is taken, wherever it is.
    Grid ragged = reticolo(2, 3, {codice(0, 0)});
    const GridSearch rs(ragged);
    const Vicino n = trova_NORD(rs, *rs.by_code(codice(1, 0)));
    EXPECT_EQ(n.punto.cod, codice(0, 1));
    EXPECT_FALSE(n.fuori_zona);
}

TEST(VicinoPerCodice, EastFromTheLastPointOfARowIsTheNextCodeWhereverItLies) {
    const Grid g{{nodo(10, 10.0, 45), nodo(11, 10.07, 45), nodo(12, 10.0, 44.95)}};
    const auto e = trova_EST(GridSearch(g), 11);
    ASSERT_TRUE(e.has_value());
    EXPECT_EQ(e->cod, 12);
    EXPECT_EQ(e->lon, 10.0);
    EXPECT_EQ(e->lat, 44.95);
}

TEST(VicinoPerCodice, WestFromTheLowestCodeFindsNothing) {
    const Grid g = reticolo(2, 3);
    const GridSearch s(g);
    EXPECT_FALSE(trova_WEST(s, codice(0, 0)).has_value());
    EXPECT_EQ(trova_WEST(s, codice(0, 2))->cod, codice(0, 1));
    EXPECT_FALSE(trova_EST(s, codice(1, 2)).has_value());
}

TEST(VicinoPerCodice, CodesAtThe32BitLimitDoNotOverflow) {
    const Grid g{{nodo(2147483647, 10, 45), nodo(2147483648LL, 10.07, 45)}};
    const GridSearch s(g);
    EXPECT_EQ(trova_EST(s, 2147483647)->cod, 2147483648LL);
    EXPECT_EQ(trova_WEST(s, 2147483648LL)->cod, 2147483647);
}

}  // namespace
}  // namespace tv::hazard
