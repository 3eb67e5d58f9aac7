// SPDX-License-Identifier: GPL-3.0-or-later
// Hazard at the site: the grid cell around it and inverse-distance interpolation of the 27 grid
// values, or an island group's; reference and return period, and ag and F0 at that period.
#pragma once

#include <array>
#include <optional>

#include "hazard/grid.h"
#include "hazard/isole.h"
#include "hazard/ricerca.h"

namespace tv::hazard {

// Tabulated return periods of the grid, in years, indexed 0 to 8.
inline constexpr std::array<double, 9> kPeriodiRitorno = {30,  50,  72,  101, 140,
                                                          201, 475, 975, 2475};

// Site data as read from the fields: position in decimal degrees, nominal life VN (years),
// use coefficient Cu, probability of exceedance PVR in per cent.
struct DatiSito {
    double lon = 0;
    double lat = 0;
    double VN = 50;
    double Cu = 1.0;
    double PVR = 10;
};

// The four grid points of the site. Case 0: the elementary cell that holds the site (NW c,
// NE c + 1, SW c + 222, SE c + 223). Where no complete cell holds it, the case (1 to 4) that
// placed the nearest point: 1 in SW, 2 in SE, 3 in NE, 4 in NW.
struct Cella {
    PuntoGriglia SW, SE, NW, NE;
    int caso = 0;
};

// The elementary cell holding the site, edges included, among the cells whose corners lie within
// two nodes of the nearest point; tested in a plane where a degree of longitude counts
// cos(latitude of the site) of a degree of latitude. On a shared edge or node, the cell with the
// lowest NW code. nullopt where no complete cell there holds the site.
std::optional<Cella> cella_contenente(const RicercaGriglia& search, double lon, double lat);

// How far (km, in the same plane) the site lies outside the nearest complete cell whose NW
// corner is within three nodes of the nearest point; infinity where there is none.
double distanza_maglia(const RicercaGriglia& search, double lon, double lat);

// The cell holding the site; where none does, the four points found from the nearest point
// (cases 1 to 4); nullopt where that search stops too.
std::optional<Cella> trova_cella(const RicercaGriglia& search, double lon, double lat);

// Surrounds the site with four grid points. Throws tv::Failure("Punto fuori zona!") when a
// corner is missing or a north/south search finds no point further on. In cases 2 and 3 a west
// search that finds nothing for SW leaves the nearest point there.
Cella cerca_cella(const RicercaGriglia& search, double lon, double lat);

// Return period in years for VR (years) and PVR (a fraction, 0 < PVR < 1): -VR / ln(1 - PVR)
// rounded half to even, then limited to 2475 and to 30.
double periodo_ritorno(double VR, double PVR);

// Bracket k (1 to 8): TR lies between kPeriodiRitorno[k - 1] and kPeriodiRitorno[k].
int intervallo(double TR);

// Position of TR within bracket k on the logarithmic scale of the return period.
double rapporto_r(double TR, int k);

// exp(ln p1 + ln(p2 / p1) * r): the value at r between p1 (r = 0) and p2 (r = 1).
double interpola_log(double p1, double p2, double r);

// The least reference life VR, years (Circolare 2019 Tab. C2.4.I).
inline constexpr double kVRMinimo = 35;

// Where the 27 values of a site come from.
enum class Origine { griglia, isole };

struct RisultatoSito {
    Origine origine = Origine::griglia;
    // Island sites: the group and the first zone holding the site (static data, never null
    // there); the cell and the four distances then stay at zero.
    const GruppoIsole* gruppo = nullptr;
    const ZonaIsole* zona = nullptr;
    Cella cella;
    // Grid sites in no complete cell (cella.caso 1 to 4): distanza_maglia of the site, km.
    double fuori_maglia_km = 0;
    double Dsw = 0, Dse = 0, Dnw = 0, Dne = 0;  // km, each already increased by 1e-12
    std::array<double, kValoriPunto> valori{};  // interpolated at the site, laid out like dati
    double VN_Cu = 0;                           // years, VN x Cu
    double VR = 0;                              // years, VN x Cu but at least kVRMinimo
    double TR = 0;                              // years, a whole number
    int k = 0;
    double r = 0;
    double ag = 0;  // a/g, unrounded
    double F0 = 0;
    double Tc = 0;  // Tc* in s; not a number where the grid holds 0 or less around TR
};

// The whole hazard computation of the check run. Throws tv::Failure with an Italian message on
// non-finite inputs, a latitude outside -90..90 or a longitude outside -180..180 degrees, PVR
// outside (0, 100), VR not positive, a site outside the grid ("Punto fuori zona!") or a value of 0
// or less at a bracketing return period.
RisultatoSito interpola_sito(const RicercaGriglia& search, const DatiSito& dati);

// The same, except that a site the grid cannot surround and that lies in an island zone takes
// its group's values at the nine periods, as they are; TR, ag and F0 follow as for the grid.
// Grid sites give exactly what interpola_sito gives. Outside both: "Punto fuori zona!".
RisultatoSito pericolosita_sito(const RicercaGriglia& search, const DatiSito& dati);

}  // namespace tv::hazard
