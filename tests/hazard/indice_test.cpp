// SPDX-License-Identifier: GPL-3.0-or-later
// The indexed grid against the linear scans, by its bands of latitude and by its tree: the same
// record, bit for bit, on random sites of a sheared lattice, on grid points, on exact ties, near
// coincident points and at and beyond the edges; then the whole site interpolation through both.
#include "hazard/indice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "griglia_prova.h"
#include "hazard/sito.h"
#include "text/error.h"

namespace tv::hazard {
namespace {

using prova::nodo;

// What a run takes from the grid at a site: the nearest record and the first with its code (as
// positions in the grid) and, when asked, the whole interpolation or the message that stopped it.
using Traccia = std::pair<std::vector<double>, std::string>;

Traccia traccia(const RicercaGriglia& r, const Griglia& g, double lon, double lat, bool tutto) {
    Traccia t;
    auto& n = t.first;
    const auto pos = [&](const PuntoGriglia* p) { n.push_back(p ? p - g.points.data() : -1.0); };
    const PuntoGriglia* p = r.nearest(lon, lat);
    pos(p);
    if (p) pos(r.by_code(p->cod));
    if (!tutto) return t;
    try {
        const RisultatoSito s = interpola_sito(r, DatiSito{lon, lat});
        for (const PuntoGriglia* q : {&s.cella.SW, &s.cella.SE, &s.cella.NW, &s.cella.NE})
            n.insert(n.end(), {1.0 * q->cod, q->lon, q->lat});
        n.insert(n.end(), {1.0 * s.cella.caso, s.Dsw, s.Dse, s.Dnw, s.Dne, s.ag, s.F0});
    } catch (const Failure& f) {
        t.second = f.what();
    }
    return t;
}

::testing::AssertionResult concordano(const GrigliaIndicizzata& ind, double lon, double lat,
                                      bool tutto = true) {
    if (traccia(RicercaLineare(ind.grid()), ind.grid(), lon, lat, tutto) ==
        traccia(ind, ind.grid(), lon, lat, tutto))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "percorsi diversi al sito " << lon << " " << lat;
}

// A sheared lattice in shuffled file order. Every coordinate is a multiple of 2^-8 degrees, so
// the midpoint in longitude of two points of a row is exactly as far from each.
constexpr int kRighe = 24, kColonne = 32;
double lat_riga(int r) { return 45.0 - 0.046875 * r; }
double lon_nodo(int r, int c) { return 10.0 + 0.0625 * c + 0.0078125 * r; }

TEST(Indice, AgreesWithTheScansOnTenThousandSitesOfASkewLatticeWithTies) {
    Griglia g;
    for (int r = 0; r < kRighe; ++r)
        for (int c = 0; c < kColonne; ++c)  // ragged ends, as at a coast
            if (!(r % 7 == 3 && c < 2) && !(r % 5 == 1 && c > kColonne - 3))
                g.points.push_back(nodo(1000 + 100 * r + c, lon_nodo(r, c), lat_riga(r)));
    std::mt19937_64 rng(7);
    std::shuffle(g.points.begin(), g.points.end(), rng);
    // A second record at the position of another and a second record with the code of another.
    g.points.push_back(g.points[17]);
    g.points.back().cod = 99999;
    g.points.push_back(nodo(g.points[40].cod, 30.0, 30.0));
    // Every search by the bands of latitude, then every search by the tree.
    for (const std::size_t a_bande : {std::size_t{100000}, std::size_t{0}}) {
        const GrigliaIndicizzata ind(g, a_bande);
        const auto& punti = ind.grid().points;
        std::uniform_real_distribution<double> u(0.0, 1.0);
        int pareggi = 0;
        for (int i = 0; i < 10000; ++i) {
            const PuntoGriglia& p = punti[rng() % punti.size()];
            const int r = static_cast<int>(rng() % kRighe), c = 2 + static_cast<int>(rng() % 27);
            double lon = p.lon, lat = p.lat;  // on a grid point
            if (i % 6 == 0) {                 // anywhere around the lattice
                lon = 9.7 + 2.6 * u(rng);
                lat = 43.6 + 1.7 * u(rng);
            } else if (i % 6 == 2) {  // halfway between two neighbours of a row: an exact tie
                lon = (lon_nodo(r, c) + lon_nodo(r, c + 1)) / 2;
                lat = lat_riga(r) + (u(rng) - 0.5) * 0.004;
                pareggi += dist_geo(lon_nodo(r, c), lat_riga(r), lon, lat) ==
                           dist_geo(lon_nodo(r, c + 1), lat_riga(r), lon, lat);
            } else if (i % 6 == 3) {  // within centimetres of a point, where dist_geo rounds most
                lon += (u(rng) - 0.5) * 2e-6;
                lat += (u(rng) - 0.5) * 2e-6;
            } else if (i % 6 == 4) {  // on the edges of the lattice and just beyond
                lon =
                    (rng() % 2 ? 10.0 : lon_nodo(kRighe - 1, kColonne - 1)) + (u(rng) - 0.5) * 0.2;
                lat = (rng() % 2 ? lat_riga(0) : lat_riga(kRighe - 1)) + (u(rng) - 0.5) * 0.2;
            }
            ASSERT_TRUE(concordano(ind, lon, lat));
        }
        EXPECT_GT(pareggi, 1000);  // the ties were real ties
        const double nan = std::numeric_limits<double>::quiet_NaN();
        for (const auto& [lon, lat] :
             {std::pair{nan, 45.0}, std::pair{10.0, -HUGE_VAL}, std::pair{370.5, 44.5},
              std::pair{10.5, 134.5}, std::pair{1e300, 1e300}, std::pair{10.5, 89.95}})
            EXPECT_TRUE(concordano(ind, lon, lat));
    }
}

TEST(Indice, PointsWithinCentimetresKeepTheRecordMetFirst) {
    // Fifty points within a few centimetres: dist_geo rounds many of their distances to 0.
    Griglia g;
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int i = 0; i < 50; ++i)
        g.points.push_back(nodo(i + 1, 12.5 + u(rng) * 3e-7, 42.0 + u(rng) * 3e-7));
    for (const std::size_t a_bande : {std::size_t{100000}, std::size_t{0}}) {
        const GrigliaIndicizzata ind(g, a_bande);
        for (int i = 0; i < 2000; ++i)
            ASSERT_TRUE(concordano(ind, 12.5 + u(rng) * 6e-7, 42.0 + u(rng) * 6e-7, false));
    }
}

TEST(Indice, EmptyGridOrAPointBeyondTheIndexLimitsIsScanned) {
    EXPECT_EQ(GrigliaIndicizzata{Griglia{}}.nearest(10, 45), nullptr);
    Griglia g = prova::reticolo(3, 3);
    g.points.push_back(nodo(7, 5e6, 45));
    const GrigliaIndicizzata ind(std::move(g));
    EXPECT_TRUE(concordano(ind, 10.05, 44.95));
    EXPECT_EQ(ind.nearest(5e6, 45)->cod, 7);
}

TEST(Indice, RepeatedCodesGiveTheEarlierRecordWhetherCodesAreCloseOrFarApart) {
    // Codes 1..6 sit in a table by code; codes up to 10^12 apart in a sorted list.
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    for (std::int64_t lontano : {std::int64_t{6}, std::int64_t{1000000000000}, kMin}) {
        const GrigliaIndicizzata ind(
            Griglia{{nodo(4, 10, 45), nodo(2, 10.07, 45), nodo(4, 10.14, 45),
                     nodo(lontano, 10.21, 45), nodo(1, 10.28, 45)}});
        const RicercaLineare lin(ind.grid());
        for (const std::int64_t cod :
             {std::int64_t{4}, std::int64_t{2}, std::int64_t{1}, lontano, std::int64_t{0},
              std::int64_t{3}, lontano + 1, std::int64_t{-7}})
            EXPECT_EQ(ind.by_code(cod), lin.by_code(cod)) << cod;
    }
}

}  // namespace
}  // namespace tv::hazard
