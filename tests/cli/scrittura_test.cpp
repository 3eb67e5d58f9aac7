// Outputs that cannot be written, run as a user runs torvelando-cli (a child process): a full
// standard output, a results file that cannot be written, a batch interrupted half way, the
// report.
#include "cli/scrittura.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <regex>
#include <cstdlib>
#include <cstring>
#include <set>

#include "suite_temp.h"

extern char** environ;

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
    posix_spawn_file_actions_addclosefrom_np(&azioni, 3);  // as from a shell: 0, 1 and 2 only
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
        EXPECT_EQ(f.messaggio_scrittura(), "Scrittura non riuscita: \"" + out.string() + "\".");
        EXPECT_EQ(leggi(out), "vecchio") << chiamata;
        EXPECT_EQ(nomi(dir), std::set<std::string>{"OUT.csv"}) << chiamata;
    }
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
    ASSERT_EQ(report({}), 0) << leggi(err);  // without -o, in the job's folder
    const std::string pdf = (demo.path() / "lavori" / "demo" / "demo.pdf").string(),
                      txt = (dir / "demo.txt").string();
    ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + txt + "'").c_str()), 0);
    for (const char* atteso : {"demo", "26527", "840,56", "verifica non soddisfatta"})
        EXPECT_NE(leggi(txt).find(atteso), std::string::npos) << atteso;
    EXPECT_EQ(report({"--set", "lon=0", "-o", "r.pdf"}), 1);
    EXPECT_NE(leggi(err).find(": "), std::string::npos) << leggi(err);
    EXPECT_EQ(report({"--set", "qa=abc", "-o", "r.pdf"}), 2);  // refused as check refuses it
    EXPECT_FALSE(fs::exists(dir / "r.pdf"));
    // Fonts that cannot be loaded write no empty PDF; nor does a Qt that cannot start.
    scrivi(dir / "vuoto.conf", "<?xml version=\"1.0\"?><fontconfig></fontconfig>\n");
    setenv("FONTCONFIG_FILE", (dir / "vuoto.conf").c_str(), 1);
    EXPECT_EQ(report({"-o", "r.pdf"}), 2);
    unsetenv("FONTCONFIG_FILE");
    EXPECT_NE(leggi(err).find("Impossibile caricare i caratteri della relazione (DejaVu Sans): la "
                              "relazione non è stata scritta.\n"),
              std::string::npos)
        << leggi(err);
#ifndef __SANITIZE_ADDRESS__
    // The sanitizers' own runtime needs descriptors of its own: this case holds without them.
    rlimit prima{};
    getrlimit(RLIMIT_NOFILE, &prima);
    rlimit poche = prima;
    poche.rlim_cur = 4;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &poche), 0);
    const int codice = report({"-o", "r.pdf"});
    setrlimit(RLIMIT_NOFILE, &prima);
    EXPECT_EQ(codice, 2) << leggi(err);
    EXPECT_NE(leggi(err).find("Impossibile avviare la grafica della relazione"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir / "r.pdf"));
#endif
}

