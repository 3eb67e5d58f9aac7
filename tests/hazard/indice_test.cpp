// The indexed grid against the linear scans: the same record, bit for bit, on random sites of the
// real grid and of a sheared lattice, on grid points, on exact ties, near coincident points and
// at and beyond the edges; then the whole site interpolation through both.
#include "hazard/indice.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <variant>

#include "griglia_prova.h"
#include "hazard/sito.h"
#include "text/error.h"

namespace tv::hazard {
namespace {

using prova::nodo;

// What interpola_sito gives: the result, or the message that stopped it.
using Esito = std::variant<RisultatoSito, std::string>;

Esito esito(const RicercaGriglia& r, double lon, double lat) {
    DatiSito d;
    d.lon = lon;
    d.lat = lat;
    try {
        return interpola_sito(r, d);
    } catch (const Failure& f) {
        return std::string(f.what());
    }
}

bool uguali(const GridPoint& a, const GridPoint& b) {
    return a.cod == b.cod && a.lon == b.lon && a.lat == b.lat && a.dati == b.dati;
}

// Every number of the two outcomes is the same double (or the same message).
bool uguali(const Esito& a, const Esito& b) {
    if (a.index() != b.index()) return false;
    if (a.index() == 1) return std::get<1>(a) == std::get<1>(b);
    const RisultatoSito& x = std::get<0>(a);
    const RisultatoSito& y = std::get<0>(b);
    return uguali(x.cella.SW, y.cella.SW) && uguali(x.cella.SE, y.cella.SE) &&
           uguali(x.cella.NW, y.cella.NW) && uguali(x.cella.NE, y.cella.NE) &&
           x.cella.caso == y.cella.caso && x.Dsw == y.Dsw && x.Dse == y.Dse && x.Dnw == y.Dnw &&
           x.Dne == y.Dne && x.valori == y.valori && x.TR == y.TR && x.ag == y.ag && x.F0 == y.F0;
}

// How much of the two paths a site goes through.
enum class Livello {
    vicino,    // the nearest point and its neighbours by code
    ricerche,  // also the north and south searches from the nearest point
    tutto,     // also the whole interpolation (which scans twice more)
};

// Compares the two paths on one site. Fails (with the site) on the first difference.
::testing::AssertionResult concordano(const GrigliaIndicizzata& ind, double lon, double lat,
                                      Livello livello = Livello::tutto) {
    const GridSearch lin(ind.grid());
    auto dove = [&] { return "sito lon " + std::to_string(lon) + " lat " + std::to_string(lat); };
    const GridPoint* a = lin.nearest(lon, lat);
    const GridPoint* b = ind.nearest(lon, lat);
    if (a != b) return ::testing::AssertionFailure() << "punto piu' vicino diverso, " << dove();
    if (a) {
        if (lin.by_code(a->cod + 1) != ind.by_code(a->cod + 1) ||
            lin.by_code(a->cod - 1) != ind.by_code(a->cod - 1) ||
            lin.by_code(a->cod) != ind.by_code(a->cod))
            return ::testing::AssertionFailure() << "ricerca per codice diversa, " << dove();
        if (livello != Livello::vicino &&
            (trova_NORD(lin, *a).punto.cod != trova_NORD(ind, *a).punto.cod ||
             trova_SUD(lin, *a).punto.cod != trova_SUD(ind, *a).punto.cod))
            return ::testing::AssertionFailure() << "ricerca nord/sud diversa, " << dove();
    }
    if (livello == Livello::tutto && !uguali(esito(lin, lon, lat), esito(ind, lon, lat)))
        return ::testing::AssertionFailure() << "interpolazione diversa, " << dove();
    return ::testing::AssertionSuccess();
}

// ---- A sheared lattice in shuffled file order, with exact ties ----

// Rows share their latitude exactly; longitudes shift along the rows. Every coordinate is a
// multiple of 2^-8 degrees, so the midpoint in longitude of two points of a row is exactly as far
// from each: dist_geo depends on the latitudes and on |lon1 - lon2| only.
constexpr int kRighe = 24;
constexpr int kColonne = 32;
double lat_riga(int r) {
    return 45.0 - 0.046875 * r;
}
double lon_nodo(int r, int c) {
    return 10.0 + 0.0625 * c + 0.0078125 * r;
}
std::int64_t cod_nodo(int r, int c) {
    return 1000 + 100 * r + c;
}

Grid reticolo_obliquo() {
    Grid g;
    for (int r = 0; r < kRighe; ++r)
        for (int c = 0; c < kColonne; ++c) {
            // Ragged ends, as at a coast: a few rows start later or stop earlier.
            if ((r % 7 == 3 && c < 2) || (r % 5 == 1 && c > kColonne - 3)) continue;
            g.points.push_back(nodo(cod_nodo(r, c), lon_nodo(r, c), lat_riga(r)));
        }
    std::mt19937_64 rng(20240601);
    std::shuffle(g.points.begin(), g.points.end(), rng);
    // A second record at the position of another (it never wins: it comes later) and a second
    // record with the code of another, elsewhere.
    GridPoint doppio = g.points[17];
    doppio.cod = 99999;
    g.points.push_back(doppio);
    g.points.push_back(nodo(g.points[40].cod, 30.0, 30.0));
    return g;
}

class IndiceObliquo : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ind_ = new GrigliaIndicizzata(reticolo_obliquo()); }
    static void TearDownTestSuite() {
        delete ind_;
        ind_ = nullptr;
    }
    static GrigliaIndicizzata* ind_;
};
GrigliaIndicizzata* IndiceObliquo::ind_ = nullptr;

