// SPDX-License-Identifier: GPL-3.0-or-later
// The grid read for positions only, against the grid held whole: the same records and site
// values from the same file, the same refusals, a file changed under it, one reading per command.
#include "hazard/sul_file.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>

#include "griglia_prova.h"
#include "hazard/sito.h"

namespace tv::hazard {
namespace {

// A lattice with gaps written as a grid file, numbers as to_chars writes them (read back exact).
std::string testo_reticolo() {
    std::string text = "ID LON LAT\r\n";
    const auto numero = [&](double v) {
        char buf[32];
        text.append(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
    };
    for (const PuntoGriglia& p : prova::reticolo(6, 5, {prova::codice(2, 4)}).points) {
        text += std::to_string(p.cod);
        for (double v : {p.lon, p.lat}) {
            text += "  ";
            numero(v);
        }
        for (double v : p.dati) {
            text += ",";
            numero(v);
        }
        text += "\r\n";
    }
    return text;
}

// What a check takes from the grid at a site: the records it finds and the values, or the message.
std::string traccia(const RicercaGriglia& r, double lon, double lat) {
    std::string t;
    for (const PuntoGriglia* p : {r.nearest(lon, lat), r.by_code(prova::codice(1, 1))})
        t += p ? std::to_string(p->cod) + " " + std::to_string(p->dati[26]) + ";" : "-;";
    try {
        const RisultatoSito s = interpola_sito(r, DatiSito{lon, lat});
        t += std::to_string(s.cella.SW.cod) + " " + std::to_string(s.cella.NE.cod) + " " +
             std::to_string(s.ag) + " " + std::to_string(s.F0) + " " + std::to_string(s.Dse);
    } catch (const Failure& e) {
        t += e.what();
    }
    return t;
}

TEST(GrigliaSulFile, AnswersAsTheWholeGridFromTheSameFile) {
    prova::CartellaTemp tmp;
    const std::string text = testo_reticolo();
    const auto file = tmp.scrivi("g.txt", text);
    const GrigliaSulFile sul_file(file);
    const GrigliaIndicizzata intera(leggi_griglia(text, "g.txt"));
    for (double lon = 9.95; lon < 10.4; lon += 0.0137)
        for (double lat = 44.7; lat < 45.05; lat += 0.0191)
            ASSERT_EQ(traccia(sul_file, lon, lat), traccia(intera, lon, lat)) << lon << " " << lat;
    EXPECT_EQ(sul_file.by_code(prova::codice(2, 4)), nullptr);

    // A record that is no longer where it was read is refused, not taken.
    const GrigliaSulFile prima(file);
    tmp.scrivi("g.txt", "ID\n" + text);
    const std::string illeggibile =
        "Impossibile leggere il file della griglia \"" + path_text(file) + "\".";
    EXPECT_EQ(prova::messaggio([&] { prima.nearest(10.0, 45.0); }), illeggibile);
}

TEST(GrigliaSulFile, RefusesAsTheCacheAndIsReadOncePerCommand) {
    prova::CartellaTemp tmp;
    for (const auto& file : {tmp.path() / "manca.txt", tmp.path(), tmp.scrivi("v.txt", "h\n"),
                             tmp.scrivi("r.txt", "h\n" + prova::record("1") + " 2 x")}) {
        CacheGriglia cache;
        EXPECT_EQ(prova::messaggio([&] { GrigliaSulFile{file}; }),
                  prova::messaggio([&] { cache.get(file); }));
    }
    FonteSulFile fonte;
    const auto file = tmp.scrivi("g.txt", testo_reticolo());
    const auto prima = fonte.ricerca([&] { return file; });
    EXPECT_EQ(fonte.ricerca([&] { return file; }), prima);
    EXPECT_NE(fonte.ricerca([&] { return tmp.scrivi("h.txt", testo_reticolo()); }), prima);
}

}  // namespace
}  // namespace tv::hazard
