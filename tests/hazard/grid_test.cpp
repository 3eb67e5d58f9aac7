// Reading of the grid file: separators, header, line ends, refused files, record by record.
#include "hazard/grid.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "griglia_prova.h"
#include "text/error.h"

namespace tv::hazard {
namespace {

using prova::messaggio;
using prova::record;

// The message of the whole text read from memory, after checking that a stream gives the same.
std::string rifiuto(const std::string& bytes) {
    const std::string m = messaggio([&] { leggi_griglia(bytes, "griglia.txt"); });
    std::istringstream in(bytes);
    EXPECT_EQ(messaggio([&] { leggi_griglia(in, "griglia.txt"); }), m);
    return m;
}

TEST(GridParse, ReadsRecordsInFileOrderWhateverTheSeparatorsAndLineEnds) {
    // The header is discarded whatever it holds; a record may span lines and two may share one.
    std::string text = record("5") + "\r\n" + record("4294967296", " ,\t") + "\r" +
                       record("7", "\n") + " 13111.0 +6.5 -4.5e1";
    for (int i = 0; i < 27; ++i) text += " 2.5E-1";
    const Griglia g = leggi_griglia(text + "  \n\n \t\r\n", "griglia.txt");
    ASSERT_EQ(g.points.size(), 3u);
    EXPECT_EQ(g.points[0].cod, 4294967296LL);  // held whole beyond 32 bits
    EXPECT_EQ(g.points[0].lat, 45.134);
    EXPECT_EQ(g.points[1].dati[26], 27.0);
    EXPECT_EQ(g.points[2].cod, 13111);
    EXPECT_EQ(g.points[2].lat, -45.0);
    EXPECT_EQ(g.points[2].dati[13], 0.25);
}

TEST(GridParse, RefusedTextNamesRecordLineAndFault) {
    const std::string f = "File della griglia \"griglia.txt\", record ";
    EXPECT_EQ(rifiuto("ID LON LAT\n\n"),
              "Il file della griglia \"griglia.txt\" non contiene alcun punto.");
    // A short record takes the next one's numbers.
    EXPECT_EQ(rifiuto("h\n1 2 3\n" + record("2") + "\n"),
              f + "2 (riga 3): il record ha 3 numeri invece di 30.");
    EXPECT_EQ(rifiuto("h\n1 nan 45\n"), f + "1 (riga 2): il valore \"nan\" non è un numero valido.");
    EXPECT_EQ(rifiuto("h\n13111.5 6 45\n"),
              f + "1 (riga 2): il codice \"13111.5\" non è un numero intero positivo.");
    EXPECT_EQ(rifiuto("h\r" + record("1") + "\r\rx"),  // lone CRs end lines too
              f + "2 (riga 4): il valore \"x\" non è un numero valido.");
}

TEST(GridLoad, MissingFileOrAFolderIsNamedByItsPath) {
    prova::CartellaTemp tmp;
    for (const auto& file : {tmp.path() / "manca.txt", tmp.path()})
        EXPECT_EQ(messaggio([&] { carica_griglia(file); }),
                  "Impossibile leggere il file della griglia \"" + path_text(file) + "\".");
}

TEST(LettoreGrigliaRecords, GivesRecordsOneByOneAndFaultsOnlyWhenReached) {
    const std::string text = "h\n" + record("1") + "\n" + record("2", ",") + "\n3 x\n";
    LettoreGriglia lettore(text, "g.txt");
    PuntoGriglia p;
    EXPECT_TRUE(lettore.prossimo(p) && lettore.prossimo(p));
    EXPECT_EQ(p.cod, 2);
    EXPECT_EQ(lettore.letti(), 2u);
    EXPECT_THROW(lettore.prossimo(p), Failure);
}

}  // namespace
}  // namespace tv::hazard
