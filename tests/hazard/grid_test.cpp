// SPDX-License-Identifier: GPL-3.0-or-later
// Reading of the grid file: separators, header, line ends, numbers as from_chars reads them,
// refused files, record by record and where each record lies.
#include "hazard/grid.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <vector>

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

TEST(GridParse, PlainDecimalsGiveTheDoubleFromCharsGivesBitForBit) {
    // Up to 18 digits, past the 15 read without from_chars, with signs, leading zeros and a few
    // exponents.
    std::mt19937_64 rng(11);
    std::vector<std::string> numeri;
    std::string text = "h";
    for (int r = 0; r < 400; ++r) {
        text += "\n1 10 45";
        for (std::size_t k = 0; k < kValoriPunto; ++k) {
            const std::size_t cifre = 1 + rng() % 18;
            std::string t;
            for (std::size_t c = 0; c < cifre; ++c) t += static_cast<char>('0' + rng() % 10);
            if (cifre > 1 && rng() % 4) t.insert(1 + rng() % (cifre - 1), ".");
            if (rng() % 3 == 0) t.insert(0, "-");
            if (rng() % 16 == 0) t += "e" + std::to_string(static_cast<int>(rng() % 9) - 4);
            numeri.push_back(t);
            text += " " + t;
        }
    }
    const Griglia g = leggi_griglia(text, "griglia.txt");
    for (std::size_t i = 0; i < numeri.size(); ++i) {
        double atteso = 0;
        std::from_chars(numeri[i].data(), numeri[i].data() + numeri[i].size(), atteso);
        const double letto = g.points[i / kValoriPunto].dati[i % kValoriPunto];
        ASSERT_EQ(std::bit_cast<std::uint64_t>(letto), std::bit_cast<std::uint64_t>(atteso))
            << numeri[i];
    }
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

// Code c + 1 must lie east of c and c + 222 south of it wherever both are on the grid.
TEST(GridParse, CodesThatBreakTheLatticeAreRefusedNamingThePair) {
    const auto a = [](const std::string& cod, const std::string& lon, const std::string& lat) {
        std::string r = record(cod);
        return r.replace(0, r.find(" 1 "), cod + " " + lon + " " + lat) + "\n";
    };
    const std::string f = "Il file della griglia \"griglia.txt\" non forma un reticolo: il punto ";
    EXPECT_EQ(rifiuto("h\n" + a("10", "7", "45") + a("11", "6.93", "45")),
              f + "11 (record 2) non è a est del punto 10 (record 1).");
    EXPECT_EQ(rifiuto("h\n" + a("232", "7", "45") + a("10", "7", "44.95")),
              f + "232 (record 1) non è a sud del punto 10 (record 2).");
    EXPECT_EQ(leggi_griglia("h\n" + a("232", "7", "44.95") + a("11", "7.07", "45") + a("10", "7", "45"),
                            "griglia.txt").points.size(), 3u);
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
    // Where the record lies, to be read again alone.
    const std::string record2 = record("2", ",");
    EXPECT_EQ(lettore.inizio_record(), text.find(record2));
    EXPECT_EQ(lettore.fine_record(), text.find(record2) + record2.size());
    EXPECT_EQ(LettoreGriglia::record_solo(" " + record2 + "\r\n", "g.txt").dati, p.dati);
    for (const std::string& non_uno : {std::string(" \n"), record2 + " 7"})
        EXPECT_THROW(LettoreGriglia::record_solo(non_uno, "g.txt"), Failure);
    EXPECT_THROW(lettore.prossimo(p), Failure);
}

// Texts longer than the reader's pieces (64 KiB); a header `spazi` blanks longer moves every
// piece boundary; every fifth record shares its line with the next.
TEST(GridParseStream, ReadsPieceByPieceAsTheWholeText) {
    for (const std::string fine : {"\n", "\r\n", "\r"}) {
        for (int spazi = 0; spazi < 12; ++spazi) {
            std::string text = "ID LON LAT" + std::string(static_cast<std::size_t>(spazi), ' ') + fine;
            // Codes 5 apart: no two are lattice neighbours (1 or 222 apart) at one position.
            for (int r = 1; r <= 2500; ++r)
                text += record(std::to_string(5 * r), r % 3 == 0 ? "\t" : " ") + (r % 5 ? fine : " ");
            std::istringstream in(text);
            const Griglia a = leggi_griglia(text, "griglia.txt");
            const Griglia b = leggi_griglia(in, "griglia.txt", text.size());
            ASSERT_EQ(b.points.size(), 2500u);
            for (std::size_t k = 0; k < a.points.size(); ++k)
                ASSERT_EQ(a.points[k].dati, b.points[k].dati);
            // Records are placed in the whole text, across the pieces too.
            std::istringstream di_nuovo(text);
            LettoreGriglia lettore(di_nuovo, "griglia.txt");
            PuntoGriglia p;
            while (lettore.prossimo(p)) {
                const std::string r = record(std::to_string(p.cod), p.cod / 5 % 3 == 0 ? "\t" : " ");
                ASSERT_EQ(text.substr(lettore.inizio_record(),
                                      lettore.fine_record() - lettore.inizio_record()),
                          r);
            }
            if (spazi == 11) {  // a fault far into the file: the same message both ways
                EXPECT_NE(rifiuto(text + "7 6.5 x" + fine), "(nessun errore)");
            }
        }
    }
}

}  // namespace
}  // namespace tv::hazard
