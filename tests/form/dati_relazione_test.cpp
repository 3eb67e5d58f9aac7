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

}  // namespace
}  // namespace tv::form
