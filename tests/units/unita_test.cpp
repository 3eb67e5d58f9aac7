// SPDX-License-Identifier: GPL-3.0-or-later
// Tests of the work settings file: reading rules, the scales of unit texts, the checks of
// imposta_unita with their messages, and the file on disk in its encodings and line ends.
#include "units/unita.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <string>
#include <vector>

#include "prova.h"
#include "text/encoding.h"
#include "text/error.h"
#include "units/factors.h"

namespace fs = std::filesystem;
using tv::units::Famiglia;
using tv::units::Unita;

namespace {

const std::string kNome = "prova/parametrilavoro";

// A complete settings file, header first, with the line holding `key` replaced by `line`
// (dropped when empty).
std::vector<std::string> con_riga(const std::string& key = "-", const std::string& line = "") {
    std::vector<std::string> out;
    for (const char* l : {"PARAMETRI DI LAVORO", "[commento] unità di misura del lavoro",
                          "cm [lunghezze]", "daN [forze]", "daN/cm3 [pesi_specifici]",
                          "daN/cm2 [tensioni]", "kN/m [carichi_lineari]", "9.81 [accelerazione_g]"})
        if (std::string(l).find("[" + key + "]") == std::string::npos)
            out.push_back(l);
        else if (!line.empty())
            out.push_back(line);
    return out;
}

Unita leggi(const std::vector<std::string>& lines, bool fattori = false) {
    Unita u;
    u.leggi_testo(lines, kNome);
    if (fattori) u.calcola_fattori(kNome);
    return u;
}

using tv::prova::messaggio;

}  // namespace

TEST(GenereUnita, StrictReadingOfTheParts) {
    EXPECT_EQ(tv::units::famiglia_unita("  daN / cm2 "), Famiglia::tensione);
    EXPECT_EQ(tv::units::famiglia_unita("kpa"), Famiglia::tensione);
    // A blank splits "daN"; unknown parts, wrong orders and moments are no work family.
    for (const char* u : {"da N/cm2", "dm", "MN", "kN/m^3", "daN/cm2/m", "daNcm", ""})
        EXPECT_EQ(tv::units::famiglia_unita(u), Famiglia::nessuna) << u;
}

// Every compound the strict check accepts must get, from the substring rules, the factor of its
// own parts: otherwise the check would let a misread unit through. Factors worked out by hand:
// daN per unit of force and cm per unit of length.
TEST(GenereUnita, EveryAcceptedCompoundGetsTheFactorOfItsParts) {
    const std::pair<std::string, double> forze[] = {
        {"daN", 1}, {"N", 10}, {"kN", 0.01}, {"kgf", 10 / 9.81}, {"T", 0.01 / 9.81}};
    const std::pair<std::string, double> lunghezze[] = {{"mm", 10}, {"cm", 1}, {"M", 0.01}};
    for (const auto& [f, sf] : forze)
        for (const auto& [l, sl] : lunghezze) {
            const Unita u =
                leggi({"x", l + " [lunghezze]", f + " [forze]", "9.81 [accelerazione_g]",
                       f + "/" + l + "3 [pesi_specifici]", f + "/" + l + "2 [tensioni]"},
                      true);
            EXPECT_DOUBLE_EQ(u.fattore_forze, sf) << f;
            EXPECT_DOUBLE_EQ(u.fattore_tensioni, sf / (sl * sl)) << u.unita_tensioni;
            EXPECT_DOUBLE_EQ(u.fattore_pesi_specifici, sf / (sl * sl * sl)) << u.unita_tensioni;
        }
}

TEST(LeggiTesto, LineRules) {
    EXPECT_EQ(leggi({"cm [lunghezze]"}).unita_lunghezze, "");  // the header is never read
    // Outer blanks go, the key matches in any case, the caption is the text in brackets.
    EXPECT_EQ(leggi(con_riga("lunghezze", "   M  [LUNGHEZZE]")).etichetta_lunghezze, "[M]");
    EXPECT_EQ(leggi({"x", "kN&m3 [pesi_specifici]"}).unita_pesi_specifici, "kN/m3");
    EXPECT_EQ(leggi({"x", " da N [forze]"}).etichetta_forze, "[da N]");  // inner blanks stay
    // "[commento" skips a line only in lower case; a later line wins.
    EXPECT_EQ(leggi({"x", "cm [lunghezze]", "mm [lunghezze] [commento"}).unita_lunghezze, "cm");
    EXPECT_EQ(leggi({"x", "cm [lunghezze]", "mm [lunghezze] [COMMENTO"}).unita_lunghezze, "mm");
    EXPECT_DOUBLE_EQ(
        leggi({"x", "9,81 [accelerazione_g]", "1e1 [accelerazione_g]"}).accelerazione_g, 10);
    // The first key of the table decides; other keys and lines without brackets change nothing.
    const Unita u = leggi({"x", "cm [lunghezze] forze", "m3 [volumi]", "", "mm lunghezze", "[]"});
    EXPECT_EQ(u.unita_lunghezze, "cm");
    EXPECT_EQ(u.unita_forze, "");
}

