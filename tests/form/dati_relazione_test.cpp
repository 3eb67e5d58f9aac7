// SPDX-License-Identifier: GPL-3.0-or-later
// The job's report data: keys in any letter case, continued values, unknown keys kept, the file
// in Windows-1252 or missing.
#include "form/dati_relazione.h"

#include <gtest/gtest.h>

#include "suite_temp.h"

namespace tv::form {
namespace {

TEST(DatiRelazione, KeysContinuationsUnknownKeysAndTheFile) {
    const DatiRelazione d = leggi_dati_relazione({
        "Committente = Comune di Fossa",
        "  OPERA=Scuola primaria, ala nord  ",
        "progettista = Ing. Anna Neri",
        "ordine = Ordine degli Ingegneri dell'Aquila n. 1234",
        "giudizio = Risultati coerenti con il calcolo a mano \\",
        "  della sezione 4. \\",
        "Accettati.",
        "riga senza uguale",
        " = valore senza chiave",
        "revisione = B",
    });
    EXPECT_EQ(d.committente, "Comune di Fossa");
    EXPECT_EQ(d.opera, "Scuola primaria, ala nord");
    EXPECT_EQ(d.ordine, "Ordine degli Ingegneri dell'Aquila n. 1234");
    EXPECT_EQ(d.giudizio, "Risultati coerenti con il calcolo a mano\ndella sezione 4.\nAccettati.");
    EXPECT_EQ(d.indirizzo, "");
    EXPECT_EQ(d.altre, (std::vector<std::pair<std::string, std::string>>{{"revisione", "B"}}));

    prova::CartellaTemp dir;
    EXPECT_EQ(leggi_file_relazione(dir.path()), std::nullopt);
    prova::scrivi(dir.path() / "RELAZIONE.TXT", "indirizzo = Via Citt\xe0 di Castello 3\r\n");
    EXPECT_EQ(leggi_file_relazione(dir.path())->indirizzo, "Via Città di Castello 3");
}

// Written back: the seven keys in order, continuation lines for the judgement (a blank line of it
// kept), the unknown keys after them as written; a line of a value ending with a backslash (a
// folder) does not swallow the next key. Read again it gives the same data.
TEST(DatiRelazione, WrittenBackAndReadAgainTheSame) {
    DatiRelazione d;
    d.committente = "Comune di Fossa";
    d.opera = "Scuola, a = 2";
    d.giudizio = "Coerenti.\n\nVedi C:\\dati\\\nAccettati.";
    d.note = "C:\\lavori\\fossa\\";
    d.altre = {{"Revisione", "B"}};
    const std::string atteso =
        "committente = Comune di Fossa\n"
        "opera = Scuola, a = 2\n"
        "indirizzo =\n"
        "progettista =\n"
        "ordine =\n"
        "giudizio = Coerenti. \\\n"
        "\\\n"
        "Vedi C:\\dati\\\\ \\\n"
        "Accettati.\n"
        "note = C:\\lavori\\fossa\\\\\n"
        "Revisione = B\n";
    EXPECT_EQ(testo_dati_relazione(d), atteso);
    std::vector<std::string> righe;
    for (std::size_t i = 0, j; (j = atteso.find('\n', i)) != std::string::npos; i = j + 1)
        righe.push_back(atteso.substr(i, j - i));
    const DatiRelazione letto = leggi_dati_relazione(righe);
    EXPECT_EQ(std::tie(letto.committente, letto.opera, letto.giudizio, letto.note, letto.altre),
              std::tie(d.committente, d.opera, d.giudizio, d.note, d.altre));
}

}  // namespace
}  // namespace tv::form
