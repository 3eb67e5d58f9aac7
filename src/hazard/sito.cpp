// SPDX-License-Identifier: GPL-3.0-or-later
// The opening of the check run: cell around the site, interpolation of the grid values, return
// period and the logarithmic interpolation of ag and F0 between tabulated periods.
#include "hazard/sito.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "text/error.h"
#include "text/number_text.h"

namespace tv::hazard {
namespace {

constexpr const char* kFuoriZona = "Punto fuori zona!";
constexpr double kDistanzaMinima = 1e-12;  // km, keeps a site on a grid point off a division by 0

[[noreturn]] void fuori_zona() {
    throw Failure(kFuoriZona);
}

std::optional<PuntoGriglia> verticale(const Vicino& v) {
    if (v.fuori_zona) return std::nullopt;
    return v.punto;
}

void verifica_dati(const DatiSito& d) {
    if (!std::isfinite(d.lon) || !std::isfinite(d.lat))
        throw Failure("Latitudine e longitudine del sito devono essere numeri finiti.");
    // Beyond these the distances wrap round the sphere and some cell would still be found.
    if (d.lat < -90 || d.lat > 90)
        throw Failure("Latitudine del sito fuori dall'intervallo da -90 a 90 gradi.");
    if (d.lon < -180 || d.lon > 180)
        throw Failure("Longitudine del sito fuori dall'intervallo da -180 a 180 gradi.");
    if (!std::isfinite(d.VN)) throw Failure("Vita nominale VN non valida.");
    if (!std::isfinite(d.Cu)) throw Failure("Coefficiente d'uso Cu non valido.");
    if (!std::isfinite(d.PVR) || d.PVR <= 0 || d.PVR >= 100)
        throw Failure(
            "La probabilità di superamento PVR deve essere maggiore di 0 e minore di 100 %.");
    const double VR = d.Cu * d.VN;
    if (!std::isfinite(VR) || VR <= 0)
        throw Failure("La vita di riferimento VR = VN × Cu deve essere maggiore di zero.");
}

// ag (offset 0) or F0 (offset 1) at TR, from the site values of bracket k.
double al_periodo(const RisultatoSito& r, std::size_t offset, const char* nome) {
    const auto k = static_cast<std::size_t>(r.k);
    const std::pair<double, std::size_t> estremi[] = {{r.valori[3 * (k - 1) + offset], k - 1},
                                                      {r.valori[3 * k + offset], k}};
    for (const auto& [valore, j] : estremi) {
        if (!(valore > 0))
            throw Failure(std::string("Valore di ") + nome +
                          " nullo o negativo nella griglia al periodo di ritorno di " +
                          text::general(kPeriodiRitorno[j], text::dot_format()) +
                          " anni: impossibile interpolare.");
    }
    return interpola_log(estremi[0].first, estremi[1].first, r.r);
}

// The inverse-distance mean of the four corners' values.
void interpola_griglia(RisultatoSito& r, const DatiSito& dati) {
    const Cella& c = r.cella;
    r.Dsw = dist_geo(dati.lon, dati.lat, c.SW.lon, c.SW.lat) + kDistanzaMinima;
    r.Dse = dist_geo(dati.lon, dati.lat, c.SE.lon, c.SE.lat) + kDistanzaMinima;
    r.Dnw = dist_geo(dati.lon, dati.lat, c.NW.lon, c.NW.lat) + kDistanzaMinima;
    r.Dne = dist_geo(dati.lon, dati.lat, c.NE.lon, c.NE.lat) + kDistanzaMinima;

    // Sums formed left to right in this order: NW, SW, SE, NE.
    for (std::size_t i = 0; i < kValoriPunto; ++i) {
        const double num = c.NW.dati[i] / r.Dnw + c.SW.dati[i] / r.Dsw + c.SE.dati[i] / r.Dse +
                           c.NE.dati[i] / r.Dne;
        const double den = 1 / r.Dnw + 1 / r.Dsw + 1 / r.Dse + 1 / r.Dne;
        r.valori[i] = num / den;
    }
}

// VR, TR and its bracket, then ag and F0 at TR from the site's 27 values, wherever they came from.
void al_periodo_ritorno(RisultatoSito& r, const DatiSito& dati) {
    // Circolare 2019 Tab. C2.4.I: a reference life below 35 years is taken as 35 years.
    r.VN_Cu = dati.Cu * dati.VN;
    r.VR = std::max(r.VN_Cu, kVRMinimo);
    r.TR = periodo_ritorno(r.VR, dati.PVR / 100);
    r.k = intervallo(r.TR);
    r.r = rapporto_r(r.TR, r.k);
    r.ag = al_periodo(r, 0, "ag") / 10;  // grid and islands hold tenths of g
    r.F0 = al_periodo(r, 1, "F0");
    // Tc* plays no part in the check: a grid without it must not stop the run.
    const auto k = static_cast<std::size_t>(r.k);
    const double tc1 = r.valori[3 * (k - 1) + 2], tc2 = r.valori[3 * k + 2];
    r.Tc = tc1 > 0 && tc2 > 0 ? interpola_log(tc1, tc2, r.r) : std::nan("");
}

constexpr double kGradiRadianti = 3.14159265358979323846 / 180;
constexpr double kKmGrado = 6371.0 * kGradiRadianti;  // km in a degree of the grid's sphere

// Grid positions near the nearest point, by code, relative to the site in the test plane.
class Intorno {
  public:
    Intorno(const RicercaGriglia& search, std::int64_t centro, double lon, double lat)
        : search_(search), centro_(centro), lon_(lon), lat_(lat),
          k_(std::cos(lat * kGradiRadianti)) {}

