// Tests of the work settings file: reading rules, the scales of unit texts, the checks of
// imposta_unita with their messages, and the file on disk in its encodings and line ends.
#include "units/unita.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "text/encoding.h"
#include "text/error.h"
#include "units/factors.h"

namespace fs = std::filesystem;
using tv::units::Genere;
using tv::units::Unita;

namespace {

constexpr double kG = 9.81;
const std::string kNome = "prova/parametrilavoro";

// A complete settings file, header first, as the suite writes it.
std::vector<std::string> file_completo() {
    return {"PARAMETRI DI LAVORO",      "[commento] unità di misura del lavoro",
            "cm [lunghezze]",           "daN [forze]",
            "daN/cm3 [pesi_specifici]", "daN/cm2 [tensioni]",
            "kN/m [carichi_lineari]",   "9.81 [accelerazione_g]"};
}

// The complete file with the line holding `key` replaced by `line` (or dropped when empty).
std::vector<std::string> con_riga(const std::string& key, const std::string& line) {
    std::vector<std::string> out;
    for (const std::string& l : file_completo()) {
        if (l.find("[" + key + "]") == std::string::npos) {
            out.push_back(l);
        } else if (!line.empty()) {
            out.push_back(line);
        }
    }
    return out;
}

Unita leggi(const std::vector<std::string>& lines) {
    Unita u;
    u.leggi_testo(lines, kNome);
    return u;
}

Unita imposta(const std::vector<std::string>& lines) {
    Unita u = leggi(lines);
    u.calcola_fattori(kNome);
    return u;
}

// The message of the tv::Failure thrown by f, or "" when nothing is thrown.
template <class F>
std::string messaggio(F&& f) {
    try {
        f();
    } catch (const tv::Failure& e) {
        return e.what();
    }
    return "";
}

}  // namespace

// ---- scales of a unit text ------------------------------------------------------------------

struct CasoScala {
    const char* unit;
    std::optional<double> lunghezza;
    std::optional<double> forza;
};

class Scale : public ::testing::TestWithParam<CasoScala> {};