TEST_F(IndiceObliquo, AgreesWithTheScansOnTenThousandRandomSites) {
    const auto& punti = ind_->grid().points;
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    auto intero = [&](int n) { return static_cast<int>(u(rng) * n) % n; };
    int pareggi = 0;
    for (int i = 0; i < 10000; ++i) {
        double lon = 0, lat = 0;
        switch (i % 6) {
            case 0:  // anywhere around the lattice
                lon = 9.7 + 2.6 * u(rng);
                lat = 43.6 + 1.7 * u(rng);
                break;
            case 1: {  // on a grid point
                const GridPoint& p =
                    punti[static_cast<std::size_t>(intero(static_cast<int>(punti.size())))];
                lon = p.lon;
                lat = p.lat;
                break;
            }
            case 2: {  // halfway in longitude between two neighbours of a row: an exact tie
                const int r = intero(kRighe);
                const int c = 2 + intero(kColonne - 5);
                lon = (lon_nodo(r, c) + lon_nodo(r, c + 1)) / 2;
                lat = lat_riga(r) + (u(rng) - 0.5) * 0.004;
                const GridSearch lin(ind_->grid());
                const GridPoint* a = lin.nearest(lon, lat);
                if (a && (a->cod == cod_nodo(r, c) || a->cod == cod_nodo(r, c + 1)) &&
                    dist_geo(lon_nodo(r, c), lat_riga(r), lon, lat) ==
                        dist_geo(lon_nodo(r, c + 1), lat_riga(r), lon, lat))
                    ++pareggi;
                break;
            }
            case 3: {  // within centimetres of a grid point, where dist_geo rounds the most
                const GridPoint& p =
                    punti[static_cast<std::size_t>(intero(static_cast<int>(punti.size())))];
                lon = p.lon + (u(rng) - 0.5) * 2e-6;
                lat = p.lat + (u(rng) - 0.5) * 2e-6;
                break;
            }
            case 4:  // on the edges of the lattice and just beyond
                lon = (u(rng) < 0.5 ? 10.0
                                    : 10.0 + 0.0625 * (kColonne - 1) + 0.0078125 * (kRighe - 1)) +
                      (u(rng) - 0.5) * 0.2;
                lat = (u(rng) < 0.5 ? lat_riga(0) : lat_riga(kRighe - 1)) + (u(rng) - 0.5) * 0.2;
                break;
            default:  // anywhere on the globe
                lon = -180 + 360 * u(rng);
                lat = -90 + 180 * u(rng);
                break;
        }
        ASSERT_TRUE(concordano(*ind_, lon, lat));
    }
    // The ties were real ties between the two nearest points.
    EXPECT_GT(pareggi, 1000);
}

TEST_F(IndiceObliquo, ExactTieGoesToTheRecordMetFirst) {
    const GridSearch lin(ind_->grid());
    const auto& punti = ind_->grid().points;
    const int r = 10, c = 12;
    const double lon = (lon_nodo(r, c) + lon_nodo(r, c + 1)) / 2;
    const GridPoint* a = lin.nearest(lon, lat_riga(r));
    ASSERT_NE(a, nullptr);
    const auto pos = [&](std::int64_t cod) {
        return std::find_if(punti.begin(), punti.end(),
                            [&](const GridPoint& p) { return p.cod == cod; }) -
               punti.begin();
    };
    const std::int64_t primo =
        pos(cod_nodo(r, c)) < pos(cod_nodo(r, c + 1)) ? cod_nodo(r, c) : cod_nodo(r, c + 1);
    EXPECT_EQ(a->cod, primo);
    EXPECT_EQ(ind_->nearest(lon, lat_riga(r)), a);
}

