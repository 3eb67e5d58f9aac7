// SPDX-License-Identifier: GPL-3.0-or-later
// Hazard at the site: distance and neighbours by code, the four cases of the cell, sites outside
// the grid, return period and bracket, interpolation, refused inputs, and the real grid.
#include "hazard/sito.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <tuple>

#include "hazard/indice.h"
#include "griglia_prova.h"

namespace tv::hazard {
namespace {

using prova::nodo;
using prova::reticolo;

std::string messaggio(const Griglia& g, const DatiSito& d) {
    return prova::messaggio([&] { interpola_sito(RicercaLineare(g), d); });
}

// The site at (dlon, dlat) degrees from the point at row `row`, column `col` of the lattice.
DatiSito presso(int row, int col, double dlon, double dlat) {
    return {prova::lon_colonna(col) + dlon, prova::lat_riga(row) + dlat};
}

using Cella5 = std::array<std::int64_t, 5>;  // case, SW, SE, NW, NE
Cella5 codici(const Cella& c) { return {c.caso, c.SW.cod, c.SE.cod, c.NW.cod, c.NE.cod}; }

TEST(DistGeo, FixedDegreeConstantAndRadiusAndZeroForOnePosition) {
    // 57.29577951 degrees of latitude are exactly one radian with the program's constant.
    EXPECT_NEAR(dist_geo(0, 0, 0, 57.29577951), 6371.0, 1e-9);
    // At latitude 0.08 the cosine term of a point with itself rounds to just above 1.
    EXPECT_EQ(dist_geo(12.5, 0.08, 12.5, 0.08), 0.0);
}

TEST(VicinoPerCodice, EastAndWestAreTheNextCodesWhereverTheyLie) {
    const Griglia g{{nodo(2147483647, 10, 45), nodo(2147483648LL, 10.07, 45), nodo(10, 10, 44.9)}};
    const RicercaLineare s(g);
    EXPECT_EQ(trova_EST(s, 2147483647)->cod, 2147483648LL);  // no overflow at 32 bits
    EXPECT_EQ(trova_WEST(s, 2147483648LL)->lon, 10);
    EXPECT_EQ(trova_EST(s, 9)->lat, 44.9);
    EXPECT_FALSE(trova_WEST(s, 10).has_value());
}

TEST(PeriodoRitorno, RoundedHalfToEvenLimitedAndBracketed) {
    struct Caso { double VR, PVR, TR; int k; double r; };  // PVR in per cent
    const auto r = [](double TR, double basso, double alto) {
        return std::log(TR / basso) / std::log(alto / basso);
    };
    for (const Caso& c :
         {Caso{50, 10, 475, 7, 0},      // 474.56
          Caso{10, 81, 30, 1, 0},       // 6.02, limited to 30
          Caso{2e6, 10, 2475, 8, 1},    // far above 2475
          Caso{50, 1e-18, 2475, 8, 1},  // 1 - PVR rounds to 1
          Caso{100, 10, 949, 7, r(949, 475, 975)}, Caso{50, 45, 84, 3, r(84, 72, 101)}}) {
        const double TR = periodo_ritorno(c.VR, c.PVR / 100);
        EXPECT_EQ(TR, c.TR) << c.VR << " " << c.PVR;
        EXPECT_EQ(intervallo(TR), c.k) << TR;
        EXPECT_NEAR(rapporto_r(TR, intervallo(TR)), c.r, 1e-12) << TR;
    }
    // A tabulated period starts its bracket, except the last.
    for (const auto& [TR, k] : {std::pair{49.0, 1}, std::pair{50.0, 2}, std::pair{474.0, 6},
                                std::pair{975.0, 8}})
        EXPECT_EQ(intervallo(TR), k) << TR;
    EXPECT_DOUBLE_EQ(interpola_log(2.0, 8.0, 1.0 / 3), 2.0 * std::cbrt(4.0));
}

// The point at row 1, column 1 of a 4 x 5 lattice is 112; 102 lies north of it, 113 east, 122
// south. The nearest point takes its corner; on a tie in longitude or latitude the lower case.
TEST(CercaCella, FourCasesAndTheirTieRules) {
    const Griglia g = reticolo(4, 5);
    for (const auto& [dlon, dlat, attesa] :
         {std::tuple{0.01, 0.01, Cella5{1, 112, 113, 102, 103}},
          std::tuple{-0.01, 0.01, Cella5{2, 111, 112, 101, 102}},
          std::tuple{-0.01, -0.01, Cella5{3, 121, 122, 111, 112}},
          std::tuple{0.01, -0.01, Cella5{4, 122, 123, 112, 113}},
          std::tuple{0.0, 0.0, Cella5{1, 112, 113, 102, 103}},       // on the point
          std::tuple{0.0, 0.01, Cella5{1, 112, 113, 102, 103}},      // point due south
          std::tuple{0.01, 0.0, Cella5{1, 112, 113, 102, 103}},      // point due west
          std::tuple{-0.01, 0.0, Cella5{2, 111, 112, 101, 102}},     // point due east
          std::tuple{0.0, -0.01, Cella5{3, 121, 122, 111, 112}}}) {  // point due north
        const DatiSito d = presso(1, 1, dlon, dlat);
        EXPECT_EQ(codici(cerca_cella(RicercaLineare(g), d.lon, d.lat)), attesa) << dlon << " " << dlat;
    }
}

TEST(CercaCella, SiteOutsideTheGridStopsWithTheMessage) {
    const Griglia g = reticolo(4, 5);
    for (const DatiSito& d : {presso(0, 1, 0.01, 0.01),    // north search fails
                              presso(3, 1, 0.01, -0.01),   // south search fails
                              presso(1, 4, 0.01, 0.01),    // east by code missing
                              presso(2, 0, -0.01, -0.01)}) // NW by code missing
        EXPECT_EQ(messaggio(g, d), "Punto fuori zona!") << d.lon << " " << d.lat;
}

TEST(CercaCella, FailedWestSearchLeavesTheNearestPointInSouthWest) {
    // Row 1 (row 2) starts one column later: 112 (122, south of it) has no west neighbour.
    const Griglia g1 = reticolo(3, 4, {prova::codice(1, 0)}), g2 = reticolo(3, 4, {prova::codice(2, 0)});
    const RisultatoSito r = interpola_sito(RicercaLineare(g1), presso(1, 1, -0.01, 0.01));
    EXPECT_EQ(codici(r.cella), (Cella5{2, 112, 112, 101, 102}));
    const DatiSito d = presso(1, 1, -0.01, -0.01);
    EXPECT_EQ(codici(cerca_cella(RicercaLineare(g2), d.lon, d.lat)), (Cella5{3, 112, 122, 111, 112}));
}

// On a lattice of the grid's codes (codice_222): node (1, 1) is 324, the cell with NW corner c
// is {0, c + 222, c + 223, c, c + 1}.
TEST(CellaContenente, InsideOnANodeOrOnASharedEdgeTheLowestNwCode) {
    const Griglia g = reticolo(4, 5, {}, prova::codice_222);
    const auto cella = [](std::int64_t nw) { return Cella5{0, nw + 222, nw + 223, nw, nw + 1}; };
    const double mezza_col = 0.035, mezza_riga = 0.025;
    for (const auto& [d, nw] :
         {std::pair{presso(1, 1, 0.01, -0.01), 324},           // inside, near its NW corner
          std::pair{presso(1, 1, -0.01, 0.01), 101},           // inside the cell north-west
          std::pair{presso(1, 1, 0, 0), 101},                  // a node: four cells hold it
          std::pair{presso(1, 1, 0, -mezza_riga), 323},        // the column line: 323 and 324
          std::pair{presso(1, 1, mezza_col, 0), 102},          // the row line: 102 and 324
          std::pair{presso(2, 3, 0.02, mezza_riga), 326}}) {   // a cell of the last column
        const auto c = cella_contenente(RicercaLineare(g), d.lon, d.lat);
        ASSERT_TRUE(c) << d.lon << " " << d.lat;
        EXPECT_EQ(codici(*c), cella(nw)) << d.lon << " " << d.lat;
        EXPECT_EQ(codici(interpola_sito(RicercaLineare(g), d).cella), cella(nw));
    }
}

// Without node (1, 0) the cell 101 is incomplete; a site 0.01 degrees west of node (1, 1) lies
// in it, outside the complete cell 102 by 0.01 degrees of longitude at 44.96 N:
// 0.01 · cos(44.96°) · 6371 · π / 180 = 0.78682 km. The nearest point (1, 1) keeps its case 2.
TEST(CellaContenente, OutsideEveryCompleteCellTheNearestPointsCellAndHowFar) {
    const Griglia g = reticolo(3, 3, {prova::codice_222(1, 0)}, prova::codice_222);
    const DatiSito d = presso(1, 1, -0.01, 0.01);
    EXPECT_FALSE(cella_contenente(RicercaLineare(g), d.lon, d.lat));
    const RisultatoSito r = interpola_sito(RicercaLineare(g), d);
    EXPECT_EQ(codici(r.cella), (Cella5{2, 324, 324, 101, 102}));
    EXPECT_NEAR(r.fuori_maglia_km, 0.78682, 1e-5);
    // Far from any complete cell: no distance to give.
    const Griglia sola = reticolo(2, 2, {prova::codice_222(1, 0)}, prova::codice_222);
    EXPECT_EQ(distanza_maglia(RicercaLineare(sola), d.lon, d.lat),
              std::numeric_limits<double>::infinity());
}

TEST(InterpolaSito, RefusedInputsAndNullGridValuesHaveAClearMessage) {
    Griglia g = reticolo(4, 5);
    const double inf = std::numeric_limits<double>::infinity();
    for (const auto& [d, atteso] : std::vector<std::pair<DatiSito, std::string>>{
             {{10.15, 44.9, 50, 1, 100},
              "La probabilità di superamento PVR deve essere maggiore di 0 e minore di 100 %."},
             {{10.15, 44.9, 50, -1, 10},
              "La vita di riferimento VR = VN × Cu deve essere maggiore di zero."},
             {{10.15, 44.9, 50, NAN, 10}, "Coefficiente d'uso Cu non valido."},
             {{-inf, 44.9}, "Latitudine e longitudine del sito devono essere numeri finiti."},
             {{10.15, -90.0001}, "Latitudine del sito fuori dall'intervallo da -90 a 90 gradi."},
             {{370.15, 44.9}, "Longitudine del sito fuori dall'intervallo da -180 a 180 gradi."}})
        EXPECT_EQ(messaggio(g, d), atteso);
    for (PuntoGriglia& p : g.points) p.dati[22] = -1;  // F0 at 975 years, upper end of TR 475
    EXPECT_EQ(messaggio(g, presso(1, 1, 0.01, 0.01)),
              "Valore di F0 nullo o negativo nella griglia al periodo di ritorno di 975 anni: "
              "impossibile interpolare.");
}

// L'Aquila's cell and values on this grid are in the demo report's golden.
TEST(GrigliaReale, FirstPoint) {
    const Griglia g = carica_griglia(TV_SHARED_DATA "/hazard_grid_ntc2008.txt");
    ASSERT_EQ(g.points.size(), 10751u);
    // On the first point, the NW corner of the one complete cell that holds it.
    const RisultatoSito r = interpola_sito(RicercaLineare(g), DatiSito{6.5448, 45.134});
    EXPECT_EQ(codici(r.cella), (Cella5{0, 13333, 13334, 13111, 13112}));
    EXPECT_EQ(r.Dnw, 1e-12);  // kept off a division by 0
    EXPECT_NEAR(r.ag, 0.0943, 1e-12);
}

// Sites the nearest-point search put in a neighbouring cell, the grid's rows and columns being
// slightly tilted: each lies within 20 m of a row or column line, inside the cell named.
// Istrana (45.6769 N, 12.1012 E): the row line from 11635 (12.061, 45.676) to 11636 (12.132,
// 45.677) passes 12.1012 E at 45.676 + 0.0402 / 0.071 · 0.001 = 45.67657 N, south of the site, so
// the cell is NW 11413 (12.060, 45.726), NE 11414 (12.131, 45.727), SW 11635, SE 11636. Distances
// by dist_geo: 6.3281, 6.0324, 3.1249, 2.3929 km; ag(475) of the nodes 1.933, 1.860, 1.690, 1.610
// tenths of g: ag = (1.933/6.3281 + 1.860/6.0324 + 1.690/3.1249 + 1.610/2.3929) /
// (1/6.3281 + 1/6.0324 + 1/3.1249 + 1/2.3929) / 10 = 0.17212 (the neighbouring cell: 0.1571).
TEST(GrigliaReale, SitesNearARowOrColumnLineTakeTheCellThatHoldsThem) {
    const GrigliaIndicizzata g(carica_griglia(TV_SHARED_DATA "/hazard_grid_ntc2008.txt"));
    for (const auto& [lat, lon, nw] : {std::tuple{45.6769, 12.1012, 11413},   // Istrana
                                       std::tuple{45.5999, 9.4210, 11597},    // Ornago
                                       std::tuple{45.7019, 9.4858, 11154},    // Carvico
                                       std::tuple{40.7413, 15.2050, 33436},   // Senerchia
                                       std::tuple{42.2930, 12.4088, 26513},   // Civita Castellana
                                       std::tuple{39.8457, 16.4553, 37452}})  // Villapiana
        EXPECT_EQ(codici(interpola_sito(g, DatiSito{lon, lat}).cella),
                  (Cella5{0, nw + 222, nw + 223, nw, nw + 1})) << lat << " " << lon;
    EXPECT_NEAR(interpola_sito(g, DatiSito{12.1012, 45.6769}).ag, 0.17212, 5e-6);
}

}  // namespace
}  // namespace tv::hazard
