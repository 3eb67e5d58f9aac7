// The islands outside the grid: the compiled table against its data file, the zones, the sites
// that take a group's values, and every comune of the locality list served by grid or island.
#include "hazard/isole.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "griglia_prova.h"
#include "hazard/indice.h"
#include "hazard/localita.h"
#include "hazard/sito.h"

namespace tv::hazard {
namespace {

double numero(const std::string& s) {
    double v = NAN;
    const auto [fine, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    EXPECT_TRUE(ec == std::errc() && fine == s.data() + s.size()) << s;
    return v;
}

// The data file read independently of the table: each group's values, then each zone's
// numbers, as lines of words.
TEST(TabellaIsole, CompiledTableEqualsTheDataFile) {
    std::ifstream in(TV_SHARED_DATA "/islands_ntc2008.txt");
    ASSERT_TRUE(in) << "islands_ntc2008.txt";
    std::size_t g = 0, z = 0, riga_valori = 0;
    for (std::string riga; std::getline(in, riga);) {
        std::istringstream parole(riga);
        std::vector<std::string> w;
        for (std::string p; parole >> p;) w.push_back(p);
        if (w.empty() || w[0][0] == '#') continue;
        const auto resto = [&](std::size_t da) {  // words from `da` on, as one text
            std::string s;
            for (std::size_t i = da; i < w.size(); ++i) s += (i > da ? " " : "") + w[i];
            return s;
        };
        if (w[0] == "group") {
            ASSERT_LT(g, kGruppiIsole);
            EXPECT_EQ(gruppi_isole()[g].nome, w[1]);
            EXPECT_EQ(gruppi_isole()[g++].isole, resto(2));
            riga_valori = 0;
        } else if (w[0] == "ag" || w[0] == "F0" || w[0] == "Tc") {
            ASSERT_EQ(w.size(), 10u) << riga;
            for (std::size_t j = 0; j < 9; ++j)
                EXPECT_EQ(gruppi_isole()[g - 1].dati[3 * j + riga_valori], numero(w[j + 1]))
                    << riga;
            ++riga_valori;
        } else {
            ASSERT_LT(z, kZoneIsole);
            const ZonaIsole& zona = zone_isole()[z++];
            EXPECT_EQ(gruppi_isole()[zona.gruppo].nome, w[1]) << riga;
            const bool box = w[0] == "box";
            EXPECT_EQ(zona.forma, box ? ZonaIsole::Forma::riquadro : ZonaIsole::Forma::cerchio);
            const std::vector<double> attesi =
                box ? std::vector{zona.lat_min, zona.lat_max, zona.lon_min, zona.lon_max}
                    : std::vector{zona.lat, zona.lon, zona.raggio_km};
            for (std::size_t i = 0; i < attesi.size(); ++i)
                EXPECT_EQ(attesi[i], numero(w[2 + i])) << riga;
            EXPECT_EQ(zona.nome, resto(2 + attesi.size()));
        }
    }
    EXPECT_EQ(g, kGruppiIsole);
    EXPECT_EQ(z, kZoneIsole);
}

std::string zona_di(double lat, double lon) {
    const ZonaIsole* z = zona_isole(lon, lat);
    return z ? std::string(z->nome) : "";
}

TEST(ZonaIsole, BoxBoundsIncludedCircleByGreatCircleFirstZoneInFileOrder) {
    for (const auto& [lat, lon] : {std::pair{38.80, 8.05}, std::pair{41.32, 9.90}})
        EXPECT_EQ(zona_di(lat, lon), "Sardegna");
    EXPECT_EQ(zona_di(41.3201, 9.0), "");
    EXPECT_EQ(zona_di(40.0, 8.0499), "");
    // Lampedusa, 7 km about 35.51 N: along the meridian the distance is 6371 km x the angle.
    const double km = 180 / M_PI / 6371;
    EXPECT_EQ(zona_di(35.51 - 6.99 * km, 12.59), "Lampedusa");
    EXPECT_EQ(zona_di(35.51 - 7.01 * km, 12.59), "");
    // Favignana and Levanzo overlap, as do Ventotene and Santo Stefano: the earlier one names.
    EXPECT_EQ(zona_di(37.96, 12.33), "Favignana");
    EXPECT_EQ(zona_di(40.795, 13.443), "Ventotene");
    EXPECT_EQ(zona_di(40.79, 13.47), "Santo Stefano");
}

class SitiIsole : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        griglia = new GrigliaIndicizzata(load_grid(TV_SHARED_DATA "/hazard_grid_ntc2008.txt"));
    }
    static void TearDownTestSuite() { delete griglia; }
    static RisultatoSito sito(double lat, double lon, double Cu = 1) {
        return pericolosita_sito(*griglia, DatiSito{lon, lat, 50, Cu, 10});
    }
    static inline GrigliaIndicizzata* griglia = nullptr;
};

struct CasoIsola {
    double lat, lon;
    const char *gruppo, *zona;
    double ag, F0;  // TR 475: the table's values, ag/g
};

class GruppoIsola : public SitiIsole, public ::testing::WithParamInterface<CasoIsola> {};

TEST_P(GruppoIsola, TakesTheGroupValuesAtTR) {
    const CasoIsola& c = GetParam();
    EXPECT_EQ(prova::messaggio([&] {
                  interpola_sito(*griglia, DatiSito{c.lon, c.lat});
              }),
              "Punto fuori zona!");
    const RisultatoSito r = sito(c.lat, c.lon);
    EXPECT_EQ(r.origine, Origine::isole);
    ASSERT_TRUE(r.gruppo && r.zona);
    EXPECT_EQ(r.gruppo->nome, c.gruppo);
    EXPECT_EQ(r.zona->nome, c.zona);
    EXPECT_EQ(r.TR, 475);
    EXPECT_NEAR(r.ag, c.ag, 1e-12);
    EXPECT_NEAR(r.F0, c.F0, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Tabella2, GruppoIsola,
    ::testing::Values(CasoIsola{39.2305, 9.1192, "G1", "Sardegna", 0.0500, 2.88},  // Cagliari
                      CasoIsola{42.8123, 10.3130, "G1", "Elba", 0.0500, 2.88},     // Portoferraio
                      CasoIsola{40.7940, 13.4278, "G2", "Ventotene", 0.0600, 2.92},
                      CasoIsola{38.7099, 13.1929, "G3", "Ustica", 0.1500, 2.50},
                      CasoIsola{42.1208, 15.5042, "G3", "Isole Tremiti", 0.1500, 2.50},
                      CasoIsola{38.57, 14.565, "G4", "Filicudi", 0.2471, 2.70},  // comune Lipari
                      CasoIsola{38.4674, 14.9540, "G5", "Lipari", 0.2200, 2.58}));

TEST_F(SitiIsole, ReturnPeriodBetweenTabulatedOnesInterpolatedAsForTheGrid) {
    // Cagliari, VR 75: TR 712, r = ln(712/475) / ln(975/475) = 0.56286, between 0.500 and 0.603.
    const RisultatoSito r = sito(39.2305, 9.1192, 1.5);
    EXPECT_EQ(r.TR, 712);
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
        const DatiSito d{numero(coppia->second), numero(coppia->first)};
        try {
            const RisultatoSito r = pericolosita_sito(*griglia, d);
            if (r.origine == Origine::isole) {
                ++isole;
                continue;
            }
            const RisultatoSito g = interpola_sito(*griglia, d);
            EXPECT_TRUE(r.ag == g.ag && r.F0 == g.F0 && r.valori == g.valori && !r.zona) << riga;
        } catch (const Failure& e) {
            ADD_FAILURE() << riga << ": " << e.what();
        }
    }
    EXPECT_EQ(righe->size(), 7904u);
    EXPECT_EQ(isole, 397u);
}

}  // namespace
}  // namespace tv::hazard