TEST_F(IndiceObliquo, RepeatedPositionAndRepeatedCodeGiveTheEarlierRecord) {
    const auto& punti = ind_->grid().points;
    const GridPoint& p = punti[17];
    EXPECT_EQ(ind_->nearest(p.lon, p.lat), &punti[17]);
    EXPECT_EQ(ind_->by_code(99999), &punti[punti.size() - 2]);
    EXPECT_EQ(ind_->by_code(punti[40].cod), &punti[40]);
    EXPECT_EQ(ind_->by_code(5), nullptr);
}

TEST_F(IndiceObliquo, TargetsThatAreNotFiniteFindNothing) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    for (auto [lon, lat] : {std::pair{nan, 45.0}, std::pair{10.0, nan}, std::pair{inf, 45.0},
                            std::pair{10.0, -inf}}) {
        EXPECT_EQ(ind_->nearest(lon, lat), nullptr);
        EXPECT_TRUE(concordano(*ind_, lon, lat, Livello::ricerche));
    }
}

TEST_F(IndiceObliquo, FarAndHugeCoordinatesAgree) {
    for (auto [lon, lat] : {std::pair{0.0, 0.0}, std::pair{190.0, -45.0}, std::pair{-170.0, -44.5},
                            std::pair{10.5, 90.0}, std::pair{10.5, -90.0}, std::pair{370.5, 44.5},
                            std::pair{10.5, 134.5}, std::pair{1e5, 45.0}, std::pair{2e6, 45.0},
                            std::pair{10.5, -3e7}, std::pair{1e300, 1e300}})
        EXPECT_TRUE(concordano(*ind_, lon, lat));
}

// ---- Small grids built for one case ----

TEST(IndiceCasi, EmptyGridFindsNothing) {
    const GrigliaIndicizzata g{Grid{}};
    EXPECT_EQ(g.nearest(10, 45), nullptr);
    EXPECT_EQ(g.by_code(1), nullptr);
}

TEST(IndiceCasi, ClusterWithinCentimetresFollowsDistGeoNotTheChord) {
    // Fifty points within a few centimetres: dist_geo rounds their distances to a handful of
    // values (many to 0), and the scan takes the first of the smallest.
    Grid g;
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> u(-1.0, 1.0);
    for (int i = 0; i < 50; ++i)
        g.points.push_back(nodo(i + 1, 12.5 + u(rng) * 3e-7, 42.0 + u(rng) * 3e-7));
    g.points.push_back(nodo(100, 12.6, 42.0));
    const GrigliaIndicizzata ind(std::move(g));
    for (int i = 0; i < 2000; ++i) {
        const double lon = 12.5 + u(rng) * 6e-7;
        const double lat = 42.0 + u(rng) * 6e-7;
        ASSERT_TRUE(concordano(ind, lon, lat, Livello::ricerche));
    }
}

TEST(IndiceCasi, PointBeyondTheIndexLimitsIsStillFound) {
    // Such a grid is scanned: the answers do not change.
    Grid g = prova::reticolo(3, 3);
    g.points.push_back(nodo(7, 5e6, 45));
    const GrigliaIndicizzata ind(std::move(g));
    EXPECT_TRUE(concordano(ind, 10.05, 44.95));
    EXPECT_TRUE(concordano(ind, 5e6, 45));
    EXPECT_EQ(ind.by_code(7)->lon, 5e6);
}

TEST(IndiceCasi, RepeatedCodesGiveTheEarlierRecordWhetherCodesAreCloseOrFarApart) {
    // Codes 1..5 sit in a table by code; codes up to 10^12 apart in a sorted list.
    for (std::int64_t lontano : {std::int64_t{6}, std::int64_t{1000000000000}}) {
        const GrigliaIndicizzata ind(Grid{{nodo(4, 10, 45), nodo(2, 10.07, 45), nodo(4, 10.14, 45),
                                           nodo(lontano, 10.21, 45), nodo(1, 10.28, 45)}});
        const auto& punti = ind.grid().points;
        EXPECT_EQ(ind.by_code(4), &punti[0]);
        EXPECT_EQ(ind.by_code(2), &punti[1]);
        EXPECT_EQ(ind.by_code(lontano), &punti[3]);
        EXPECT_EQ(ind.by_code(1), &punti[4]);
        for (const std::int64_t assente :
             {std::int64_t{0}, std::int64_t{3}, std::int64_t{5}, lontano + 1, std::int64_t{-7}})
            EXPECT_EQ(ind.by_code(assente), nullptr) << assente;
    }
}

