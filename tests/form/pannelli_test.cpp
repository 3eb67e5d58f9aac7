// SPDX-License-Identifier: GPL-3.0-or-later
// The job's panels file: damaged rows kept, unknown columns kept, ";" files with decimal commas.
#include "form/pannelli.h"

#include <gtest/gtest.h>

#include "prova.h"
#include "text/encoding.h"
#include "text/error.h"

namespace tv::form {
namespace {

TEST(FilePannelli, DamagedRowKeptOthersLoadUnknownColumnKept) {
    const std::string testo =
        "id,descrizione,t,nota\n"
        "P1,\"Parete nord, piano 1\",25,x\n"
        "P2,\"aperta,30,y\n"
        "P3,Sud,30\n"
        "P1,doppio,12,z\n"
        "P4,Est,40,w\n";
    const FilePannelli f = leggi_pannelli(testo, "pannelli.csv");
    EXPECT_EQ(f.ids(), (std::vector<std::string>{"P1", "P4"}));
    EXPECT_EQ(f.cella(*f.pannello("P1"), "descrizione"), "Parete nord, piano 1");
    EXPECT_EQ(f.cella(*f.pannello("P4"), "nota"), "w");
    EXPECT_EQ(messaggi_righe(f),
              (std::vector<std::string>{
                  "pannelli.csv, riga 3: virgolette non chiuse; la riga resta nel file com'era.",
                  "pannelli.csv, riga 4: meno colonne dell'intestazione; la riga resta nel file "
                  "com'era.",
                  "pannelli.csv, riga 5: id \"P1\" già usato da un'altra riga; la riga resta nel "
                  "file com'era."}));
    // Written again, every row is there: the damaged ones byte for byte.
    EXPECT_EQ(testo_pannelli(f), testo);
}

// Looking panels up by id stays right through removals (the rows after move up), new rows and
// a changed id, and a Windows-1252 file's damaged row is written back as it was decoded.
TEST(FilePannelli, IdsFoundAfterEveryChangeOfTheRows) {
    FilePannelli f = leggi_pannelli("id,t\nA,1\nB,2\nC,3\nD,4\nB,5\n\xC8,6,x\n", "p.csv");
    ASSERT_EQ(f.ids(), (std::vector<std::string>{"A", "B", "C", "D"}));
    EXPECT_EQ(f.errore(f.righe[4]), "id \"B\" già usato da un'altra riga");
    EXPECT_TRUE(f.rimuovi("B"));
    EXPECT_FALSE(f.pannello("B"));  // the damaged row with that id is no panel
    EXPECT_EQ(f.cella(*f.pannello("C"), "t"), "3");
    EXPECT_EQ(f.cella(*f.pannello("D"), "t"), "4");
    f.aggiungi("E");
    f.imposta(*f.pannello("E"), "t", "7");
    f.imposta(*f.pannello("A"), "id", "Z");
    EXPECT_FALSE(f.pannello("A"));
    EXPECT_EQ(f.cella(*f.pannello("Z"), "t"), "1");
    EXPECT_EQ(f.cella(*f.pannello("E"), "t"), "7");
    EXPECT_EQ(f.cella(f.aggiungi(), "id"), "1");
    EXPECT_EQ(testo_pannelli(f), "id,t\nZ,1\nC,3\nD,4\nB,5\nÈ,6,x\nE,7\n1,\n");
}

TEST(FilePannelli, SemicolonFileReadWithDecimalCommasAndWrittenBackSo) {
    FilePannelli f = leggi_pannelli("\xEF\xBB\xBFid;descrizione;t;gamma;suolo\r\n"
                                    "A;Muro, sud;25,5;0,0018;B\r\n",
                                    "x.csv");
    EXPECT_EQ(f.separatore, Separatore::punto_e_virgola);
    const RigaPannello& a = *f.pannello("A");
    EXPECT_EQ(f.cella(a, "t"), "25.5");
    EXPECT_EQ(f.cella(a, "gamma"), "0.0018");
    EXPECT_EQ(f.cella(a, "descrizione"), "Muro, sud");  // not a number: kept as typed
    EXPECT_EQ(testo_pannelli(f), "id;descrizione;t;gamma;suolo\nA;Muro, sud;25,5;0,0018;B\n");
    // A header with both separators is read with ",": its ";" stays inside one name.
    EXPECT_EQ(separatore_di_intestazione("id;t,lat"), Separatore::virgola);
}

// A "." in a number of a ";" file is refused, naming the cell, and the row kept as read; a new
// value typed over the cell is written with the file's decimal comma.
TEST(FilePannelli, SemicolonFileRefusesAPointInANumberAndKeepsItAsRead) {
    const std::string testo = "id;descrizione;L;B;t;n\nA;Muro 1.2;1.100;1.000,5;30,5;3\n";
    FilePannelli f = leggi_pannelli(testo, "p.csv");
    ASSERT_TRUE(f.pannello("A"));
    const RigaPannello& a = *f.pannello("A");
    EXPECT_EQ(f.rifiuto_di_cella(a, "L"),
              "Richiesto valore numerico con la virgola decimale e senza punti: \"1.100\"");
    EXPECT_TRUE(f.rifiuto_di_cella(a, "B").has_value());
    EXPECT_FALSE(f.rifiuto_di_cella(a, "t") || f.rifiuto_di_cella(a, "descrizione"));
    EXPECT_EQ(testo_pannelli(f), testo);
    Pannello p;
    EXPECT_EQ(applica_riga(f, a, p, units::Unita{}, text::dot_format()),
              "Pannello \"A\", B: Richiesto valore numerico con la virgola decimale e senza "
              "punti: \"1.000,5\"");
    f.imposta(*f.pannello("A"), "L", "1100");
    f.imposta(*f.pannello("A"), "B", "1000.5");
    EXPECT_FALSE(f.rifiuto_di_cella(*f.pannello("A"), "L"));
    EXPECT_EQ(testo_pannelli(f), "id;descrizione;L;B;t;n\nA;Muro 1.2;1100;1000,5;30,5;3\n");
}

TEST(FilePannelli, NewPanelsTakeFreeIdsAndSiteColumnsStayEmptyUntilTyped) {
    FilePannelli f = nuovo_file_pannelli();
    EXPECT_EQ(f.colonne.front(), "id");
    EXPECT_EQ(f.colonne[1], "descrizione");
    f.aggiungi();
    f.aggiungi();
    f.imposta(*f.pannello("2"), "t", "30");
    EXPECT_TRUE(f.rimuovi("1"));
    f.aggiungi();
    EXPECT_EQ(f.ids(), (std::vector<std::string>{"2", "1"}));
    EXPECT_EQ(f.cella(*f.pannello("2"), "lat"), "");
    f.imposta(*f.pannello("1"), "colore", "rosso");  // a column the header lacked is added
    const FilePannelli g = leggi_pannelli(testo_pannelli(f), "p.csv");
    EXPECT_EQ(g.cella(*g.pannello("2"), "t"), "30");
    EXPECT_EQ(g.cella(*g.pannello("1"), "colore"), "rosso");
    EXPECT_EQ(g.cella(*g.pannello("2"), "colore"), "");
    EXPECT_TRUE(colonna_sito("lat"));
    EXPECT_FALSE(colonna_sito("t"));
}

TEST(FilePannelli, SavedWholeWithTheDamagedRowAndTheOtherPanelsAsTheyWere) {
    tv::prova::CartellaTemp dir;
    tv::prova::scrivi(dir.path() / "pannelli.csv",
                      "id;t;nota\r\nA;20,5;x\r\nB;\"rotta;1\r\nC;24;\"a;b\"\r\n");
    FilePannelli f = *carica_pannelli(dir.path());
    f.imposta(*f.pannello("C"), "t", "30.5");
    f.imposta(*f.pannello("C"), "lat", "45.02");
    ASSERT_EQ(salva_pannelli(dir.path(), f), std::nullopt);
    EXPECT_EQ(text::read_bytes(dir.path() / "pannelli.csv"),
              "id;t;nota;lat\nA;20,5;x;\nB;\"rotta;1\nC;30,5;\"a;b\";45,02\n");
    const auto e = salva_pannelli(dir.path() / "manca", f);
    ASSERT_TRUE(e.has_value());
    EXPECT_NE(e->find("manca/pannelli.csv"), std::string::npos) << *e;
}

TEST(FilePannelli, CellsInDotNotationMeetFieldsInTheLocalesNotation) {
    const text::NumberFormat it{",", "."};
    // "12.5" in a "," locale is twelve and a half, never 125 read with grouping.
    EXPECT_EQ(testo_di_cella(Campo::t, "12.5", it), "12,5");
    EXPECT_EQ(cella_di_testo(Campo::t, "12,5", it), "12.5");
    EXPECT_EQ(cella_di_testo(Campo::lat, "45°30'", it), "45.5");
    EXPECT_EQ(testo_di_cella(Campo::lat, "45.5", it), "45,5");
    EXPECT_EQ(testo_di_cella(Campo::t, "abc", it), "abc");  // left for validation to name
    EXPECT_EQ(cella_di_testo(Campo::suolo, " B ", it), "B");
}

TEST(FilePannelli, UnusableHeaderNamesTheFile) {
    EXPECT_THROW(leggi_pannelli("\n\n", "p.csv"), Failure);
    EXPECT_THROW(leggi_pannelli("id,t,t\n", "p.csv"), Failure);
    EXPECT_THROW(leggi_pannelli("nome,t\n", "p.csv"), Failure);
}

}  // namespace
}  // namespace tv::form
