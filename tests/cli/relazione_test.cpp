// torvelando-cli report run as a user runs it (a child process) on the demo job: the PDF read
// back with pdftotext, the default file name, a stopped run and a file that cannot be written.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>

#include "suite_temp.h"

extern char** environ;

namespace tv::cli {
namespace {
namespace fs = std::filesystem;

std::string leggi(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Output of a shell command line (quoted by the caller).
std::string uscita(const std::string& comando) {
    std::string out;
    if (FILE* p = popen(comando.c_str(), "r")) {
        std::array<char, 4096> buf{};
        for (std::size_t n; (n = fread(buf.data(), 1, buf.size(), p)) > 0;) out.append(buf.data(), n);
        pclose(p);
    }
    return out;
}

class Relazione : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!form::prova::copia_suite_demo(tmp.path())) GTEST_SKIP() << "no reference data";
        fs::create_directories(cwd);
    }
    // The exit code of `torvelando-cli report --root <demo> ARGS` run in `cwd`; stderr in `err`.
    int report(std::vector<std::string> args) {
        std::vector<std::string> tutti = {TV_CLI, "report", "--root", tmp.path().string()};
        tutti.insert(tutti.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (auto& a : tutti) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t azioni;
        posix_spawn_file_actions_init(&azioni);
        posix_spawn_file_actions_addchdir_np(&azioni, cwd.c_str());
        posix_spawn_file_actions_addopen(&azioni, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                         0644);
        posix_spawn_file_actions_addopen(&azioni, 1, "/dev/null", O_WRONLY, 0);
        pid_t pid = -1;
        EXPECT_EQ(posix_spawn(&pid, argv[0], &azioni, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&azioni);
        int stato = 0;
        waitpid(pid, &stato, 0);
        return WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    }
    form::prova::CartellaTemp tmp;
    fs::path cwd = tmp.path() / "qui";
    fs::path err = tmp.path() / "err.txt";
};

TEST_F(Relazione, DefaultFileIsTheJobsPdfAndReadsBack) {
    ASSERT_EQ(report({}), 0) << leggi(err);
    const fs::path pdf = cwd / "demo.pdf";
    const std::string testo = uscita("pdftotext -layout '" + pdf.string() + "' -");
    for (const char* atteso : {"demo", "26527", "26528", "26306", "26305", "Fa", "840,56",
                               "Rlat", "614,87", "verifica non soddisfatta"})
        EXPECT_NE(testo.find(atteso), std::string::npos) << atteso;
    const std::string info = uscita("pdfinfo '" + pdf.string() + "'");
    const auto pagine = info.find("Pages:");
    ASSERT_NE(pagine, std::string::npos);
    EXPECT_GE(std::stoi(info.substr(pagine + 6)), 2);
}

TEST_F(Relazione, StoppedRunWritesNothingAndExits1) {
    EXPECT_EQ(report({"--set", "lon=0", "-o", "r.pdf"}), 1);
    EXPECT_NE(leggi(err).find(": "), std::string::npos) << leggi(err);
    EXPECT_FALSE(fs::exists(cwd / "r.pdf"));
    EXPECT_EQ(report({"--set", "qa=abc", "-o", "r.pdf"}), 2);  // refused as check refuses it
    EXPECT_FALSE(fs::exists(cwd / "r.pdf"));
}

TEST_F(Relazione, UnwritableFileIsNamedAndExits2) {
    const fs::path file = cwd / "manca" / "r.pdf";
    EXPECT_EQ(report({"-o", file.string()}), 2);
    EXPECT_NE(leggi(err).find(file.string()), std::string::npos) << leggi(err);
}

}  // namespace
}  // namespace tv::cli
