// torvelando-cli run in-process: check on the demo suite and on small suites, its exit codes,
// --set and the toggles, and the locality search.
#include "cli/comandi.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "suite_temp.h"
#include "text/encoding.h"
#include "text/error.h"

namespace tv::cli {
namespace {
namespace fs = std::filesystem;
using form::prova::SuiteTemp;

struct Esito {
    int codice;
    std::string out, err;
};

Esito check(const OpzioniCheck& o, const fs::path& cwd = fs::current_path()) {
    std::ostringstream out, err;
    const int codice = esegui_check(o, cwd, out, err);
    return {codice, out.str(), err.str()};
}

Esito search(const OpzioniSearch& o, const fs::path& cwd = fs::current_path()) {
    std::ostringstream out, err;
    const int codice = esegui_search(o, cwd, out, err);
    return {codice, out.str(), err.str()};
}

OpzioniCheck json_su(const fs::path& root) {
    OpzioniCheck o;
    o.root = root.string();
    o.json = true;
    return o;
}

// ---- check on the demo suite ----------------------------------------------------------------

class Demo : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!form::prova::copia_suite_demo(tmp.path()))
            GTEST_SKIP() << "reference data not available";
    }
    form::prova::CartellaTemp tmp;
};

TEST_F(Demo, CheckJsonPrintsTheFieldsOfLAquila) {
    const Esito e = check(json_su(tmp.path()));
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.err, "");
    const auto j = nlohmann::json::parse(e.out);
    ASSERT_EQ(j["fields"].size(), 27u);
    EXPECT_EQ(j["fields"][0], "0.2607");
    EXPECT_EQ(j["fields"][1], "0.39");
    EXPECT_EQ(j["fields"][4], "B");
    EXPECT_EQ(j["fields"][6], "13.3995");
    EXPECT_EQ(j["fields"][7], "42.3505");
    EXPECT_EQ(j["labels"]["Ss"], "1.154");
    EXPECT_EQ(j["labels"]["VR"], "50");
    EXPECT_EQ(j["labels"]["span"], "L");
    EXPECT_TRUE(j["messages"].empty());
    const bool ok = std::stod(j["fields"][22].get<std::string>()) >=
                    std::stod(j["fields"][20].get<std::string>());
    EXPECT_EQ(j["verdict_ok"], ok);
    EXPECT_EQ(j["labels"]["verdict"], ok ? "[daN] > Fa : OK" : "[daN] < Fa : !!!");
}

TEST_F(Demo, RootFromTheCurrentFolderOrFromAnExtraArgumentGivesTheSameRun) {
    const Esito con_root = check(json_su(tmp.path()));
    OpzioniCheck senza;
    senza.json = true;
    const Esito da_cartella = check(senza, tmp.path() / "progra");
    OpzioniCheck extra;
    extra.json = true;
    extra.extra = {"|diroot=" + tmp.path().string() + "|"};
    const Esito da_argomento = check(extra, "/");
    ASSERT_EQ(con_root.codice, 0);
    EXPECT_EQ(da_cartella.codice, 0) << da_cartella.err;
    EXPECT_EQ(da_argomento.codice, 0) << da_argomento.err;
    EXPECT_EQ(da_cartella.out, con_root.out);
    EXPECT_EQ(da_argomento.out, con_root.out);
}

TEST_F(Demo, SearchPrintsWholeLinesAsUtf8) {
    OpzioniSearch o;
    o.testo = "AQUILA";
    o.root = tmp.path().string();
    const Esito e = search(o);
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out,
              "44.0837   8.0054   Aquila d'Arroscia (IM)\n"
              "42.3505   13.3995   L'Aquila (AQ)\n"
              "41.5650   14.1133   Montaquila (IS)\n");
    o.testo = "forli";
    const Esito f = search(o);
    ASSERT_EQ(f.codice, 0);
    EXPECT_EQ(f.out.substr(0, f.out.find('\n')), "44.2218   12.0414   Forlì (FC)") << f.out;
    EXPECT_TRUE(text::is_valid_utf8(f.out));
}

// ---- check on a small suite: exit codes, --set, toggles -------------------------------------

class Check : public ::testing::Test {
  protected:
    OpzioniCheck opzioni() const { return json_su(suite.root()); }
    SuiteTemp suite;
};

TEST_F(Check, CompletedRunExitsZero) {
    const Esito e = check(opzioni());
    EXPECT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.err, "");
    EXPECT_EQ(nlohmann::json::parse(e.out)["fields"][6], "7.28");
}

TEST_F(Check, FailedStartUpExitsOneWithTheMessage) {
    fs::remove(suite.root() / "impostazioni" / "lavoro");
    const Esito e = check(opzioni());
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.out, "");
    EXPECT_NE(e.err.find((suite.root() / "impostazioni" / "lavoro").string()), std::string::npos)
        << e.err;
}

