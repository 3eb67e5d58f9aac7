// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up from the suite: root folder, work folder, job file and what Form_Load leaves in the
// window before it is first shown.
#include "form/avvio.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/modello/form1.h"
#include "form/sito_lavoro.h"
#include "finestra_temp.h"
#include "text/encoding.h"
#include "text/error.h"

namespace tv::form {
namespace {
using prova::Finestra;
using prova::scrivi;
using prova::SuiteTemp;

TEST(Cartelle, RootOfTheSuiteOrAnEmptyOneRefusedThenItsFolders) {
    const std::pair<std::vector<std::string>, const char*> casi[] = {
        {{"|diroot=/dati/Suite/"}, "/dati/Suite"},
        {{"-modo=1", "|diroot=/dati/a=b|"}, "/dati/a=b"},
        {{"|diroot=/dati/Mia", "Suite|"}, "/dati/Mia Suite"},
        {{"|diroot=C:\\Varkos\\Suite\\|"}, "C:/Varkos/Suite"},
        {{}, "/dati"},  // the parent of the current folder
        {{std::string(32, '\xFF') + "|diroot=/dati/Citt\xE0|"}, "/dati/Citt\xE0"}};
    for (const auto& [args, atteso] : casi)
        EXPECT_EQ(trova_root(args, "/dati/progra").generic_string(), atteso) << atteso;
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"|diroot=|"}, {"|diroot="}, {"|diroot=   |", "x"}})
        EXPECT_NE(tv::prova::messaggio([&] { trova_root(args, "/x"); }).find("|diroot="),
                  std::string::npos);

    // Blanks around the settings files' names (the plain folders are those every window test opens).
    SuiteTemp s;
    scrivi(s.root() / "impostazioni" / "dirlav", "  lavori\\anno 2024  \r\nseconda riga\r\n");
    scrivi(s.root() / "impostazioni" / "lavoro", " commessa \r\n");
    EXPECT_EQ(leggi_cartelle(s.root()).dir_lavoro, s.root() / "lavori" / "anno 2024" / "commessa");
}

// What the rules took, as "key=value" of every value found.
std::string presi(const DatiLavoro& d) {
    std::string r;
    const auto metti = [&](const char* k, const std::optional<std::string>& v) {
        if (v) r += std::string(k) + "=" + *v + " ";
    };
    metti("loc", d.localita), metti("lon", d.longitudine), metti("lat", d.latitudine);
    metti("suolo", d.suolo), metti("St", d.St), metti("VN", d.VN), metti("Cu", d.Cu);
    if (d.T1) r += "T1=" + std::to_string(*d.T1) + " ";
    return r + (d.localita_incompleta ? "incompleta" : "") + (d.T1_illeggibile ? "T1?" : "");
}

TEST(AnalizzaLavoro, TakesWhatTheRulesCut) {
    const std::pair<std::vector<std::string>, const char*> casi[] = {
        {{"Località Torino (long. 7.6807  lat. 45.0733 )"}, "loc=torino lon=7.6807 lat=45.0733 "},
        {{"Località Torino (long. 7,6807, lat. 45,0733)"}, "loc=torino lon=7,6807 lat=45,0733 "},
        {{"Torino (long. 7.68 lat. 45.07)"}, "loc=torino lon=7.68 lat=45.07 "},
        // A file cut inside the locality line used to give a cut latitude ("45.07" of 45.0733).
        {{"Località Torino (long. 7.6807  lat. 45.07"}, "loc=torino incompleta"},
        {{"(long. 7.68 lat. 45.07) località Torino"}, "lon=7.68 lat=45.07 "},
        // A control character keeps its number whole, for validation to refuse, never "7.68".
        {{"(long. 7.68\x01"
          "9 lat. 45.07)"},
         "lon=7.68\x01 lat=45.07 "},
        {{"Categoria di sottosuolo di fondazione = b"}, "suolo=B "},
        {{"fondazione =   "}, "suolo= "},
        {{"Categoria topografica T2 - coefficiente = 1.2"}, "St=1.2 "},
        {{"Vita nominale VN = 100 anni"}, "VN=100 "},
        {{"vita nominale (anni) = 50"}, ""},
        {{"Classe d'uso III - coefficiente d'uso Cu = 1.5"}, "Cu=1.5 "},
        {{"   %X      %Y", "0.35 | 0.41234 | 7"}, "T1=0.412340 "},
        {{"%x %y", "|fondazione = c"}, "T1=0.000000 "},
        {{"%x %y",
          "| 0.4\x01"
          "5 |"},
         "T1?"},
        {{"fondazione = d", "%x %y"}, "suolo=D "}};
    for (const auto& [righe, atteso] : casi) EXPECT_EQ(presi(analizza_lavoro(righe)), atteso);
}

