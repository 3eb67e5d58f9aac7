// Bad data files through the form library: every file of the suite missing, empty, cut, garbled
// or in another line end or code page gives a clear message naming it, or finite results. (Texts
// typed by mistake in the fields are the field fuzz target's corpus, replayed under ctest.)
#include <gtest/gtest.h>

#include <random>

#include "form/form1.h"
#include "suite_temp.h"
#include "text/encoding.h"

namespace tv::form {
namespace {
namespace fs = std::filesystem;
using prova::Finestra;
using prova::scrivi;
using prova::SuiteTemp;

// Line ends and code pages are the text library's; here the settings files in the Windows code
// page with CR LF ends still name the accented job folder.
enum class Guasto { mancante, vuoto, troncato, rumore, cp1252 };
const char* const kNomiGuasti[] = {"Missing", "Empty", "CutMidLine", "BinaryNoise", "Windows1252"};

// A suite file: where it lies under the root, its sound text (LF, UTF-8, at least one accented
// letter), the line to cut in the middle, and what the user sees when it is missing, empty, cut
// or noise: '-' no message and the run completed, 'F' start-up stops with one message naming the
// file, 'A' one message naming it and the run still completed, 'V' the window opens but its check
// run stops with one message naming it (after a search and a pick, for the locality list). The
// code page never changes the outcome: the file works.
struct File {
    const char *nome, *percorso;
    std::string testo;
    std::size_t riga_da_tagliare;  // 0 is the first line
    const char* esiti;
};

const std::vector<File>& files() {
    static const std::vector<File> f{
        {"dirlav", "impostazioni/dirlav", "lavorì\nseconda riga\n", 0, "FFFF"},
        {"lavoro", "impostazioni/lavoro", "commessa è\n", 0, "FFFF"},
        {"parametrilavoro", "lavorì/commessa è/parametrilavoro",
         "PARAMETRI DI LAVORO\n[commento] unità di misura\ncm [lunghezze]\ndaN [forze]\n"
         "daN/cm3 [pesi_specifici]\ndaN/cm2 [tensioni]\n9.81 [accelerazione_g]\n", 5, "FFFF"},
        {"sismica_2008", "lavorì/commessa è/sismica_2008.txt",
         "PARAMETRI SISMICI\nLocalità Nodo Centrale (long. 7.2900  lat. 45.0000 )\n"
         "Categoria di sottosuolo di fondazione = C\n", 1, "-AAA"},
        {"dinamica", "lavorì/commessa è/dinamica.txt",
         "ANALISI DINAMICA - modalità\nLocalità Nodo Centrale (long. 7.2900  lat. 45.0000 )\n"
         "   %x   %y\nmodo 1 | 0.4500\n", 1, "-AAA"},
        {"parametri_per_spettro", "progra/parametri_per_spettro.txt",
         "ID LON LAT ag30 ... (unità)" +
             prova::testo_griglia().substr(prova::testo_griglia().find('\n')), 8, "VVVV"},
        {"coordinate_localita", "progra/coordinate_localita.txt",
         "44.9700   7.3000   Torre Pellice (TO)\n45.0500   7.2200   Forlì Finto (FC)\n"
         "45.0000   7.2900   Nodo Centrale (XX)\n", 2, "AA--"},
    };
    return f;
}

// The sound text with the given damage; nullopt: no file at all.
std::optional<std::string> guasta(const File& file, Guasto g) {
    switch (g) {
        case Guasto::mancante: return std::nullopt;
        case Guasto::vuoto: return std::string();
        case Guasto::rumore: {
            std::mt19937 gen(20240611);
            std::string out(4096, '\0');
            for (char& c : out) c = static_cast<char>(gen() & 0xFF);
            return out;
        }
        case Guasto::cp1252: {
            std::string crlf;
            for (char c : file.testo) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
            return text::encode_cp1252(crlf);
        }
        case Guasto::troncato: break;
    }
    // Everything up to the middle of the chosen line.
    std::size_t inizio = 0;
    for (std::size_t r = 0; r < file.riga_da_tagliare; ++r) inizio = file.testo.find('\n', inizio) + 1;
    const std::size_t fine = file.testo.find('\n', inizio);
    return file.testo.substr(0, inizio + (fine - inizio) / 2);
}

// One damage of one file, in a suite whose job folder and job name carry accented letters (the
// code page of the settings files matters): start-up, and for the locality list a search and a
// pick. dinamica.txt would hide sismica_2008.txt: only the one under test is written.
void prova_file(const File& file, Guasto g) {
    SuiteTemp s;
    const std::string altro = file.nome == std::string("dinamica") ? "sismica_2008" : "dinamica";
    for (const File& f : files())
        if (f.nome != std::string(file.nome) && f.nome != altro)
            scrivi(s.root() / f.percorso, f.testo);
    const fs::path percorso = s.root() / file.percorso;
    if (const auto contenuto = guasta(file, g)) {
        scrivi(percorso, *contenuto);
    } else {
        fs::remove(percorso);
    }

    Finestra w;
    const bool avviato = w.avvia(s);
    const bool localita = file.nome == std::string("coordinate_localita");
    if (avviato && localita) {
        w.form.imposta_testo_combo("nodo");
        if (!w.form.stato.combo_list.empty()) w.form.Combo1_Click(0);
        w.form.Command1_Click(0);
    }
    const auto& el = w.messaggi.elenco;
    const char e = g < Guasto::cp1252 ? file.esiti[static_cast<std::size_t>(g)] : '-';
    ASSERT_EQ(avviato, e != 'F');
    if (e == '-') {
        EXPECT_TRUE(el.empty()) << el[0].testo;
    } else {
        ASSERT_TRUE(e == 'A' ? !el.empty() : el.size() == 1u) << el.size() << " messages";
        EXPECT_NE(el[0].testo.find(percorso.string()), std::string::npos) << el[0].testo;
    }
    if (e == 'F') {
        EXPECT_EQ(el[0].icona, Icona::stop);
        return;
    }
    if (e == 'V') {
        // Nothing was computed, so no result is shown (field 2: the default panel's weight).
        for (int r : prova::kRisultati) {
            EXPECT_EQ(w.form.stato.text1[static_cast<std::size_t>(r)], r == 2 ? "1440" : "");
            EXPECT_FALSE(w.form.Text1_Validate(r)) << r;
        }
        EXPECT_EQ(w.form.stato.label2_6 + w.form.stato.label3, "");
        return;
    }
    // The run after start-up (or after the pick) completed on what the files gave.
    EXPECT_EQ(w.form.campo_rifiutato(), -1);
    prova::risultati_onesti(w.form, file.nome);
    if (g == Guasto::cp1252) {  // a sound file
        EXPECT_EQ(w.form.stato.text1[6] + w.form.stato.text1[7], "7.290045.0000")
            << "the site of the file was taken";
    }
}

class MatriceFile : public ::testing::TestWithParam<std::size_t> {};

TEST_P(MatriceFile, EachDamageGivesAClearMessageNamingTheFileAndNoCrash) {
    for (int g = 0; g < 5; ++g) {
        SCOPED_TRACE(kNomiGuasti[g]);
        prova_file(files()[GetParam()], static_cast<Guasto>(g));
    }
}

INSTANTIATE_TEST_SUITE_P(Guasti, MatriceFile, ::testing::Range<std::size_t>(0, files().size()),
                         [](const auto& info) { return std::string(files()[info.param].nome); });

}  // namespace
}  // namespace tv::form
