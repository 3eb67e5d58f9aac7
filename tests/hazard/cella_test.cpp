// SPDX-License-Identifier: GPL-3.0-or-later
// Every comune of the locality list that an elementary cell of the real grid holds is
// interpolated on that cell: a plain geometric check over all complete cells, apart from the search.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "hazard/indice.h"
#include "hazard/sito.h"

namespace tv::hazard {
namespace {

struct Sito {
    double lat, lon;
    std::string riga;
};

// "lat   lon   name" lines; the numbers read with from_chars.
std::vector<Sito> comuni() {
    std::ifstream in(TV_SHARED_DATA "/localities_it.txt", std::ios::binary);
    std::vector<Sito> out;
    for (std::string riga; std::getline(in, riga);) {
        Sito s{0, 0, riga};
        const char* p = riga.data();
        const char* fine = p + riga.size();
        const auto a = std::from_chars(p, fine, s.lat);
        const char* q = std::find_if(a.ptr, fine, [](char c) { return c != ' ' && c != '\t'; });
        if (a.ec != std::errc() || std::from_chars(q, fine, s.lon).ec != std::errc()) continue;
        out.push_back(s);
    }
    return out;
}

// Whether (lon, lat) lies in triangle abc or on its sides, in the plane where a degree of
// longitude counts cos(lat): the three signed areas do not differ in sign.
bool nel_triangolo(const PuntoGriglia& a, const PuntoGriglia& b, const PuntoGriglia& c,
                   double lon, double lat) {
    const double k = std::cos(lat * 3.14159265358979323846 / 180);
    const auto area = [&](const PuntoGriglia& p, const PuntoGriglia& q) {
        return ((q.lon - p.lon) * (lat - p.lat) - (q.lat - p.lat) * (lon - p.lon)) * k;
    };
    const double eps = 1e-13;
    const double s1 = area(a, b), s2 = area(b, c), s3 = area(c, a);
    return (s1 >= -eps && s2 >= -eps && s3 >= -eps) || (s1 <= eps && s2 <= eps && s3 <= eps);
}

TEST(GrigliaReale, EveryComuneInACompleteCellIsInterpolatedOnIt) {
    const Griglia g = carica_griglia(TV_SHARED_DATA "/hazard_grid_ntc2008.txt");
    std::map<std::int64_t, const PuntoGriglia*> per_codice;
    for (const auto& p : g.points) per_codice.emplace(p.cod, &p);
    struct Maglia {
        std::int64_t nw;
        const PuntoGriglia *NW, *NE, *SE, *SW;
        double lon_min, lon_max, lat_min, lat_max;
    };
    std::vector<Maglia> maglie;
    for (const auto& [cod, nw] : per_codice) {
        const auto ne = per_codice.find(cod + 1), sw = per_codice.find(cod + 222),
                   se = per_codice.find(cod + 223);
        if (ne == per_codice.end() || sw == per_codice.end() || se == per_codice.end()) continue;
        const PuntoGriglia* v[4] = {nw, ne->second, se->second, sw->second};
        Maglia m{cod, v[0], v[1], v[2], v[3], 999, -999, 999, -999};
        for (const auto* p : v) {
            m.lon_min = std::min(m.lon_min, p->lon), m.lon_max = std::max(m.lon_max, p->lon);
            m.lat_min = std::min(m.lat_min, p->lat), m.lat_max = std::max(m.lat_max, p->lat);
        }
        maglie.push_back(m);
    }
    const GrigliaIndicizzata ricerca{Griglia(g)};
    std::size_t dentro = 0;
    for (const Sito& s : comuni()) {
        std::int64_t attesa = -1;  // the lowest NW code of the cells holding the site
        for (const Maglia& m : maglie) {
            if (s.lon < m.lon_min || s.lon > m.lon_max || s.lat < m.lat_min || s.lat > m.lat_max)
                continue;
            if (nel_triangolo(*m.NW, *m.NE, *m.SE, s.lon, s.lat) ||
                nel_triangolo(*m.NW, *m.SE, *m.SW, s.lon, s.lat)) {
                attesa = m.nw;
                break;  // codes in increasing order
            }
        }
        if (attesa < 0) continue;
        ++dentro;
        const auto c = trova_cella(ricerca, s.lon, s.lat);
        ASSERT_TRUE(c) << s.riga;
        EXPECT_EQ(c->caso, 0) << s.riga;
        EXPECT_EQ(c->NW.cod, attesa) << s.riga;
    }
    // The 7,507 comuni the grid covers; the others take the islands' values.
    EXPECT_EQ(dentro, 7507u);
}

}  // namespace
}  // namespace tv::hazard