TEST(CalcolaFattori, RefusedFileNamesTheFileAndTheKey) {
    const std::vector<std::pair<std::pair<const char*, const char*>, std::string>> casi{
        // The gravity line keeps its 8 only with the key in lower case.
        {{"accelerazione_g", "9.81 [ACCELERAZIONE_G]"},
         "il valore \"9./1\" di [accelerazione_g] non è un numero"},
        {{"accelerazione_g", "0 [accelerazione_g]"},
         "il valore \"0\" di [accelerazione_g] non è valido: "
         "l'accelerazione di gravità deve essere tra 9,5 e 10 m/s²"},
        {{"accelerazione_g", "1e30 [accelerazione_g]"},
         "il valore \"1e30\" di [accelerazione_g] non è valido: "
         "l'accelerazione di gravità deve essere tra 9,5 e 10 m/s²"},
        {{"tensioni", ""}, "manca la riga [tensioni]"},
        {{"lunghezze", "daN [lunghezze]"},
         "l'unità \"daN\" di [lunghezze] non è una lunghezza (mm, cm, m)"},
        {{"forze", "cm [forze]"}, "l'unità \"cm\" di [forze] non è una forza (daN, N, kN, kgf, t)"},
        {{"tensioni", "kN/m3 [tensioni]"},
         "l'unità \"kN/m3\" di [tensioni] non è una tensione (forza/lunghezza2, KPa o MPa)"}};
    for (const auto& [riga, atteso] : casi)
        EXPECT_EQ(messaggio([&] { leggi(con_riga(riga.first, riga.second), true); }),
                  "Nel file prova/parametrilavoro " + atteso);
}

TEST(FileImpostazioni, ReadInEveryEncodingAndLineEndFoundInAnyLetterCaseElseRefused) {
    tv::prova::CartellaTemp tmp;
    const fs::path& dir = tmp.path();
    const std::string percorso = (dir / "parametrilavoro").string();
    // The lines joined with `fine`, in Windows-1252 unless the end is a lone LF.
    const auto scrivi = [&](const std::vector<std::string>& lines, const std::string& fine,
                            const std::string& nome) {
        std::string s;
        for (const std::string& l : lines) s += l + fine;
        tmp.scrivi(nome, fine == "\n" ? s : tv::text::encode_cp1252(s));
    };
    Unita u;
    for (const std::string fine : {"\r\n", "\n", "\r"}) {
        scrivi(con_riga("lunghezze", "mm [lunghezze]"), fine, "parametrilavoro");
        u.imposta_unita(dir);
        EXPECT_DOUBLE_EQ(u.fattore_lunghezze, 10.0);
        EXPECT_EQ(u.unita_tensioni, "daN/cm2");  // no CR left on the values
    }
    scrivi(con_riga("lunghezze", "dm² [lunghezze]"), "\r\n", "parametrilavoro");
    EXPECT_EQ(messaggio([&] { u.imposta_unita(dir); }),
              "Nel file " + percorso + " l'unità \"dm²\" di [lunghezze] non è riconosciuta");
    EXPECT_DOUBLE_EQ(u.fattore_lunghezze, 10.0);  // a refused file leaves the units as they were
    fs::remove(dir / "parametrilavoro");
    scrivi(con_riga(), "\r\n", "parametrilavoro.txt");
    EXPECT_EQ(messaggio([&] { u.imposta_unita(dir); }),
              "File delle impostazioni di lavoro non trovato: " + percorso);
    scrivi(con_riga(), "\r\n", "PARAMETRILAVORO");
    EXPECT_EQ(tv::units::trova_parametrilavoro(dir), dir / "PARAMETRILAVORO");
    fs::create_directory(dir / "parametrilavoro");  // the exact name first, even a folder
    EXPECT_EQ(tv::units::trova_parametrilavoro(dir), dir / "parametrilavoro");
    EXPECT_EQ(messaggio([&] { u.imposta_unita(dir); }),
              "Impossibile leggere il file delle impostazioni di lavoro: " + percorso);
}