// A damaged grid: the window opens, the message names the file, and no result is shown (field 2
// holds the default panel's weight). A dirlav naming no folder stops start-up saying so.
TEST(FormLoad, DamagedGridOrSettingsNamingNoFolderAreSaidNamingTheFile) {
    SuiteTemp s{prova::kConSito};
    scrivi(s.file_griglia(), "ID LON LAT\n1 2 3\n");
    Finestra w;
    ASSERT_TRUE(w.avvia(s));
    ASSERT_EQ(w.testi().size(), 1u);
    EXPECT_NE(w.testi()[0].find(s.file_griglia().string()), std::string::npos) << w.testi()[0];
    for (Campo r : prova::kRisultati)
        EXPECT_EQ(w.form.stato.pannello.testi[r], r == Campo::W ? "1440" : "") << indice(r);
    EXPECT_EQ(w.form.stato.label2_6 + w.form.stato.label3, "");
    scrivi(s.root() / "impostazioni" / "dirlav", "manca\n");
    Finestra v;
    EXPECT_FALSE(v.avvia(s));
    EXPECT_NE(v.testi().at(0).find((s.root() / "impostazioni" / "dirlav").string()),
              std::string::npos) << v.testi().at(0);
}

TEST(FormLoad, MetreUnitsScaleTheDefaultsAndGiveTheSameResults) {
    SuiteTemp cm, m;
    scrivi(m.lavoro() / "parametrilavoro", prova::parametrilavoro("m", "daN", "daN/m3", "daN/m2"));
    Finestra a, b;
    ASSERT_TRUE(a.avvia(cm));
    ASSERT_TRUE(b.avvia(m));
    const auto& t = b.form.stato.pannello.testi;
    EXPECT_EQ((std::vector<std::string>{t[Campo::B], t[Campo::L], t[Campo::t], t[Campo::gamma],
                                        t[Campo::fd], t[Campo::Z], t[Campo::H]}),
              (std::vector<std::string>{"5", "3", "0.12", "800", "30000", "7.5", "9"}));
    EXPECT_EQ(b.form.stato.label1[25], "H [m]");
    for (Campo i : prova::kRisultati)
        EXPECT_EQ(t[i], a.form.stato.pannello.testi[i]) << "field " << indice(i);
}

// The job's values reach the site fields, its locality the search list; an empty value empties
// its field (the design soil "A" would be unconservative on soft soil) and the first run stops on
// it; a damaged file is named before the run ("@" below) and the design site is kept.
// Fields 4 to 10 (suolo, St, lon, lat, VN, PVR, Cu), then where the job says each came from:
// F the job file, - the default.
TEST(FormLoad, JobFileFillsTheSiteFieldsOrSaysWhatIsWrongNamingIt) {
    const std::tuple<const char*, std::string, const char*, const char*, const char*> casi[] = {
        {"SISMICA_2008.TXT",  // any letter case, Windows code page
         text::encode_cp1252("Località Torre Pellice (long. 7.3000  lat. 44.9700 )\r\nfondazione = "
                             "b\r\ntopografica = 1.2\r\nvita nominale = 100 anni\r\nuso Cu = 1.5\r\n"),
         "B 1.2 7.3000 44.9700 100 10 1.5", "FFFFF-F", ""},
        {"sismica_2008.txt",
         "Categoria di sottosuolo di fondazione =\r\nCategoria topografica T1 - coefficiente = "
         "\r\nClasse d'uso II - coefficiente d'uso Cu =\r\n",
         "  7.28 45.01 50 10 ", "FF----F", "Accettati solo terreni tipo A, B, C, D, E"},
        {"sismica_2008.txt", "", "A 1.0 7.28 45.01 50 10 1", "-------",
         "@ non ci sono dati del sito riconoscibili: i campi del sito restano quelli iniziali."},
        {"sismica_2008.txt", "PARAMETRI SISMICI\r\nLocalit\xE0 Torino (long. 7.6807  lat. 45.07",
         "A 1.0 7.28 45.01 50 10 1", "-------",
         "@ la riga della località è incompleta: longitudine e latitudine non sono state lette."}};
    for (const auto& [file, testo, campi, provenienze, messaggio] : casi) {
        SuiteTemp s;
        scrivi(s.lavoro() / file, testo);
        Finestra w;
        ASSERT_TRUE(w.avvia(s));
        std::string c;
        for (int i = 4; i <= 10; ++i) c += (i > 4 ? " " : "") + w.form.stato.pannello.testi[Campo(i)];
        EXPECT_EQ(c, campi);
        std::string da;
        for (int i = 4; i <= 10; ++i)
            da += w.form.lavoro.provenienza(static_cast<Campo>(i)) == Provenienza::file_lavoro ? 'F'
                                                                                             : '-';
        EXPECT_EQ(da, provenienze);
        if (c[0] == 'B') {  // the search list from the job's locality
            EXPECT_EQ(w.form.stato.combo_list,
                      std::vector<std::string>{"44.9700   7.3000   Torre Pellice (TO)"});
        }
        std::string m = messaggio;
        const bool avvio = m.rfind('@', 0) == 0;
        if (avvio) m = "Nel file " + (s.lavoro() / file).string() + m.substr(1);
        EXPECT_EQ(w.testi(), m.empty() ? std::vector<std::string>{} : std::vector{m});
        EXPECT_EQ(w.form.messaggi_avvio(), avvio ? 1u : 0u);
    }
}

