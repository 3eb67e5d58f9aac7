// torvelando-cli run in-process: check on the demo suite and on small suites, its exit codes,
// --set, --demand and the toggles, the locality search and report's hand-over of its options.
#include "cli/comandi.h"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/batch.h"
#include "cli/opzioni.h"
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

// A command run in-process with its two outputs caught.
template <auto comando, class Opzioni>
Esito esegui(const Opzioni& o, const fs::path& cwd) {
    std::ostringstream out, err;
    const int codice = comando(o, cwd, out, err);
    return {codice, out.str(), err.str()};
}
Esito check(const OpzioniCheck& o) { return esegui<esegui_check>(o, fs::current_path()); }
Esito search(const OpzioniSearch& o, const fs::path& cwd = fs::current_path()) {
    return esegui<esegui_search>(o, cwd);
}

OpzioniCheck json_su(const fs::path& root) {
    OpzioniCheck o;
    o.root = root.string(), o.json = true;
    return o;
}

// ---- check on the demo suite: the hazard's source and the demand formula --------------------

// The JSON names the hazard's source, the demand formula by its word in any letter case and the
// datum; the summary's texts and numbers for these sites are the golden file's. Words that are no
// formula or datum are refused naming what is accepted.
TEST(Demo, JsonNamesIslandSourceDemandAndDatumAndRefusesOtherWords) {
    form::prova::CartellaTemp tmp;
    if (!form::prova::copia_suite_demo(tmp.path())) GTEST_SKIP() << "no reference data";
    OpzioniCheck o = json_su(tmp.path());
    o.set = {"lat=39.2305", "lon=9.1192"};
    o.demand = "C7.2.11";
    Esito e = check(o);
    ASSERT_EQ(e.codice, 0) << e.err;
    auto j = nlohmann::json::parse(e.out);
    EXPECT_EQ(std::tuple(j["hazard_source"], j["island"], j["demand"], j["datum"]),
              std::tuple("G1", "Sardegna", "c7.2.11", "ed50"));
    EXPECT_EQ(j["nodes"], nlohmann::json::array());
    o.set = {"lat=N 41 54 10.08", "lon=12.4964"}, o.demand.reset(), o.datum = "WGS84";
    j = nlohmann::json::parse(check(o).out);
    EXPECT_EQ(std::tuple(j["fields"][7], j["datum"], j["demand"]), std::tuple("41.9028", "wgs84", "ec8"));
    EXPECT_NEAR(j["results"]["lat_ed50"].get<double>(), 41.903790, 1e-6);
    for (const auto& [demand, datum, messaggio] :
         {std::tuple{"EC", "ed50", "--demand: atteso ec8 o c7.2.11, ricevuto \"EC\""},
          std::tuple{"ec8", "wgs 84", "--datum: atteso ed50 o wgs84, ricevuto \"wgs 84\""}}) {
        o.demand = demand, o.datum = datum;
        e = check(o);
        EXPECT_EQ(std::tuple(e.codice, e.err), std::tuple(2, std::string(messaggio) + "\n"));
        EXPECT_EQ(nlohmann::json::parse(e.out)["messages"][0], messaggio);
    }
}

// ---- check on a small suite: exit codes, --set, toggles ---------------------------

class Check : public ::testing::Test {
  protected:
    OpzioniCheck opzioni() const { return json_su(suite.root()); }
    SuiteTemp suite;
};

TEST_F(Check, StoppedRunOrStartUpExitsOneWithTheMessageAndNoResults) {
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
    EXPECT_EQ(check(o).out, "");
    const std::string lavoro = (suite.root() / "impostazioni" / "lavoro").string();
    fs::remove(lavoro);
    const Esito avvio = check(opzioni());
    EXPECT_EQ(avvio.codice, 1);
    EXPECT_EQ(avvio.out, "");
    EXPECT_NE(avvio.err.find(lavoro), std::string::npos) << avvio.err;
}

