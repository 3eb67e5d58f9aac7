// SPDX-License-Identifier: GPL-3.0-or-later
// Locality search (case, accents, order, the three-character rule, code pages, line ends) and the
// pick of a line into latitude and longitude.
#include "hazard/localita.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "griglia_prova.h"

namespace tv::hazard {
namespace {

using Righe = std::vector<std::string>;

TEST(CercaLocalita, NamesStartingWithTheTextFirstThenTheRestInFileOrderFromThreeCharacters) {
    const Righe elenco = {"41.8797   13.1144   Arcinazzo Romano (RM)",
                          "41.8928   12.4837   Roma (RM)",
                          "44.0000   12.0000   Bagno di Romagna (FC)",
                          "45.6328   8.3870   Romagnano Sesia (NO)",
                          "Romano senza coordinate",
                          "44.8496   8.8878   Villaromagnano (AL)",
                          "41.9   12.5     Romana (SS)"};
    EXPECT_EQ(cerca_localita(elenco, "roma"),
              (Righe{elenco[1], elenco[3], elenco[6], elenco[0], elenco[2], elenco[4], elenco[5]}));
    EXPECT_EQ(cerca_localita(elenco, "ROMAGNA"), (Righe{elenco[3], elenco[2], elenco[5]}));
    // Coordinates are not the name: a match there keeps file order.
    EXPECT_EQ(cerca_localita(elenco, "41.8"), (Righe{elenco[0], elenco[1]}));
    EXPECT_EQ(cerca_localita(elenco, "xyz"), Righe{});
    EXPECT_FALSE(cerca_localita(elenco, "ro").has_value());
}

TEST(CercaLocalita, IgnoresAccentsOnTheTextAndOnTheLinesCountingCharacters) {
    const Righe elenco = {"44.1911   12.1287   Forlimpopoli (FC)",
                          "44.2218   12.0414   Forlì (FC)",
                          "38.0388   14.0226   Cefalù (PA)",
                          "45.0   7.0   ÀÉÈÌÍÒÓÙÚÇÑÖÜ àéèìíòóùúçñöü (XX)"};
    const Righe forli = {elenco[0], elenco[1]};
    // The last two: ì typed as i + accent, and by a Latin-1 terminal (one byte, not UTF-8).
    for (const char* t : {"forli", "FORLÌ", "forlí", "forli\xcc\x80", "forl\xec"})
        EXPECT_EQ(cerca_localita(elenco, t), forli) << t;
    EXPECT_EQ(cerca_localita(elenco, "forlì ("), Righe{elenco[1]});
    EXPECT_EQ(cerca_localita(elenco, "CEFALÙ"), Righe{elenco[2]});
    EXPECT_EQ(cerca_localita(elenco, "aeeiioouucnou AEEIIOOUUCNOU"), Righe{elenco[3]});
    // Characters are counted, not bytes: "lì" is too short, "rlì" is searched.
    EXPECT_FALSE(cerca_localita(elenco, "lì").has_value());
    EXPECT_EQ(cerca_localita(elenco, "rlì"), forli);
}

TEST(CercaLocalita, FileInWindows1252OrUtf8WithAnyLineEndAndItsFaults) {
    prova::CartellaTemp tmp;
    const auto file = tmp.scrivi("loc.txt",
                                 "45.7386   9.1301   Cant\xf9 (CO)\r\n"
                                 "44.2225   12.0408   Forl\xec (FC)\r"
                                 "43.7   11.1   Citt\xe0 di Castello (PG)");
    EXPECT_EQ(cerca_localita(file, "forlì"), Righe{"44.2225   12.0408   Forlì (FC)"});
    EXPECT_EQ(cerca_localita(file, "   ")->size(), 3u);
    EXPECT_EQ(cerca_localita(tmp.scrivi("u.txt", "45.7   9.1   Cantù (CO)\n\n"), "CANTU"),
              Righe{"45.7   9.1   Cantù (CO)"});
    const auto manca = tmp.path() / "manca.txt", vuoto = tmp.scrivi("vuoto.txt", "");
    EXPECT_FALSE(cerca_localita(manca, "to").has_value());
    EXPECT_EQ(prova::messaggio([&] { cerca_localita(manca, "tor"); }),
              "Impossibile leggere il file delle località \"" + path_text(manca) + "\".");
    EXPECT_EQ(prova::messaggio([&] { cerca_localita(vuoto, "tor"); }),
              "Il file delle località \"" + path_text(vuoto) + "\" è vuoto.");
    // The check without the search says the same of the same files; a byte-order mark alone is
    // no line, a line end alone is an empty line.
    const auto bom = tmp.scrivi("bom.txt", "\xEF\xBB\xBF"), a_capo = tmp.scrivi("a.txt", "\n");
    for (const auto& f : {manca, vuoto, bom, a_capo})
        EXPECT_EQ(prova::messaggio([&] { controlla_localita(f, "tor"); }),
                  prova::messaggio([&] { cerca_localita(f, "tor"); }));
    EXPECT_EQ(cerca_localita(a_capo, "tor"), Righe{});
    EXPECT_NE(prova::messaggio([&] { controlla_localita(bom, "tor"); }), "(nessun errore)");
    EXPECT_NO_THROW(controlla_localita(manca, "to"));
}

TEST(SceltaLocalita, SplitsAtThreeBlanks) {
    using Coppia = std::pair<std::string, std::string>;
    EXPECT_EQ(scegli_localita("45.0703   7.6869   Moncalieri (TO)"), (Coppia{"45.0703", "7.6869"}));
    EXPECT_EQ(scegli_localita("45.0703    7.6869   X"), (Coppia{"45.0703", " 7.6869"}));
    EXPECT_EQ(scegli_localita("45.0703      7.6869"), (Coppia{"45.0703", ""}));
    for (const char* riga : {"45.0703  7.6869  Moncalieri", "45.0703\t7.6869"})
        EXPECT_FALSE(scegli_localita(riga).has_value()) << riga;
}

}  // namespace
}  // namespace tv::hazard
