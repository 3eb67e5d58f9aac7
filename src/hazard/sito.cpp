// The opening of the check run: cell around the site, interpolation of the grid values, return
// period and the logarithmic interpolation of ag and F0 between tabulated periods.
#include "hazard/sito.h"

#include <algorithm>
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
    // NTC 2008 § 2.4.3: a reference life below 35 years is taken as 35 years.
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

}  // namespace

std::optional<Cella> trova_cella(const RicercaGriglia& search, double lon, double lat) {
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
    interpola_griglia(r, dati);
    al_periodo_ritorno(r, dati);
    return r;
}

RisultatoSito pericolosita_sito(const RicercaGriglia& search, const DatiSito& dati) {
    verifica_dati(dati);
    RisultatoSito r;
    if (auto cella = trova_cella(search, dati.lon, dati.lat)) {
        r.cella = *cella;
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