TEST_F(Check, StoppedRunExitsOneWithTheMessageAndNoResults) {
    OpzioniCheck o = opzioni();
    o.set = {"6=12", "7=40"};
    const Esito e = check(o);
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.err, std::string(tv::kWindowCaption) + ": Punto fuori zona!\n");
    // The window is still printed: the texts set and the start-up results, but no result.
    const auto j = nlohmann::json::parse(e.out);
    EXPECT_EQ(j["fields"][6], "12");
    EXPECT_EQ(j["completed"], false);
    EXPECT_TRUE(j["results"].is_null());
    o.json = false;
    const Esito riassunto = check(o);
    EXPECT_EQ(riassunto.codice, 1);
    EXPECT_EQ(riassunto.out, "");
}

TEST_F(Check, SetByNumberOrShortNameInOrderBeforeTheRunAndTheResultsUnrounded) {
    OpzioniCheck o = opzioni();
    o.set = {"lon=7.29", "7=45", "PVR=10", "9=63", "suolo= c "};
    const Esito e = check(o);
    ASSERT_EQ(e.codice, 0) << e.err;
    const auto j = nlohmann::json::parse(e.out);
    EXPECT_EQ(j["fields"][0], "0.0633");  // ag of node 33 at 50 years: the last --set 9 won
    EXPECT_EQ(j["fields"][4], " c ");
    EXPECT_EQ(j["labels"]["Ss"], "1.5");  // soil C, clamped at its upper limit
    // On node 33 itself: its own ag at 50 years, unrounded, and the node first among the four.
    const auto& r = j["results"];
    EXPECT_EQ(j["completed"], true);
    EXPECT_NEAR(r["ag"].get<double>(), form::prova::ag_nodo(33, 1), 1e-12);
    EXPECT_EQ(r["TR"], 50);
    EXPECT_EQ(r["Ss"], 1.5);
    EXPECT_EQ(r["units"]["forces"], "daN");
    EXPECT_EQ(r["span"], j["labels"]["span"]);
    EXPECT_EQ(r["verdict"], j["verdict_ok"]);
    ASSERT_EQ(j["nodes"].size(), 4u);
    bool sul_nodo = false;
    for (const auto& n : j["nodes"])
        sul_nodo |= n["code"] == 33 && n["distance_km"].get<double>() < 1e-9;
    EXPECT_TRUE(sul_nodo) << j["nodes"].dump();
}

struct CasoSet {
    const char* nome;
    const char* set;
    const char* err;  // a part of the message
};
void PrintTo(const CasoSet& c, std::ostream* os) {
    *os << c.nome;
}

class SetRifiutato : public Check, public ::testing::WithParamInterface<CasoSet> {};

TEST_P(SetRifiutato, ExitsTwoWithTheMessageAndPrintsNothing) {
    OpzioniCheck o = opzioni();
    o.set = {"11=400", GetParam().set};
    const Esito e = check(o);
    EXPECT_EQ(e.codice, 2);
    EXPECT_EQ(e.out, "");
    const std::string err = GetParam().err;
    EXPECT_EQ(e.err, err == "--set" ? "--set: atteso N=TESTO con N da 0 a 26 o il nome breve del "
                                      "campo, ricevuto \"" + std::string(GetParam().set) + "\"\n"
                                    : err);
}

INSTANTIATE_TEST_SUITE_P(
    Testi, SetRifiutato,
    ::testing::Values(
        CasoSet{"SoilF", "4=F", "Input errato: Accettati solo terreni tipo A, B, C, D, E\n"},
        CasoSet{"TextInANumberField", "12=alto", "Input errato: Richiesto valore numerico\n"},
        CasoSet{"EmptyNumberField", "3=", "Input errato: Richiesto valore numerico\n"},
        CasoSet{"FieldOutOfRange", "27=1", "--set"}, CasoSet{"NegativeField", "-1=1", "--set"},
        CasoSet{"FieldNotANumber", "x=1", "--set"}, CasoSet{"NoEquals", "4", "--set"},
        CasoSet{"NoField", "=5", "--set"}, CasoSet{"BlankInTheField", "07 =1", "--set"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Check, FreeingTheTopWithAFreeSideExitsTwo) {
    OpzioniCheck o = opzioni();
    o.top = 0;
    const Esito e = check(o);
    EXPECT_EQ(e.codice, 2);
    EXPECT_EQ(e.out, "");
    EXPECT_EQ(e.err, "VINCOLI SCORRETTI: Verifica non possibile\n");
    o.left = 1;  // the right side is still free
    EXPECT_EQ(check(o).codice, 2);
}

TEST_F(Check, SidesAreSetBeforeTheTopSoTopFreeBothSidesSupportedRuns) {
    OpzioniCheck o = opzioni();
    o.top = 0;
    o.left = 1;
    o.right = 1;
    const Esito e = check(o);
    ASSERT_EQ(e.codice, 0) << e.err;
    const auto j = nlohmann::json::parse(e.out);
    EXPECT_EQ(j["labels"]["span"], "B");
    EXPECT_EQ(j["labels"]["distribution"],
              "Ripartizione massa verticale / orizzontale = 8 / 92 [%]");
}

// ---- search on a small suite ----------------------------------------------------------------

TEST(Search, LinesOfTheWindowsFileAsUtf8NamesStartingWithTheTextFirst) {
    SuiteTemp suite;
    OpzioniSearch o;
    o.testo = "TOR";
    const Esito e = search(o, suite.progra());  // root: the parent of the current folder
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.err, "");
    const auto& r = form::prova::righe_localita();
    EXPECT_EQ(e.out, r[0] + "\n" + r[4] + "\n" + r[3] + "\n");
    o.testo = "forli";
    EXPECT_EQ(search(o, suite.progra()).out, r[2] + "\n");
}

TEST(Search, NoMatchSaysSoAndExitsOne) {
    SuiteTemp suite;
    OpzioniSearch o{"città zz", suite.root().string(), {}};
    const Esito e = search(o);
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.out, "");
    EXPECT_EQ(e.err, "Nessuna località contiene città zz\n");
}

