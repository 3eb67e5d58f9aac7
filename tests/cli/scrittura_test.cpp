// Outputs that cannot be written, run as a user runs torvelando-cli (a child process): a full
// standard output, a results file that cannot be written, a batch interrupted half way, the
// report.
#include "cli/scrittura.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <set>

#include "suite_temp.h"

extern char** environ;

namespace tv::cli {
namespace {
namespace fs = std::filesystem;
using form::prova::scrivi;

std::string leggi(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

std::set<std::string> nomi(const fs::path& cartella) {
    std::set<std::string> out;
    for (const auto& e : fs::directory_iterator(cartella)) out.insert(e.path().filename().string());
    return out;
}

// The program started in `cwd` with its standard output on `stdout_file` and its standard error
// in `stderr_file`; its pid.
pid_t avvia(std::vector<std::string> args, const fs::path& stdout_file, const fs::path& stderr_file,
            const fs::path& cwd = fs::current_path()) {
    args.insert(args.begin(), TV_CLI);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_addchdir_np(&azioni, cwd.c_str());
    posix_spawn_file_actions_addopen(&azioni, STDOUT_FILENO, stdout_file.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&azioni, STDERR_FILENO, stderr_file.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, argv[0], &azioni, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&azioni);
    return pid;
}

// The exit code, or -1 when the child ended by a signal.
int attendi(pid_t pid) {
    int stato = 0;
    EXPECT_EQ(waitpid(pid, &stato, 0), pid);
    return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
}

class Scrittura : public ::testing::Test {
  protected:
    form::prova::SuiteTemp suite;
    fs::path dir = suite.fuori();
    fs::path err = suite.fuori().parent_path() / "err.txt";
    void SetUp() override {
        fs::create_directories(dir);
        // The job's own site: no warning about the initial one on the error stream.
        scrivi(suite.lavoro() / "dinamica.txt", "Torino (long. 7.29 lat. 45)\n");
    }
    std::vector<std::string> batch(const std::string& lotto, const std::string& output) {
        return {"batch", lotto, "--root", suite.root().string(), "-o", output};
    }
    // A batch file of `righe` panels, every one checked in full.
    fs::path lotto(std::size_t righe) {
        std::string csv = "id,B\n";
        for (std::size_t i = 0; i < righe; ++i) csv += "p" + std::to_string(i) + ",500\n";
        const fs::path file = suite.fuori().parent_path() / "lotto.csv";
        scrivi(file, csv);
        return file;
    }
};

// The standard output on /dev/full, the results file on /dev/full or in a missing folder.
TEST_F(Scrittura, OutputThatCannotBeWrittenExitsTwoNamingIt) {
    const std::string pieno = "Scrittura non riuscita: standard output.";
    const std::string manca = (dir / "manca" / "r.csv").string();
    const std::pair<std::vector<std::string>, std::string> casi[] = {
        {{"check"}, pieno},
        {{"check", "--json"}, pieno},
        {{"search", "tor"}, pieno},
        {{"batch"}, pieno},
        {{"--help"}, pieno},
        {{"batch", "-o", "/dev/full"}, "Scrittura non riuscita: \"/dev/full\"."},
        {{"batch", "-o", manca}, "Impossibile scrivere il file \"" + manca + "\"."}};
    for (auto [args, messaggio] : casi) {
        if (args.front() == "batch") args.insert(args.begin() + 1, lotto(3).string());
        if (args.front() != "--help") args.insert(args.end(), {"--root", suite.root().string()});
        EXPECT_EQ(attendi(avvia(args, messaggio == pieno ? "/dev/full" : dir / "out", err)), 2);
        EXPECT_EQ(leggi(err), messaggio + "\n") << args[0];
    }
}

TEST_F(Scrittura, CompletedBatchReplacesTheFileKeepingItsPermissions) {
    const fs::path out = dir / "OUT.csv";
    scrivi(out, "risultati di ieri\n");
    const auto permessi = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(out, permessi);
    EXPECT_EQ(attendi(avvia(batch(lotto(2).string(), out.string()), dir / "stdout", err)), 0)
        << leggi(err);
    EXPECT_TRUE(leggi(out).starts_with("id,lat,")) << leggi(out);
    EXPECT_NE(leggi(out).find("\np1,"), std::string::npos) << leggi(out);
    EXPECT_EQ(fs::status(out).permissions(), permessi);
    EXPECT_EQ(nomi(dir), (std::set<std::string>{"OUT.csv", "stdout"}));
}

TEST_F(Scrittura, InterruptedBatchLeavesTheEarlierFileAndNoTemporaryFile) {
    const fs::path out = dir / "OUT.csv";
    const std::string ieri = "id,verdict\r\nieri,\"> Fa : OK\"\n";
    const fs::path file = lotto(300000);     // long enough to be still running when its temporary
    for (int segnale : {SIGINT, SIGTERM}) {  // file shows
        scrivi(out, ieri);
        const pid_t pid =
            avvia(batch(file.string(), out.string()), suite.fuori().parent_path() / "stdout", err);
        for (int i = 0; i < 20000 && nomi(dir).size() < 2; ++i) usleep(1000);
        ASSERT_EQ(nomi(dir).size(), 2u) << "no temporary file beside OUT.csv";
        kill(pid, segnale);
        EXPECT_EQ(attendi(pid), 128 + segnale);
        EXPECT_EQ(leggi(out), ieri);
        EXPECT_EQ(nomi(dir), std::set<std::string>{"OUT.csv"});
    }
}

TEST_F(Scrittura, FileNotConfirmedLeavesTheTargetAndNoTemporaryFile) {
    const fs::path out = dir / "OUT.csv";
    scrivi(out, "vecchio");
    {
        FileAtomico f(out);
        ASSERT_TRUE(f.aperto());
        f.stream() << "nuovo" << std::flush;
        EXPECT_EQ(nomi(dir).size(), 2u);
    }
    EXPECT_EQ(leggi(out), "vecchio");
    EXPECT_EQ(nomi(dir), std::set<std::string>{"OUT.csv"});
}

// The report on the demo job: the PDF read back with pdftotext, the job's name as default file;
// a stopped or refused run writes nothing.
TEST_F(Scrittura, ReportOfTheDemoJobReadsBackOrWritesNothing) {
    form::prova::CartellaTemp demo;
    if (!form::prova::copia_suite_demo(demo.path())) GTEST_SKIP() << "no reference data";
    const auto report = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"report", "--root", demo.path().string()});
        return attendi(avvia(args, "/dev/null", err, dir));
    };
    ASSERT_EQ(report({}), 0) << leggi(err);
    const std::string pdf = (dir / "demo.pdf").string(), txt = (dir / "demo.txt").string();
    ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + txt + "'").c_str()), 0);
    for (const char* atteso : {"demo", "26527", "26528", "26306", "26305", "Fa", "840,56", "Rlat",
                               "614,87", "verifica non soddisfatta"})
        EXPECT_NE(leggi(txt).find(atteso), std::string::npos) << atteso;
    ASSERT_EQ(std::system(("pdfinfo '" + pdf + "' > '" + txt + "'").c_str()), 0);
    EXPECT_GE(std::stoi(leggi(txt).substr(leggi(txt).find("Pages:") + 6)), 2);
    EXPECT_EQ(report({"--set", "lon=0", "-o", "r.pdf"}), 1);
    EXPECT_NE(leggi(err).find(": "), std::string::npos) << leggi(err);
    EXPECT_EQ(report({"--set", "qa=abc", "-o", "r.pdf"}), 2);  // refused as check refuses it
    EXPECT_FALSE(fs::exists(dir / "r.pdf"));
}

