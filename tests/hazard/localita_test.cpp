// Locality search (case, order, the three-character rule, code pages, line ends) and the pick
// of a line into latitude and longitude.
#include "hazard/localita.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "griglia_prova.h"
#include "text/error.h"

namespace tv::hazard {
namespace {

using Righe = std::vector<std::string>;

const Righe kElenco = {
    "45.0733   7.6807   Torino (TO)",
    "45.4668   9.1903   Milano (MI)",
    "45.0703   7.6869   Moncalieri (TO)",
    "41.8928   12.4837   Roma (RM)",
    "40.6333   17.9333   Torre Santa Susanna (BR)",
    "44.2225   12.0408   Forlì (FC)",
};

TEST(CercaLocalita, MatchesAnyPartOfTheLineRegardlessOfCaseInFileOrder) {
    const Righe atteso = {kElenco[0], kElenco[4]};
    EXPECT_EQ(cerca_localita(kElenco, "tor"), atteso);  // "(TO)" does not hold "tor"; Torre does
    EXPECT_EQ(cerca_localita(kElenco, "TOR"), atteso);
    EXPECT_EQ(cerca_localita(kElenco, "(TO"), (Righe{kElenco[0], kElenco[2]}));
    EXPECT_EQ(cerca_localita(kElenco, "tori"), Righe{kElenco[0]});
}

TEST(CercaLocalita, DigitsMatchLatitudeOrLongitude) {
    EXPECT_EQ(cerca_localita(kElenco, "45.0"), (Righe{kElenco[0], kElenco[2]}));
    EXPECT_EQ(cerca_localita(kElenco, "12.4"), Righe{kElenco[3]});
}

TEST(CercaLocalita, NoMatchGivesAnEmptyList) {
    const auto r = cerca_localita(kElenco, "xyz");
    ASSERT_TRUE(r.has_value());
    EXPECT_TRUE(r->empty());
}

TEST(CercaLocalita, FewerThanThreeCharactersIsNoSearch) {
    EXPECT_FALSE(cerca_localita(kElenco, "").has_value());
    EXPECT_FALSE(cerca_localita(kElenco, "to").has_value());
    // Two characters in three bytes: still too short.
    EXPECT_FALSE(cerca_localita(kElenco, "l\xc3\xac").has_value());
    // Three characters in four bytes: searched.
    EXPECT_EQ(cerca_localita(kElenco, "rl\xc3\xac"), Righe{kElenco[5]});
}

TEST(CercaLocalita, AccentedCapitalsMatchSmallLetters) {
    EXPECT_EQ(cerca_localita(kElenco, "FORL\xc3\x8c"), Righe{kElenco[5]});  // FORLÌ
}

class CercaLocalitaFile : public ::testing::Test {
protected:
    prova::CartellaTemp tmp;
};

TEST_F(CercaLocalitaFile, Windows1252FileIsDecodedBeforeTheSearch) {
    // "Cantù" and "Forlì" with à/ì as single Windows-1252 bytes, mixed line ends.
    const auto file = tmp.scrivi("loc.txt",
                                 "45.7386   9.1301   Cant\xf9 (CO)\r\n"
                                 "44.2225   12.0408   Forl\xec (FC)\r"
                                 "40.9000   14.2000   Santa Maria la Fossa (CE)\n"
                                 "43.7   11.1   Citt\xe0 di Castello (PG)");
    EXPECT_EQ(cerca_localita(file, "forl\xc3\xac"), Righe{"44.2225   12.0408   Forl\xc3\xac (FC)"});
    EXPECT_EQ(cerca_localita(file, "T\xc3\x80 d"), Righe{"43.7   11.1   Citt\xc3\xa0 di Castello (PG)"});
    const auto all = cerca_localita(file, "   ");
    ASSERT_TRUE(all.has_value());
    EXPECT_EQ(all->size(), 4u);
    EXPECT_EQ(all->at(0), "45.7386   9.1301   Cant\xc3\xb9 (CO)");
}

TEST_F(CercaLocalitaFile, Utf8FileIsTakenAsItIs) {
    const auto file = tmp.scrivi("loc.txt", "45.7386   9.1301   Cant\xc3\xb9 (CO)\n\n");
    EXPECT_EQ(cerca_localita(file, "CANT\xc3\x99"), Righe{"45.7386   9.1301   Cant\xc3\xb9 (CO)"});
}

TEST_F(CercaLocalitaFile, MissingFileIsNamedButNotLookedForWithShortText) {
    const auto file = tmp.path() / "manca.txt";
    EXPECT_FALSE(cerca_localita(file, "to").has_value());
    try {
        cerca_localita(file, "tor");
        FAIL() << "nessun errore";
    } catch (const Failure& f) {
        EXPECT_EQ(std::string(f.what()),
                  "Impossibile leggere il file delle località \"" + path_text(file) + "\".");
    }
}

struct CasoScelta {
    const char* nome;
    const char* riga;
    bool trovata;
    const char* lat;
    const char* lon;
};

class SceltaLocalita : public ::testing::TestWithParam<CasoScelta> {};

TEST_P(SceltaLocalita, SplitsAtThreeBlanks) {
    const CasoScelta& c = GetParam();
    const auto r = scegli_localita(c.riga);
    ASSERT_EQ(r.has_value(), c.trovata);
    if (!c.trovata) return;
    EXPECT_EQ(r->first, c.lat);
    EXPECT_EQ(r->second, c.lon);
}

INSTANTIATE_TEST_SUITE_P(
    Righe, SceltaLocalita,
    ::testing::Values(CasoScelta{"Ordinary", "45.0703   7.6869   Moncalieri (TO)", true, "45.0703", "7.6869"},
                      CasoScelta{"TwoPieces", "45.0703   7.6869", true, "45.0703", "7.6869"},
                      CasoScelta{"FourBlanksKeepOne", "45.0703    7.6869   X", true, "45.0703", " 7.6869"},
                      CasoScelta{"SixBlanksGiveEmptySecond", "45.0703      7.6869", true, "45.0703", ""},
                      CasoScelta{"TwoBlanksAreNoSeparator", "45.0703  7.6869  Moncalieri", false, "", ""},
                      CasoScelta{"TabIsNoSeparator", "45.0703\t7.6869", false, "", ""},
                      CasoScelta{"Empty", "", false, "", ""}),
    [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace tv::hazard
