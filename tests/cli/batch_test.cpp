// Batch checks run in-process on a copy of the demo suite: every cell of a small batch against
// the window driven by hand, the same output on several threads, the reading of the file and the
// exit codes.
#include "cli/batch.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <sstream>

#include "suite_temp.h"
#include "text/number_text.h"

namespace tv::cli {
namespace {
namespace fs = std::filesystem;
using Riga = std::vector<std::string>;

// The fields of a CSV line (quotes removed, "" read as one quote).
Riga campi_csv(const std::string& riga) {
    Riga out(1);
    bool tra_virgolette = false;
    for (std::size_t i = 0; i < riga.size(); ++i) {
        if (riga[i] == '"' && tra_virgolette && i + 1 < riga.size() && riga[i + 1] == '"')
            out.back() += riga[++i];
        else if (riga[i] == '"')
            tra_virgolette = !tra_virgolette;
        else if (riga[i] == ',' && !tra_virgolette)
            out.emplace_back();
        else
            out.back() += riga[i];
    }
    return out;
}

std::vector<Riga> righe_csv(const std::string& testo) {
    std::vector<Riga> out;
    std::istringstream in(testo);
    for (std::string riga; std::getline(in, riga);) out.push_back(campi_csv(riga));
    return out;
}

// The window's field of each input column (-1: none).
constexpr std::array<int, kColonneIngresso> kCampo = {-1, 7,  6,  8,  9,  10, 4,  5,  3,  1,  11,
                                                      12, 13, 14, 15, 23, 16, 17, -1, -1, -1, -1,
                                                      27, 28, 29, -1};

// The column and the toggle of left, right and top, clicked in this order.
constexpr std::pair<std::size_t, int> kVincoli[] = {{19, 1}, {20, 3}, {18, 0}};

// What the window shows for one row, driven by hand: start-up, each field typed and left, the
// sides then the top clicked, AGGIORNA. An empty cell keeps what the window shows at start-up.
Riga atteso(const fs::path& root, Riga in) {
    in.resize(kColonneIngresso);
    form::RaccoltaMessaggi m;
    form::Form1 f(m, text::dot_format());
    EXPECT_TRUE(f.Form_Load({"|diroot=" + root.string() + "|"}, root));
    for (std::size_t c : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 22, 23, 24})
        if (in[c].empty()) in[c] = f.stato.text1[static_cast<std::size_t>(kCampo[c])];
    for (auto [c, check] : kVincoli)
        if (in[c].empty()) in[c] = f.stato.check1[static_cast<std::size_t>(check)] ? "1" : "0";
    if (in[colonna_ingresso("domanda")].empty()) in[colonna_ingresso("domanda")] = "EC8";
    if (in[colonna_ingresso("datum")].empty()) in[colonna_ingresso("datum")] = "ED50";
    Riga out = in;
    const auto rifiutata = [&](const std::string& prima) {
        out.resize(kColonneUscita);
        out.back() = prima + m.elenco.back().testo;
        return out;
    };
    for (std::size_t c = 0; c < kColonneIngresso; ++c) {
        if (kCampo[c] < 0) continue;
        f.stato.text1[static_cast<std::size_t>(kCampo[c])] = in[c];
        if (f.Text1_Validate(kCampo[c])) return rifiutata(std::string(kNomiIngresso[c]) + ": ");
    }
    for (auto [c, check] : kVincoli)
        if (!f.imposta_check(check, in[c] == "1")) return rifiutata("");
    if (!f.Command1_Click(0)) return rifiutata("");
    const auto& s = f.stato;
    const auto& t = s.text1;
    const auto* isola = std::get_if<form::OrigineIsola>(&f.risultato->azione.origine);
    std::string verdetto = s.label1[28].substr(f.unita().etichetta_forze.size());
    verdetto.erase(0, verdetto.find_first_not_of(' '));
    out.insert(
        out.end(),
        {text::rounded(f.risultato->ed50.lat, 6, text::dot_format()),
         text::rounded(f.risultato->ed50.lon, 6, text::dot_format()), t[0], s.label2_0,
         s.label2_1, s.label2_6,
         text::general(f.risultato->azione.TR, text::dot_format()), t[2], t[21], t[19], t[18],
         t[20], t[22], t[24], t[25], t[26], s.label1[8], verdetto,
         isola ? std::string(isola->gruppo) + " " + std::string(isola->zona) : "griglia"});
    std::string avvisi;
    for (const auto& a : s.avvisi) avvisi += (avvisi.empty() ? "" : "; ") + a;
    out.insert(out.end(), {avvisi, ""});
    return out;
}

class Lotti : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!form::prova::copia_suite_demo(tmp.path())) GTEST_SKIP() << "no reference data";
    }
    struct Esito {
        int codice;
        std::string out, err;
    };
    Esito esegui(const std::string& csv, int jobs = 1, std::string file = "") {
        if (file.empty()) file = tmp.scrivi("lotto.csv", csv).string();
        OpzioniBatch o;
        o.file = file, o.root = tmp.path().string(), o.jobs = jobs;
        std::ostringstream out, err;
        const int codice = esegui_batch(o, fs::current_path(), out, err);
        return {codice, out.str(), err.str()};
    }
    form::prova::CartellaTemp tmp;
};