// Words the commands do not know, and every other parse error, end with exit 2 and an Italian
// message naming them; nothing runs, nothing is written.
TEST_F(Scrittura, WordsTheCommandsDoNotKnowAreRefusedInItalian) {
    const std::string root = suite.root().string();
    const std::string check_opzioni =
        "Opzioni di check: --root, --job, --panel, --set, --top, --left, --right, --demand, --datum, --json, "
        "-h,--help.";
    const std::pair<std::vector<std::string>, std::string> casi[] = {
        {{"check", "--demnd", "c7.2.11"},
         "Parola non riconosciuta dal comando check: \"--demnd\". " + check_opzioni},
        {{"report", "--sett", "t=30"},
         "Parola non riconosciuta dal comando report: \"--sett\". Opzioni di report: --root, "
         "--job, --panel, --set, --top, --left, --right, --demand, --datum, -o,--output, --all, "
         "-h,--help."},
        {{"batch", lotto(1).string(), "--ouput", "x.csv"},
         "Parola non riconosciuta dal comando batch: \"--ouput\". Opzioni di batch: --root, "
         "--job, --excel, --jobs, -o,--output, -h,--help."},
        {{"check", "--top", "2"},
         "Valore non valido per --top (Lato superiore: 1 appoggiato, 0 libero)."},
        {{"check", "--set"}, "Manca il valore dell'opzione --set."},
        {{"search"}, "Manca l'argomento text (Testo da cercare (almeno 3 caratteri)) di search."},
        {{"scheck"},
         "Comando non riconosciuto: \"scheck\". Comandi: check, report, search, "
         "batch, panels (--help per l'aiuto)."}};
    for (auto [args, messaggio] : casi) {
        if (args.size() > 1 || args[0] == "check") args.insert(args.begin() + 1, {"--root", root});
        EXPECT_EQ(attendi(avvia(args, dir / "out", err, dir)), 2) << args.back();
        EXPECT_EQ(leggi(err), messaggio + "\n");
        EXPECT_EQ(leggi(dir / "out"), "");
    }
    EXPECT_EQ(nomi(dir), std::set<std::string>{"out"});
    // The help in Italian.
    EXPECT_EQ(attendi(avvia({"check", "--help"}, dir / "out", err)), 0);
    EXPECT_TRUE(leggi(dir / "out").starts_with("Avvio dalla suite")) << leggi(dir / "out");
    EXPECT_NE(leggi(dir / "out").find("Uso: "), std::string::npos);
    EXPECT_NE(leggi(dir / "out").find("Mostra questo aiuto ed esce"), std::string::npos);
}

// A target the user may not write, another user's link in a shared sticky folder: refused, the
// file left as it was. A name as long as the folder allows is written; a file beyond the size
// limit ends with exit 2 and no temporary file.
TEST_F(Scrittura, FilesNotTheUsersToWriteAreLeftAlone) {
    const fs::path ro = dir / "ro.csv", vittima = dir / "vittima.txt";
    scrivi(ro, "mio");
    fs::permissions(ro, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    scrivi(vittima, "della vittima");
    const fs::path condivisa = dir / "condivisa";
    fs::create_directories(condivisa);
    fs::permissions(condivisa, fs::perms::all | fs::perms::sticky_bit);
    const fs::path trappola = condivisa / "r.csv";
    fs::create_symlink(vittima, trappola);
    // Another user's link: only the superuser can make one; lchown fails otherwise.
    const bool altrui = ::lchown(trappola.c_str(), 65534, 65534) == 0;
    for (const auto& [out, motivo] :
         {std::pair{ro, "il file è di sola lettura"},
          {trappola, "è un collegamento simbolico di un altro utente in una cartella condivisa"}}) {
        if (out == trappola && !altrui) continue;
        EXPECT_EQ(attendi(avvia(batch(lotto(1).string(), out.string()), dir / "out", err)), 2);
        EXPECT_EQ(leggi(err),
                  "Impossibile scrivere il file \"" + out.string() + "\": " + motivo + ".\n");
    }
    EXPECT_EQ(leggi(ro), "mio");
    EXPECT_EQ(leggi(vittima), "della vittima");
    const fs::path lungo = dir / (std::string(251, 'r') + ".csv");
    EXPECT_EQ(attendi(avvia(batch(lotto(1).string(), lungo.string()), dir / "out", err)), 0)
        << leggi(err);
    EXPECT_TRUE(leggi(lungo).starts_with("id,")) << leggi(err);
    fs::remove(lungo);

    const fs::path out = dir / "OUT.csv";
    scrivi(out, "ieri");
    rlimit prima{};
    getrlimit(RLIMIT_FSIZE, &prima);
    rlimit piccolo = prima;
    piccolo.rlim_cur = 2000;  // bytes: the results of 50 panels are longer
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &piccolo), 0);
#ifdef TV_COVERAGE_BUILD
    // Its runtime saves the counts at exit, past the limit: there alone the child is spared the
    // signal, and its writes fail instead.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    const int codice = attendi(avvia(batch(lotto(50).string(), out.string()), "/dev/null", err));
    std::signal(SIGXFSZ, SIG_DFL);
    setrlimit(RLIMIT_FSIZE, &prima);
    EXPECT_EQ(codice, 2);
    // Its first line: a coverage build's runtime adds its own note when it cannot save its counts.
    EXPECT_TRUE(leggi(err).starts_with("Scrittura non riuscita: \"" + out.string() + "\".\n"))
        << leggi(err);
    EXPECT_EQ(leggi(out), "ieri");
    EXPECT_EQ(nomi(dir),
              (std::set<std::string>{"OUT.csv", "condivisa", "out", "ro.csv", "vittima.txt"}));
}

