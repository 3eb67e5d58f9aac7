// Bad input through torvelando-cli, run in-process: every input field set with --set to the texts
// typed by mistake, malformed options, damaged suite files and damaged batch files. The exit code
// says what happened, the message names what is wrong, and no result is "nan", "inf" or empty.
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "cli/batch.h"
#include "cli/comandi.h"
#include "suite_temp.h"
#include "text/encoding.h"
#include "text/number_text.h"

namespace tv::cli {
namespace {
namespace fs = std::filesystem;
using form::prova::scrivi;
using form::prova::SuiteTemp;

struct Esito {
    int codice;
    std::string out, err;
};

Esito check(OpzioniCheck o, const fs::path& root) {
    o.root = root.string();
    std::ostringstream out, err;
    const int codice = esegui_check(o, fs::current_path(), out, err);
    return {codice, out.str(), err.str()};
}

// The result fields of a JSON answer are finite numbers, whatever the outcome.
void risultati_numerici(const Esito& e) {
    const auto j = nlohmann::json::parse(e.out);
    for (int i : {0, 2, 18, 19, 20, 21, 22, 24, 25, 26}) {
        const std::string t = j["fields"][static_cast<std::size_t>(i)].get<std::string>();
        const auto v = text::parse_number(t, text::dot_format());
        EXPECT_TRUE(v && std::isfinite(*v)) << "field " << i << " \"" << t << "\"";
    }
    const bool ok = j["verdict_ok"].get<bool>();
    const std::string verdetto = j["labels"]["verdict"].get<std::string>();
    EXPECT_TRUE(verdetto.ends_with(ok ? " > Fa : OK" : " < Fa : !!!")) << verdetto;
}

// One suite for the whole file: the command only reads it.
const SuiteTemp& suite() {
    static const SuiteTemp s;
    return s;
}

// ---- --set on every input field ---------------------------------------------------------------

struct Testo {
    const char* nome;
    std::string testo;
    bool numero;       // a number for the fields read with the locale ("." here)
    bool numero_sito;  // a number for the site fields 5 to 10
};

const std::vector<Testo>& testi() {
    static const std::vector<Testo> t{
        {"Empty", "", false, false},
        {"Blank", " ", false, false},
        {"Letters", "abc", false, false},
        {"Zero", "0", true, true},
        {"MinusOne", "-1", true, true},
        {"Huge", "1e308", true, true},
        {"HugeNegative", "-1e308", true, true},
        {"Nan", "nan", false, false},
        {"Inf", "inf", false, false},
        {"DecimalComma", "1,5", false, false},
        {"DecimalPoint", "1.5", true, true},
        {"Grouping", "1.000,5", false, false},
        {"BlanksAround", " 12 ", true, true},
        {"TenThousandNines", std::string(10000, '9'), false, false},
        {"TenThousandCharactersOfOne", "1." + std::string(9998, '0'), true, true},
        {"ControlCharacter", "1\x01" "2", false, false},
        {"Windows1252Letter", "1\xE8", false, false},
    };
    return t;
}

constexpr int kCampi[] = {1, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 23};

// One text set into one field, then the check.
void prova_set(int campo, const Testo& t) {
    OpzioniCheck o;
    o.json = true;
    o.set = {std::to_string(campo) + "=" + t.testo};
    const Esito e = check(o, suite().root());
    const bool sito = campo >= 5 && campo <= 10;
    const bool accettato = campo != 4 && (sito ? t.numero_sito : t.numero);
    if (!accettato) {
        EXPECT_EQ(e.codice, 2);
        EXPECT_EQ(e.err, campo == 4 ? "Input errato: Accettati solo terreni tipo A, B, C, D, E\n"
                                    : "Input errato: Richiesto valore numerico\n");
        EXPECT_EQ(e.out, "") << "nothing is printed for a refused text";
        return;
    }
    ASSERT_TRUE(e.codice == 0 || e.codice == 1) << e.codice << " " << e.err;
    if (e.codice == 0) {
        EXPECT_EQ(e.err, "");
    } else {
        // One line: the title, then the message of the run that stopped.
        EXPECT_EQ(std::count(e.err.begin(), e.err.end(), '\n'), 1) << e.err;
        EXPECT_GT(e.err.size(), 30u) << e.err;
    }
    risultati_numerici(e);
    EXPECT_EQ(e.out.find("nan"), std::string::npos);
    EXPECT_EQ(e.out.find("inf\""), std::string::npos);
}

class MatriceSet : public ::testing::TestWithParam<int> {};

TEST_P(MatriceSet, EachTextRefusedWithExitTwoOrCheckedWithFiniteResultsOrStoppedWithExitOne) {
    for (const Testo& t : testi()) {
        SCOPED_TRACE(t.nome);
        prova_set(GetParam(), t);
    }
}

INSTANTIATE_TEST_SUITE_P(Campi, MatriceSet, ::testing::ValuesIn(kCampi),
                         [](const auto& info) { return "Field" + std::to_string(info.param); });

TEST(MatriceSet, MalformedSetIsRefusedBeforeAnyRun) {
    for (const char* s : {"x=1", "27=1", "-1=1", "=5", "7", "07 =1", "1e1=2", "99999999999999=1"}) {
        OpzioniCheck o;
        o.set = {s};
        const Esito e = check(o, suite().root());
        EXPECT_EQ(e.codice, 2) << s;
        EXPECT_EQ(e.err, std::string("--set: atteso N=TESTO con N da 0 a 26 o il nome breve del campo, ricevuto \"") + s +
                             "\"\n");
        EXPECT_EQ(e.out, "");
    }
}

TEST(MatriceSet, RefusedRestraintsStopWithTheirMessage) {
    OpzioniCheck o;
    o.top = 0;
    o.left = 0;
    const Esito e = check(o, suite().root());
    EXPECT_EQ(e.codice, 2);
    EXPECT_EQ(e.err, "VINCOLI SCORRETTI: Verifica non possibile\n");
}

TEST(MatriceSet, SiteOffTheSphereStopsNamingTheQuantity) {
    OpzioniCheck o;
    o.json = true;
    o.set = {"7=1e30"};
    const Esito e = check(o, suite().root());
    EXPECT_EQ(e.codice, 1);
    EXPECT_EQ(e.err, "TORVELANDO PANNELLI MURARI: Latitudine del sito fuori dall'intervallo da -90 "
                     "a 90 gradi.\n");
    risultati_numerici(e);  // the start-up results are what is printed
}

// ---- Damaged suite files ------------------------------------------------------------------------

std::string rumore() {
    std::mt19937 gen(7);
    std::string out(3000, '\0');
    for (char& c : out) c = static_cast<char>(gen() & 0xFF);
    return out;
}

struct CasoSuite {
    const char* nome;
    std::function<fs::path(const SuiteTemp&)> file;
    std::optional<std::string> contenuto;  // nullopt: the file is removed
    int codice;
};
void PrintTo(const CasoSuite& c, std::ostream* os) {
    *os << c.nome;
}

class SuiteGuasta : public ::testing::TestWithParam<CasoSuite> {};

TEST_P(SuiteGuasta, ExitCodeAndAMessageNamingTheFile) {
    const CasoSuite& c = GetParam();
    SuiteTemp s;
    const fs::path file = c.file(s);
    if (c.contenuto) {
        scrivi(file, *c.contenuto);
    } else {
        fs::remove(file);
    }
    OpzioniCheck o;
    const Esito e = check(o, s.root());
    EXPECT_EQ(e.codice, c.codice) << e.err;
    EXPECT_NE(e.err.find(file.string()), std::string::npos) << e.err;
    EXPECT_EQ(e.out.find("nan"), std::string::npos);
}

const auto kGriglia = [](const SuiteTemp& s) { return s.file_griglia(); };
const auto kParametri = [](const SuiteTemp& s) { return s.lavoro() / "parametrilavoro"; };
const auto kDirlav = [](const SuiteTemp& s) { return s.root() / "impostazioni" / "dirlav"; };
const auto kSismica = [](const SuiteTemp& s) { return s.lavoro() / "sismica_2008.txt"; };

INSTANTIATE_TEST_SUITE_P(
    File, SuiteGuasta,
    ::testing::Values(
        CasoSuite{"GridMissing", kGriglia, std::nullopt, 1},
        CasoSuite{"GridEmpty", kGriglia, "", 1},
        CasoSuite{"GridCutInARecord", kGriglia, form::prova::testo_griglia().substr(0, 500), 1},
        CasoSuite{"GridNoise", kGriglia, rumore(), 1},
        CasoSuite{"SettingsMissing", kParametri, std::nullopt, 1},
        CasoSuite{"SettingsNoise", kParametri, rumore(), 1},
        CasoSuite{"SettingsCutInALine", kParametri, "PARAMETRI\ncm [lunghezze]\ndaN [fo", 1},
        CasoSuite{"DirlavMissing", kDirlav, std::nullopt, 1},
        CasoSuite{"DirlavNoise", kDirlav, rumore(), 1},
        // A damaged job file is reported and the check still runs on the design site.
        CasoSuite{"JobFileEmpty", kSismica, "", 0},
        CasoSuite{"JobFileNoise", kSismica, rumore(), 0},
        CasoSuite{"JobFileCutInTheLocalityLine", kSismica,
                  "PARAMETRI\nLocalit\xE0 Torino (long. 7.6807  lat. 45.0", 0}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST(SuiteGuasta, SearchInAMissingOrEmptyLocalityListNamesIt) {
    for (const std::optional<std::string>& contenuto : {std::optional<std::string>{}, std::optional<std::string>{""}}) {
        SuiteTemp s;
        const fs::path file = s.progra() / "coordinate_localita.txt";
        if (contenuto) {
            scrivi(file, *contenuto);
        } else {
            fs::remove(file);
        }
        OpzioniSearch o;
        o.testo = "tor";
        o.root = s.root().string();
        std::ostringstream out, err;
        EXPECT_EQ(esegui_search(o, fs::current_path(), out, err), 2);
        EXPECT_NE(err.str().find(file.string()), std::string::npos) << err.str();
        EXPECT_EQ(out.str(), "");
    }
}

// ---- Damaged batch files ------------------------------------------------------------------------

struct CasoLotto {
    const char* nome;
    std::optional<std::string> contenuto;  // nullopt: no file
    int codice;
    std::size_t righe_verificate;  // rows with results
};
void PrintTo(const CasoLotto& c, std::ostream* os) {
    *os << c.nome;
}

const std::string kLotto =
    "id,lat,lon,B\n\"Forlì, nord\",45,7.29,500\nsud,45.02,7.25,400\n";

std::string fine_riga(const std::string& t, const std::string& fine) {
    std::string out;
    for (char c : t) {
        if (c == '\n') out += fine;
        else out += c;
    }
    return out;
}

class LottoGuasto : public ::testing::TestWithParam<CasoLotto> {};

TEST_P(LottoGuasto, ExitCodeMessageNamingTheFileAndHonestRows) {
    const CasoLotto& c = GetParam();
    form::prova::CartellaTemp tmp;
    const fs::path file = tmp.path() / "pannelli.csv";
    if (c.contenuto) scrivi(file, *c.contenuto);
    OpzioniBatch o;
    o.file = file.string();
    o.root = suite().root().string();
    std::ostringstream out, err;
    EXPECT_EQ(esegui_batch(o, fs::current_path(), out, err), c.codice) << err.str();
    if (c.codice == 2) {
        EXPECT_NE(err.str().find(file.string()), std::string::npos) << err.str();
        EXPECT_EQ(out.str(), "");
        return;
    }
    // Every row either has all its results, finite, or none and its error.
    std::istringstream righe(out.str());
    std::string riga;
    std::getline(righe, riga);
    std::size_t verificate = 0;
    while (std::getline(righe, riga)) {
        EXPECT_EQ(riga.find("nan"), std::string::npos) << riga;
        EXPECT_EQ(riga.find("inf"), std::string::npos) << riga;
        const bool ok =
            riga.ends_with(",> Fa : OK,griglia,") || riga.ends_with(",< Fa : !!!,griglia,");
        verificate += ok ? 1 : 0;
        if (!ok) {
            EXPECT_NE(riga.find(",,,,,,,,,,,,,,,,"), std::string::npos) << riga;
        }
    }
    EXPECT_EQ(verificate, c.righe_verificate) << out.str();
}

INSTANTIATE_TEST_SUITE_P(
    File, LottoGuasto,
    ::testing::Values(
        CasoLotto{"Missing", std::nullopt, 2, 0}, CasoLotto{"Empty", "", 2, 0},
        CasoLotto{"Noise", rumore(), 2, 0},
        CasoLotto{"CutInAQuotedField", kLotto.substr(0, kLotto.find("nord")), 1, 0},
        CasoLotto{"CutInTheLastRow", kLotto.substr(0, kLotto.find("7.25")), 1, 1},
        CasoLotto{"LfLineEnds", kLotto, 0, 2},
        CasoLotto{"CrLfLineEnds", fine_riga(kLotto, "\r\n"), 0, 2},
        CasoLotto{"CrLineEnds", fine_riga(kLotto, "\r"), 0, 2},
        CasoLotto{"Windows1252", text::encode_cp1252(fine_riga(kLotto, "\r\n")), 0, 2},
        CasoLotto{"Utf8WithMark", "\xEF\xBB\xBF" + kLotto, 0, 2}),
    [](const auto& info) { return std::string(info.param.nome); });

}  // namespace
}  // namespace tv::cli