const std::string kIntestazione =
    "id,lat,lon,VN,PVR,Cu,suolo,St,qa,T1,B,L,t,gamma,fd,E,Z,H,top,left,right\n";

TEST_F(Lotti, EveryCellMatchesTheWindowAndARefusedRowStopsNothing) {
    const std::vector<std::string> righe = {
        "parete 1,42.3505,13.3995,50,10,1.0,B,1.0,2,0.39,500,300,12,0.0008,3,6000,750,900,1,0,0",
        "\"muro, piano "
        "terra\",45.0733,7.6807,100,5,1.5,C,1.2,1.5,0.8,400,300,25,0.0018,4.5,4500,150,1200,0,1,1",
        "rifiutata,42.35x,13.40,50,10,1.0,B,1.0,2,0.39,500,300,12,0.0008,3,6000,750,900,1,0,0",
        "vincoli,41.8928,12.4837,50,10,1.0,A,1.0,2,0.5,300,280,30,0.0016,2,3000,200,600,0,1,0",
        ",41.8928,12.4837,75,63,2,e,1.4,3,1.1,800,350,38,0.0012,8,9000,0,350,1,1,1",
        "fuori,60.0,9.0,50,10,1.0,B,1.0,2,0.39,500,300,12,0.0008,3,6000,750,900,1,0,0",
        "sardegna,40.0,9.0,50,10,1.0,B,1.0,2,0.39,500,300,12,0.0008,3,6000,750,900,1,0,0"};
    std::string csv = kIntestazione;
    for (const auto& r : righe) csv += r + "\n";
    const Esito e = esegui(csv);
    EXPECT_EQ(e.codice, 1);  // some rows were refused
    EXPECT_EQ(e.err, "");
    const auto uscita = righe_csv(e.out);
    ASSERT_EQ(uscita.size(), righe.size() + 1);
    EXPECT_EQ(e.out.substr(0, e.out.find('\n') + 1),
              "id,lat,lon,VN,PVR,Cu,suolo,St,qa,T1,B,L,t,gamma,fd,E,Z,H,top,left,right,domanda,n,xi,"
              "Tk,datum,lat_ed50,lon_ed50,ag,Ss,S,VR,TR,W,Wa,Ta,Sa,Fa,Rlat,d_mm,K1,K2,span,verdict,"
              "fonte,avvisi,errore\n");
    for (std::size_t k = 0; k < righe.size(); ++k) {
        auto attesa = atteso(tmp.path(), campi_csv(righe[k]));
        if (attesa[0].empty()) attesa[0] = std::to_string(k + 1);  // the row number
        EXPECT_EQ(uscita[k + 1], attesa) << "riga " << k + 1;
    }
    // The texts that tell the rows apart; the window could refuse what the batch refuses.
    for (std::size_t k : {1u, 2u, 5u, 7u}) EXPECT_EQ(uscita[k].back(), "") << "riga " << k;
    EXPECT_EQ(uscita[3].back(), "lat: Richiesto valore numerico");
    EXPECT_EQ(uscita[1][colonna_uscita("fonte")], "griglia");
    EXPECT_EQ(uscita[7][colonna_uscita("fonte")], "G1 Sardegna");
}

