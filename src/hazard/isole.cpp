// SPDX-License-Identifier: GPL-3.0-or-later
// The values of Allegato B, Tabella 2 and the zones of its islands, compiled in.
// A test holds them equal to the islands' data file.
#include "hazard/isole.h"

#include "hazard/ricerca.h"

namespace tv::hazard {
namespace {

using Forma = ZonaIsole::Forma;

// shared/data/islands_ntc2008.txt: D.M. 14/01/2008 All. B Tab. 2 via SpettriNTCweb; zones drawn.
constexpr std::array<GruppoIsole, kGruppiIsole> kGruppi = {{
    {"G1",
     "Arcipelago Toscano, Isole Egadi, Pantelleria, Sardegna, Lampedusa e Linosa, Ponza, Palmarola "
     "e Zannone",
     {0.186, 2.61, 0.273, 0.235, 2.67, 0.296, 0.274, 2.70, 0.303,
      0.314, 2.73, 0.307, 0.351, 2.78, 0.313, 0.393, 2.82, 0.322,
      0.500, 2.88, 0.340, 0.603, 2.98, 0.372, 0.747, 3.09, 0.401}},
    {"G2", "Ventotene, Santo Stefano", {0.239, 2.61,  0.245, 0.303, 2.61,  0.272, 0.347,
                                        2.61,  0.298, 0.389, 2.66,  0.326, 0.430, 2.69,
                                        0.366, 0.481, 2.71,  0.401, 0.600, 2.92,  0.476,
                                        0.707, 3.07,  0.517, 0.852, 3.27,  0.564}},
    {"G3", "Ustica, Isole Tremiti", {0.429, 2.50, 0.400, 0.554, 2.50, 0.400, 0.661, 2.50, 0.400,
                                     0.776, 2.50, 0.400, 0.901, 2.50, 0.400, 1.056, 2.50, 0.400,
                                     1.500, 2.50, 0.400, 1.967, 2.50, 0.400, 2.725, 2.50, 0.400}},
    {"G4", "Alicudi, Filicudi", {0.350, 2.70, 0.400, 0.558, 2.70, 0.400, 0.807, 2.70, 0.400,
                                 1.020, 2.70, 0.400, 1.214, 2.70, 0.400, 1.460, 2.70, 0.400,
                                 2.471, 2.70, 0.400, 3.212, 2.70, 0.400, 4.077, 2.70, 0.400}},
    {"G5",
     "Panarea, Stromboli, Lipari, Vulcano, Salina",
     {0.618, 2.45, 0.287, 0.817, 2.48, 0.290, 0.983, 2.51, 0.294,
      1.166, 2.52, 0.290, 1.354, 2.56, 0.290, 1.580, 2.56, 0.292,
      2.200, 2.58, 0.306, 2.823, 2.65, 0.316, 3.746, 2.76, 0.324}},
}};

constexpr std::array<ZonaIsole, kZoneIsole> kZone = {{
    {0, Forma::riquadro, 38.80, 41.32, 8.05, 9.90, 0, 0, 0, "Sardegna"},
    {0, Forma::cerchio, 0, 0, 0, 0, 42.78, 10.26, 16, "Elba"},
    {0, Forma::cerchio, 0, 0, 0, 0, 43.04, 9.83, 5, "Capraia"},
    {0, Forma::cerchio, 0, 0, 0, 0, 43.43, 9.91, 3, "Gorgona"},
    {0, Forma::cerchio, 0, 0, 0, 0, 42.585, 10.08, 4, "Pianosa"},
    {0, Forma::cerchio, 0, 0, 0, 0, 42.335, 10.31, 3, "Montecristo"},
    {0, Forma::cerchio, 0, 0, 0, 0, 42.36, 10.90, 6, "Giglio"},
    {0, Forma::cerchio, 0, 0, 0, 0, 42.25, 11.10, 3, "Giannutri"},
    {0, Forma::cerchio, 0, 0, 0, 0, 37.93, 12.32, 6, "Favignana"},
    {0, Forma::cerchio, 0, 0, 0, 0, 37.99, 12.34, 3, "Levanzo"},
    {0, Forma::cerchio, 0, 0, 0, 0, 37.97, 12.06, 5, "Marettimo"},
    {0, Forma::cerchio, 0, 0, 0, 0, 36.78, 11.99, 10, "Pantelleria"},
    {0, Forma::cerchio, 0, 0, 0, 0, 35.51, 12.59, 7, "Lampedusa"},
    {0, Forma::cerchio, 0, 0, 0, 0, 35.86, 12.86, 3, "Linosa"},
    {0, Forma::cerchio, 0, 0, 0, 0, 35.55, 12.32, 2, "Lampione"},
    {0, Forma::cerchio, 0, 0, 0, 0, 40.90, 12.96, 6, "Ponza"},
    {0, Forma::cerchio, 0, 0, 0, 0, 40.94, 12.86, 3, "Palmarola"},
    {0, Forma::cerchio, 0, 0, 0, 0, 40.97, 13.06, 2, "Zannone"},
    {1, Forma::cerchio, 0, 0, 0, 0, 40.80, 13.43, 3, "Ventotene"},
    {1, Forma::cerchio, 0, 0, 0, 0, 40.79, 13.455, 2, "Santo Stefano"},
    {2, Forma::cerchio, 0, 0, 0, 0, 38.71, 13.18, 5, "Ustica"},
    {2, Forma::cerchio, 0, 0, 0, 0, 42.12, 15.50, 5, "Isole Tremiti"},
    {2, Forma::cerchio, 0, 0, 0, 0, 42.22, 15.75, 2, "Pianosa (Tremiti)"},
    {3, Forma::cerchio, 0, 0, 0, 0, 38.545, 14.35, 3, "Alicudi"},
    {3, Forma::cerchio, 0, 0, 0, 0, 38.57, 14.565, 4, "Filicudi"},
    {4, Forma::cerchio, 0, 0, 0, 0, 38.56, 14.85, 6, "Salina"},
    {4, Forma::cerchio, 0, 0, 0, 0, 38.49, 14.94, 7, "Lipari"},
    {4, Forma::cerchio, 0, 0, 0, 0, 38.39, 14.96, 5, "Vulcano"},
    {4, Forma::cerchio, 0, 0, 0, 0, 38.64, 15.07, 3, "Panarea"},
    {4, Forma::cerchio, 0, 0, 0, 0, 38.79, 15.21, 4, "Stromboli"},
}};

}  // namespace

const std::array<GruppoIsole, kGruppiIsole>& gruppi_isole() {
    return kGruppi;
}
const std::array<ZonaIsole, kZoneIsole>& zone_isole() {
    return kZone;
}

bool contiene(const ZonaIsole& z, double lon, double lat) {
    if (z.forma == Forma::riquadro)
        return lat >= z.lat_min && lat <= z.lat_max && lon >= z.lon_min && lon <= z.lon_max;
    return dist_geo(lon, lat, z.lon, z.lat) <= z.raggio_km;
}

const ZonaIsole* zona_isole(double lon, double lat) {
    for (const ZonaIsole& z : kZone)
        if (contiene(z, lon, lat)) return &z;
    return nullptr;
}

}  // namespace tv::hazard
