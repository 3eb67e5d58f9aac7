// Reading of the grid file: separators, header, line ends, refused files, record by record.
#include "hazard/grid.h"

#include <gtest/gtest.h>

#include <sstream>
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

TEST(LettoreGrigliaRecords, GivesRecordsOneByOneAndFaultsOnlyWhenReached) {
    const std::string text = "h\n" + record("1", " ") + "\n" + record("2", ",") + "\n3 x\n";
    LettoreGriglia lettore(text, "griglia.txt");
    GridPoint p;
    ASSERT_TRUE(lettore.prossimo(p));
    EXPECT_EQ(p.cod, 1);
    EXPECT_EQ(lettore.letti(), 1u);
    ASSERT_TRUE(lettore.prossimo(p));
    EXPECT_EQ(p.cod, 2);
    EXPECT_EQ(p.lat, 45.134);
    EXPECT_EQ(p.dati[26], 27.0);
    try {
        lettore.prossimo(p);
        FAIL() << "nessun errore";
    } catch (const Failure& f) {
        EXPECT_EQ(std::string(f.what()),
                  kPrefisso + "record 3 (riga 4): il valore \"x\" non è un numero valido.");
    }
}

TEST(LettoreGrigliaRecords, EndOfTextStaysTheEnd) {
    const std::string text = "h\n" + record("7", " ") + "\n\n";
    LettoreGriglia lettore(text, "griglia.txt");
    GridPoint p;
    EXPECT_TRUE(lettore.prossimo(p));
    EXPECT_FALSE(lettore.prossimo(p));
    EXPECT_FALSE(lettore.prossimo(p));
    EXPECT_EQ(lettore.letti(), 1u);
    EXPECT_EQ(p.cod, 7);
}

// Grid texts longer than the reader's pieces (64 KiB), with records split over lines, CR LF,
// lone CR and tabs; a header `spazi` blanks longer moves every piece boundary.
std::string testo_lungo(const std::string& fine_riga, int records, int spazi = 0) {
    std::string out = "ID LON LAT" + std::string(static_cast<std::size_t>(spazi), ' ') + fine_riga;
    for (int r = 1; r <= records; ++r) {
        out += record(std::to_string(r), r % 3 == 0 ? "\t" : " ");
        out += r % 5 == 0 ? " " : fine_riga;  // every fifth record shares its line with the next
    }
    return out;
}

std::string messaggio_da_stream(const std::string& bytes) {
    std::istringstream in(bytes);
    try {
        parse_grid(in, "griglia.txt");
    } catch (const Failure& f) {
        return f.what();
    }
    return "(nessun errore)";
}

TEST(GridParseStream, ReadsPieceByPieceAsTheWholeText) {
    for (const char* fine_riga : {"\n", "\r\n", "\r"}) {
        for (int spazi = 0; spazi < 12; ++spazi) {
            const std::string text = testo_lungo(fine_riga, 2500, spazi);
            ASSERT_GT(text.size(), 3u * 65536u);
            std::istringstream in(text);
            const Grid a = parse_grid(text, "griglia.txt");
            const Grid b = parse_grid(in, "griglia.txt", text.size());
            ASSERT_EQ(b.points.size(), 2500u);
            for (std::size_t k = 0; k < a.points.size(); ++k) {
                ASSERT_EQ(a.points[k].cod, b.points[k].cod);
                ASSERT_EQ(a.points[k].dati, b.points[k].dati);
            }
        }
    }
}

TEST(GridParseStream, FaultsFarIntoTheFileNameTheSameRecordAndLine) {
    for (const char* fine_riga : {"\n", "\r\n", "\r"}) {
        const std::string base = testo_lungo(fine_riga, 2000);
        for (const std::string& coda :
             {std::string("7 6.5 x") + fine_riga, std::string("7 6.5 45") + fine_riga}) {
            const std::string text = base + coda;
            const std::string atteso = messaggio(text);
            EXPECT_NE(atteso, "(nessun errore)");
            EXPECT_EQ(messaggio_da_stream(text), atteso);
        }
    }
}

TEST(GridParseStream, HeaderOnlyAndEmptyStreamsHaveNoPoint) {
    EXPECT_EQ(messaggio_da_stream(""),
              "Il file della griglia \"griglia.txt\" non contiene alcun punto.");
    EXPECT_EQ(messaggio_da_stream("ID LON LAT"),
              "Il file della griglia \"griglia.txt\" non contiene alcun punto.");
}

}  // namespace
}  // namespace tv::hazard
