// SPDX-License-Identifier: GPL-3.0-or-later
// What the command lines of tests/golden/cli.txt cannot show of the writer: failing system calls,
// a batch interrupted half way, another user's link, too few file descriptors for the report.
#include "cli/scrittura.h"

#include <dlfcn.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstring>
#include <set>

#include "shell.h"
#include "suite_temp.h"

// Failing system calls on demand, for the writer's descriptors (above 2): the call named by
// tv_guasto fails with EIO; every other goes to the C library.
namespace {
const char* tv_guasto = "";
template <class F>
F reale(const char* nome) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, nome));
}
bool fallisce(const char* nome) {
    return std::strcmp(tv_guasto, nome) == 0 && (errno = EIO);
}
}  // namespace
extern "C" ssize_t write(int fd, const void* p, size_t n) {
    if (fd > 2 && fallisce("write")) return -1;
    return reale<ssize_t (*)(int, const void*, size_t)>("write")(fd, p, n);
}
extern "C" int fsync(int fd) {
    return fallisce("fsync") ? -1 : reale<int (*)(int)>("fsync")(fd);
}
extern "C" int close(int fd) {
    const int r = reale<int (*)(int)>("close")(fd);
    return fd > 2 && fallisce("close") ? -1 : r;
}
extern "C" int rename(const char* da, const char* a) {
    return fallisce("rename") ? -1 : reale<int (*)(const char*, const char*)>("rename")(da, a);
}

