// SPDX-License-Identifier: GPL-3.0-or-later
// The user's own suite: where it goes, when it is made, what a later start refreshes and what it
// never touches; the "--root" option.
#include "form/suite_utente.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <tuple>

#include "form/avvio.h"
#include "suite_temp.h"
#include "text/encoding.h"
#include "text/error.h"

namespace tv::form {
namespace {
namespace fs = std::filesystem;
using prova::CartellaTemp;
using prova::scrivi;

std::string leggi(const fs::path& p) { return text::read_bytes(p).value_or("<manca>"); }

using tv::prova::messaggio;

// ---- Where the user's suite goes, --root ---------------------------------------------------

TEST(CartellaUtente, FollowsTheXdgRules) {
    using O = std::optional<std::string>;
    const std::string casa = "/home/u/.local/share/torvelando/suite";
    const std::tuple<O, O, O> casi[] = {
        {"/dati", "/home/u", "/dati/torvelando/suite"}, {std::nullopt, "/home/u", casa},
        {"", "/home/u", casa},  // empty and relative values are ignored
        {"dati", "/home/u", casa}, {std::nullopt, "casa", std::nullopt},
        {std::nullopt, std::nullopt, std::nullopt}};
    for (const auto& [xdg, home, attesa] : casi) {
        const auto got = cartella_suite_utente(Ambiente{"/usr/bin/torvelando", xdg, home});
        EXPECT_EQ(got ? O(got->generic_string()) : std::nullopt, attesa) << xdg.value_or("-");
    }
}

TEST(OpzioneRoot, BecomesTheRootStartUpReads) {
    const std::vector<std::string> args{"-x", "--root", "../Mia Suite/", "y", "--root=/b"};
    EXPECT_EQ(opzione_root(args, "/w/progra"),
              (std::vector<std::string>{"-x", "|diroot=/w/Mia Suite/|", "y", "|diroot=/b|"}));
    // The first one given is the one start-up takes, blanks and all.
    EXPECT_EQ(trova_root(opzione_root(args, "/w/progra"), "/").generic_string(), "/w/Mia Suite");
    for (const auto& vuoto : {std::vector<std::string>{"--root"}, {"--root="}, {"--root", " "}})
        EXPECT_EQ(messaggio([&] { opzione_root(vuoto, "/w"); }),
                  "Cartella della suite non indicata: dopo --root manca il percorso.");
}

// ---- Made and refreshed from the installed data -------------------------------------------

// An install prefix with a small suite in share/torvelando, and an empty home.
class Installazione : public ::testing::Test {
  protected:
    Installazione() {
        for (const auto& [f, testo] : std::vector<std::pair<const char*, std::string>>{
                 {"impostazioni/dirlav", "lavori\n"}, {"impostazioni/lavoro", "demo\n"},
                 {"lavori/demo/parametrilavoro", prova::parametrilavoro()},
                 {"lavori/demo/sismica_2008.txt", "Categoria di fondazione = C\n"},
                 {"progra/parametri_per_spettro.txt", prova::testo_griglia()},
                 {"progra/coordinate_localita.txt", prova::testo_localita()},
                 {"help/torvelando.pdf", "%PDF-1.4 manuale"}})
            scrivi(dati() / f, testo);
        fs::create_directories(home());
    }
    fs::path dati() const { return tmp_.path() / "pfx" / "share" / "torvelando"; }
    fs::path home() const { return tmp_.path() / "home"; }
    fs::path suite() const { return home() / ".local" / "share" / "torvelando" / "suite"; }
    Ambiente ambiente() const {
        return Ambiente{tmp_.path() / "pfx" / "bin" / "torvelando", std::nullopt, home().string()};
    }
    std::optional<SuiteUtente> avvia(const std::vector<std::string>& args = {}) const {
        return suite_di_ripiego(args, tmp_.path() / "altrove", ambiente());
    }