TEST(FormLoad, DinamicaPeriodRoundedToFourDecimalsAndZeroGivesTheDefault) {
    for (const auto& [testo, atteso] :
         {std::pair{"ANALISI DINAMICA\n   %x   %y\nmodo 1 | 0.456789\n", "0.4568"},
          std::pair{"%x %y\nmodo|senza numero\n", "0.39"}}) {
        SuiteTemp s;
        scrivi(s.lavoro() / "Sismica_2008.TXT", "x\n");
        scrivi(s.lavoro() / "DINAMICA.txt", testo);  // any letter case; dinamica wins
        Finestra w;
        ASSERT_TRUE(w.avvia(s));
        EXPECT_EQ(w.form.stato.pannello.testi[tv::form::Campo::T1], atteso);
    }
    // Started again on a job file that no longer gives a period: the default, not the last one.
    SuiteTemp s;
    scrivi(s.lavoro() / "dinamica.txt", "%x %y\nmodo 1 | 0.5\n");
    Finestra w;
    ASSERT_TRUE(w.avvia(s));
    scrivi(s.lavoro() / "dinamica.txt", "%x %y\n");
    ASSERT_TRUE(w.avvia(s));
    EXPECT_EQ(w.form.stato.pannello.testi[tv::form::Campo::T1], "0.39");
}

// The job's own site written from a panel's site fields reads back at start-up, with a verdict;
// coordinates in WGS84 are written in ED50; a job file of another program is never replaced.
TEST(SitoLavoro, WrittenFromTheFieldsReadsBackAtStartUpAndNeverOverAnotherProgramsFile) {
    SuiteTemp s;
    Finestra w;
    ASSERT_TRUE(w.avvia(s));
    EXPECT_FALSE(w.form.risultato.has_value());
    auto testi = w.form.stato.pannello.testi;
    const auto poni = [&](Campo c, const char* t) { testi[c] = t; };
    poni(Campo::lat, "45\xC2\xB0 03' 00\""), poni(Campo::lon, "7.22"), poni(Campo::suolo, "c");
    poni(Campo::St, "1.2"), poni(Campo::VN, "100"), poni(Campo::Cu, "1.5");
    ASSERT_EQ(scrivi_sito_lavoro(s.lavoro(), testi, hazard::Datum::ed50, "Forl\xC3\xAC Finto",
                                 text::dot_format()),
              std::nullopt);
    EXPECT_NE(text::read_bytes(s.lavoro() / "sismica_2008.txt")
                  ->find("\r\nLocalit\xE0 Forl\xEC Finto (long. 7.220000  lat. 45.050000 )\r\n"),
              std::string::npos);
    Finestra v;
    ASSERT_TRUE(v.avvia(s));
    std::string c;
    for (int i = 4; i <= 10; ++i) c += (i > 4 ? " " : "") + v.form.stato.pannello.testi[Campo(i)];
    EXPECT_EQ(c, "C 1.2 7.220000 45.050000 100 10 1.5");
    EXPECT_EQ(std::tuple(v.testi(), v.form.sito_iniziale(), v.form.risultato.has_value()),
              std::tuple(std::vector<std::string>{}, false, true));
    // Pisa in WGS84, (43.7085, 10.4036), is (43.709466, 10.404601) in ED50 by the inverse of
    // EPSG:1133 (worked in the validation manual, case v21).
    poni(Campo::lat, "43.7085"), poni(Campo::lon, "10.4036");
    const auto pisa = testo_sito_lavoro(testi, hazard::Datum::wgs84, "", text::dot_format());
    ASSERT_TRUE(pisa);
    EXPECT_NE(pisa->find("Localit\xE0 (long. 10.404601  lat. 43.709466 )"), std::string::npos);
    poni(Campo::Cu, "x");
    EXPECT_FALSE(testo_sito_lavoro(testi, hazard::Datum::ed50, "", text::dot_format()));
    // Another program's job files stay as they are.
    for (const char* file : {"sismica_2008.txt", "dinamica.txt"}) {
        SuiteTemp altro;
        scrivi(altro.lavoro() / file, "PARAMETRI SISMICI NTC 2008\r\n");
        EXPECT_FALSE(sito_lavoro_scrivibile(altro.lavoro())) << file;
        const auto e = scrivi_sito_lavoro(altro.lavoro(), w.form.stato.pannello.testi, hazard::Datum::ed50,
                                          "", text::dot_format());
        ASSERT_TRUE(e) << file;
        EXPECT_NE(e->find("altro programma"), std::string::npos) << *e;
        EXPECT_EQ(text::read_bytes(altro.lavoro() / file), "PARAMETRI SISMICI NTC 2008\r\n");
    }
}

}  // namespace
}  // namespace tv::form