TEST_F(Check, SetByNumberOrShortNameInOrderBeforeTheRunAndTheResultsUnrounded) {
    OpzioniCheck o = opzioni();
    o.set = {"lon=7.29", "7=45", "PVR=10", "9=63", "suolo= c "};
    o.top = 0, o.left = 1, o.right = 1;  // the sides are set first, else a free top is refused
    const Esito e = check(o);
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.err, "Avviso: Snellezza l_a/t = 41.67 maggiore di 25\n");  // B / t = 500 / 12
    const auto j = nlohmann::json::parse(e.out);
    ASSERT_EQ(j["fields"].size(), 27u);
    EXPECT_EQ(j["fields"][0], "0.0633");  // ag of node 33 at 50 years: the last --set 9 won
    EXPECT_EQ(j["fields"][4], " c ");
    // On node 33 itself: its own ag at 50 years, unrounded, and the node first among the four.
    const auto& r = j["results"];
    EXPECT_EQ(j["completed"], true);
    EXPECT_NEAR(r["ag"].get<double>(), form::prova::ag_nodo(33, 1), 1e-12);
    EXPECT_EQ(r["TR"], 50);
    EXPECT_EQ(r["Ss"], 1.5);  // soil C, clamped at its upper limit
    EXPECT_EQ(r["verdict"], j["verdict_ok"]);
    EXPECT_EQ(j["hazard_source"], "grid");
    ASSERT_EQ(j["nodes"].size(), 4u);
    EXPECT_EQ(j["nodes"][0]["code"], 33);
    EXPECT_LT(j["nodes"][0]["distance_km"].get<double>(), 1e-9);
    // The same site as a cantilever: no arch results, and the span says so.
    o.left = 0, o.right = 0;
    const auto m = nlohmann::json::parse(check(o).out)["results"];
    EXPECT_EQ(m["span"], "mensola");
    for (const char* k : {"d_mm", "K1", "K2", "qd", "sigma_crit"}) EXPECT_TRUE(m[k].is_null()) << k;
    EXPECT_EQ(m["Wa"], m["W"]);
}

// The suite has no job file: its initial site is said on the error stream and in the JSON, with
// the plausibility warnings after it; coordinates from --set are "set".
TEST_F(Check, InitialSiteAndWarningsOnTheErrorStreamAndInTheJson) {
    const std::string sito =
        "Sito: valori iniziali del programma (il lavoro non contiene dati del sito)";
    const std::string qa = "qa = 3 diverso da 1 e da 2";
    OpzioniCheck o = opzioni();
    o.set = {"qa=3", "lat=45"};
    Esito e = check(o);
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.err, "Avviso: " + sito + "\nAvviso: " + qa + "\n");
    auto j = nlohmann::json::parse(e.out);
    EXPECT_EQ(j["site_source"], "initial");
    EXPECT_EQ(j["warnings"], nlohmann::json::array({sito, qa}));
    o.set = {"lat=45", "6=7.29"};
    e = check(o);
    j = nlohmann::json::parse(e.out);
    EXPECT_EQ(std::tuple(e.err, j["site_source"], j["warnings"]),
              std::tuple("", "set", nlohmann::json::array()));
}

// --set texts refused by their form or by the field check, and a free top with one side supported.
// Refused: the message names the field; the JSON is one object with the message alone.
TEST_F(Check, RefusedInputExitsTwoWithTheMessageInTheJson) {
    // The field check's own wordings are the golden file's; here the paths that reach them.
    std::vector<std::tuple<std::string, int, std::string>> casi = {
        {"12=7\x01"
         "50",
         -1, "Input errato: L (altezza): Richiesto valore numerico"},
        {"11=400", 1, "VINCOLI SCORRETTI: Verifica non possibile"}};
    for (std::string set : {"27=1", "-1=1", "x=1", "4", "=5", "07 =1"})
        casi.emplace_back(
            set, -1,
            "--set: atteso N=TESTO con N da 0 a 26 o il nome breve del campo, ricevuto \"" + set +
                "\"");
    for (const auto& [set, sinistra, messaggio] : casi) {
        OpzioniCheck o = opzioni();
        o.set = {"11=400", set};
        if (sinistra >= 0) o.top = 0, o.left = sinistra, o.right = 1 - sinistra;
        const Esito e = check(o);
        EXPECT_EQ(e.codice, 2) << set;
        EXPECT_EQ(e.out, nlohmann::json({{"completed", false},
                                         {"refused", true},
                                         {"messages", {messaggio}}})
                                 .dump(2) +
                             "\n");
        EXPECT_EQ(e.err, messaggio + "\n");
    }
}

// report gives its program every option as it was parsed, values starting with "-" included.
TEST(Report, OptionsHandedOverAsParsed) {
    OpzioniReport o;
    o.check.root = "/s u/ite", o.check.set = {"lon=-5.5", "qa=2"}, o.check.left = 1;
    o.check.top = 0, o.check.demand = "C7.2.11", o.check.extra = {"|diroot=/x|"};
    o.output = "-r.pdf";
    const std::vector<std::string> a = argomenti_report(o);
    CLI::App app;
    OpzioniReport letto;
    opzioni_report(&app, letto);
    std::vector<std::string> rovescio(a.rbegin(), a.rend());  // CLI11 takes them last first
    app.parse(rovescio);
    letto.check.extra = app.remaining();
    EXPECT_EQ(letto.check.root, o.check.root);
    EXPECT_EQ(letto.check.set, o.check.set);
    EXPECT_EQ(std::tuple(letto.check.top, letto.check.left, letto.check.right),
              std::tuple(o.check.top, o.check.left, std::optional<int>()));
    EXPECT_EQ(letto.check.demand, o.check.demand);
    EXPECT_EQ(letto.check.extra, o.check.extra);
    EXPECT_EQ(letto.output, o.output);
}