    CartellaTemp tmp_;
};

// Read-only installed files give the user writable copies.
TEST_F(Installazione, FirstUseMakesAWorkingWritableSuiteAndSaysWhere) {
    for (const auto& e : fs::recursive_directory_iterator(dati()))
        if (e.is_regular_file()) fs::permissions(e.path(), fs::perms::owner_read);
    const auto s = avvia();
    ASSERT_TRUE(s && s->creata);
    EXPECT_EQ(s->root, suite());
    EXPECT_EQ(avviso_suite_creata(*s), "Creata la suite dell'utente in " + suite().string() +
                                           ": qui sono le impostazioni e i lavori.");
    for (const char* f : {"impostazioni/lavoro", "lavori/demo/sismica_2008.txt",
                          "progra/parametri_per_spettro.txt", "help/torvelando.pdf"})
        EXPECT_EQ(leggi(suite() / f), leggi(dati() / f)) << f;
    for (const auto& e : fs::recursive_directory_iterator(suite()))
        EXPECT_NE(fs::status(e.path()).permissions() & fs::perms::owner_write, fs::perms::none)
            << e.path();
    EXPECT_FALSE(avvia().value().creata);  // said once only
}

TEST_F(Installazione, LaterStartsRefreshTheProgramsDataAndNeverTheUsersEdits) {
    ASSERT_TRUE(avvia());
    // The user's work: another current job, an edited and a deleted file of the demo job, an
    // edited locality list.
    scrivi(suite() / "impostazioni" / "lavoro", "mio\n");
    scrivi(suite() / "lavori" / "demo" / "sismica_2008.txt", "mia\n");
    fs::remove(suite() / "lavori" / "demo" / "parametrilavoro");
    scrivi(suite() / "progra" / "coordinate_localita.txt", "45.0000   7.2900   Casa Mia (XX)\n");
    // A manual lost, and a package update with a corrected grid of the same size and a new list.
    fs::remove(suite() / "help" / "torvelando.pdf");
    scrivi(dati() / "progra" / "parametri_per_spettro.txt", prova::testo_griglia(1));
    ASSERT_EQ(prova::testo_griglia(1).size(), prova::testo_griglia().size());
    const auto aggiornata = avvia();
    scrivi(dati() / "progra" / "coordinate_localita.txt", "45.0000   7.2900   Nuova (XX)\n");

    const std::string nuova = "Il file " +
                              (suite() / "progra" / "coordinate_localita.txt").string() +
                              " è stato modificato e non è stato sostituito: la versione "
                              "installata più recente è " +
                              (dati() / "progra" / "coordinate_localita.txt").string() + ".";
    const auto s = avvia();
    ASSERT_TRUE(aggiornata && s);
    EXPECT_TRUE(aggiornata->avvisi.empty());  // the installed list is the one the user edited
    EXPECT_EQ(s->avvisi, std::vector<std::string>{nuova});
    EXPECT_TRUE(avvia().value().avvisi.empty());  // said once
    for (const char* f : {"progra/parametri_per_spettro.txt", "help/torvelando.pdf"})
        EXPECT_EQ(leggi(suite() / f), leggi(dati() / f)) << f;
    EXPECT_EQ(leggi(suite() / "progra" / "coordinate_localita.txt"),
              "45.0000   7.2900   Casa Mia (XX)\n");
    EXPECT_EQ(leggi(suite() / "impostazioni" / "lavoro"), "mio\n");
    EXPECT_EQ(leggi(suite() / "lavori" / "demo" / "sismica_2008.txt"), "mia\n");
    EXPECT_FALSE(fs::exists(suite() / "lavori" / "demo" / "parametrilavoro"));
    EXPECT_EQ(std::distance(fs::directory_iterator(suite() / "progra"), fs::directory_iterator()),
              2);  // no copy left half-way
}

// `--prefix ~/.local`: the user's suite lies inside the installed data, and the copy must leave
// out its own destination and the hidden copy it is writing.
TEST(SuiteNeiDati, TheCopySkipsItsOwnDestination) {
    CartellaTemp tmp;
    const fs::path casa = tmp.path() / "casa", dati = casa / ".local" / "share" / "torvelando";
    scrivi(dati / "impostazioni" / "dirlav", "lavori\n");
    scrivi(dati / "lavori" / "demo" / "sismica_2008.txt", "Categoria di fondazione = C\n");
    scrivi(dati / ".suite.123" / "resto", "di un'altra copia in corso");
    const Ambiente a{casa / ".local" / "bin" / "torvelando", std::nullopt, casa.string()};
    const auto s = suite_di_ripiego({}, tmp.path() / "altrove", a);
    ASSERT_TRUE(s && s->creata);
    EXPECT_EQ(s->root, dati / "suite");
    EXPECT_EQ(leggi(dati / "suite" / "lavori" / "demo" / "sismica_2008.txt"),
              "Categoria di fondazione = C\n");
    std::vector<std::string> copiati;
    for (const auto& e : fs::directory_iterator(dati / "suite"))
        copiati.push_back(e.path().filename().string());
    std::sort(copiati.begin(), copiati.end());
    EXPECT_EQ(copiati, (std::vector<std::string>{".dati_installati", "impostazioni", "lavori"}));
    // Only the suite and the other copy's folder beside the installed data: no copy of ours left.
    EXPECT_EQ(std::distance(fs::directory_iterator(dati), fs::directory_iterator()), 4);
    EXPECT_FALSE(suite_di_ripiego({}, tmp.path() / "altrove", a).value().creata);
}

TEST_F(Installazione, StartUpsOwnRuleComesFirstAndAFailureNamesTheFolder) {
    EXPECT_FALSE(avvia({"|DIROOT=/altra|"}));
    prova::SuiteTemp vicina;  // the current folder is <suite>/progra
    EXPECT_FALSE(suite_di_ripiego({}, vicina.progra(), ambiente()));
    Ambiente non_installato = ambiente();
    non_installato.eseguibile = tmp_.path() / "build" / "src" / "cli" / "torvelando-cli";
    EXPECT_FALSE(suite_di_ripiego({}, tmp_.path() / "altrove", non_installato));
    EXPECT_FALSE(fs::exists(home() / ".local"));
    // A folder that cannot be made is named.
    scrivi(home() / ".local", "un file, non una cartella");
    const std::string e = messaggio([&] { avvia(); });
    EXPECT_TRUE(e.starts_with("Impossibile preparare la suite dell'utente in " + suite().string() +
                              ": "))
        << e;
    // A copy that fails names the user's suite, not the installed data, and leaves no hidden
    // copy behind.
    fs::remove(home() / ".local");
    ASSERT_EQ(::mkfifo((dati() / "progra" / "tubo").c_str(), 0644), 0);
    const std::string f = messaggio([&] { avvia(); });
    EXPECT_TRUE(f.starts_with("Impossibile preparare la suite dell'utente in " + suite().string() +
                              ": " + suite().string()))
        << f;
    EXPECT_EQ(f.find(dati().string()), std::string::npos) << f;
    EXPECT_EQ(
        std::distance(fs::directory_iterator(suite().parent_path()), fs::directory_iterator()), 0);
}

}  // namespace
}  // namespace tv::form