// A cantilever (top, left, right free): its results, no arch columns, "mensola" for the span.
TEST_F(Lotti, CantileverRowHasItsResultsAndNoArch) {
    const Esito e = esegui(kIntestazione +
                           "parapetto,42.3505,13.3995,50,10,1.0,B,1.0,1,0.39,100,100,25,0.0018,"
                           "3,6000,900,900,0,0,0\n");
    ASSERT_EQ(e.codice, 0) << e.err;
    const auto uscita = righe_csv(e.out);
    ASSERT_EQ(uscita.size(), 2u);
    // W 450; Ta, Sa, Fa = Sa W, Rlat = 2 x 450 x 12.5 x (1 - 0.18 / 2.55) / 100.
    EXPECT_EQ(Riga(uscita[1].end() - 14, uscita[1].end()),  // W to avvisi, errore
              (Riga{"450", "450", "0.0433", "0.8579", "386.05", "104.56", "", "", "", "mensola",
                    "< Fa : !!!", "griglia", "", ""}));
}

// Rows alone and after a row that sets the column: an empty cell is the start-up text again.
TEST_F(Lotti, MissingColumnsAndEmptyCellsTakeTheStartUpValues) {
    const Esito e = esegui("lon, id ,B\n13.40,a,\n,b,650\n");
    ASSERT_EQ(e.codice, 0) << e.err;
    const auto uscita = righe_csv(e.out);
    ASSERT_EQ(uscita.size(), 3u);
    EXPECT_EQ(uscita[1], atteso(tmp.path(), campi_csv("a,,13.40")));
    EXPECT_EQ(uscita[2], atteso(tmp.path(), campi_csv("b,,,,,,,,,,650")));
}

TEST_F(Lotti, ThreadsGiveTheSameOutputInInputOrder) {
    std::string csv = kIntestazione;
    const char* vincoli[] = {"0,1,1\n", "0,0,1\n", "1,0,1\n", "1,0,1\n"};
    for (int i = 0; i < 700; ++i)
        csv += "p" + std::to_string(i) + "," +
               text::fixed(38.5 + 0.011 * i, 3, text::dot_format()) + "," +
               text::fixed(8.0 + 0.013 * i, 3, text::dot_format()) + ",50,10,1.0,B,1.0,2,0.39," +
               std::to_string(200 + i) + ",300,12,0.0008,3,6000,750,900," + vincoli[i % 4];
    const Esito uno = esegui(csv, 1);
    const Esito tre = esegui(csv, 3);
    EXPECT_EQ(uno.codice, tre.codice);
    EXPECT_EQ(uno.out, tre.out);
    EXPECT_EQ(righe_csv(tre.out).size(), 701u);  // one thread keeps the order of the rows
}

TEST_F(Lotti, RowsThatCannotBeSplitOrHaveBadRestraintsAreRefusedAlone) {
    const Esito e = esegui(
        "id,lat,top,left,right\na,42.35\nb,42.35,1,0,0,7\nc,\"42.35,1,0,0\nd,42.35,2,0,0\n\n"
        "e,42.3505,1,1,0\n");
    EXPECT_EQ(e.codice, 1);
    Riga righe;  // a row that could not be split shows only its number
    for (const auto& r : righe_csv(e.out)) righe.push_back(r[0] + " " + r[1] + " " + r.back());
    EXPECT_EQ(righe,
              (Riga{"id lat errore", "1  Riga 2 del file: meno colonne dell'intestazione",
                    "2  Riga 3 del file: più colonne dell'intestazione",
                    "3  Riga 4 del file: virgolette non chiuse",
                    "d 42.35 top: accettati solo 1 (appoggiato) e 0 (libero)", "e 42.3505 "}));
}

