// SPDX-License-Identifier: GPL-3.0-or-later
// The islands outside the grid: the compiled table's numbers against its data file, the zones,
// the sites that take a group's values, and every comune of the locality list served by grid or island.
#include "hazard/isole.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "griglia_prova.h"
#include "hazard/indice.h"
#include "hazard/localita.h"
#include "hazard/sito.h"
#include "text/number_text.h"

namespace tv::hazard {
namespace {

// Every number of the data file, in file order, against the compiled groups (ag, F0 and Tc rows
// of the nine return periods) then zones (box bounds, or circle centre and radius).
TEST(TabellaIsole, CompiledNumbersAreThoseOfTheDataFile) {
    std::vector<double> file, tabella;
    std::ifstream in(TV_SHARED_DATA "/islands_ntc2008.txt");
    ASSERT_TRUE(in);
    for (std::string riga; std::getline(in, riga);) {
        std::istringstream parole(riga.starts_with("#") ? "" : riga);
        for (std::string w; parole >> w;)
            if (double v = 0; std::from_chars(w.data(), w.data() + w.size(), v).ptr == w.data() + w.size())
                file.push_back(v);
    }
    for (const GruppoIsole& g : gruppi_isole())
        for (std::size_t k = 0; k < 3; ++k)
            for (std::size_t j = 0; j < 9; ++j) tabella.push_back(g.dati[3 * j + k]);
    for (const ZonaIsole& z : zone_isole())
        if (z.forma == ZonaIsole::Forma::riquadro)
            tabella.insert(tabella.end(), {z.lat_min, z.lat_max, z.lon_min, z.lon_max});
        else
            tabella.insert(tabella.end(), {z.lat, z.lon, z.raggio_km});
    EXPECT_EQ(tabella, file);
}

std::string zona_di(double lat, double lon) {
    const ZonaIsole* z = zona_isole(lon, lat);
    return z ? std::string(z->nome) : "";
}

TEST(ZonaIsole, BoxBoundsIncludedCircleByGreatCircleFirstZoneInFileOrder) {
    EXPECT_EQ(zona_di(41.32, 9.90), "Sardegna");
    // Lampedusa, 7 km about 35.51 N: along the meridian the distance is 6371 km x the angle.
    EXPECT_EQ(zona_di(35.51 - 6.99 * 180 / M_PI / 6371, 12.59), "Lampedusa");
    // Favignana and Levanzo overlap, as do Ventotene and Santo Stefano: the earlier one names.
    EXPECT_EQ(zona_di(37.96, 12.33), "Favignana");
    EXPECT_EQ(zona_di(40.79, 13.47), "Santo Stefano");
}

class SitiIsole : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        griglia = new GrigliaIndicizzata(carica_griglia(TV_SHARED_DATA "/hazard_grid_ntc2008.txt"));
    }
    static void TearDownTestSuite() { delete griglia; }
    static RisultatoSito sito(double lat, double lon, double Cu = 1) {
        return pericolosita_sito(*griglia, DatiSito{lon, lat, 50, Cu, 10});
    }
    static inline GrigliaIndicizzata* griglia = nullptr;
};

// TR 475, ag/g, as the data file's table gives them: a zone takes its group's row (Cagliari;
// Filicudi, comune Lipari).
TEST_F(SitiIsole, GroupValuesAtTR) {
    for (const auto& [lat, lon, gruppo, zona, ag, F0] :
         {std::tuple{39.2305, 9.1192, "G1", "Sardegna", 0.0500, 2.88},
          std::tuple{38.57, 14.565, "G4", "Filicudi", 0.2471, 2.70}}) {
        EXPECT_EQ(prova::messaggio([&] { interpola_sito(*griglia, DatiSito{lon, lat}); }),
                  "Punto fuori zona!");
        const RisultatoSito r = sito(lat, lon);
        ASSERT_TRUE(r.origine == Origine::isole && r.gruppo && r.zona) << zona;
        EXPECT_EQ(std::tuple(std::string(r.gruppo->nome), std::string(r.zona->nome)),
                  std::tuple(std::string(gruppo), std::string(zona)));
        EXPECT_NEAR(r.ag, ag, 1e-12);
        EXPECT_NEAR(r.F0, F0, 1e-12);
    }
}

TEST_F(SitiIsole, ReturnPeriodBetweenTabulatedOnesInterpolatedAsForTheGrid) {
    // Cagliari, VR 75: TR 712, r = ln(712/475) / ln(975/475) = 0.56286, between 0.500 and 0.603.
    const RisultatoSito r = sito(39.2305, 9.1192, 1.5);
    EXPECT_NEAR(r.ag, 0.0555593, 1e-7);
    EXPECT_NEAR(r.F0, 2.935865, 1e-6);
}

TEST_F(SitiIsole, OutsideGridAndZonesStillStops) {
    for (const auto& [lat, lon] : {std::pair{35.51 - 7.01 * 180 / M_PI / 6371, 12.59},
                                   std::pair{40.0, 8.0499}, std::pair{38.7999, 9.0}})
        EXPECT_EQ(prova::messaggio([&] { sito(lat, lon); }), "Punto fuori zona!") << lat << lon;
}

// Every comune completes: by the grid, exactly as interpola_sito gives it, or by an island.
TEST_F(SitiIsole, EveryComuneOfTheLocalityListIsServed) {
    const auto righe = cerca_localita(TV_SHARED_DATA "/localities_it.txt", "   ");
    ASSERT_TRUE(righe);
    std::size_t isole = 0;
    for (const std::string& riga : *righe) {
        const auto coppia = scegli_localita(riga);
        ASSERT_TRUE(coppia) << riga;
        const DatiSito d{text::val(coppia->second), text::val(coppia->first)};
        const RisultatoSito r = pericolosita_sito(*griglia, d);  // a refusal fails the test
        if (r.origine == Origine::isole) {
            ++isole;
            continue;
        }
        const RisultatoSito g = interpola_sito(*griglia, d);
        EXPECT_TRUE(r.ag == g.ag && r.F0 == g.F0 && r.valori == g.valori && !r.zona) << riga;
    }
    EXPECT_EQ(righe->size(), 7904u);
    EXPECT_EQ(isole, 397u);
}

}  // namespace
}  // namespace tv::hazard
