// SPDX-License-Identifier: GPL-3.0-or-later
// torvelando-cli run by the shell on the command lines of tests/golden/cli.txt, each section on a
// fresh suite; the exit codes and both outputs written under each line and compared whole.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>

#include "shell.h"
#include "suite_temp.h"

namespace {
namespace fs = std::filesystem;

void sostituisci(std::string& s, const std::string& da, const std::string& a) {
    for (auto i = s.find(da); i != std::string::npos; i = s.find(da, i + a.size()))
        s.replace(i, da.size(), a);
}

// An output line that would read as a line of the file's own: it gets a "\" before it.
bool da_marcare(const std::string& r) {
    return r.starts_with("$ ") || r.starts_with("==") || r.starts_with("#") || r.starts_with("\\");
}

void righe(std::ostream& o, const std::string& testo) {
    std::istringstream in(testo);
    for (std::string r; std::getline(in, r);) o << (da_marcare(r) ? "\\" : "") << r << "\n";
    if (!testo.empty() && testo.back() != '\n') o << "[no newline at end]\n";
}

// A "== demo: NAME" section runs on a copy of the demo suite, a "== piccola: NAME" one on the
// small suite (4 x 4 grid, no job file), both in the suite's program folder, whose parent is the
// suite the program takes; "#" lines are comments.
TEST(CliMain, CommandLinesOfTheGoldenFile) {
    const std::string path = fs::path(TV_CLI).parent_path().string() + ":" + std::getenv("PATH");
    setenv("PATH", path.c_str(), 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    setenv("TZ", "UTC", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
#ifdef TV_COVERAGE_BUILD
    setenv("TV_COVERAGE_BUILD", "1", 1);
#endif
    const tv::prova::CartellaTemp run;  // the report's graphics want a private runtime folder
    fs::permissions(run.path(), fs::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", run.path().c_str(), 1);
    const fs::path file = fs::path(TV_SOURCE_DIR) / "tests" / "golden" / "cli.txt";
    const std::string atteso = tv::prova::leggi(file);
    std::istringstream in(atteso);
    std::ostringstream o;
    std::unique_ptr<tv::prova::CartellaTemp> demo;
    std::unique_ptr<tv::form::prova::SuiteTemp> piccola;
    fs::path root, tmp;
    for (std::string r; std::getline(in, r);) {
        if (r.starts_with("== ")) {
            demo.reset(), piccola.reset();
            if (r.starts_with("== demo: ")) {
                demo = std::make_unique<tv::prova::CartellaTemp>();
                if (!tv::form::prova::copia_suite_demo(demo->path()))
                    GTEST_SKIP() << "no reference data";
                root = tmp = demo->path();
            } else {
                ASSERT_TRUE(r.starts_with("== piccola: ")) << r;
                piccola = std::make_unique<tv::form::prova::SuiteTemp>();
                root = piccola->root(), tmp = root.parent_path();
            }
            setenv("HOME", tmp.c_str(), 1);
            o << (o.tellp() > 0 ? "\n" : "");
        }
        if (r.starts_with("== ") || r.starts_with("#") || r.starts_with("$ ")) o << r << "\n";
        if (!r.starts_with("$ ")) continue;
        ASSERT_FALSE(root.empty()) << "a command before the first section";
        const tv::prova::Uscita u = tv::prova::esegui_shell(r.substr(2), root / "progra");
        std::ostringstream e;
        e << "exit " << u.codice << "\n";
        righe(e, u.out);
        if (!u.err.empty()) e << "[stderr]\n", righe(e, u.err);
        std::string s = e.str();
        sostituisci(s, root.string(), "{suite}"), sostituisci(s, tmp.string(), "{tmp}");
        o << s;
    }
    if (o.str() != atteso) std::ofstream("cli_attuale.txt", std::ios::binary) << o.str();
    EXPECT_EQ(o.str(), atteso) << "actual text written to cli_attuale.txt in the test folder";
}

}  // namespace