TEST_F(Lotti, FilesRefusedBeforeAnyRowExitTwoNamingTheFile) {
    const std::string file = (tmp.path() / "lotto.csv").string();
    const std::string manca = (tmp.path() / "manca.csv").string();
    const std::tuple<std::string, std::string, std::string> casi[] = {
        {"", "", "Il file \"" + file + "\" è vuoto: manca la riga d'intestazione."},
        {"id;t,lat\n", "",
         "La colonna \"id;t\" dell'intestazione del file \"" + file +
             "\" contiene \";\": il separatore delle colonne è \",\" quando l'intestazione "
             "contiene una virgola, altrimenti \";\" (con la virgola decimale)."},
        {"lat,lon,lat\n", "",
         "Colonna \"lat\" ripetuta nell'intestazione del file \"" + file + "\"."},
        {"", manca, "Impossibile leggere il file \"" + manca + "\"."}};
    for (const auto& [csv, altro, messaggio] : casi) {
        const Esito e = esegui(csv, 1, altro);
        EXPECT_EQ(e.codice, 2);
        EXPECT_EQ(e.out, "");
        EXPECT_EQ(e.err, messaggio + "\n");
    }
}

// A spreadsheet's file: ";" between cells and decimal commas, read as the "," file; columns
// the batch does not know are named once, descrizione among the known; --excel writes the same.
TEST_F(Lotti, SemicolonFilesAreReadAndExcelWritesThemUnknownColumnsNamedOnce) {
    const Esito virgola = esegui("id,t,gamma\na,30.5,0.0009\n");
    const Esito pv = esegui("id;descrizione;t;nota;gamma;colore\na;muro, nord;30,5;x;0,0009;y\n");
    ASSERT_EQ(pv.codice, 0) << pv.err;
    EXPECT_EQ(pv.out, virgola.out);
    EXPECT_EQ(pv.err, "Colonne ignorate nel file \"" + (tmp.path() / "lotto.csv").string() +
                          "\": \"nota\", \"colore\".\n");
    OpzioniBatch o;
    o.file = (tmp.path() / "lotto.csv").string(), o.root = tmp.path().string(), o.excel = true;
    std::ostringstream out, err;
    ASSERT_EQ(esegui_batch(o, fs::current_path(), out, err), 0) << err.str();
    const auto righe = righe_csv(virgola.out);
    std::string atteso;
    for (std::size_t c = 0; c < righe[1].size(); ++c) {
        std::string v = righe[1][c];
        if (c > 0 && v.find_first_not_of("0123456789.-+eE") == std::string::npos)
            std::replace(v.begin(), v.end(), '.', ',');
        atteso += (c ? ";" : "") + v;
    }
    EXPECT_EQ(out.str().substr(out.str().find('\n') + 1), atteso + "\n");
    EXPECT_NE(atteso.find(";30,5;0,0009;"), std::string::npos);
}

// A byte-order mark, blanks, quotes, empty lines, Windows-1252 text, and line ends of LF, CR LF
// or CR alone (the library ends lines at LF only: a file of CR line ends was one long header).
TEST(LottoCsv, ReaderTrimsUnquotesAndReadsWindowsText) {
    std::istringstream in(
        "\xEF\xBB\xBFid , lat\r \"a \"\"b\"\"\" , 42.35 \r\n\r\n\xE0 ,\r\"c, d\",1\r\r\nx,2\n");
    LettoreLotto lettore("prova.csv", in);
    Riga lette;
    for (RigaIngresso r; lettore.prossima(r);)
        lette.push_back(std::to_string(r.numero) + " " + r.celle[0].value_or("-") + "|" +
                        r.celle[1].value_or("-") + "|" + r.celle[2].value_or("-") + r.errore);
    EXPECT_EQ(lette, (Riga{"1 a \"b\"|42.35|-", "2 à||-", "3 c, d|1|-", "4 x|2|-"}));
}