// report --all on a job of three panels: the summary names each with its verdict, marks the one
// with its own site, and the sections follow; --panel writes <job>_<id>.pdf in the job's folder.
TEST_F(Scrittura, ReportOfAllPanelsListsEveryPanelInItsSummary) {
    form::prova::CartellaTemp demo;
    if (!form::prova::copia_suite_demo(demo.path())) GTEST_SKIP() << "no reference data";
    const fs::path lavoro = demo.path() / "lavori" / "demo";
    scrivi(lavoro / "pannelli.csv",
           "id;descrizione;t;lat\nP1;Nord;;\nP2;Sud;30;\nP3;Est;12;42,40\n");
    const auto report = [&](std::vector<std::string> args) {
        args.insert(args.begin(), {"report", "--root", demo.path().string()});
        return attendi(avvia(args, "/dev/null", err, dir));
    };
    ASSERT_EQ(report({"--all"}), 0) << leggi(err);
    const std::string pdf = (lavoro / "demo_tutti.pdf").string(), txt = (dir / "t.txt").string();
    ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + txt + "'").c_str()), 0);
    const std::string t = leggi(txt);
    // The demo panel (t 12) as the demo report reads it: Fa 840,56, Rlat 614,87 daN, 0,7315.
    const auto p1 = t.find("P1");
    ASSERT_NE(p1, std::string::npos) << t;
    const std::string riga = t.substr(p1, t.find('\n', p1) - p1);
    for (const char* atteso : {"Nord", "840,56", "614,87", "0,732", "< Fa : !!!"})
        EXPECT_NE(riga.find(atteso), std::string::npos) << riga;
    for (const char* atteso : {"P2", "Sud", "P3 *", "Est", "Pannello P1 - Nord:",
                               "Pannello P3 - Est (sito proprio del pannello)"})
        EXPECT_NE(t.find(atteso), std::string::npos) << atteso;
    ASSERT_EQ(report({"--panel", "P2"}), 0) << leggi(err);
    EXPECT_TRUE(fs::exists(lavoro / "demo_P2.pdf"));
}

}  // namespace
}  // namespace tv::cli
