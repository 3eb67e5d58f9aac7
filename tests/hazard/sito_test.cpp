// Hazard at the site: the four cases of the cell with their tie rules, sites outside the grid,
// return period and bracket, logarithmic interpolation, refused inputs, and the real grid.
#include "hazard/sito.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "griglia_prova.h"
#include "hazard/spettro.h"
#include "text/error.h"

namespace tv::hazard {
namespace {

using prova::codice;
using prova::reticolo;

std::string messaggio(const Grid& g, const DatiSito& d) {
    try {
        interpola_sito(GridSearch(g), d);
    } catch (const Failure& f) {
        EXPECT_EQ(f.title(), kWindowCaption);
        return f.what();
    }
    return "(nessun errore)";
}

// ---- Return period, bracket and r ----

struct CasoTR {
    const char* nome;
    double VN, Cu, PVR;  // PVR in per cent
    double TR;
    int k;
    double r;
};

class PeriodoRitorno : public ::testing::TestWithParam<CasoTR> {};

TEST_P(PeriodoRitorno, RoundedLimitedAndBracketed) {
    const CasoTR& c = GetParam();
    const double TR = periodo_ritorno(c.Cu * c.VN, c.PVR / 100);
    EXPECT_EQ(TR, c.TR);
    EXPECT_EQ(intervallo(TR), c.k);
    EXPECT_NEAR(rapporto_r(TR, intervallo(TR)), c.r, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Casi, PeriodoRitorno,
    ::testing::Values(
        CasoTR{"Defaults", 50, 1, 10, 475, 7, 0},          // 474.56
        CasoTR{"Pvr63", 50, 1, 63, 50, 2, 0},              // 50.29
        CasoTR{"Pvr81", 50, 1, 81, 30, 1, 0},              // 30.11
        CasoTR{"Pvr5", 50, 1, 5, 975, 8, 0},               // 974.79
        CasoTR{"VeryLargeVR", 1e6, 2, 10, 2475, 8, 1},     // far above 2475
        CasoTR{"BelowThirty", 10, 1, 81, 30, 1, 0},        // 6.02
        CasoTR{"TinyPvr", 50, 1, 1e-18, 2475, 8, 1},       // 1 - PVR rounds to 1
        CasoTR{"Cu2", 50, 2, 10, 949, 7, std::log(949.0 / 475) / std::log(975.0 / 475)},
        CasoTR{"Cu1_5", 50, 1.5, 10, 712, 7, std::log(712.0 / 475) / std::log(975.0 / 475)},
        CasoTR{"Between72And101", 50, 1, 45, 84, 3, std::log(84.0 / 72) / std::log(101.0 / 72)},
        CasoTR{"Pvr2", 50, 1, 2, 2475, 8, 1},              // 2474.91 rounds to 2475
        CasoTR{"Pvr2_1", 50, 1, 2.1, 2356, 8, std::log(2356.0 / 975) / std::log(2475.0 / 975)}),
    [](const auto& info) { return std::string(info.param.nome); });

struct CasoIntervallo {
    double TR;
    int k;
};

class Intervallo : public ::testing::TestWithParam<CasoIntervallo> {};

TEST_P(Intervallo, TabulatedPeriodStartsItsBracketExceptTheLast) {
    EXPECT_EQ(intervallo(GetParam().TR), GetParam().k);
}

INSTANTIATE_TEST_SUITE_P(Limiti, Intervallo,
                         ::testing::Values(CasoIntervallo{30, 1}, CasoIntervallo{49, 1},
                                           CasoIntervallo{50, 2}, CasoIntervallo{71, 2},
                                           CasoIntervallo{72, 3}, CasoIntervallo{100, 3},
                                           CasoIntervallo{101, 4}, CasoIntervallo{140, 5},
                                           CasoIntervallo{200, 5}, CasoIntervallo{201, 6},
                                           CasoIntervallo{474, 6}, CasoIntervallo{475, 7},
                                           CasoIntervallo{974, 7}, CasoIntervallo{975, 8},
                                           CasoIntervallo{2475, 8}));

TEST(InterpolaLog, EndsGiveTheTabulatedValuesAndTheMiddleTheirGeometricMean) {
    EXPECT_DOUBLE_EQ(interpola_log(0.943, 1.267, 0), 0.943);
    EXPECT_DOUBLE_EQ(interpola_log(0.943, 1.267, 1), 1.267);
    EXPECT_DOUBLE_EQ(interpola_log(2.0, 8.0, 0.5), 4.0);
    EXPECT_DOUBLE_EQ(interpola_log(2.0, 8.0, 1.0 / 3), 2.0 * std::cbrt(4.0));
}

// ---- The cell: four cases and tie rules on a 4 x 5 lattice ----

struct CasoCella {
    const char* nome;
    double dlon, dlat;  // site minus the point at row 1, column 1
    int caso;
    std::int64_t SW, SE, NW, NE;
};

class CellaCasi : public ::testing::TestWithParam<CasoCella> {};

TEST_P(CellaCasi, NearestPointTakesItsCornerAndTheOthersFollow) {
    const CasoCella& c = GetParam();
    const Grid g = reticolo(4, 5);
    const Cella cella =
        cerca_cella(GridSearch(g), prova::lon_colonna(1) + c.dlon, prova::lat_riga(1) + c.dlat);
    EXPECT_EQ(cella.caso, c.caso);
    EXPECT_EQ(cella.SW.cod, c.SW);
    EXPECT_EQ(cella.SE.cod, c.SE);
    EXPECT_EQ(cella.NW.cod, c.NW);
    EXPECT_EQ(cella.NE.cod, c.NE);
}

// The point at row 1, column 1 is 112; 102 lies north of it, 113 east, 122 south.
INSTANTIATE_TEST_SUITE_P(
    Casi, CellaCasi,
    ::testing::Values(CasoCella{"SiteNorthEastIsCase1", 0.01, 0.01, 1, 112, 113, 102, 103},
                      CasoCella{"SiteNorthWestIsCase2", -0.01, 0.01, 2, 111, 112, 101, 102},
                      CasoCella{"SiteSouthWestIsCase3", -0.01, -0.01, 3, 121, 122, 111, 112},
                      CasoCella{"SiteSouthEastIsCase4", 0.01, -0.01, 4, 122, 123, 112, 113},
                      CasoCella{"OnThePointIsCase1", 0, 0, 1, 112, 113, 102, 103},
                      CasoCella{"PointDueSouthIsCase1", 0, 0.01, 1, 112, 113, 102, 103},
                      CasoCella{"PointDueWestIsCase1", 0.01, 0, 1, 112, 113, 102, 103},
                      CasoCella{"PointDueEastIsCase2", -0.01, 0, 2, 111, 112, 101, 102},
                      CasoCella{"PointDueNorthIsCase3", 0, -0.01, 3, 121, 122, 111, 112}),
    [](const auto& info) { return std::string(info.param.nome); });

struct CasoFuori {
    const char* nome;
    int row, col;       // nearest point
    double dlon, dlat;  // site minus that point
};

class FuoriZona : public ::testing::TestWithParam<CasoFuori> {};

TEST_P(FuoriZona, StopsWithTheMessageOnce) {
    const CasoFuori& c = GetParam();
    const Grid g = reticolo(4, 5);
    DatiSito d;
    d.lon = prova::lon_colonna(c.col) + c.dlon;
    d.lat = prova::lat_riga(c.row) + c.dlat;
    EXPECT_EQ(messaggio(g, d), "Punto fuori zona!");
}

INSTANTIATE_TEST_SUITE_P(
    Bordi, FuoriZona,
    ::testing::Values(CasoFuori{"NorthOfTopRow", 0, 1, 0.01, 0.01},       // north search fails
                      CasoFuori{"SouthOfBottomRow", 3, 1, 0.01, -0.01},   // south search fails
                      CasoFuori{"EastOfLastColumn", 1, 4, 0.01, 0.01},    // east by code missing
                      CasoFuori{"EastSouthOfLastColumn", 1, 4, 0.01, -0.01},
                      CasoFuori{"WestOfFirstColumn", 1, 0, -0.01, 0.01},  // NW by code missing
                      CasoFuori{"WestSouthOfFirstColumn", 2, 0, -0.01, -0.01},
                      CasoFuori{"NorthWestCorner", 0, 0, -0.01, 0.01},
                      CasoFuori{"FarAway", 0, 0, -20, -20}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(CellaBordo, FailedWestSearchLeavesTheNearestPointInSouthWestInCase2) {
    // Row 1 starts one column later than rows 0 and 2: 112 has no west neighbour.
    const Grid g = reticolo(3, 4, {codice(1, 0)});
    DatiSito d;
    d.lon = prova::lon_colonna(1) - 0.01;
    d.lat = prova::lat_riga(1) + 0.01;
    const RisultatoSito r = interpola_sito(GridSearch(g), d);
    EXPECT_EQ(r.cella.caso, 2);
    EXPECT_EQ(r.cella.SE.cod, 112);
    EXPECT_EQ(r.cella.SW.cod, 112);
    EXPECT_EQ(r.cella.NW.cod, 101);
    EXPECT_EQ(r.Dsw, r.Dse);
}

TEST(CellaBordo, FailedWestSearchLeavesTheNearestPointInSouthWestInCase3) {
    // Row 2 starts one column later: the point south of 112 (122) has no west neighbour.
    const Grid g = reticolo(3, 4, {codice(2, 0)});
    const Cella c = cerca_cella(GridSearch(g), prova::lon_colonna(1) - 0.01, prova::lat_riga(1) - 0.01);
    EXPECT_EQ(c.caso, 3);
    EXPECT_EQ(c.NE.cod, 112);
    EXPECT_EQ(c.SE.cod, 122);
    EXPECT_EQ(c.NW.cod, 111);
    EXPECT_EQ(c.SW.cod, 112);
}

// ---- Interpolation ----

TEST(InterpolaSito, InverseDistanceWeightsOfTheFourCorners) {
    const Grid g = reticolo(4, 5);
    DatiSito d;
    d.lon = prova::lon_colonna(2) + 0.02;
    d.lat = prova::lat_riga(2) + 0.015;
    const RisultatoSito r = interpola_sito(GridSearch(g), d);
    const Cella& c = r.cella;
    ASSERT_EQ(c.SW.cod, 123);
    const GridPoint* corners[] = {&c.SW, &c.SE, &c.NW, &c.NE};
    const double D[] = {r.Dsw, r.Dse, r.Dnw, r.Dne};
    for (int j = 0; j < 4; ++j)
        EXPECT_DOUBLE_EQ(D[j], dist_geo(d.lon, d.lat, corners[j]->lon, corners[j]->lat) + 1e-12);
    for (std::size_t i = 0; i < kValoriPunto; ++i) {
        double num = 0, den = 0;
        for (int j = 0; j < 4; ++j) {
            num += corners[j]->dati[i] / D[j];
            den += 1 / D[j];
        }
        EXPECT_NEAR(r.valori[i], num / den, 1e-12) << i;
    }
    EXPECT_EQ(r.VR, 50);
    EXPECT_EQ(r.TR, 475);
    EXPECT_NEAR(r.ag, r.valori[18] / 10, 1e-15);
    EXPECT_NEAR(r.F0, r.valori[19], 1e-14);
}

TEST(InterpolaSito, SiteOnAGridPointGivesThatPointsValues) {
    const Grid g = reticolo(4, 5);
    const GridPoint& p = g.points[7];  // row 1, column 2
    DatiSito d;
    d.lon = p.lon;
    d.lat = p.lat;
    const RisultatoSito r = interpola_sito(GridSearch(g), d);
    EXPECT_EQ(r.Dsw, 1e-12);
    for (std::size_t i = 0; i < kValoriPunto; ++i) EXPECT_NEAR(r.valori[i], p.dati[i], 1e-12);
    EXPECT_NEAR(r.ag, p.dati[18] / 10, 1e-13);
    EXPECT_NEAR(r.F0, p.dati[19], 1e-12);
}

TEST(InterpolaSito, AgAndF0BetweenTwoTabulatedPeriods) {
    const Grid g = reticolo(4, 5);
    DatiSito d;
    d.lon = prova::lon_colonna(2) + 0.02;
    d.lat = prova::lat_riga(2) + 0.015;
    d.Cu = 2;  // TR 949, between 475 and 975
    const RisultatoSito r = interpola_sito(GridSearch(g), d);
    EXPECT_EQ(r.VR, 100);
    EXPECT_EQ(r.TR, 949);
    EXPECT_EQ(r.k, 7);
    const double ag = std::exp(std::log(r.valori[18]) + std::log(r.valori[21] / r.valori[18]) * r.r);
    EXPECT_DOUBLE_EQ(r.ag, ag / 10);
    EXPECT_GT(r.ag, r.valori[18] / 10);
    EXPECT_LT(r.ag, r.valori[21] / 10);
    d.VN = 1e6;  // TR limited to 2475: the 2475-year values
    const RisultatoSito top = interpola_sito(GridSearch(g), d);
    EXPECT_NEAR(top.ag, top.valori[24] / 10, 1e-14);
    EXPECT_NEAR(top.F0, top.valori[25], 1e-13);
}

// ---- Refused inputs ----

struct CasoDati {
    const char* nome;
    DatiSito dati;
    std::string messaggio;
};

class DatiRifiutati : public ::testing::TestWithParam<CasoDati> {};

TEST_P(DatiRifiutati, ClearMessageAndNoResult) {
    EXPECT_EQ(messaggio(reticolo(4, 5), GetParam().dati), GetParam().messaggio);
}

const double kInf = std::numeric_limits<double>::infinity();
const double kNan = std::numeric_limits<double>::quiet_NaN();
const DatiSito kSito{10.15, 44.9, 50, 1, 10};
DatiSito con(double DatiSito::*campo, double v) {
    DatiSito d = kSito;
    d.*campo = v;
    return d;
}
const std::string kPvr = "La probabilità di superamento PVR deve essere maggiore di 0 e minore di 100 %.";
const std::string kVr = "La vita di riferimento VR = VN × Cu deve essere maggiore di zero.";
const std::string kCoord = "Latitudine e longitudine del sito devono essere numeri finiti.";

INSTANTIATE_TEST_SUITE_P(
    Casi, DatiRifiutati,
    ::testing::Values(CasoDati{"Pvr100", con(&DatiSito::PVR, 100), kPvr},
                      CasoDati{"Pvr150", con(&DatiSito::PVR, 150), kPvr},
                      CasoDati{"Pvr0", con(&DatiSito::PVR, 0), kPvr},
                      CasoDati{"PvrNegative", con(&DatiSito::PVR, -5), kPvr},
                      CasoDati{"PvrNan", con(&DatiSito::PVR, kNan), kPvr},
                      CasoDati{"VnZero", con(&DatiSito::VN, 0), kVr},
                      CasoDati{"CuNegative", con(&DatiSito::Cu, -1), kVr},
                      CasoDati{"VrOverflow", DatiSito{10.15, 44.9, 1e200, 1e200, 10}, kVr},
                      CasoDati{"VnInfinite", con(&DatiSito::VN, kInf), "Vita nominale VN non valida."},
                      CasoDati{"CuNan", con(&DatiSito::Cu, kNan), "Coefficiente d'uso Cu non valido."},
                      CasoDati{"LonInfinite", con(&DatiSito::lon, -kInf), kCoord},
                      CasoDati{"LatNan", con(&DatiSito::lat, kNan), kCoord}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(DatiRifiutati, GridValueOfZeroAtABracketingPeriodStopsTheRun) {
    Grid g = reticolo(4, 5);
    for (GridPoint& p : g.points) p.dati[18] = 0;  // ag at 475 years
    EXPECT_EQ(messaggio(g, kSito),
              "Valore di ag nullo o negativo nella griglia al periodo di ritorno di 475 anni: "
              "impossibile interpolare.");
    g = reticolo(4, 5);
    for (GridPoint& p : g.points) p.dati[22] = -1;  // F0 at 975 years
    EXPECT_EQ(messaggio(g, con(&DatiSito::PVR, 5)),
              "Valore di F0 nullo o negativo nella griglia al periodo di ritorno di 975 anni: "
              "impossibile interpolare.");
    EXPECT_EQ(messaggio(g, kSito),  // 975 years is also the upper end of the bracket of TR 475
              "Valore di F0 nullo o negativo nella griglia al periodo di ritorno di 975 anni: "
              "impossibile interpolare.");
}

// ---- The real grid ----

class GrigliaReale : public ::testing::Test {
protected:
    static void SetUpTestSuite() { grid_ = new Grid(load_grid(TV_SHARED_DATA "/hazard_grid_ntc2008.txt")); }
    static void TearDownTestSuite() {
        delete grid_;
        grid_ = nullptr;
    }
    static Grid* grid_;
};
Grid* GrigliaReale::grid_ = nullptr;

TEST_F(GrigliaReale, HasAllItsPointsStartingAtTheWesternmost) {
    ASSERT_EQ(grid_->points.size(), 10751u);
    EXPECT_EQ(grid_->points[0].cod, 13111);
    EXPECT_EQ(grid_->points[0].lon, 6.5448);
    EXPECT_EQ(grid_->points[0].lat, 45.134);
}

TEST_F(GrigliaReale, SiteOnTheFirstPointGivesIts475YearValues) {
    DatiSito d;
    d.lon = 6.5448;
    d.lat = 45.134;
    const RisultatoSito r = interpola_sito(GridSearch(*grid_), d);
    // 12889 does not exist: the north search lands on 12890, north-east of the site.
    EXPECT_EQ(r.cella.caso, 1);
    EXPECT_EQ(r.cella.SW.cod, 13111);
    EXPECT_EQ(r.cella.NW.cod, 12890);
    EXPECT_EQ(r.cella.NE.cod, 12891);
    EXPECT_EQ(r.cella.SE.cod, 13112);
    EXPECT_EQ(r.Dsw, 1e-12);
    EXPECT_EQ(r.TR, 475);
    EXPECT_NEAR(r.ag, 0.0943, 1e-12);
    EXPECT_NEAR(r.F0, 2.44, 1e-12);
}

TEST_F(GrigliaReale, LAquila) {
    DatiSito d;
    d.lon = 13.3995;
    d.lat = 42.3498;
    const RisultatoSito r = interpola_sito(GridSearch(*grid_), d);
    EXPECT_EQ(r.cella.caso, 2);
    EXPECT_EQ(r.cella.SW.cod, 26527);
    EXPECT_EQ(r.cella.SE.cod, 26528);
    EXPECT_EQ(r.cella.NW.cod, 26305);
    EXPECT_EQ(r.cella.NE.cod, 26306);
    EXPECT_EQ(r.TR, 475);
    EXPECT_NEAR(r.ag, 0.2607, 5e-5);
    EXPECT_NEAR(r.F0, 2.36, 5e-3);
    const Spettro s = spettro("1.0", "B", r.ag, r.F0, text::dot_format());
    EXPECT_NEAR(s.Ss, 1.154, 5e-4);
    EXPECT_EQ(s.testo_Ss, "1.154");
}

}  // namespace
}  // namespace tv::hazard