// The words of a PDF that leave the text column (20 mm from the left, 18 mm from the right of an
// A4 page; 0,5 pt for the glyphs' side bearings), as pdftotext -bbox places them.
std::vector<std::string> fuori_dai_margini(const fs::path& pdf, const fs::path& html) {
    EXPECT_EQ(std::system(("pdftotext -bbox '" + pdf.string() + "' '" + html.string() + "'").c_str()), 0);
    const double sinistra = 20 / 25.4 * 72 - 0.5, destra = (210 - 18) / 25.4 * 72 + 0.5;
    const std::regex parola(R"re(<word xMin="([0-9.]+)" yMin="[0-9.]+" xMax="([0-9.]+)"[^>]*>([^<]*)<)re");
    std::vector<std::string> fuori;
    const std::string testo = leggi(html);
    for (std::sregex_iterator i(testo.begin(), testo.end(), parola), fine; i != fine; ++i)
        if (std::stod((*i)[1]) < sinistra || std::stod((*i)[2]) > destra) fuori.push_back((*i)[3]);
    EXPECT_GT(testo.size(), 1000u);
    return fuori;
}

// Three reports, every text inside the margins: the demo job; an island site with the
// Circolare's formula; a job in kgf spanning horizontally, whose report data wrap in the title
// block and the judgement's frame. (Their texts are the report's golden files.)
TEST_F(Scrittura, ReportsKeepEveryWordInsideTheMargins) {
    form::prova::CartellaTemp demo;
    if (!form::prova::copia_suite_demo(demo.path())) GTEST_SKIP() << "no reference data";
    const fs::path html = dir / "parole.html", lavoro = demo.path() / "lavori" / "demo";
    const auto report = [&](std::vector<std::string> args, const std::string& nome) {
        args.insert(args.begin(), {"report", "--root", demo.path().string(), "-o", nome});
        EXPECT_EQ(attendi(avvia(args, "/dev/null", err, dir)), 0) << leggi(err);
        EXPECT_EQ(fuori_dai_margini(dir / nome, html), std::vector<std::string>{}) << nome;
        return leggi(html);
    };
    report({}, "demo.pdf");
    report({"--set", "lat=39.2305", "--set", "lon=9.1192", "--demand", "c7.2.11"}, "isola.pdf");
    scrivi(lavoro / "parametrilavoro",
           form::prova::parametrilavoro("cm", "kgf", "kgf/cm3", "kgf/cm2"));
    scrivi(lavoro / "relazione.txt",
           "committente = Comune di Fossa\nopera = Adeguamento sismico della scuola primaria "
           "comunale, ala nord, tamponamenti del secondo e del terzo piano\ngiudizio = I risultati "
           "sono coerenti con una verifica a mano \\\ndel pannello più snello. Accettati.\n");
    const std::string kgf = report({"--top", "0", "--left", "1", "--right", "1"}, "kgf.pdf");
    for (const char* atteso : {"Fossa", "tamponamenti", "snello.", "kgf"})
        EXPECT_NE(kgf.find(atteso), std::string::npos) << atteso;
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
