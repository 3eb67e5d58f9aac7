// Reading of the grid file (separators, header, line ends, refused files) and the cache that
// reads it again only when the file changed.
#include "hazard/grid.h"

#include <gtest/gtest.h>

#include <string>

#include "griglia_prova.h"
#include "text/error.h"

namespace tv::hazard {
namespace {

using prova::CartellaTemp;

// 27 values 1..27 after code and position, written with the given separator.
std::string record(const std::string& cod, const std::string& sep) {
    std::string out = cod + sep + "6.5448" + sep + "45.134";
    for (int i = 1; i <= 27; ++i) out += sep + std::to_string(i);
    return out;
}

std::string messaggio(const std::string& bytes) {
    try {
        parse_grid(bytes, "griglia.txt");
    } catch (const Failure& f) {
        EXPECT_EQ(f.title(), kWindowCaption);
        return f.what();
    }
    return "(nessun errore)";
}

TEST(GridParse, ReadsCodePositionAndValuesInFileOrder) {
    const Grid g = parse_grid("ID LON LAT\n" + record("13111", " ") + "\n" + record("7", " ") + "\n",
                              "griglia.txt");
    ASSERT_EQ(g.points.size(), 2u);
    EXPECT_EQ(g.points[0].cod, 13111);
    EXPECT_EQ(g.points[0].lon, 6.5448);
    EXPECT_EQ(g.points[0].lat, 45.134);
    EXPECT_EQ(g.points[0].dati[0], 1.0);
    EXPECT_EQ(g.points[0].dati[26], 27.0);
    EXPECT_EQ(g.points[1].cod, 7);
}

TEST(GridParse, HeaderIsDiscardedWhateverItHolds) {
    const Grid g = parse_grid(record("5", " ") + "\n" + record("6", " ") + "\n", "griglia.txt");
    ASSERT_EQ(g.points.size(), 1u);
    EXPECT_EQ(g.points[0].cod, 6);
}

TEST(GridParse, AcceptsAnyMixOfCommasBlanksTabsAndLineEnds) {
    const std::string expected = "h\n" + record("1", " ") + "\n" + record("2", " ") + "\n";
    const std::string mixed = "h\r\n" + record("1", " ,\t") + "\r\n" + record("2", ",") + "\r";
    const Grid a = parse_grid(expected, "a");
    const Grid b = parse_grid(mixed, "b");
    ASSERT_EQ(b.points.size(), 2u);
    for (std::size_t k = 0; k < 2; ++k) {
        EXPECT_EQ(a.points[k].cod, b.points[k].cod);
        EXPECT_EQ(a.points[k].dati, b.points[k].dati);
    }
}

TEST(GridParse, RecordMaySpanLinesAndTwoMayShareOne) {
    std::string text = "h\n" + record("1", "\n") + " " + record("2", " ") + "\n";
    const Grid g = parse_grid(text, "griglia.txt");
    ASSERT_EQ(g.points.size(), 2u);
    EXPECT_EQ(g.points[1].cod, 2);
    EXPECT_EQ(g.points[1].dati[26], 27.0);
}

TEST(GridParse, BlankLinesAndTrailingBlanksAfterTheLastRecordAreNoRecord) {
    const Grid g = parse_grid("h\n" + record("1", " ") + "  \n\n \t\r\n\n", "griglia.txt");
    EXPECT_EQ(g.points.size(), 1u);
}

TEST(GridParse, CodesBeyondThirtyTwoBitsAreHeldWhole) {
    const Grid g = parse_grid("h\n" + record("4294967296", " ") + "\n", "griglia.txt");
    EXPECT_EQ(g.points[0].cod, 4294967296LL);
}

TEST(GridParse, AcceptsSignsExponentsAndWholeCodesWrittenWithDecimals) {
    std::string text = "h\n13111.0 +6.5 -4.5e1";
    for (int i = 0; i < 27; ++i) text += " 2.5E-1";
    const Grid g = parse_grid(text, "griglia.txt");
    EXPECT_EQ(g.points[0].cod, 13111);
    EXPECT_EQ(g.points[0].lon, 6.5);
    EXPECT_EQ(g.points[0].lat, -45.0);
    EXPECT_EQ(g.points[0].dati[13], 0.25);
}

struct FileRifiutato {
    const char* nome;
    std::string bytes;
    std::string messaggio;
};

class GridRefused : public ::testing::TestWithParam<FileRifiutato> {};

TEST_P(GridRefused, NamesFileRecordAndFault) { EXPECT_EQ(messaggio(GetParam().bytes), GetParam().messaggio); }

const std::string kPrefisso = "File della griglia \"griglia.txt\", ";

INSTANTIATE_TEST_SUITE_P(
    Casi, GridRefused,
    ::testing::Values(
        FileRifiutato{"Empty", "", "Il file della griglia \"griglia.txt\" non contiene alcun punto."},
        FileRifiutato{"HeaderOnly", "ID LON LAT\n\n",
                      "Il file della griglia \"griglia.txt\" non contiene alcun punto."},
        FileRifiutato{"ShortLastRecord", "h\n" + record("1", " ") + "\n1 2 3 4\n",
                      kPrefisso + "record 2 (riga 3): il record ha 4 numeri invece di 30."},
        FileRifiutato{"ShortRecordSwallowsNext", "h\n1 2 3\n" + record("2", " ") + "\n",
                      kPrefisso + "record 2 (riga 3): il record ha 3 numeri invece di 30."},
        FileRifiutato{"Word", "h\n" + record("1", " ") + "\n2 6.5 abc\n",
                      kPrefisso + "record 2 (riga 3): il valore \"abc\" non è un numero valido."},
        FileRifiutato{"DecimalComma", "h\n1 6,5e 45\n",
                      kPrefisso + "record 1 (riga 2): il valore \"5e\" non è un numero valido."},
        FileRifiutato{"NotANumber", "h\n1 nan 45\n",
                      kPrefisso + "record 1 (riga 2): il valore \"nan\" non è un numero valido."},
        FileRifiutato{"Overflow", "h\r\n\r\n1 6 1e999\n",
                      kPrefisso + "record 1 (riga 3): il valore \"1e999\" non è un numero valido."},
        FileRifiutato{"Semicolon", "h\n1;6 45\n",
                      kPrefisso + "record 1 (riga 2): il valore \"1;6\" non è un numero valido."},
        FileRifiutato{"FractionalCode", "h\n13111.5 6 45\n",
                      kPrefisso +
                          "record 1 (riga 2): il codice \"13111.5\" non è un numero intero positivo."},
        FileRifiutato{"ZeroCode", "h\n" + record("0", " "),
                      kPrefisso + "record 1 (riga 2): il codice \"0\" non è un numero intero positivo."},
        FileRifiutato{"NegativeCode", "h\n" + record("-3", " "),
                      kPrefisso + "record 1 (riga 2): il codice \"-3\" non è un numero intero positivo."},
        FileRifiutato{"CrOnlyLineCount", "h\r" + record("1", " ") + "\r\rx",
                      kPrefisso + "record 2 (riga 4): il valore \"x\" non è un numero valido."}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(GridLoad, MissingFileIsNamed) {
    CartellaTemp tmp;
    const auto path = tmp.path() / "manca.txt";
    try {
        load_grid(path);
        FAIL() << "nessun errore";
    } catch (const Failure& f) {
        EXPECT_EQ(std::string(f.what()),
                  "Impossibile leggere il file della griglia \"" + path_text(path) + "\".");
    }
}

TEST(GridLoad, MalformedFileMessageCarriesItsPath) {
    CartellaTemp tmp;
    const auto path = tmp.scrivi("g.txt", "h\n1 2\n");
    try {
        load_grid(path);
        FAIL() << "nessun errore";
    } catch (const Failure& f) {
        EXPECT_EQ(std::string(f.what()), "File della griglia \"" + path_text(path) +
                                             "\", record 1 (riga 2): il record ha 2 numeri invece di 30.");
    }
}

class GridCacheTest : public ::testing::Test {
protected:
    CartellaTemp tmp;
    GridCache cache;
    std::filesystem::path file = tmp.scrivi("g.txt", "h\n" + record("1", " ") + "\n");
};

TEST_F(GridCacheTest, UnchangedFileIsNotReadAgain) {
    const Grid* first = &cache.get(file);
    EXPECT_EQ(&cache.get(file), first);
    EXPECT_EQ(cache.get(file).points[0].cod, 1);
}

TEST_F(GridCacheTest, SameSizeNewTimeIsReadAgain) {
    const auto t0 = std::filesystem::last_write_time(file);
    EXPECT_EQ(cache.get(file).points[0].cod, 1);
    tmp.scrivi("g.txt", "h\n" + record("2", " ") + "\n");
    std::filesystem::last_write_time(file, t0 + std::chrono::seconds(10));
    EXPECT_EQ(cache.get(file).points[0].cod, 2);
}

TEST_F(GridCacheTest, NewSizeSameTimeIsReadAgain) {
    const auto t0 = std::filesystem::last_write_time(file);
    EXPECT_EQ(cache.get(file).points.size(), 1u);
    tmp.scrivi("g.txt", "h\n" + record("1", " ") + "\n" + record("2", " ") + "\n");
    std::filesystem::last_write_time(file, t0);
    EXPECT_EQ(cache.get(file).points.size(), 2u);
}

TEST_F(GridCacheTest, OtherPathGivesOtherGrid) {
    const auto other = tmp.scrivi("altra.txt", "h\n" + record("9", " ") + "\n");
    EXPECT_EQ(cache.get(file).points[0].cod, 1);
    EXPECT_EQ(cache.get(other).points[0].cod, 9);
    EXPECT_EQ(cache.get(file).points[0].cod, 1);
}

TEST_F(GridCacheTest, FailedReloadThrowsAndMendedFileIsReadAgain) {
    const auto t0 = std::filesystem::last_write_time(file);
    cache.get(file);
    tmp.scrivi("g.txt", "h\n1 2 3\n");
    std::filesystem::last_write_time(file, t0 + std::chrono::seconds(10));
    EXPECT_THROW(cache.get(file), Failure);
    EXPECT_THROW(cache.get(file), Failure);  // not taken as read
    tmp.scrivi("g.txt", "h\n" + record("3", " ") + "\n");
    std::filesystem::last_write_time(file, t0 + std::chrono::seconds(20));
    EXPECT_EQ(cache.get(file).points[0].cod, 3);
}

TEST_F(GridCacheTest, RemovedFileThrowsEvenWhenCached) {
    cache.get(file);
    std::filesystem::remove(file);
    try {
        cache.get(file);
        FAIL() << "nessun errore";
    } catch (const Failure& f) {
        EXPECT_EQ(std::string(f.what()),
                  "Impossibile leggere il file della griglia \"" + path_text(file) + "\".");
    }
}

}  // namespace
}  // namespace tv::hazard