    // The corners of the cell whose NW point is centro + i + 222 j, in the order NW, NE, SE, SW
    // (clockwise); false when one is missing.
    bool angoli(int i, int j, std::array<Posizione, 4>& v) const {
        const int di[4] = {0, 1, 1, 0}, dj[4] = {0, 0, 1, 1};
        for (std::size_t q = 0; q < 4; ++q) {
            const auto p = posizione(i + di[q], j + dj[q]);
            if (!p) return false;
            v[q] = {(p->lon - lon_) * k_, p->lat - lat_};
        }
        return true;
    }
    std::int64_t nw_di(int i, int j) const { return centro_ + i + kPassoSud * j; }

  private:
    // The position of the point i east and j south of the centre; the nine nearest are looked
    // up once, as the four cells around the centre share them.
    std::optional<Posizione> posizione(int i, int j) const {
        if (i < -1 || i > 1 || j < -1 || j > 1) return search_.posizione(nw_di(i, j));
        const auto k = static_cast<std::size_t>(3 * (j + 1) + (i + 1));
        if (!letti_[k]) {
            vicini_[k] = search_.posizione(nw_di(i, j));
            letti_[k] = true;
        }
        return vicini_[k];
    }

    const RicercaGriglia& search_;
    std::int64_t centro_;
    double lon_, lat_, k_;
    mutable std::array<std::optional<Posizione>, 9> vicini_{};
    mutable std::array<bool, 9> letti_{};
};

enum class Dove { fuori, bordo, dentro };

// Where the origin lies against the clockwise quadrilateral v: outside when a corner pair turns
// the wrong way, on its border when a turn is within rounding of zero, else strictly inside.
Dove posizione_origine(const std::array<Posizione, 4>& v) {
    Dove d = Dove::dentro;
    for (std::size_t q = 0; q < 4; ++q) {
        const Posizione& a = v[q];
        const Posizione& b = v[(q + 1) % 4];
        const double giro = a.lon * b.lat - a.lat * b.lon;
        const double scala = (std::abs(a.lon) + std::abs(a.lat)) * (std::abs(b.lon) + std::abs(b.lat));
        if (giro > 1e-12 * scala) return Dove::fuori;
        if (giro >= -1e-12 * scala) d = Dove::bordo;
    }
    return d;
}

bool contiene_origine(const std::array<Posizione, 4>& v) {
    return posizione_origine(v) != Dove::fuori;
}

// Distance from the origin to segment ab.
double distanza_segmento(const Posizione& a, const Posizione& b) {
    const double dx = b.lon - a.lon, dy = b.lat - a.lat;
    const double l2 = dx * dx + dy * dy;
    const double t = l2 > 0 ? std::clamp(-(a.lon * dx + a.lat * dy) / l2, 0.0, 1.0) : 0.0;
    return std::hypot(a.lon + t * dx, a.lat + t * dy);
}

Cella cella_di(const RicercaGriglia& search, std::int64_t nw) {
    const PuntoGriglia* NW = search.by_code(nw);
    const PuntoGriglia* NE = search.by_code(nw + kPassoEst);
    const PuntoGriglia* SE = search.by_code(nw + kPassoSud + kPassoEst);
    const PuntoGriglia* SW = search.by_code(nw + kPassoSud);
    // The positions came from the same records: a missing one is a grid that changed under us.
    if (!NW || !NE || !SE || !SW) fuori_zona();
    return Cella{*SW, *SE, *NW, *NE, 0};
}

}  // namespace

std::optional<Cella> cella_contenente(const RicercaGriglia& search, double lon, double lat) {
    const PuntoGriglia* P = search.nearest(lon, lat);
    if (!P) return std::nullopt;
    const Intorno intorno(search, P->cod, lon, lat);
    std::array<Posizione, 4> v;
    // Cells do not overlap: one of the four sharing the nearest point that holds the site
    // strictly inside is the only one.
    for (int j = -1; j <= 0; ++j)
        for (int i = -1; i <= 0; ++i)
            if (intorno.angoli(i, j, v) && posizione_origine(v) == Dove::dentro)
                return cella_di(search, intorno.nw_di(i, j));
    // NW codes from lowest to highest, so the first cell that holds the site is the one a shared
    // edge or node gives.
    for (int j = -2; j <= 1; ++j)
        for (int i = -2; i <= 1; ++i)
            if (intorno.angoli(i, j, v) && contiene_origine(v))
                return cella_di(search, intorno.nw_di(i, j));
    return std::nullopt;
}

double distanza_maglia(const RicercaGriglia& search, double lon, double lat) {
    double minima = std::numeric_limits<double>::infinity();
    const PuntoGriglia* P = search.nearest(lon, lat);
    if (!P) return minima;
    const Intorno intorno(search, P->cod, lon, lat);
    std::array<Posizione, 4> v;
    for (int j = -3; j <= 3; ++j)
        for (int i = -3; i <= 3; ++i) {
            if (!intorno.angoli(i, j, v)) continue;
            if (contiene_origine(v)) return 0;
            for (std::size_t q = 0; q < 4; ++q)
                minima = std::min(minima, distanza_segmento(v[q], v[(q + 1) % 4]));
        }
    return minima * kKmGrado;
}

std::optional<Cella> trova_cella(const RicercaGriglia& search, double lon, double lat) {
    if (auto contenente = cella_contenente(search, lon, lat)) return contenente;
    const PuntoGriglia* nearest = search.nearest(lon, lat);
    if (!nearest) return std::nullopt;
    const PuntoGriglia& P = *nearest;
    Cella c;
    c.SW = P;  // the nearest point first stands in SW, whatever the case
    std::optional<PuntoGriglia> nord_sud, est_ovest, terzo;
    if (P.lon <= lon && P.lat <= lat) {
        c.caso = 1;
        if (!(nord_sud = verticale(trova_NORD(search, c.SW)))) return std::nullopt;
        if (!(est_ovest = trova_EST(search, nord_sud->cod))) return std::nullopt;
        if (!(terzo = trova_EST(search, c.SW.cod))) return std::nullopt;
        c.NW = *nord_sud, c.NE = *est_ovest, c.SE = *terzo;
    } else if (P.lon >= lon && P.lat <= lat) {
        c.caso = 2;
        c.SE = P;
        if (!(nord_sud = verticale(trova_NORD(search, c.SE)))) return std::nullopt;
        if (!(est_ovest = trova_WEST(search, nord_sud->cod))) return std::nullopt;
        c.NE = *nord_sud, c.NW = *est_ovest;
        if (auto w = trova_WEST(search, c.SE.cod)) c.SW = *w;
    } else if (P.lon >= lon && P.lat >= lat) {
        c.caso = 3;
        c.NE = P;
        if (!(nord_sud = verticale(trova_SUD(search, c.NE)))) return std::nullopt;
        if (!(est_ovest = trova_WEST(search, c.NE.cod))) return std::nullopt;
        c.SE = *nord_sud, c.NW = *est_ovest;
        if (auto w = trova_WEST(search, c.SE.cod)) c.SW = *w;
    } else {
        c.caso = 4;
        c.NW = P;
        if (!(nord_sud = verticale(trova_SUD(search, c.NW)))) return std::nullopt;
        if (!(est_ovest = trova_EST(search, c.NW.cod))) return std::nullopt;
        if (!(terzo = trova_EST(search, nord_sud->cod))) return std::nullopt;
        c.SW = *nord_sud, c.NE = *est_ovest, c.SE = *terzo;
    }
    return c;
}

Cella cerca_cella(const RicercaGriglia& search, double lon, double lat) {
    auto c = trova_cella(search, lon, lat);
    if (!c) fuori_zona();
    return *c;
}

double periodo_ritorno(double VR, double PVR) {
    const double l = std::log(1 - PVR);
    // A PVR so small that 1 - PVR rounds to 1 means an endless return period.
    const double grezzo = l < 0 ? -VR / l : std::numeric_limits<double>::infinity();
    double TR = text::round_half_even(grezzo, 0);
    if (TR > 2475) TR = 2475;
    if (TR < 30) TR = 30;
    return TR;
}

int intervallo(double TR) {
    for (int k = 1; k < 8; ++k)
        if (TR < kPeriodiRitorno[static_cast<std::size_t>(k)]) return k;
    return 8;
}

double rapporto_r(double TR, int k) {
    const double basso = kPeriodiRitorno[static_cast<std::size_t>(k - 1)];
    const double alto = kPeriodiRitorno[static_cast<std::size_t>(k)];
    return std::log(TR / basso) / std::log(alto / basso);
}

double interpola_log(double p1, double p2, double r) {
    return std::exp(std::log(p1) + std::log(p2 / p1) * r);
}

RisultatoSito interpola_sito(const RicercaGriglia& search, const DatiSito& dati) {
    verifica_dati(dati);
    RisultatoSito r;
    r.cella = cerca_cella(search, dati.lon, dati.lat);
    if (r.cella.caso != 0) r.fuori_maglia_km = distanza_maglia(search, dati.lon, dati.lat);
    interpola_griglia(r, dati);
    al_periodo_ritorno(r, dati);
    return r;
}

RisultatoSito pericolosita_sito(const RicercaGriglia& search, const DatiSito& dati) {
    verifica_dati(dati);
    RisultatoSito r;
    if (auto cella = trova_cella(search, dati.lon, dati.lat)) {
        r.cella = *cella;
        if (r.cella.caso != 0) r.fuori_maglia_km = distanza_maglia(search, dati.lon, dati.lat);
        interpola_griglia(r, dati);
    } else if (const ZonaIsole* zona = zona_isole(dati.lon, dati.lat)) {
        r.origine = Origine::isole;
        r.zona = zona;
        r.gruppo = &gruppi_isole()[zona->gruppo];
        r.valori = r.gruppo->dati;  // constant over the island: no interpolation in space
    } else {
        fuori_zona();
    }
    al_periodo_ritorno(r, dati);
    return r;
}

}  // namespace tv::hazard
