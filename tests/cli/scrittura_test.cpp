// Outputs that cannot be written, run as a user runs torvelando-cli (a child process): a full
// standard output, a results file that cannot be written, a batch interrupted half way.
#include "cli/scrittura.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

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

// The command line started with its standard output on `stdout_file` and its standard error in
// `stderr_file`; its pid.
pid_t avvia(const std::vector<std::string>& args, const fs::path& stdout_file,
            const fs::path& stderr_file) {
    std::vector<std::string> tutti = {TV_CLI};
    tutti.insert(tutti.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : tutti) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
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
    void SetUp() override { fs::create_directories(dir); }
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

struct Comando {
    const char* nome;
    std::vector<std::string> args;  // the suite's root follows
    const char* destinazione;       // as the message names it
};
void PrintTo(const Comando& c, std::ostream* os) {
    *os << c.nome;
}

class Pieno : public Scrittura, public ::testing::WithParamInterface<Comando> {};

// The standard output on /dev/full, and for one case the results file.
TEST_P(Pieno, ExitsTwoNamingTheDestination) {
    auto args = GetParam().args;
    if (args.front() == "batch") args.insert(args.begin() + 1, lotto(3).string());
    if (args.front() != "--help") args.insert(args.end(), {"--root", suite.root().string()});
    const bool su_stdout = std::string(GetParam().destinazione) == "standard output";
    EXPECT_EQ(attendi(avvia(args, su_stdout ? "/dev/full" : dir / "out", err)), 2);
    EXPECT_EQ(leggi(err),
              "Scrittura non riuscita: " + std::string(GetParam().destinazione) + ".\n");
}

INSTANTIATE_TEST_SUITE_P(
    Comandi, Pieno,
    ::testing::Values(Comando{"Check", {"check"}, "standard output"},
                      Comando{"CheckJson", {"check", "--json"}, "standard output"},
                      Comando{"Search", {"search", "tor"}, "standard output"},
                      Comando{"Batch", {"batch"}, "standard output"},
                      Comando{"BatchOutputFile", {"batch", "-o", "/dev/full"}, "\"/dev/full\""},
                      Comando{"Help", {"--help"}, "standard output"}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Scrittura, CompletedBatchReplacesTheFileKeepingItsPermissions) {
    const fs::path out = dir / "OUT.csv";
    scrivi(out, "risultati di ieri\n");
    fs::permissions(out, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(attendi(avvia(batch(lotto(2).string(), out.string()), dir / "stdout", err)), 0)
        << leggi(err);
    const std::string nuovo = leggi(out);
    EXPECT_TRUE(nuovo.starts_with("id,lat,")) << nuovo;
    EXPECT_NE(nuovo.find("\np1,"), std::string::npos) << nuovo;
    EXPECT_EQ(fs::status(out).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(nomi(dir), (std::set<std::string>{"OUT.csv", "stdout"}));
}

class Interrotto : public Scrittura, public ::testing::WithParamInterface<int> {};

TEST_P(Interrotto, LeavesTheEarlierFileAndNoTemporaryFile) {
    const fs::path out = dir / "OUT.csv";
    const std::string ieri = "id,verdict\r\nieri,\"> Fa : OK\"\n";
    scrivi(out, ieri);
    // Long enough to be still running when its temporary file shows.
    const pid_t pid = avvia(batch(lotto(300000).string(), out.string()),
                            suite.fuori().parent_path() / "stdout", err);
    bool visto = false;
    for (int i = 0; i < 20000 && !visto; ++i) {
        visto = nomi(dir).size() > 1;
        if (!visto) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_TRUE(visto) << "no temporary file beside OUT.csv";
    kill(pid, GetParam());
    EXPECT_EQ(attendi(pid), 128 + GetParam());
    EXPECT_EQ(leggi(out), ieri);
    EXPECT_EQ(nomi(dir), std::set<std::string>{"OUT.csv"});
}

INSTANTIATE_TEST_SUITE_P(Segnali, Interrotto, ::testing::Values(SIGINT, SIGTERM),
                         [](const auto& info) {
                             return info.param == SIGINT ? "Sigint" : "Sigterm";
                         });

TEST_F(Scrittura, FileNotConfirmedLeavesTheTargetAndNoTemporaryFile) {
    const fs::path out = dir / "OUT.csv";
    scrivi(out, "vecchio");
    {
        FileAtomico f(out);
        ASSERT_TRUE(f.aperto());
        f.stream() << "nuovo";
        f.stream().flush();
        EXPECT_EQ(nomi(dir).size(), 2u);
    }
    EXPECT_EQ(leggi(out), "vecchio");
    EXPECT_EQ(nomi(dir), std::set<std::string>{"OUT.csv"});
}

}  // namespace
}  // namespace tv::cli