TEST(Search, FewerThanThreeCharactersExitsTwo) {
    SuiteTemp suite;
    for (const char* t : {"to", "ìF", ""}) {
        OpzioniSearch o{t, suite.root().string(), {}};
        const Esito e = search(o);
        EXPECT_EQ(e.codice, 2) << t;
        EXPECT_EQ(e.out, "");
        EXPECT_EQ(e.err, "Digitare almeno 3 caratteri per la ricerca\n");
    }
}

TEST(Search, MissingLocalityFileExitsTwoNamingIt) {
    SuiteTemp suite;
    fs::remove(suite.progra() / "coordinate_localita.txt");
    OpzioniSearch o{"tor", suite.root().string(), {}};
    const Esito e = search(o);
    EXPECT_EQ(e.codice, 2);
    EXPECT_NE(e.err.find("coordinate_localita.txt"), std::string::npos) << e.err;
}


// ---- the hazard's source and the demand formula ---------------------------------------------

// Cagliari by hand from Tabella 2: TR 475, G1, ag 0.05, F0 2.88; soil B Ss = 1.3424 capped 1.20.
TEST_F(Demo, CagliariTakesTabellaTwoAndSaysSo) {
    OpzioniCheck o = json_su(tmp.path());
    o.set = {"lat=39.2305", "lon=9.1192", "VN=50", "Cu=1", "PVR=10", "suolo=B"};
    const Esito e = check(o);
    ASSERT_EQ(e.codice, 0) << e.err;
    const auto j = nlohmann::json::parse(e.out);
    EXPECT_EQ(j["hazard_source"], "G1");
    EXPECT_EQ(j["island"], "Sardegna");
    EXPECT_EQ(j["nodes"], nlohmann::json::array());
    const auto& r = j["results"];
    EXPECT_EQ(r["TR"], 475);
    EXPECT_NEAR(r["ag"].get<double>(), 0.05, 1e-12);
    EXPECT_NEAR(r["F0"].get<double>(), 2.88, 1e-12);
    EXPECT_NEAR(r["Ss"].get<double>(), 1.20, 1e-12);
    EXPECT_EQ(j["fields"][0], "0.05");
}

TEST_F(Demo, GridSiteNamesTheGridAndNoIsland) {
    const auto j = nlohmann::json::parse(check(json_su(tmp.path())).out);
    EXPECT_EQ(j["hazard_source"], "grid");
    EXPECT_TRUE(j["island"].is_null());
    EXPECT_EQ(j["nodes"].size(), 4u);
    EXPECT_EQ(j["demand"], "ec8");
}

// The demo job under [C7.2.11], by hand: aS = 0.2607 x 1.154, z/H = 750/900, T1 0.39 s (a 0.8,
// b 1.4, ap 5), Ta 0.1928 s < a T1: Sa = aS (1 + z/H) 5 / (1 + 4 (1 - Ta / 0.312)^2) = 1.7415,
// Fa = Sa 1440 / 2.
TEST_F(Demo, DemandC7OnTheDemoJob) {
    for (const char* parola : {"c7.2.11", "C7.2.11"}) {
        OpzioniCheck o = json_su(tmp.path());
        o.demand = parola;
        const Esito e = check(o);
        ASSERT_EQ(e.codice, 0) << e.err;
        const auto j = nlohmann::json::parse(e.out);
        EXPECT_EQ(j["demand"], "c7.2.11");
        EXPECT_NEAR(j["results"]["Sa"].get<double>(), 1.7415, 5e-4);
        EXPECT_NEAR(j["results"]["Fa"].get<double>(), 1253.91, 0.5);
    }
    OpzioniCheck o = json_su(tmp.path());
    o.demand = "EC";
    const Esito e = check(o);
    EXPECT_EQ(e.codice, 2);
    EXPECT_EQ(e.out, "");
    EXPECT_EQ(e.err, "--demand: atteso ec8 o c7.2.11, ricevuto \"EC\"\n");
}

}  // namespace
}  // namespace tv::cli