namespace tv::cli {
namespace {
namespace fs = std::filesystem;
using tv::prova::esegui_shell;
using tv::prova::leggi;
using tv::prova::scrivi;

std::set<std::string> nomi(const fs::path& cartella) {
    std::set<std::string> out;
    for (const auto& e : fs::directory_iterator(cartella)) out.insert(e.path().filename().string());
    return out;
}

// The program started in `cwd` with both outputs on /dev/null; its pid.
pid_t avvia(std::vector<std::string> args, const fs::path& cwd) {
    args.insert(args.begin(), TV_CLI);
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t azioni;
    posix_spawn_file_actions_init(&azioni);
    posix_spawn_file_actions_addchdir_np(&azioni, cwd.c_str());
    posix_spawn_file_actions_addopen(&azioni, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&azioni, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    EXPECT_EQ(posix_spawn(&pid, argv[0], &azioni, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&azioni);
    return pid;
}

// The small suite with its job's own site and a batch file of `righe` panels beside `dir`.
class Scrittura : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directories(dir);
        scrivi(suite.lavoro() / "dinamica.txt", "Torino (long. 7.29 lat. 45)\n");
    }
    std::vector<std::string> batch(std::size_t righe, const std::string& out) {
        std::string csv = "id,B\n";
        for (std::size_t i = 0; i < righe; ++i) csv += "p" + std::to_string(i) + ",500\n";
        scrivi(dir.parent_path() / "lotto.csv", csv);
        const std::string file = (dir.parent_path() / "lotto.csv").string();
        return {"batch", file, "--root", suite.root().string(), "-o", out};
    }
    form::prova::SuiteTemp suite;
    fs::path dir = suite.fuori();
};

// Interrupted while its temporary file is there: the earlier file as it was, nothing else.
TEST_F(Scrittura, InterruptedBatchLeavesTheEarlierFileAndNoTemporaryFile) {
    const fs::path out = dir / "OUT.csv";
    const std::string ieri = "id,verdict\r\nieri,\"> Fa : OK\"\n";
    for (int segnale : {SIGINT, SIGTERM}) {
        scrivi(out, ieri);
        // Long enough to be still running when its temporary file shows.
        const pid_t pid = avvia(batch(300000, out.string()), dir);
        for (int i = 0; i < 20000 && nomi(dir).size() < 2; ++i) usleep(1000);
        ASSERT_EQ(nomi(dir).size(), 2u) << "no temporary file beside OUT.csv";
        kill(pid, segnale);
        int stato = 0;
        EXPECT_EQ(waitpid(pid, &stato, 0), pid);
        EXPECT_EQ(WIFEXITED(stato) ? WEXITSTATUS(stato) : -1, 128 + segnale);
        EXPECT_EQ(leggi(out), ieri);
        EXPECT_EQ(nomi(dir), std::set<std::string>{"OUT.csv"});
    }
}

// A batch killed with SIGKILL leaves its temporary file; the next write of the same file removes
// it, and keeps the one of a writer still running (this test's own pid in its name).
TEST_F(Scrittura, AKilledWritersTemporaryFileGoesAtTheNextWriteALiveOnesStays) {
    const fs::path out = dir / "OUT.csv";
    scrivi(out, "ieri");
    const pid_t pid = avvia(batch(300000, out.string()), dir);
    for (int i = 0; i < 20000 && nomi(dir).size() < 2; ++i) usleep(1000);
    ASSERT_EQ(nomi(dir).size(), 2u) << "no temporary file beside OUT.csv";
    kill(pid, SIGKILL);
    int stato = 0;
    ASSERT_EQ(waitpid(pid, &stato, 0), pid);
    ASSERT_EQ(nomi(dir).size(), 2u);
    const std::string vivo = ".OUT.csv." + std::to_string(getpid()) + ".abcdefghijkl.tmp";
    scrivi(dir / vivo, "in corso");
    const pid_t dopo = avvia(batch(3, out.string()), dir);
    ASSERT_EQ(waitpid(dopo, &stato, 0), dopo);
    EXPECT_EQ(WIFEXITED(stato) ? WEXITSTATUS(stato) : -1, 0);
    EXPECT_EQ(nomi(dir), (std::set<std::string>{"OUT.csv", vivo}));
}

// Not confirmed, or a write, sync, close or rename that fails: the target as it was, no
// temporary file.
TEST_F(Scrittura, FileNotConfirmedLeavesTheTargetAndNoTemporaryFile) {
    const fs::path out = dir / "OUT.csv";
    scrivi(out, "vecchio");
    {
        text::FileAtomico f(out);
        ASSERT_TRUE(f.aperto());
        f.stream() << "nuovo" << std::flush;
        EXPECT_EQ(nomi(dir).size(), 2u);
    }
    EXPECT_EQ(leggi(out), "vecchio");
    EXPECT_EQ(nomi(dir), std::set<std::string>{"OUT.csv"});
    for (const char* chiamata : {"write", "fsync", "close", "rename"}) {
        text::FileAtomico f(out);
        ASSERT_TRUE(f.aperto());
        f.stream() << "nuovo";
        tv_guasto = chiamata;
        const bool confermato = f.conferma();
        tv_guasto = "";
        EXPECT_FALSE(confermato) << chiamata;
        EXPECT_EQ(f.messaggio_scrittura(), "Scrittura non riuscita: \"" + out.string() +
                                               "\": Errore di input/output.");
        EXPECT_EQ(leggi(out), "vecchio") << chiamata;
        EXPECT_EQ(nomi(dir), std::set<std::string>{"OUT.csv"}) << chiamata;
    }
}

// Another user's link in a shared sticky folder is refused, its target left as it was (only the
// superuser can make one: lchown fails otherwise).
TEST_F(Scrittura, AnotherUsersLinkInASharedFolderIsLeftAlone) {
    const fs::path vittima = dir / "vittima.txt", condivisa = dir / "condivisa";
    scrivi(vittima, "della vittima");
    fs::create_directories(condivisa);
    fs::permissions(condivisa, fs::perms::all | fs::perms::sticky_bit);
    const fs::path trappola = condivisa / "r.csv";
    fs::create_symlink(vittima, trappola);
    if (::lchown(trappola.c_str(), 65534, 65534) != 0) GTEST_SKIP() << "not the superuser";
    std::string riga = TV_CLI;
    for (const auto& a : batch(1, trappola.string())) riga += " '" + a + "'";
    const auto u = esegui_shell(riga, dir);
    EXPECT_EQ(u.codice, 2);
    EXPECT_EQ(
        u.err,
        "Impossibile scrivere il file \"" + trappola.string() +
            "\": è un collegamento simbolico di un altro utente in una cartella condivisa.\n");
    EXPECT_EQ(leggi(vittima), "della vittima");
}

#ifndef __SANITIZE_ADDRESS__
// Too few descriptors for Qt: exit 2 and no PDF. (The sanitizers' runtime needs descriptors of
// its own: this holds without them.)
TEST(Relazione, AQtThatCannotStartWritesNothing) {
    form::prova::CartellaTemp demo;
    if (!form::prova::copia_suite_demo(demo.path())) GTEST_SKIP() << "no reference data";
    const auto u = esegui_shell(std::string("ulimit -n 4; '") + TV_CLI + "' report -o r.pdf",
                                demo.path() / "progra");
    EXPECT_EQ(u.codice, 2) << u.err;
    EXPECT_NE(u.err.find("Impossibile avviare la grafica della relazione"), std::string::npos)
        << u.err;
    EXPECT_FALSE(fs::exists(demo.path() / "progra" / "r.pdf"));
}
#endif

}  // namespace
}  // namespace tv::cli