TEST(LottoCsv, LinesLongerThanTheReaderHoldsAreNamedNotFatal) {
    const std::string lunga(17u << 20, 'x');
    std::istringstream intestazione(lunga + "\n1\n");
    EXPECT_EQ(tv::prova::messaggio([&] { LettoreLotto l("lungo.csv", intestazione); }),
              "Riga d'intestazione del file \"lungo.csv\" troppo lunga.");
    std::istringstream righe("id\n" + lunga + "\n");
    LettoreLotto lettore("lungo.csv", righe);
    RigaIngresso r;
    EXPECT_EQ(tv::prova::messaggio([&] { lettore.prossima(r); }),
              "Riga 2 del file \"lungo.csv\" troppo lunga.");
}

// A job without site data: a row must give lat and lon; a NUL inside a number is refused, never
// read as the digits before it; the warnings fill avvisi, before errore.
TEST(LottoSenzaSito, RowsWithoutCoordinatesANulInANumberAndWarnings) {
    form::prova::SuiteTemp suite;
    const std::string csv("id,lat,lon,Z,qa\na,45,,,\nb,45,7.29,7\0 50,\nc,45,7.29,,3\n", 54);
    const fs::path file = suite.root() / "lotto.csv";
    form::prova::scrivi(file, csv);
    OpzioniBatch o;
    o.file = file.string(), o.root = suite.root().string();
    std::ostringstream out, err;
    EXPECT_EQ(esegui_batch(o, fs::current_path(), out, err), 1);
    Riga righe;
    for (const auto& r : righe_csv(out.str()))
        righe.push_back(r[0] + "|" + r[kColonneUscita - 2] + "|" + r.back());
    EXPECT_EQ(righe,
              (Riga{"id|avvisi|errore", "a||Il lavoro non ha dati del sito: indicare lat e lon",
                    "b||Z: Richiesto valore numerico", "c|qa = 3 diverso da 1 e da 2|"}));
}

// The demo job under each formula: echoed by its short name, empty is EC8, anything else refuses
// the row alone. The datum likewise; a WGS84 site is checked at its ED50 position (Rome, the
// published cross-check 41.9028, 12.4964 -> 41.903790, 12.497326), as the same site typed there.
TEST_F(Lotti, DomandaAndDatumColumnsChooseTheFormulaAndTheDatumOfEachRow) {
    const Esito e = esegui(
        "id,domanda,datum,lat,lon\na, c7.2.11,,,\nb,,,,\nc,Ec8,,,\nd,C7,,,\n"
        "e,,wgs84,41.9028,12.4964\nf,,,41.90379,12.497326\ng,,GPS,,\n");
    EXPECT_EQ(e.codice, 1);
    const auto u = righe_csv(e.out);
    ASSERT_EQ(u.size(), 8u);
    constexpr std::size_t Sa = colonna_uscita("Sa");
    constexpr std::size_t datum = colonna_uscita("datum"), lat = colonna_uscita("lat"),
                          lat_ed50 = colonna_uscita("lat_ed50"), lon_ed50 = colonna_uscita("lon_ed50");
    EXPECT_EQ((Riga{u[5][datum], u[5][lat], u[5][lat_ed50], u[5][lon_ed50]}),
              (Riga{"WGS84", "41.9028", "41.90379", "12.497326"}));
    EXPECT_EQ(Riga(u[5].begin() + lon_ed50 + 1, u[5].end()),
              Riga(u[6].begin() + lon_ed50 + 1, u[6].end()));
    EXPECT_EQ(u[7].back(), "datum: accettati solo ED50 e WGS84 (o vuota)");
    EXPECT_NEAR(std::stod(u[1][Sa]), 1.7415, 5e-4);  // by hand, [C7.2.11] rising branch
    constexpr std::size_t domanda = colonna_uscita("domanda");
    EXPECT_EQ((Riga{u[1][domanda], u[2][domanda], u[3][domanda], u[4][domanda]}),
              (Riga{"C7.2.11", "EC8", "EC8", "C7"}));
    EXPECT_EQ((Riga{u[2][Sa], u[3][Sa], u[4][Sa]}), (Riga{"1.1675", "1.1675", ""}));
    EXPECT_EQ(u[4].back(), "domanda: accettate solo EC8, C7.2.11 e C7.2.5 (o vuota)");
}

}  // namespace
}  // namespace tv::cli
