// Start-up from the suite: root folder, work folder, job file and what Form_Load leaves in the
// window before it is first shown.
#include "form/avvio.h"

#include <gtest/gtest.h>

#include "form/form1.h"
#include "suite_temp.h"
#include "text/encoding.h"
#include "text/error.h"

namespace tv::form {
namespace {
namespace fs = std::filesystem;
using prova::Finestra;
using prova::scrivi;
using prova::SuiteTemp;

// ---- Root folder from the arguments ---------------------------------------------------------

struct CasoRoot {
    const char* nome;
    std::vector<std::string> args;
    const char* cartella_corrente;
    const char* atteso;
};
void PrintTo(const CasoRoot& c, std::ostream* os) {
    *os << c.nome;
}

class TrovaRoot : public ::testing::TestWithParam<CasoRoot> {};

TEST_P(TrovaRoot, GivesTheSuiteRoot) {
    const CasoRoot& c = GetParam();
    EXPECT_EQ(trova_root(c.args, c.cartella_corrente).generic_string(), c.atteso);
}

INSTANTIATE_TEST_SUITE_P(
    Argomenti, TrovaRoot,
    ::testing::Values(
        CasoRoot{"ClosedByBar", {"|diroot=/dati/Suite|"}, "/x/y", "/dati/Suite"},
        CasoRoot{"TrailingSeparatorDropped", {"|diroot=/dati/Suite/"}, "/x/y", "/dati/Suite"},
        CasoRoot{
            "NotAfterTheFirstEquals", {"-modo=1", "|diroot=/dati/Suite|"}, "/x/y", "/dati/Suite"},
        CasoRoot{"EqualsInsideTheRoot", {"|diroot=/dati/a=b|"}, "/x/y", "/dati/a=b"},
        CasoRoot{"ArgumentsJoinedWithOneBlank",
                 {"|diroot=/dati/Mia", "Suite|"},
                 "/x/y",
                 "/dati/Mia Suite"},
        CasoRoot{
            "BackslashIsASeparator", {"|diroot=C:\\Varkos\\Suite\\|"}, "/x/y", "C:/Varkos/Suite"},
        CasoRoot{"NoKeyTakesTheParentOfTheCurrentFolder", {}, "/dati/Suite/progra", "/dati/Suite"},
        CasoRoot{"Windows1252BytesBeforeTheKey",
                 {std::string(32, '\xFF') + "|diroot=/dati/Suite|"},
                 "/x/y",
                 "/dati/Suite"},
        CasoRoot{"Windows1252BytesInTheRootKeptAsGiven",
                 {"CITT\xC0", "|diroot=/dati/Citt\xE0|"},
                 "/x/y",
                 "/dati/Citt\xE0"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(TrovaRoot, EmptyValueStopsWithAMessageAboutDiroot) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"|diroot=|"}, {"|diroot="}, {"|diroot=   |", "x"}}) {
        try {
            trova_root(args, "/x/y");
            ADD_FAILURE() << "accepted " << args[0];
        } catch (const Failure& f) {
            EXPECT_NE(std::string(f.what()).find("|diroot="), std::string::npos) << f.what();
        }
    }
}

// ---- Work folder from impostazioni ----------------------------------------------------------

TEST(LeggiCartelle, RelativeDirlavIsResolvedAgainstTheRoot) {
    SuiteTemp s;
    const Cartelle c = leggi_cartelle(s.root());
    EXPECT_EQ(c.dir_root, s.root());
    EXPECT_EQ(c.dir_progra, s.root() / "progra");
    EXPECT_EQ(c.dir_help, s.root() / "help");
    EXPECT_EQ(c.dir_driver, s.root() / "driver");
    EXPECT_EQ(c.dir_custom, s.root() / "custom");
    EXPECT_EQ(c.nome_lavoro, "commessa");
    EXPECT_EQ(c.dir_lavoro, s.lavoro());
}

TEST(LeggiCartelle, BackslashesAndBlanksOfTheSettingsFiles) {
    SuiteTemp s;
    scrivi(s.root() / "impostazioni" / "dirlav", "  lavori\\anno 2024  \r\nseconda riga\r\n");
    scrivi(s.root() / "impostazioni" / "lavoro", " commessa \r\n");
    EXPECT_EQ(leggi_cartelle(s.root()).dir_lavoro, s.root() / "lavori" / "anno 2024" / "commessa");
}

struct CasoImpostazioni {
    const char* nome;
    const char* file;       // "dirlav" or "lavoro"
    const char* contenuto;  // nullptr: the file is missing
};
void PrintTo(const CasoImpostazioni& c, std::ostream* os) {
    *os << c.nome;
}

class ImpostazioniGuaste : public ::testing::TestWithParam<CasoImpostazioni> {};

TEST_P(ImpostazioniGuaste, StopStartUpWithAMessageNamingTheFile) {
    const CasoImpostazioni& c = GetParam();
    SuiteTemp s;
    const fs::path file = s.root() / "impostazioni" / c.file;
    if (c.contenuto) {
        scrivi(file, c.contenuto);
    } else {
        fs::remove(file);
    }
    try {
        leggi_cartelle(s.root());
        ADD_FAILURE() << "accepted";
    } catch (const Failure& f) {
        EXPECT_NE(std::string(f.what()).find(file.string()), std::string::npos) << f.what();
    }

    Finestra w;
    EXPECT_FALSE(w.avvia(s));
    ASSERT_EQ(w.messaggi.elenco.size(), 1u);
    EXPECT_NE(w.messaggi.elenco[0].testo.find(file.string()), std::string::npos);
    EXPECT_EQ(w.messaggi.elenco[0].icona, Icona::stop);
    EXPECT_TRUE(w.form.stato == StatoFinestra{}) << "the window was filled although it never shows";
}

INSTANTIATE_TEST_SUITE_P(
    File, ImpostazioniGuaste,
    ::testing::Values(CasoImpostazioni{"DirlavFirstLineEmpty", "dirlav", "\r\nlavori\r\n"},
                      CasoImpostazioni{"DirlavFirstLineBlanks", "dirlav", "   \nlavori\n"},
                      CasoImpostazioni{"LavoroFirstLineEmpty", "lavoro", "\ncommessa\n"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(FormLoad, AJobFolderThatIsNotThereNamesTheSettingsFiles) {
    // A damaged dirlav used to end in "parametrilavoro not found" under a folder of garbage.
    SuiteTemp s;
    scrivi(s.root() / "impostazioni" / "dirlav", "lav\x01\xFForo\n");
    Finestra w;
    EXPECT_FALSE(w.avvia(s));
    ASSERT_EQ(w.messaggi.elenco.size(), 1u);
    const std::string& m = w.messaggi.elenco[0].testo;
    EXPECT_EQ(m.rfind("Cartella del lavoro non trovata: ", 0), 0u) << m;
    EXPECT_NE(m.find((s.root() / "impostazioni" / "dirlav").string()), std::string::npos) << m;
    EXPECT_NE(m.find((s.root() / "impostazioni" / "lavoro").string()), std::string::npos) << m;
    EXPECT_TRUE(w.form.stato == StatoFinestra{});
}

TEST(FormLoad, EmptyDirootStopsBeforeAnythingIsRead) {
    Finestra w;
    EXPECT_FALSE(w.form.Form_Load({"|diroot=|"}, fs::current_path()));
    ASSERT_EQ(w.messaggi.elenco.size(), 1u);
    EXPECT_NE(w.messaggi.elenco[0].testo.find("|diroot="), std::string::npos);
    EXPECT_TRUE(w.form.stato == StatoFinestra{});
}

// ---- Job file ------------------------------------------------------------------------------

TEST(FileLavoro, NamesInAnyLetterCaseAndDinamicaWins) {
    SuiteTemp s;
    EXPECT_FALSE(file_lavoro(s.lavoro()).has_value());
    scrivi(s.lavoro() / "Sismica_2008.TXT", "x\n");
    EXPECT_EQ(file_lavoro(s.lavoro()), s.lavoro() / "Sismica_2008.TXT");
    scrivi(s.lavoro() / "DINAMICA.txt", "x\n");
    EXPECT_EQ(file_lavoro(s.lavoro()), s.lavoro() / "DINAMICA.txt");
}

struct CasoLavoro {
    const char* nome;
    std::vector<std::string> righe;
    DatiLavoro atteso;
};
void PrintTo(const CasoLavoro& c, std::ostream* os) {
    *os << c.nome;
}

DatiLavoro dati(std::optional<std::string> localita, std::optional<std::string> lon = {},
                std::optional<std::string> lat = {}) {
    DatiLavoro d;
    d.localita = std::move(localita);
    d.longitudine = std::move(lon);
    d.latitudine = std::move(lat);
    return d;
}

template <typename F>
DatiLavoro con(DatiLavoro d, F f) {
    f(d);
    return d;
}

class AnalizzaLavoro : public ::testing::TestWithParam<CasoLavoro> {};

TEST_P(AnalizzaLavoro, TakesWhatTheRulesCut) {
    const CasoLavoro& c = GetParam();
    const DatiLavoro d = analizza_lavoro(c.righe);
    EXPECT_EQ(d.localita, c.atteso.localita);
    EXPECT_EQ(d.longitudine, c.atteso.longitudine);
    EXPECT_EQ(d.latitudine, c.atteso.latitudine);
    EXPECT_EQ(d.suolo, c.atteso.suolo);
    EXPECT_EQ(d.St, c.atteso.St);
    EXPECT_EQ(d.VN, c.atteso.VN);
    EXPECT_EQ(d.Cu, c.atteso.Cu);
    EXPECT_EQ(d.T1, c.atteso.T1);
    EXPECT_EQ(d.localita_incompleta, c.atteso.localita_incompleta);
}

INSTANTIATE_TEST_SUITE_P(
    Righe, AnalizzaLavoro,
    ::testing::Values(
        CasoLavoro{"LocalityLine",
                   {"Località Torino (long. 7.6807  lat. 45.0733 )"},
                   dati("torino", "7.6807", "45.0733")},
        CasoLavoro{"DecimalCommaCoordinatesAreKeptWholeNeverCut",
                   {"Località Torino (long. 7,6807, lat. 45,0733)"},
                   dati("torino", "7,6807", "45,0733")},
        CasoLavoro{"NameFromTheLineStartWithoutAccent",
                   {"Torino (long. 7.68 lat. 45.07)"},
                   dati("torino", "7.68", "45.07")},
        // A file cut inside the locality line used to give a cut latitude ("45.07" of 45.0733).
        CasoLavoro{"LineCutBeforeItsBracketGivesNoCoordinates",
                   {"Località Torino (long. 7.6807  lat. 45.07"},
                   con(dati("torino"), [](DatiLavoro& d) { d.localita_incompleta = true; })},
        CasoLavoro{"NameCutRunningBackwardsIsSkipped",
                   {"(long. 7.68 lat. 45.07) località Torino"},
                   dati(std::nullopt, "7.68", "45.07")},
        CasoLavoro{"Subsoil",
                   {"Categoria di sottosuolo di fondazione = b"},
                   con(DatiLavoro{}, [](DatiLavoro& d) { d.suolo = "B"; })},
        CasoLavoro{"SubsoilEmptyValueIsKeptEmpty",
                   {"fondazione =   "},
                   con(DatiLavoro{}, [](DatiLavoro& d) { d.suolo = ""; })},
        CasoLavoro{"Topography",
                   {"Categoria topografica T2 - coefficiente = 1.2"},
                   con(DatiLavoro{}, [](DatiLavoro& d) { d.St = "1.2"; })},
        CasoLavoro{"NominalLife",
                   {"Vita nominale VN = 100 anni"},
                   con(DatiLavoro{}, [](DatiLavoro& d) { d.VN = "100"; })},
        CasoLavoro{
            "NominalLifeCutRunningBackwardsIsSkipped", {"vita nominale (anni) = 50"}, DatiLavoro{}},
        CasoLavoro{"UseCoefficient",
                   {"Classe d'uso III - coefficiente d'uso Cu = 1.5"},
                   con(DatiLavoro{}, [](DatiLavoro& d) { d.Cu = "1.5"; })},
        CasoLavoro{"PeriodFromTheLineAfterXY",
                   {"   %X      %Y", "0.35 | 0.41234 | 7"},
                   con(DatiLavoro{}, [](DatiLavoro& d) { d.T1 = 0.41234; })},
        CasoLavoro{"LineAfterXYIsNotTestedAgainstTheRules",
                   {"%x %y", "|fondazione = c"},
                   con(DatiLavoro{}, [](DatiLavoro& d) { d.T1 = 0.0; })},
        CasoLavoro{"XYAsLastLineIsSkipped",
                   {"fondazione = d", "%x %y"},
                   con(DatiLavoro{}, [](DatiLavoro& d) { d.suolo = "D"; })}),
    [](const auto& info) { return std::string(info.param.nome); });

// ---- Form_Load ------------------------------------------------------------------------------

TEST(FormLoad, WithoutAJobFileTheDesignSiteStaysAndT1IsTheDefault) {
    SuiteTemp s;
    Finestra w;
    ASSERT_TRUE(w.avvia(s));
    const auto& t = w.form.stato.text1;
    EXPECT_FALSE(w.form.file_lavoro_letto.has_value());
    EXPECT_EQ(t[1], "0.39");
    EXPECT_NEAR(w.form.T1, 0.39, 1e-12);  // the first run took T1 back from field 1
    EXPECT_EQ(t[4], "A");
    EXPECT_EQ(t[5], "1.0");
    EXPECT_EQ(t[6], "7.28");
    EXPECT_EQ(t[7], "45.01");
    EXPECT_EQ(t[8], "50");
    EXPECT_EQ(t[9], "10");
    EXPECT_EQ(t[10], "1");
    EXPECT_EQ(w.form.stato.combo_text, "Combo1");
    EXPECT_TRUE(w.form.stato.combo_list.empty());
    EXPECT_TRUE(w.messaggi.elenco.empty()) << ::testing::PrintToString(w.testi());
}

TEST(FormLoad, DefaultPanelCaptionsAndFirstRunInCentimetres) {
    SuiteTemp s;
    Finestra w;
    ASSERT_TRUE(w.avvia(s));
    const auto& t = w.form.stato.text1;
    const auto& l = w.form.stato.label1;
    EXPECT_EQ(l[18], "B [cm]");
    EXPECT_EQ(l[21], " [daN/cm3]");
    EXPECT_EQ(l[22], "fd [daN/cm2]");
    EXPECT_EQ(l[5], "Wa tot.[daN]");
    EXPECT_EQ(l[2], "T1 (sec)");
    // The window opens with results: field 0 holds the design site's ag, not its design text.
    EXPECT_NE(t[0], StatoFinestra{}.text1[0]);
    EXPECT_EQ(w.form.campo_rifiutato(), -1);
}

TEST(FormLoad, MetreUnitsScaleTheDefaultsAndGiveTheSameResults) {
    SuiteTemp cm;
    SuiteTemp m;
    scrivi(m.lavoro() / "parametrilavoro", prova::parametrilavoro("m", "daN", "daN/m3", "daN/m2"));
    Finestra a, b;
    ASSERT_TRUE(a.avvia(cm));
    ASSERT_TRUE(b.avvia(m));
    const auto& t = b.form.stato.text1;
    EXPECT_EQ(t[11], "5");
    EXPECT_EQ(t[12], "3");
    EXPECT_EQ(t[13], "0.12");
    EXPECT_EQ(t[16], "7.5");
    EXPECT_EQ(t[17], "9");
    EXPECT_EQ(t[14], "800");
    EXPECT_EQ(t[15], "30000");
    EXPECT_EQ(b.form.stato.label1[18], "B [m]");
    EXPECT_EQ(b.form.stato.label1[25], "H [m]");
    // The panel is the same one: forces, period and acceleration agree with the cm suite.
    for (int i : {0, 2, 18, 19, 20, 21, 22, 24, 25, 26})
        EXPECT_EQ(t[static_cast<std::size_t>(i)], a.form.stato.text1[static_cast<std::size_t>(i)])
            << "field " << i;
}

TEST(FormLoad, SismicaFileInAnotherLetterCaseFillsTheSiteAndTheSearchList) {
    SuiteTemp s;
    scrivi(s.lavoro() / "SISMICA_2008.TXT",
           text::encode_cp1252("PARAMETRI SISMICI\r\n"
                               "Località Torre Pellice (long. 7.3000  lat. 44.9700 )\r\n"
                               "Categoria di sottosuolo di fondazione = b\r\n"
                               "Categoria topografica T2 - coefficiente = 1.2\r\n"
                               "Vita nominale VN = 100 anni\r\n"
                               "Classe d'uso III - coefficiente d'uso Cu = 1.5\r\n"));
    Finestra w;
    ASSERT_TRUE(w.avvia(s));
    const auto& t = w.form.stato.text1;
    EXPECT_EQ(t[6], "7.3000");
    EXPECT_EQ(t[7], "44.9700");
    EXPECT_EQ(t[4], "B");
    EXPECT_EQ(t[5], "1.2");
    EXPECT_EQ(t[8], "100");
    EXPECT_EQ(t[10], "1.5");
    EXPECT_EQ(t[1], "0.39");
    EXPECT_EQ(text::to_lower(w.form.stato.combo_text), "torre pellice");
    EXPECT_EQ(w.form.stato.combo_list,
              std::vector<std::string>{"44.9700   7.3000   Torre Pellice (TO)"});
    EXPECT_EQ(w.form.stato.label2_6, "150");  // VR = 1.5 x 100, from the job's values
    EXPECT_TRUE(w.messaggi.elenco.empty());
}

TEST(FormLoad, DinamicaPeriodIsRoundedToFourDecimals) {
    SuiteTemp s;
    scrivi(s.lavoro() / "dinamica.txt", "ANALISI DINAMICA\n   %x   %y\nmodo 1 | 0.456789\n");
    Finestra w;
    ASSERT_TRUE(w.avvia(s));
    EXPECT_EQ(w.form.stato.text1[1], "0.4568");
    EXPECT_NEAR(w.form.T1, 0.4568, 1e-12);
}

TEST(FormLoad, DinamicaPeriodOfZeroGivesTheDefault) {
    SuiteTemp s;
    scrivi(s.lavoro() / "dinamica.txt", "%x %y\nmodo|senza numero\n");
    Finestra w;
    ASSERT_TRUE(w.avvia(s));
    EXPECT_EQ(w.form.stato.text1[1], "0.39");
}

struct CasoLavoroGuasto {
    const char* nome;
    const char* testo;
    const char* dopo_il_file;  // the message after "Nel file <path>"
};
void PrintTo(const CasoLavoroGuasto& c, std::ostream* os) {
    *os << c.nome;
}

class LavoroGuasto : public ::testing::TestWithParam<CasoLavoroGuasto> {};

TEST_P(LavoroGuasto, SaysSoNamingTheFileAndKeepsTheDesignSite) {
    const CasoLavoroGuasto& c = GetParam();
    SuiteTemp s;
    scrivi(s.lavoro() / "sismica_2008.txt", c.testo);
    Finestra w;
    ASSERT_TRUE(w.avvia(s));
    ASSERT_FALSE(w.messaggi.elenco.empty());
    EXPECT_EQ(w.messaggi.elenco[0].testo,
              "Nel file " + (s.lavoro() / "sismica_2008.txt").string() + c.dopo_il_file);
    EXPECT_EQ(w.form.messaggi_avvio(), 1u);
    EXPECT_EQ(w.form.stato.text1[6], "7.28");
    EXPECT_EQ(w.form.stato.text1[7], "45.01");
}

INSTANTIATE_TEST_SUITE_P(
    File, LavoroGuasto,
    ::testing::Values(
        CasoLavoroGuasto{"Empty", "",
                         " non ci sono dati del sito riconoscibili: i campi del sito restano "
                         "quelli iniziali."},
        CasoLavoroGuasto{"CutInsideTheLocalityLine",
                         "PARAMETRI SISMICI\r\nLocalit\xE0 Torino (long. 7.6807  lat. 45.07",
                         " la riga della località è incompleta: longitudine e latitudine non "
                         "sono state lette."}),
    [](const auto& info) { return std::string(info.param.nome); });

// Empty values must reach the fields: the design soil "A" would be unconservative on soft soil.
TEST(FormLoad, EmptyJobValuesLeaveTheFieldsEmptyAndTheFirstRunStops) {
    SuiteTemp s;
    scrivi(s.lavoro() / "sismica_2008.txt",
           "Categoria di sottosuolo di fondazione =\r\nCategoria topografica T1 - coefficiente = "
           "\r\nClasse d'uso II - coefficiente d'uso Cu =\r\n");
    Finestra w;
    ASSERT_TRUE(w.avvia(s));
    const auto& t = w.form.stato.text1;
    EXPECT_EQ(t[4], "");
    EXPECT_EQ(t[5], "");
    EXPECT_EQ(t[10], "");
    EXPECT_EQ(w.testi(), std::vector<std::string>{"Accettati solo terreni tipo A, B, C, D, E"});
    EXPECT_EQ(w.form.campo_rifiutato(), 4);
}

TEST(FormLoad, WithoutDirootTheRootIsTheParentOfTheCurrentFolder) {
    SuiteTemp s;
    Finestra w;
    ASSERT_TRUE(w.form.Form_Load({"-altro"}, s.progra()));
    EXPECT_EQ(w.form.cartelle.dir_root, s.root());
    EXPECT_TRUE(w.messaggi.elenco.empty());
}

}  // namespace
}  // namespace tv::form