TEST_P(Scale, SubstringRulesInTestOrder) {
    const CasoScala& c = GetParam();
    const auto l = tv::units::scala_lunghezza(c.unit);
    const auto f = tv::units::scala_forza(c.unit, kG);
    ASSERT_EQ(l.has_value(), c.lunghezza.has_value());
    ASSERT_EQ(f.has_value(), c.forza.has_value());
    if (l) {
        EXPECT_DOUBLE_EQ(*l, *c.lunghezza);
    }
    if (f) {
        EXPECT_DOUBLE_EQ(*f, *c.forza);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Units, Scale,
    ::testing::Values(CasoScala{"mm", 10, std::nullopt}, CasoScala{"cm", 1, std::nullopt},
                      CasoScala{"m", 0.01, std::nullopt}, CasoScala{"MM", 10, std::nullopt},
                      CasoScala{"daN", std::nullopt, 1}, CasoScala{"kN", std::nullopt, 0.01},
                      CasoScala{"N", std::nullopt, 10}, CasoScala{"kgf", std::nullopt, 10 / kG},
                      CasoScala{"t", std::nullopt, 0.01 / kG}, CasoScala{"KPa", 0.01, 0.01},
                      CasoScala{"MPa", 0.01, 1e-5}, CasoScala{"N/mm2", 10, 10},
                      CasoScala{"daN/m2", 0.01, 1}, CasoScala{"kgf/cm2", 1, 10 / kG},
                      CasoScala{"t/m3", 0.01, 0.01 / kG}, CasoScala{"", std::nullopt, std::nullopt},
                      // letters match anywhere: these are what the strict check of the file refuses
                      CasoScala{"dm", 0.01, std::nullopt}, CasoScala{"MN", 0.01, 10},
                      CasoScala{"xyz", std::nullopt, std::nullopt}));

TEST(Scale, KgfAndTonneFollowTheGravity) {
    EXPECT_DOUBLE_EQ(*tv::units::scala_forza("kgf", 10), 1.0);
    EXPECT_DOUBLE_EQ(*tv::units::scala_forza("t", 10), 0.001);
    EXPECT_DOUBLE_EQ(*tv::units::scala_forza("kgf", 5), 2.0);
}

// ---- what a unit text is made of ----------------------------------------------------------

TEST(GenereUnita, ReadsKnownPartsIgnoringCaseAndBlanksBetweenParts) {
    EXPECT_EQ(tv::units::genere_unita("CM"), Genere::lunghezza);
    EXPECT_EQ(tv::units::genere_unita("kgf"), Genere::forza);
    EXPECT_EQ(tv::units::genere_unita("  daN / cm2 "), Genere::tensione);
    EXPECT_EQ(tv::units::genere_unita("kpa"), Genere::tensione);
    EXPECT_EQ(tv::units::genere_unita("T/M3"), Genere::peso_specifico);
    EXPECT_EQ(tv::units::genere_unita("da N/cm2"), Genere::nessuno);  // a blank splits "daN"
    EXPECT_EQ(tv::units::genere_unita("dm"), Genere::nessuno);
    EXPECT_EQ(tv::units::genere_unita("MN"), Genere::nessuno);
    EXPECT_EQ(tv::units::genere_unita("kN/m^3"), Genere::nessuno);
    EXPECT_EQ(tv::units::genere_unita("daN/cm2/m"), Genere::nessuno);
    EXPECT_EQ(tv::units::genere_unita("daNcm"), Genere::nessuno);  // moments are no work family
    EXPECT_EQ(tv::units::genere_unita(""), Genere::nessuno);
}

// Every text the strict check accepts must get, from the substring rules, the factor of its own
// parts: otherwise the check would let a misread unit through.
TEST(GenereUnita, EveryAcceptedCompoundGetsTheFactorOfItsParts) {
    const std::vector<std::string> forze{"daN", "N", "kN", "kgf", "t"};
    const std::vector<std::string> lunghezze{"mm", "cm", "m"};
    for (const std::string& f : forze) {
        const double sf = *tv::units::scala_forza(f, kG);
        for (const std::string& l : lunghezze) {
            const double sl = *tv::units::scala_lunghezza(l);
            const std::string t = f + "/" + l + "2", p = f + "/" + l + "3";
            EXPECT_EQ(tv::units::genere_unita(t), Genere::tensione) << t;
            EXPECT_EQ(tv::units::genere_unita(p), Genere::peso_specifico) << p;
            EXPECT_DOUBLE_EQ(tv::units::family_factor(tv::units::Family::stress, t, kG),
                             sf / (sl * sl))
                << t;
            EXPECT_DOUBLE_EQ(tv::units::family_factor(tv::units::Family::specific_weight, p, kG),
                             sf / (sl * sl * sl))
                << p;
        }
    }
}

// ---- reading the lines ----------------------------------------------------------------------

TEST(LeggiTesto, CompleteFileGivesTextsCaptionsAndGravity) {
    const Unita u = leggi(file_completo());
    EXPECT_EQ(u.unita_lunghezze, "cm");
    EXPECT_EQ(u.unita_forze, "daN");
    EXPECT_EQ(u.unita_pesi_specifici, "daN/cm3");
    EXPECT_EQ(u.unita_tensioni, "daN/cm2");
    EXPECT_EQ(u.etichetta_lunghezze, "[cm]");
    EXPECT_EQ(u.etichetta_forze, "[daN]");
    EXPECT_EQ(u.etichetta_pesi_specifici, "[daN/cm3]");
    EXPECT_EQ(u.etichetta_tensioni, "[daN/cm2]");
    EXPECT_DOUBLE_EQ(u.accelerazione_g, 9.81);
    EXPECT_EQ(u.fattore_lunghezze, 0);  // factors wait for calcola_fattori
}

TEST(LeggiTesto, FirstLineIsNeverInterpreted) {
    const Unita u = leggi({"cm [lunghezze]"});
    EXPECT_EQ(u.unita_lunghezze, "");
    EXPECT_EQ(u.etichetta_lunghezze, "");
    EXPECT_EQ(leggi({"9.81 [accelerazione_g]"}).accelerazione_g, 0);
}

TEST(LeggiTesto, KeyMatchesAnyCaseAndValueKeepsItsCase) {
    const Unita u = imposta(con_riga("lunghezze", "CM [LUNGHEZZE]"));
    EXPECT_EQ(u.unita_lunghezze, "CM");
    EXPECT_EQ(u.etichetta_lunghezze, "[CM]");
    EXPECT_DOUBLE_EQ(u.fattore_lunghezze, 1.0);
}

TEST(LeggiTesto, AmpersandAndEightStandForSlash) {
    for (const char* line : {"kN&m3 [pesi_specifici]", "kN8m3 [pesi_specifici]"}) {
        const Unita u = imposta(con_riga("pesi_specifici", line));
        EXPECT_EQ(u.unita_pesi_specifici, "kN/m3") << line;
        EXPECT_EQ(u.etichetta_pesi_specifici, "[kN/m3]") << line;
        EXPECT_DOUBLE_EQ(u.fattore_pesi_specifici, 1e4) << line;
    }
    EXPECT_EQ(leggi(con_riga("tensioni", "daN8cm2 [tensioni]")).unita_tensioni, "daN/cm2");
}

TEST(LeggiTesto, GravityLineKeepsItsEightOnlyWithTheKeyInLowerCase) {
    EXPECT_DOUBLE_EQ(leggi(con_riga("accelerazione_g", "9.81 [accelerazione_g]")).accelerazione_g,
                     9.81);
    EXPECT_EQ(messaggio([] { leggi(con_riga("accelerazione_g", "9.81 [ACCELERAZIONE_G]")); }),
              "Nel file prova/parametrilavoro il valore \"9./1\" di [accelerazione_g] non è un "
              "numero");
}

TEST(LeggiTesto, CommentMarkerOnlyInLowerCase) {
    // "[commento" skips the line even with a key in it
    EXPECT_EQ(leggi({"x", "cm [lunghezze]", "mm [lunghezze] [commento"}).unita_lunghezze, "cm");
    // "[COMMENTO" is no comment: the key in the line is taken
    EXPECT_EQ(leggi({"x", "cm [lunghezze]", "mm [lunghezze] [COMMENTO"}).unita_lunghezze, "mm");
    // and without a key it changes nothing
    const Unita u = leggi({"x", "cm [lunghezze]", "[COMMENTO del lavoro"});
    EXPECT_EQ(u.unita_lunghezze, "cm");
    EXPECT_EQ(u.unita_forze, "");
}

TEST(LeggiTesto, LaterLineWins) {
    const Unita u = leggi({"x", "daN/cm2 [tensioni]", "N/mm2 [tensioni]"});
    EXPECT_EQ(u.unita_tensioni, "N/mm2");
    EXPECT_EQ(u.etichetta_tensioni, "[N/mm2]");
    EXPECT_DOUBLE_EQ(leggi({"x", "9.81 [accelerazione_g]", "10 [accelerazione_g]"}).accelerazione_g,
                     10.0);
}

TEST(LeggiTesto, OuterBlanksRemovedInnerBlanksKept) {
    const Unita u = imposta(con_riga("tensioni", "   daN / cm2   [tensioni]"));
    EXPECT_EQ(u.unita_tensioni, "daN / cm2");
    EXPECT_EQ(u.etichetta_tensioni, "[daN / cm2]");
    EXPECT_DOUBLE_EQ(u.fattore_tensioni, 1.0);
}

TEST(LeggiTesto, FirstKeyOfTheTableDecidesALineWithSeveral) {
    const Unita u = leggi({"x", "cm [lunghezze] forze tensioni", "daN [forze] pesi_specifici"});
    EXPECT_EQ(u.unita_lunghezze, "cm");
    EXPECT_EQ(u.unita_forze, "daN");
    EXPECT_EQ(u.unita_tensioni, "");
    EXPECT_EQ(u.unita_pesi_specifici, "");
}

TEST(LeggiTesto, OtherKeysAndLinesWithoutBracketsChangeNothing) {
    const Unita u = leggi({"x", "m3 [volumi]", "kNm [coppie_momenti]", "2 [zonasismica]",
                           "alta [duttilità]", "", "cm lunghezze", "mm [lunghezze"});
    EXPECT_EQ(u.unita_lunghezze, "mm");  // the unclosed bracket still holds the key
    EXPECT_EQ(u.unita_forze, "");
    EXPECT_EQ(u.unita_pesi_specifici, "");
    EXPECT_EQ(u.unita_tensioni, "");
}

TEST(LeggiTesto, EmptyValueGivesEmptyBracketsCaption) {
    const Unita u = leggi({"x", " [lunghezze]"});
    EXPECT_EQ(u.unita_lunghezze, "");
    EXPECT_EQ(u.etichetta_lunghezze, "[]");
}

TEST(LeggiTesto, ReadingStartsFromEmptyUnits) {
    Unita u = imposta(file_completo());
    u.leggi_testo({"x", "mm [lunghezze]"}, kNome);
    EXPECT_EQ(u.unita_lunghezze, "mm");
    EXPECT_EQ(u.unita_forze, "");
    EXPECT_EQ(u.accelerazione_g, 0);
    EXPECT_EQ(u.fattore_lunghezze, 0);
}

// ---- gravity --------------------------------------------------------------------------------

struct CasoGravita {
    const char* testo;
    double atteso;
};
class Gravita : public ::testing::TestWithParam<CasoGravita> {};

TEST_P(Gravita, ReadInEitherNotation) {
    const std::string line = std::string(GetParam().testo) + " [accelerazione_g]";
    EXPECT_DOUBLE_EQ(leggi(con_riga("accelerazione_g", line)).accelerazione_g, GetParam().atteso);
}

INSTANTIATE_TEST_SUITE_P(Settings, Gravita,
                         ::testing::Values(CasoGravita{"9.81", 9.81}, CasoGravita{"9,81", 9.81},
                                           CasoGravita{"10", 10}, CasoGravita{" 9.80665 ", 9.80665},
                                           CasoGravita{"9,8e0", 9.8}));

struct CasoGravitaErrata {
    const char* testo;
    const char* messaggio;
};
class GravitaErrata : public ::testing::TestWithParam<CasoGravitaErrata> {};

TEST_P(GravitaErrata, RefusedNamingFileAndKey) {
    const std::string line = std::string(GetParam().testo) + " [accelerazione_g]";
    EXPECT_EQ(messaggio([&] { leggi(con_riga("accelerazione_g", line)); }), GetParam().messaggio);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, GravitaErrata,
    ::testing::Values(
        CasoGravitaErrata{"abc",
                          "Nel file prova/parametrilavoro il valore \"abc\" di "
                          "[accelerazione_g] non è un numero"},
        CasoGravitaErrata{"",
                          "Nel file prova/parametrilavoro il valore \"\" di "
                          "[accelerazione_g] non è un numero"},
        CasoGravitaErrata{"9,81.5",
                          "Nel file prova/parametrilavoro il valore \"9,81.5\" di "
                          "[accelerazione_g] non è un numero"},
        CasoGravitaErrata{"1e999",
                          "Nel file prova/parametrilavoro il valore \"1e999\" di "
                          "[accelerazione_g] non è un numero"},
        CasoGravitaErrata{"0",
                          "Nel file prova/parametrilavoro il valore \"0\" di "
                          "[accelerazione_g] non è valido: l'accelerazione di gravità deve "
                          "essere maggiore di zero"},
        CasoGravitaErrata{"-9.81",
                          "Nel file prova/parametrilavoro il valore \"-9.81\" di "
                          "[accelerazione_g] non è valido: l'accelerazione di gravità "
                          "deve essere maggiore di zero"},
        // so small that 10^7/g, the kgf/m3 row of the editor, is no longer finite
        CasoGravitaErrata{"1e-305",
                          "Nel file prova/parametrilavoro il valore \"1e-305\" di "
                          "[accelerazione_g] non è valido: l'accelerazione di gravità "
                          "deve essere maggiore di zero"}));

TEST(CalcolaFattori, MissingGravityLineIsRefused) {
    Unita u = leggi(con_riga("accelerazione_g", ""));
    EXPECT_EQ(messaggio([&] { u.calcola_fattori(kNome); }),
              "Nel file prova/parametrilavoro manca la riga [accelerazione_g]");
}

// ---- factors and the checks of the families -------------------------------------------------

struct CasoFattori {
    const char* lunghezze;
    const char* forze;
    const char* pesi_specifici;
    const char* tensioni;
    double f_lunghezze, f_forze, f_pesi_specifici, f_tensioni;
};
class Fattori : public ::testing::TestWithParam<CasoFattori> {};

TEST_P(Fattori, FollowTheFamilyFormulas) {
    const CasoFattori& c = GetParam();
    const Unita u =
        imposta({"x", std::string(c.lunghezze) + " [lunghezze]", std::string(c.forze) + " [forze]",
                 std::string(c.pesi_specifici) + " [pesi_specifici]",
                 std::string(c.tensioni) + " [tensioni]", "9.81 [accelerazione_g]"});
    EXPECT_DOUBLE_EQ(u.fattore_lunghezze, c.f_lunghezze);
    EXPECT_DOUBLE_EQ(u.fattore_forze, c.f_forze);
    EXPECT_DOUBLE_EQ(u.fattore_pesi_specifici, c.f_pesi_specifici);
    EXPECT_DOUBLE_EQ(u.fattore_tensioni, c.f_tensioni);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, Fattori,
    ::testing::Values(CasoFattori{"cm", "daN", "daN/cm3", "daN/cm2", 1, 1, 1, 1},
                      CasoFattori{"m", "kN", "kN/m3", "N/mm2", 0.01, 0.01, 1e4, 0.1},
                      CasoFattori{"mm", "N", "N/m3", "MPa", 10, 10, 1e7, 0.1},
                      CasoFattori{"M", "KN", "DAN/M3", "KPa", 0.01, 0.01, 1e6, 100},
                      CasoFattori{"cm", "kgf", "kgf/m3", "kgf/cm2", 1, 10 / kG, 1e7 / kG, 10 / kG},
                      CasoFattori{"m", "t", "t/m3", "t/m2", 0.01, 0.01 / kG, 1e4 / kG, 100 / kG},
                      CasoFattori{"cm", "daN", "daN/cm3", "daN/m2", 1, 1, 1, 1e4}));

struct CasoUnitaErrata {
    const char* chiave;
    const char* riga;  // "" drops the key's line
    const char* messaggio;
};
class UnitaErrata : public ::testing::TestWithParam<CasoUnitaErrata> {};

TEST_P(UnitaErrata, RefusedNamingFileAndKey) {
    Unita u = leggi(con_riga(GetParam().chiave, GetParam().riga));
    EXPECT_EQ(messaggio([&] { u.calcola_fattori(kNome); }),
              std::string("Nel file prova/parametrilavoro ") + GetParam().messaggio);
    EXPECT_EQ(u.fattore_lunghezze, 0);  // a refused file sets no factor
}

INSTANTIATE_TEST_SUITE_P(
    Settings, UnitaErrata,
    ::testing::Values(
        CasoUnitaErrata{"lunghezze", "", "manca la riga [lunghezze]"},
        CasoUnitaErrata{"forze", "", "manca la riga [forze]"},
        CasoUnitaErrata{"pesi_specifici", "", "manca la riga [pesi_specifici]"},
        CasoUnitaErrata{"tensioni", "", "manca la riga [tensioni]"},
        CasoUnitaErrata{"lunghezze", "dm [lunghezze]",
                        "l'unità \"dm\" di [lunghezze] non è riconosciuta"},
        CasoUnitaErrata{"lunghezze", "[lunghezze]",
                        "l'unità \"\" di [lunghezze] non è riconosciuta"},
        CasoUnitaErrata{"forze", "MN [forze]", "l'unità \"MN\" di [forze] non è riconosciuta"},
        CasoUnitaErrata{"tensioni", "da N/cm2 [tensioni]",
                        "l'unità \"da N/cm2\" di [tensioni] non è riconosciuta"},
        CasoUnitaErrata{"pesi_specifici", "kN/dm3 [pesi_specifici]",
                        "l'unità \"kN/dm3\" di [pesi_specifici] non è riconosciuta"},
        CasoUnitaErrata{"lunghezze", "daN [lunghezze]",
                        "l'unità \"daN\" di [lunghezze] non è una lunghezza (mm, cm, m)"},
        CasoUnitaErrata{"forze", "cm [forze]",
                        "l'unità \"cm\" di [forze] non è una forza (daN, N, kN, kgf, t)"},
        CasoUnitaErrata{"pesi_specifici", "daN/cm2 [pesi_specifici]",
                        "l'unità \"daN/cm2\" di [pesi_specifici] non è un peso specifico "
                        "(forza/lunghezza3, per esempio kN/m3)"},
        CasoUnitaErrata{"tensioni", "kN/m3 [tensioni]",
                        "l'unità \"kN/m3\" di [tensioni] non è una tensione (forza/lunghezza2, "
                        "KPa o MPa)"}));

// ---- the file on disk -----------------------------------------------------------------------

class FileImpostazioni : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device rd;
        dir_ = fs::temp_directory_path() /
               ("tv_units_" + std::to_string(rd()) + "_" + std::to_string(rd()));
        fs::create_directories(dir_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    void scrivi(const std::string& nome, const std::string& bytes) {
        std::ofstream out(dir_ / nome, std::ios::binary);
        out << bytes;
    }
    // UTF-8 lines joined with `fine`, turned into Windows-1252 when asked.
    static std::string testo(const std::vector<std::string>& lines, const std::string& fine,
                             bool cp1252) {
        std::string s;
        for (const std::string& l : lines) s += l + fine;
        return cp1252 ? tv::text::encode_cp1252(s) : s;
    }
    std::string percorso() const { return (dir_ / "parametrilavoro").string(); }

    fs::path dir_;
};

TEST_F(FileImpostazioni, ReadInEveryEncodingAndLineEnd) {
    std::vector<std::string> lines = file_completo();
    lines[2] = "mm [lunghezze]";
    lines.back() = "9,81 [accelerazione_g]";
    for (const auto& [fine, cp1252] : std::vector<std::pair<std::string, bool>>{
             {"\r\n", true}, {"\n", false}, {"\r", true}, {"\r\n", false}}) {
        scrivi("parametrilavoro", testo(lines, fine, cp1252));
        Unita u;
        u.imposta_unita(dir_);
        EXPECT_EQ(u.unita_lunghezze, "mm");
        EXPECT_DOUBLE_EQ(u.fattore_lunghezze, 10.0);
        EXPECT_DOUBLE_EQ(u.fattore_tensioni, 1.0);
        EXPECT_DOUBLE_EQ(u.accelerazione_g, 9.81);
        EXPECT_EQ(u.unita_tensioni, "daN/cm2");  // no CR left on the values
    }
}

TEST_F(FileImpostazioni, Windows1252TextIsDecodedInMessages) {
    scrivi("parametrilavoro",
           testo(con_riga("lunghezze", "dm² [lunghezze]"), "\r\n", /*cp1252=*/true));
    EXPECT_EQ(messaggio([&] { Unita().imposta_unita(dir_); }),
              "Nel file " + percorso() + " l'unità \"dm²\" di [lunghezze] non è riconosciuta");
}

TEST_F(FileImpostazioni, NameFoundInAnyLetterCase) {
    scrivi("ParametriLavoro", testo(file_completo(), "\r\n", true));
    Unita u;
    u.imposta_unita(dir_);
    EXPECT_EQ(u.unita_tensioni, "daN/cm2");
    EXPECT_EQ(tv::units::trova_parametrilavoro(dir_), dir_ / "ParametriLavoro");
}

TEST_F(FileImpostazioni, ExactNameWinsOverOtherSpellings) {
    scrivi("PARAMETRILAVORO", testo(con_riga("lunghezze", "m [lunghezze]"), "\r\n", true));
    scrivi("parametrilavoro", testo(file_completo(), "\r\n", true));
    EXPECT_EQ(tv::units::trova_parametrilavoro(dir_), dir_ / "parametrilavoro");
}

TEST_F(FileImpostazioni, MissingFileIsRefused) {
    scrivi("parametrilavoro.txt", testo(file_completo(), "\r\n", true));
    EXPECT_EQ(messaggio([&] { Unita().imposta_unita(dir_); }),
              "File delle impostazioni di lavoro non trovato: " + percorso());
    EXPECT_EQ(messaggio([&] { Unita().imposta_unita(dir_ / "manca"); }),
              "File delle impostazioni di lavoro non trovato: " +
                  (dir_ / "manca" / "parametrilavoro").string());
    EXPECT_EQ(messaggio([&] { Unita().leggi_parametrilavoro(dir_ / "parametrilavoro"); }),
              "File delle impostazioni di lavoro non trovato: " + percorso());
}

TEST_F(FileImpostazioni, UnreadableFileIsRefused) {
    fs::create_directory(dir_ / "parametrilavoro");
    EXPECT_EQ(messaggio([&] { Unita().imposta_unita(dir_); }),
              "Impossibile leggere il file delle impostazioni di lavoro: " + percorso());
}

TEST_F(FileImpostazioni, MessagesNameTheFileOnDisk) {
    scrivi("parametrilavoro", testo(con_riga("forze", ""), "\n", false));
    EXPECT_EQ(messaggio([&] { Unita().imposta_unita(dir_); }),
              "Nel file " + percorso() + " manca la riga [forze]");
}

TEST_F(FileImpostazioni, RefusedFileLeavesTheUnitsAsTheyWere) {
    scrivi("parametrilavoro", testo(file_completo(), "\r\n", true));
    Unita u;
    u.imposta_unita(dir_);
    scrivi("parametrilavoro", testo(con_riga("tensioni", "MN [tensioni]"), "\r\n", true));
    EXPECT_THROW(u.imposta_unita(dir_), tv::Failure);
    EXPECT_EQ(u.unita_tensioni, "daN/cm2");
    EXPECT_DOUBLE_EQ(u.fattore_tensioni, 1.0);
    EXPECT_DOUBLE_EQ(u.accelerazione_g, 9.81);
}
