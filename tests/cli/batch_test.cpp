// Batch checks run in-process on a copy of the demo suite: every cell of a small batch against
// the window driven by hand, a refused row in the middle, rows independent of one another, the
// same output on several threads, the reading of the file and the exit codes.
#include "cli/batch.h"

#include <gtest/gtest.h>

#include <charconv>
#include <fstream>
#include <sstream>

#include "suite_temp.h"
#include "text/error.h"
#include "text/number_text.h"

namespace tv::cli {
namespace {
namespace fs = std::filesystem;

// The fields of a CSV line (quotes removed, "" read as one quote).
std::vector<std::string> campi_csv(const std::string& riga) {
    std::vector<std::string> out(1);
    bool tra_virgolette = false;
    for (std::size_t i = 0; i < riga.size(); ++i) {
        const char c = riga[i];
        if (tra_virgolette) {
            if (c == '"' && i + 1 < riga.size() && riga[i + 1] == '"') {
                out.back() += '"';
                ++i;
            } else if (c == '"') {
                tra_virgolette = false;
            } else {
                out.back() += c;
            }
        } else if (c == '"') {
            tra_virgolette = true;
        } else if (c == ',') {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

std::vector<std::vector<std::string>> righe_csv(const std::string& testo) {
    std::vector<std::vector<std::string>> out;
    std::istringstream in(testo);
    for (std::string riga; std::getline(in, riga);) out.push_back(campi_csv(riga));
    return out;
}

double numero(const std::string& s) {
    double v = 0;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    EXPECT_TRUE(ec == std::errc() && p == s.data() + s.size()) << "\"" << s << "\"";
    return v;
}

constexpr std::array<int, kColonneIngresso> kCampo = {-1, 7,  6,  8,  9,  10, 4,  5,  3,  1,  11,
                                                      12, 13, 14, 15, 23, 16, 17, -1, -1, -1, -1};

// What the window shows for one row, driven by hand: start-up, each field typed and left, the
// sides then the top clicked, AGGIORNA. The output cells in the batch's order.
std::array<std::string, kColonneUscita> atteso(
    const fs::path& root, const std::array<std::string, kColonneIngresso>& in) {
    form::RaccoltaMessaggi m;
    form::Form1 f(m, text::dot_format());
    EXPECT_TRUE(f.Form_Load({"|diroot=" + root.string() + "|"}, root));
    std::array<std::string, kColonneUscita> out;
    std::copy(in.begin(), in.end(), out.begin());
    for (std::size_t c = 0; c < kColonneIngresso; ++c) {
        if (kCampo[c] < 0) continue;
        f.stato.text1[static_cast<std::size_t>(kCampo[c])] = in[c];
        if (f.Text1_Validate(kCampo[c])) {
            out.back() = std::string(kNomiIngresso[c]) + ": " + m.elenco.back().testo;
            return out;
        }
    }
    for (auto [c, check] : {std::pair{19, 1}, std::pair{20, 3}, std::pair{18, 0}}) {
        if (!f.imposta_check(check, in[static_cast<std::size_t>(c)] == "1")) {
            out.back() = m.elenco.back().testo;
            return out;
        }
    }
    if (!f.Command1_Click(0)) {
        out.back() = m.elenco.back().testo;
        return out;
    }
    const auto& s = f.stato;
    const auto& t = s.text1;
    const auto* isola = std::get_if<form::OrigineIsola>(&f.risultato->azione.origine);
    const std::string fonte =
        isola ? std::string(isola->gruppo) + " " + std::string(isola->zona) : "griglia";
    std::string verdetto = s.label1[28].substr(f.unita.etichetta_forze.size());
    verdetto.erase(0, verdetto.find_first_not_of(' '));
    const std::string risultati[] = {t[0],
                                     s.label2_0,
                                     s.label2_1,
                                     s.label2_6,
                                     text::general(f.risultato->azione.TR, text::dot_format()),
                                     t[2],
                                     t[21],
                                     t[19],
                                     t[18],
                                     t[20],
                                     t[22],
                                     t[24],
                                     t[25],
                                     t[26],
                                     s.label1[8],
                                     verdetto,
                                     fonte,
                                     ""};
    std::copy(std::begin(risultati), std::end(risultati), out.begin() + kColonneIngresso);
    return out;
}

class Lotti : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        tmp_ = new form::prova::CartellaTemp();
        if (!form::prova::copia_suite_demo(tmp_->path())) {
            delete tmp_;
            tmp_ = nullptr;
        }
    }
    static void TearDownTestSuite() {
        delete tmp_;
        tmp_ = nullptr;
    }
    void SetUp() override {
        if (!tmp_) GTEST_SKIP() << "reference data not available";
    }
    static fs::path root() { return tmp_->path(); }

    // Writes the batch file, runs the command, returns exit code, output and messages.
    struct Esito {
        int codice;
        std::string out, err;
    };
    static Esito esegui(const std::string& csv, int jobs = 1) {
        const fs::path file = tmp_->path() / "lotto.csv";
        std::ofstream(file, std::ios::binary) << csv;
        OpzioniBatch o;
        o.file = file.string();
        o.root = root().string();
        o.jobs = jobs;
        std::ostringstream out, err;
        const int codice = esegui_batch(o, fs::current_path(), out, err);
        return {codice, out.str(), err.str()};
    }
    // The start-up texts of the input columns, as the window shows them after start-up.
    static std::array<std::string, kColonneIngresso> avvio() {
        form::RaccoltaMessaggi m;
        form::Form1 f(m, text::dot_format());
        f.Form_Load({"|diroot=" + root().string() + "|"}, root());
        std::array<std::string, kColonneIngresso> v;
        for (std::size_t c = 0; c < kColonneIngresso; ++c)
            if (kCampo[c] >= 0) v[c] = f.stato.text1[static_cast<std::size_t>(kCampo[c])];
        v[18] = f.stato.check1[0] ? "1" : "0";
        v[19] = f.stato.check1[1] ? "1" : "0";
        v[20] = f.stato.check1[3] ? "1" : "0";
        v[21] = "EC8";
        return v;
    }

    static form::prova::CartellaTemp* tmp_;
};
form::prova::CartellaTemp* Lotti::tmp_ = nullptr;

const char* const kIntestazione =
    "id,lat,lon,VN,PVR,Cu,suolo,St,qa,T1,B,L,t,gamma,fd,E,Z,H,top,left,right";

TEST_F(Lotti, EveryCellMatchesTheWindowAndARefusedRowStopsNothing) {
    const std::vector<std::string> righe = {
        "parete 1,42.3505,13.3995,50,10,1.0,B,1.0,2,0.39,500,300,12,0.0008,3,6000,750,900,1,0,0",
        "\"muro, piano "
        "terra\",45.0733,7.6807,100,5,1.5,C,1.2,1.5,0.8,400,300,25,0.0018,4.5,4500,150,1200,0,1,1",
        "rifiutata,42.35x,13.40,50,10,1.0,B,1.0,2,0.39,500,300,12,0.0008,3,6000,750,900,1,0,0",
        "vincoli,41.8928,12.4837,50,10,1.0,A,1.0,2,0.5,300,280,30,0.0016,2,3000,200,600,0,1,0",
        "roma,41.8928,12.4837,75,63,2,e,1.4,3,1.1,800,350,38,0.0012,8,9000,0,350,1,1,1",
        "fuori,60.0,9.0,50,10,1.0,B,1.0,2,0.39,500,300,12,0.0008,3,6000,750,900,1,0,0",
        "sardegna,40.0,9.0,50,10,1.0,B,1.0,2,0.39,500,300,12,0.0008,3,6000,750,900,1,0,0"};
    std::string csv = std::string(kIntestazione) + "\n";
    for (const auto& r : righe) csv += r + "\n";
    const Esito e = esegui(csv);
    EXPECT_EQ(e.codice, 1);  // some rows were refused
    EXPECT_EQ(e.err, "");
    const auto uscita = righe_csv(e.out);
    ASSERT_EQ(uscita.size(), righe.size() + 1);
    std::vector<std::string> intestazione(kNomiIngresso.begin(), kNomiIngresso.end());
    intestazione.insert(intestazione.end(), kNomiRisultato.begin(), kNomiRisultato.end());
    EXPECT_EQ(uscita[0], intestazione);

    for (std::size_t k = 0; k < righe.size(); ++k) {
        const auto ingresso = campi_csv(righe[k]);
        std::array<std::string, kColonneIngresso> in;
        std::copy(ingresso.begin(), ingresso.end(), in.begin());
        in[21] = "EC8";  // no domanda column: the start-up formula
        const auto attesa = atteso(root(), in);
        ASSERT_EQ(uscita[k + 1].size(), kColonneUscita) << "riga " << k + 1;
        for (std::size_t c = 0; c < kColonneUscita; ++c)
            EXPECT_EQ(uscita[k + 1][c], attesa[c])
                << "riga " << k + 1 << ", colonna "
                << (c < kColonneIngresso ? kNomiIngresso[c] : kNomiRisultato[c - kColonneIngresso]);
    }

    // The texts that tell the rows apart, and the results around the refused ones.
    EXPECT_EQ(uscita[2][0], "muro, piano terra");
    EXPECT_EQ(uscita[3].back(), "lat: Richiesto valore numerico");
    EXPECT_EQ(uscita[4].back(), "Verifica non possibile");
    EXPECT_EQ(uscita[6].back(), "Punto fuori zona!");
    for (int k : {3, 4, 6})
        for (std::size_t c = kColonneIngresso; c + 1 < kColonneUscita; ++c)
            EXPECT_EQ(uscita[static_cast<std::size_t>(k)][c], "") << "riga " << k;
    constexpr std::size_t r0 = kColonneIngresso;  // the first result column, ag
    for (int k : {1, 2, 5, 7}) {
        const auto& r = uscita[static_cast<std::size_t>(k)];
        EXPECT_EQ(r.back(), "") << "riga " << k;
        // verdict agrees with the numbers it compares; TR and VR follow VN, Cu and PVR.
        const double Rlat = numero(r[r0 + 10]), Fa = numero(r[r0 + 9]);
        EXPECT_EQ(r[r0 + 15], Rlat >= Fa ? "> Fa : OK" : "< Fa : !!!") << "riga " << k;
        EXPECT_DOUBLE_EQ(numero(r[r0 + 3]), numero(r[3]) * numero(r[5]));
        EXPECT_TRUE(r[r0 + 14] == "L" || r[r0 + 14] == "B");
        EXPECT_EQ(r[r0 + 16], k == 7 ? "G1 Sardegna" : "griglia");
        EXPECT_EQ(r[21], "EC8");
    }
    EXPECT_EQ(uscita[1][r0 + 4], "475");  // 50 years, Cu 1, 10 %
    EXPECT_EQ(uscita[5][r0 + 4], "151");  // 75 x 2 years at 63 %: -150 / ln 0.37 = 150.87
}

TEST_F(Lotti, MissingColumnsAndEmptyCellsTakeTheStartUpValues) {
    const auto v = avvio();
    const Esito e = esegui("lon, id ,B\n13.40,a,\n,b,650\n");
    ASSERT_EQ(e.codice, 0) << e.err;
    const auto uscita = righe_csv(e.out);
    ASSERT_EQ(uscita.size(), 3u);
    for (std::size_t c = 0; c < kColonneIngresso; ++c) {
        const std::string nome(kNomiIngresso[c]);
        const std::string primo = nome == "id" ? "a" : nome == "lon" ? "13.40" : v[c];
        const std::string secondo = nome == "id" ? "b" : nome == "B" ? "650" : v[c];
        EXPECT_EQ(uscita[1][c], primo) << nome;
        EXPECT_EQ(uscita[2][c], secondo) << nome;
    }
    std::array<std::string, kColonneIngresso> in = v;
    in[0] = "b";
    in[10] = "650";
    const auto attesa = atteso(root(), in);
    for (std::size_t c = kColonneIngresso; c < kColonneUscita; ++c)
        EXPECT_EQ(uscita[2][c], attesa[c]);
}

TEST_F(Lotti, RowNumberStandsForAMissingIdAndRowsAreIndependent) {
    // The same row alone and after rows that change every field, the restraints and the site.
    const std::string riga =
        ",42.3505,13.3995,50,10,1.0,B,1.0,2,0.39,500,300,12,0.0008,3,6000,750,900,0,1,1";
    const std::string prima =
        "x,45.0733,7.6807,100,5,1.5,C,1.2,1.5,0.8,400,300,25,0.0018,4.5,4500,150,1200,1,0,0\n"
        "y,40.0,9.0,50,10,1.0,B,1.0,2,0.39,500,300,12,0.0008,3,6000,750,900,1,1,0\n"
        "z,41.8928,12.4837,50,10,1.0,A,1.0,2,abc,300,280,30,0.0016,2,3000,200,600,0,1,0\n";
    const auto sola = righe_csv(esegui(std::string(kIntestazione) + "\n" + riga + "\n").out);
    const auto dopo =
        righe_csv(esegui(std::string(kIntestazione) + "\n" + prima + riga + "\n").out);
    ASSERT_EQ(sola.size(), 2u);
    ASSERT_EQ(dopo.size(), 5u);
    EXPECT_EQ(sola[1][0], "1");
    EXPECT_EQ(dopo[4][0], "4");
    EXPECT_EQ(std::vector<std::string>(sola[1].begin() + 1, sola[1].end()),
              std::vector<std::string>(dopo[4].begin() + 1, dopo[4].end()));
    EXPECT_EQ(dopo[3].back(), "T1: Richiesto valore numerico");
}

std::string nome_riga(int i) {
    std::string s = "p";
    s += std::to_string(i);
    return s;
}

TEST_F(Lotti, ThreadsGiveTheSameOutputInInputOrder) {
    std::string csv = std::string(kIntestazione) + "\n";
    for (int i = 0; i < 700; ++i) {
        const double lat = 38.5 + 0.011 * i, lon = 8.0 + 0.013 * i;
        for (const std::string& campo :
             {nome_riga(i), text::fixed(lat, 3, text::dot_format()),
              text::fixed(lon, 3, text::dot_format()), std::string("50,10,1.0,B,1.0,2,0.39"),
              std::to_string(200 + i), std::string("300,12,0.0008,3,6000,750,900"),
              std::string(i % 4 == 0   ? "0,1,1"
                          : i % 4 == 1 ? "0,0,1"
                                       : "1,0,1")}) {
            csv += campo;
            csv += ',';
        }
        csv.back() = '\n';
    }
    const Esito uno = esegui(csv, 1);
    const Esito tre = esegui(csv, 3);
    EXPECT_EQ(uno.codice, tre.codice);
    EXPECT_EQ(uno.out, tre.out);
    const auto righe = righe_csv(tre.out);
    ASSERT_EQ(righe.size(), 701u);
    for (int i = 0; i < 700; ++i)
        EXPECT_EQ(righe[static_cast<std::size_t>(i) + 1][0], nome_riga(i));
}

TEST_F(Lotti, RowsThatCannotBeSplitOrHaveBadRestraintsAreRefusedAlone) {
    const Esito e = esegui(
        "id,lat,top,left,right\n"
        "a,42.35\n"
        "b,42.35,1,0,0,7\n"
        "c,\"42.35,1,0,0\n"
        "d,42.35,2,0,0\n"
        "\n"
        "e,42.3505,1,1,0\n");
    EXPECT_EQ(e.codice, 1);
    const auto uscita = righe_csv(e.out);
    ASSERT_EQ(uscita.size(), 6u);
    EXPECT_EQ(uscita[1].back(), "Riga 2 del file: meno colonne dell'intestazione");
    EXPECT_EQ(uscita[2].back(), "Riga 3 del file: più colonne dell'intestazione");
    EXPECT_EQ(uscita[3].back(), "Riga 4 del file: virgolette non chiuse");
    EXPECT_EQ(uscita[4].back(), "top: accettati solo 1 (appoggiato) e 0 (libero)");
    EXPECT_EQ(uscita[5].back(), "");
    EXPECT_EQ(uscita[5][0], "e");
    // A row that could not be split shows only its number.
    EXPECT_EQ(uscita[1][0], "1");
    EXPECT_EQ(uscita[1][1], "");
}

struct FileRifiutato {
    const char* nome;
    std::string csv;
    std::string messaggio;
};

class LottiRifiutati : public Lotti, public ::testing::WithParamInterface<FileRifiutato> {};

TEST_P(LottiRifiutati, StopBeforeAnyRowWithExitCodeTwo) {
    const Esito e = esegui(GetParam().csv);
    EXPECT_EQ(e.codice, 2);
    EXPECT_EQ(e.out, "");
    const std::string file = (root() / "lotto.csv").string();
    std::string atteso = GetParam().messaggio;
    atteso.replace(atteso.find("FILE"), 4, file);
    EXPECT_EQ(e.err, atteso + "\n");
}

INSTANTIATE_TEST_SUITE_P(
    Casi, LottiRifiutati,
    ::testing::Values(
        FileRifiutato{"Empty", "", "Il file \"FILE\" è vuoto: manca la riga d'intestazione."},
        FileRifiutato{"UnknownColumn", "id,Lat\n",
                      "Colonna sconosciuta \"Lat\" nell'intestazione del file \"FILE\". Colonne "
                      "ammesse: id, lat, lon, VN, PVR, Cu, suolo, St, qa, T1, B, L, t, gamma, fd, "
                      "E, Z, H, top, left, right, domanda."},
        FileRifiutato{"RepeatedColumn", "lat,lon,lat\n",
                      "Colonna \"lat\" ripetuta nell'intestazione del file \"FILE\"."}),
    [](const auto& info) { return std::string(info.param.nome); });

TEST_F(Lotti, MissingFileAndResultsFileAreNamed) {
    OpzioniBatch o;
    o.file = (root() / "manca.csv").string();
    o.root = root().string();
    std::ostringstream out, err;
    EXPECT_EQ(esegui_batch(o, fs::current_path(), out, err), 2);
    EXPECT_EQ(err.str(), "Impossibile leggere il file \"" + o.file + "\".\n");

    std::ofstream(root() / "uno.csv") << "id\nx\n";
    o.file = (root() / "uno.csv").string();
    o.output = (root() / "non" / "esiste" / "r.csv").string();
    std::ostringstream out2, err2;
    EXPECT_EQ(esegui_batch(o, fs::current_path(), out2, err2), 2);
    EXPECT_EQ(err2.str(), "Impossibile scrivere il file \"" + *o.output + "\".\n");

    o.output = (root() / "r.csv").string();
    std::ostringstream out3, err3;
    EXPECT_EQ(esegui_batch(o, fs::current_path(), out3, err3), 0);
    EXPECT_EQ(out3.str(), "");
    std::ifstream in(*o.output);
    std::string intestazione, riga;
    std::getline(in, intestazione);
    std::getline(in, riga);
    EXPECT_EQ(campi_csv(intestazione).size(), kColonneUscita);
    EXPECT_EQ(campi_csv(riga)[0], "x");
    EXPECT_EQ(campi_csv(riga).back(), "");
}

TEST(LottoCsv, QuotesOnlyTheFieldsThatNeedIt) {
    RigaEsito r;
    r.celle[0] = "a, b";
    r.celle[1] = "dice \"ciao\"";
    r.celle[2] = " spazio";
    r.celle[3] = "righe\ndue";
    r.celle[4] = "42.35";
    const std::string testo = riga_csv(r);
    EXPECT_EQ(testo.substr(0, testo.find("42.35") + 5),
              "\"a, b\",\"dice \"\"ciao\"\"\",\" spazio\",\"righe\ndue\",42.35");
    EXPECT_EQ(testo.back(), '\n');
    EXPECT_EQ(std::count(testo.begin(), testo.end(), ','),
              static_cast<long>(kColonneUscita - 1 + 1));
}

TEST(LottoCsv, ReaderTrimsUnquotesAndReadsWindowsText) {
    std::istringstream in("\xEF\xBB\xBFid , lat\r\n \"a \"\"b\"\"\" , 42.35 \r\n\r\n\xE0 ,\n");
    LettoreLotto lettore("prova.csv", in);
    RigaIngresso r;
    ASSERT_TRUE(lettore.prossima(r));
    EXPECT_EQ(r.numero, 1u);
    EXPECT_EQ(r.celle[0], "a \"b\"");
    EXPECT_EQ(r.celle[1], "42.35");
    EXPECT_FALSE(r.celle[2].has_value());
    ASSERT_TRUE(lettore.prossima(r));
    EXPECT_EQ(r.numero, 2u);
    EXPECT_EQ(r.celle[0], "à");
    EXPECT_EQ(r.celle[1], "");
    EXPECT_FALSE(lettore.prossima(r));
}

TEST(LottoCsv, LoneCarriageReturnsEndLinesAsInTheSuiteFiles) {
    // The library ends lines at LF only: a file with CR line ends used to be one long header.
    std::istringstream in("id,lat\r\"a, b\",42.35\r\r\nx,1\r");
    LettoreLotto lettore("prova.csv", in);
    RigaIngresso r;
    ASSERT_TRUE(lettore.prossima(r));
    EXPECT_EQ(r.errore, "");
    EXPECT_EQ(r.celle[0], "a, b");
    EXPECT_EQ(r.celle[1], "42.35");
    ASSERT_TRUE(lettore.prossima(r));
    EXPECT_EQ(r.celle[0], "x");
    EXPECT_EQ(r.celle[1], "1");
    EXPECT_FALSE(lettore.prossima(r));
}

TEST(LottoCsv, LinesLongerThanTheReaderHoldsAreNamedNotFatal) {
    // A header over the reader's 16 MiB window used to escape as the library's own exception
    // and end the program.
    const std::string lunga(17u << 20, 'x');
    const auto messaggio = [](auto&& f) -> std::string {
        try {
            f();
        } catch (const Failure& e) {
            return e.what();
        }
        return "(nessun errore)";
    };
    std::istringstream intestazione(lunga + "\n1\n");
    EXPECT_EQ(messaggio([&] { LettoreLotto l("lungo.csv", intestazione); }),
              "Riga d'intestazione del file \"lungo.csv\" troppo lunga.");
    std::istringstream righe("id\n" + lunga + "\n");
    LettoreLotto lettore("lungo.csv", righe);
    RigaIngresso r;
    EXPECT_EQ(messaggio([&] { lettore.prossima(r); }),
              "Riga 2 del file \"lungo.csv\" troppo lunga.");
}


// The demo job under each formula: the column is read in either case and echoed by its short
// name, empty is EC8, anything else refuses the row alone.
TEST_F(Lotti, DomandaColumnChoosesTheFormulaOfEachRow) {
    const Esito e = esegui("id,domanda\na, c7.2.11\nb,\nc,Ec8\nd,C7\n");
    EXPECT_EQ(e.codice, 1);
    const auto u = righe_csv(e.out);
    ASSERT_EQ(u.size(), 5u);
    constexpr std::size_t Sa = kColonneIngresso + 8;
    EXPECT_EQ(u[1][21], "C7.2.11");
    EXPECT_NEAR(numero(u[1][Sa]), 1.7415, 5e-4);  // by hand, [C7.2.11] rising branch
    for (std::size_t k : {2u, 3u}) {
        EXPECT_EQ(u[k][21], "EC8");
        EXPECT_EQ(u[k][Sa], "1.1675");
    }
    EXPECT_EQ(u[4][21], "C7");
    EXPECT_EQ(u[4].back(), "domanda: accettate solo EC8 e C7.2.11 (o vuota)");
    EXPECT_EQ(u[4][Sa], "");
}

}  // namespace
}  // namespace tv::cli