// Lines of the Windows file as UTF-8, names starting with the text first; no match, a short text
// and a missing file refused.
TEST(Search, LinesOfTheListOrTheRefusal) {
    SuiteTemp suite;
    const auto& r = form::prova::righe_localita();
    const Esito e = search(OpzioniSearch{"TOR", {}, {}}, suite.progra());  // root: the parent
    EXPECT_EQ(std::tuple(e.codice, e.out, e.err),
              std::tuple(0, r[0] + "\n" + r[4] + "\n" + r[3] + "\n", ""));
    const fs::path file = suite.progra() / "coordinate_localita.txt";
    const std::tuple<std::string, int, std::string> casi[] = {
        {"città zz", 1, "Nessuna località contiene città zz"},
        {"ìF", 2, "Digitare almeno 3 caratteri per la ricerca"},
        {"tor", 2, "Impossibile leggere il file delle località \"" + file.string() + "\"."}};
    for (const auto& [testo, codice, messaggio] : casi) {
        if (testo == "tor") fs::remove(file);
        const Esito e = search(OpzioniSearch{testo, suite.root().string(), {}});
        EXPECT_EQ(std::tuple(e.codice, e.out, e.err), std::tuple(codice, "", messaggio + "\n"))
            << testo;
    }
}

// The demo job's saved panels through --job, panels, check --panel and batch without a file: a
// damaged row is said and kept, a panel's own coordinates are its site, options go on top.
TEST(Pannelli, PanelsPanelOptionJobAndBatchWithoutAFile) {
    form::prova::CartellaTemp tmp;
    if (!form::prova::copia_suite_demo(tmp.path())) GTEST_SKIP() << "no reference data";
    const fs::path lavori = tmp.path() / "lavori";
    fs::copy(lavori / "demo", lavori / "altro", fs::copy_options::recursive);
    const std::string testo = "id,descrizione,t,lat,nota\n"
                              "P1,\"Nord, piano 1\",,,a\n"
                              "P2,Sud,30,,b\n"
                              "P3,\"rotta,30,,c\n"
                              "P4,Est,,42.40,d\n";
    form::prova::scrivi(lavori / "altro" / "pannelli.csv", testo);

    OpzioniPanels p;
    p.root = tmp.path().string();
    Esito e = esegui<esegui_panels>(p, fs::current_path());
    EXPECT_EQ(std::tuple(e.codice, e.out), std::tuple(0, ""));  // the current job has none
    EXPECT_EQ(e.err, "Il lavoro \"demo\" non ha pannelli salvati (pannelli.csv).\n");
    p.job = "altro";
    e = esegui<esegui_panels>(p, fs::current_path());
    ASSERT_EQ(e.codice, 0) << e.err;
    // The demo panel (t 12) fails: Rlat 614.87 < Fa 840.56 daN, as the report test reads them.
    EXPECT_EQ(e.out.substr(0, e.out.find("\nP2")), "P1\tNord, piano 1\t< Fa : !!!");
    EXPECT_EQ(e.err, "pannelli.csv, riga 4: virgolette non chiuse; la riga resta nel file "
                     "com'era.\n");

    OpzioniCheck o;
    o.root = tmp.path().string(), o.job = "altro", o.panel = "P2", o.json = true;
    e = check(o);
    ASSERT_EQ(e.codice, 0) << e.err;
    auto j = nlohmann::json::parse(e.out);
    EXPECT_EQ(std::tuple(j["fields"][13], j["site_source"]), std::tuple("30", "job"));
    o.panel = "P4", o.set = {"t=40"};
    j = nlohmann::json::parse(check(o).out);
    EXPECT_EQ(std::tuple(j["fields"][13], j["fields"][7], j["site_source"]),
              std::tuple("40", "42.40", "panel"));
    o.panel = "P3";  // the damaged row is no panel
    e = check(o);
    EXPECT_EQ(std::tuple(e.codice, e.err),
              std::tuple(2, "--panel: nessun pannello \"P3\" nel lavoro \"altro\"\n"));

    OpzioniBatch b;
    b.root = tmp.path().string(), b.job = "altro";
    std::ostringstream out, err;
    EXPECT_EQ(esegui_batch(b, fs::current_path(), out, err), 1);  // the damaged row is refused
    std::vector<std::string> ids;
    std::istringstream righe(out.str());
    for (std::string r; std::getline(righe, r);) ids.push_back(r.substr(0, r.find(',')));
    EXPECT_EQ(ids, (std::vector<std::string>{"id", "P1", "P2", "3", "P4"}));
    // The file is as it was: nothing of the command line writes it.
    EXPECT_EQ(text::read_bytes(lavori / "altro" / "pannelli.csv"), testo);
}

}  // namespace
}  // namespace tv::cli