TEST(IndiceCasi, CodesAtTheEndsOfSixtyFourBits) {
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    const GrigliaIndicizzata lontani(Grid{{nodo(kMin, 10, 45), nodo(kMax, 10.07, 45)}});
    EXPECT_EQ(lontani.by_code(kMax)->lon, 10.07);
    EXPECT_EQ(lontani.by_code(kMin)->lon, 10);
    EXPECT_EQ(lontani.by_code(0), nullptr);
    const GrigliaIndicizzata vicini(Grid{{nodo(kMax - 1, 10, 45), nodo(kMax, 10.07, 45)}});
    EXPECT_EQ(vicini.by_code(kMax)->lon, 10.07);
    EXPECT_EQ(vicini.by_code(kMin), nullptr);
    EXPECT_EQ(vicini.by_code(-1), nullptr);
}

TEST(IndiceCasi, CodesBeyondThirtyTwoBits) {
    const GrigliaIndicizzata ind(Grid{{nodo(4294967296LL, 10, 45), nodo(4294967297LL, 10.07, 45)}});
    EXPECT_EQ(ind.by_code(4294967297LL)->lon, 10.07);
    EXPECT_EQ(ind.by_code(1), nullptr);
}

// ---- The real grid ----

class IndiceReale : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        const std::filesystem::path file =
            std::filesystem::path(TV_SHARED_DATA) / "hazard_grid_ntc2008.txt";
        if (std::filesystem::exists(file)) ind_ = new GrigliaIndicizzata(load_grid(file));
    }
    static void TearDownTestSuite() {
        delete ind_;
        ind_ = nullptr;
    }
    void SetUp() override {
        if (!ind_) GTEST_SKIP() << "griglia di riferimento assente";
    }
    static GrigliaIndicizzata* ind_;
};
GrigliaIndicizzata* IndiceReale::ind_ = nullptr;

TEST_F(IndiceReale, AgreesWithTheScanOnRandomSites) {
    // Lon 6.5448..18.594, lat 36.573..47.178: the box and half a degree around it. A scan of
    // the real grid takes half a millisecond: the lattice above takes the ten thousand sites.
    std::mt19937_64 rng(11);
    std::uniform_real_distribution<double> lon(6.0, 19.1), lat(36.0, 47.7);
    for (int i = 0; i < 4000; ++i) {
        // Every scan of the real grid takes a while: the whole run on one site in twenty.
        const double x = lon(rng), y = lat(rng);
        ASSERT_TRUE(concordano(*ind_, x, y, i % 20 == 0 ? Livello::tutto : Livello::vicino));
    }
}

TEST_F(IndiceReale, AgreesOnGridPointsAndBetweenNeighbours) {
    const auto& punti = ind_->grid().points;
    for (std::size_t i = 0; i < punti.size(); i += 23) {
        const GridPoint& p = punti[i];
        ASSERT_TRUE(concordano(*ind_, p.lon, p.lat));
        if (const GridPoint* e = ind_->by_code(p.cod + 1)) {
            ASSERT_TRUE(
                concordano(*ind_, (p.lon + e->lon) / 2, (p.lat + e->lat) / 2, Livello::vicino));
        }
    }
}

TEST_F(IndiceReale, AgreesAtTheOutermostPointsAndBeyond) {
    const auto& punti = ind_->grid().points;
    auto estremo = [&](auto migliore) {
        return *std::min_element(punti.begin(), punti.end(), migliore);
    };
    const GridPoint bordi[] = {
        estremo([](const GridPoint& a, const GridPoint& b) { return a.lon < b.lon; }),
        estremo([](const GridPoint& a, const GridPoint& b) { return a.lon > b.lon; }),
        estremo([](const GridPoint& a, const GridPoint& b) { return a.lat < b.lat; }),
        estremo([](const GridPoint& a, const GridPoint& b) { return a.lat > b.lat; })};
    for (const GridPoint& p : bordi)
        for (double d : {0.0, 0.01, 0.03, -0.03, 0.1, 1.0, 5.0})
            for (auto [dlon, dlat] : {std::pair{d, 0.0}, std::pair{-d, 0.0}, std::pair{0.0, d},
                                      std::pair{0.0, -d}, std::pair{d, d}})
                ASSERT_TRUE(concordano(*ind_, p.lon + dlon, p.lat + dlat));
    // Far from Italy: Sardinia, the Atlantic, the antipodes.
    for (auto [lon, lat] : {std::pair{9.0, 40.0}, std::pair{-30.0, 40.0}, std::pair{-167.0, -42.0},
                            std::pair{12.0, 90.0}})
        ASSERT_TRUE(concordano(*ind_, lon, lat));
}

}  // namespace
}  // namespace tv::hazard
