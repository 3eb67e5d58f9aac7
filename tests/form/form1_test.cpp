// Handlers of the main window between two check runs: field validation, the double-click
// hand-over, the restraint toggles and the locality search.
#include "form/form1.h"

#include <gtest/gtest.h>

#include "suite_temp.h"

namespace tv::form {
namespace {
namespace fs = std::filesystem;
using prova::Finestra;
using prova::SuiteTemp;

const char* const kSoloTerreni = "Accettati solo terreni tipo A, B, C, D, E";
const char* const kNumerico = "Richiesto valore numerico";

// ---- Validation -----------------------------------------------------------------------------

struct CasoConvalida {
    const char* nome;
    int campo;
    const char* testo;
    bool virgola;           // the locale writes "," as decimal separator
    const char* messaggio;  // nullptr: accepted
};
void PrintTo(const CasoConvalida& c, std::ostream* os) {
    *os << c.nome;
}

class Convalida : public ::testing::TestWithParam<CasoConvalida> {};

TEST_P(Convalida, AcceptsOrRefusesWithTheMessage) {
    const CasoConvalida& c = GetParam();
    Finestra w(c.virgola ? prova::formato_virgola() : text::dot_format());
    auto& campo = w.form.stato.text1[static_cast<std::size_t>(c.campo)];
    campo = c.testo;
    const bool cancel = w.form.Text1_Validate(c.campo);
    EXPECT_EQ(campo, c.testo) << "validation never rewrites the field";
    if (!c.messaggio) {
        EXPECT_FALSE(cancel);
        EXPECT_TRUE(w.messaggi.elenco.empty());
        EXPECT_FALSE(w.form.motivo_rifiuto(c.campo).has_value());
        return;
    }
    EXPECT_TRUE(cancel);
    ASSERT_EQ(w.messaggi.elenco.size(), 1u);
    EXPECT_EQ(w.messaggi.elenco[0], (Messaggio{c.messaggio, "Input errato", Icona::stop}));
    EXPECT_EQ(w.form.motivo_rifiuto(c.campo), std::optional<std::string>(c.messaggio));
}

// The texts the field table of matrice_test does not hold: soil letters and units after numbers.
INSTANTIATE_TEST_SUITE_P(
    Campi, Convalida,
    ::testing::Values(CasoConvalida{"SoilLowerCaseWithBlanks", 4, " b ", false, nullptr},
                      CasoConvalida{"SoilE", 4, "E", false, nullptr},
                      CasoConvalida{"SoilF", 4, "F", false, kSoloTerreni},
                      CasoConvalida{"SoilTwoLetters", 4, "AB", false, kSoloTerreni},
                      CasoConvalida{"SoilWithText", 4, "C - TERRENI", false, kSoloTerreni},
                      CasoConvalida{"NumberFollowedByText", 12, "300 cm", false, kNumerico},
                      CasoConvalida{"CommaLocaleSiteFieldWithComma", 7, "45,07", true, nullptr}),
    [](const auto& info) { return std::string(info.param.nome); });

// ---- Double-click hand-over -----------------------------------------------------------------

struct CasoDoppioClic {
    int campo;
    std::string units::Unita::*unita;  // nullptr: nothing opens
};
void PrintTo(const CasoDoppioClic& c, std::ostream* os) {
    *os << "field " << c.campo;
}

class DoppioClic : public ::testing::TestWithParam<CasoDoppioClic> {};

TEST_P(DoppioClic, HandsOverTheUnitOfTheFieldsFamily) {
    const CasoDoppioClic& c = GetParam();
    SuiteTemp s;
    prova::scrivi(s.lavoro() / "parametrilavoro",
                  prova::parametrilavoro("mm", "kN", "kN/m3", "MPa"));
    Finestra w;
    ASSERT_TRUE(w.avvia(s));
    w.form.unita_campo = "prima";
    const bool apre = w.form.Text1_DblClick(c.campo);
    if (!c.unita) {
        EXPECT_FALSE(apre);
        EXPECT_EQ(w.form.unita_campo, "prima");
        EXPECT_EQ(w.form.campo_attivo, -1);
        return;
    }
    EXPECT_TRUE(apre);
    EXPECT_EQ(w.form.unita_campo, w.form.unita.*c.unita);
    EXPECT_EQ(w.form.campo_attivo, c.campo);
}

using U = units::Unita;
INSTANTIATE_TEST_SUITE_P(
    Campi, DoppioClic,
    ::testing::Values(
        CasoDoppioClic{17, &U::unita_lunghezze}, CasoDoppioClic{14, &U::unita_pesi_specifici},
        CasoDoppioClic{23, &U::unita_tensioni}, CasoDoppioClic{10, nullptr},
        CasoDoppioClic{20, nullptr}),
    [](const auto& info) { return "Field" + std::to_string(info.param.campo); });

// ---- Restraint toggles ----------------------------------------------------------------------

const Messaggio kVincoli{"Verifica non possibile", "VINCOLI SCORRETTI", Icona::stop};

// Caption and edge line of toggle i agree with its state.
void coerente(const StatoFinestra& s, int i) {
    const auto k = static_cast<std::size_t>(i);
    const int linea = s.line_width[static_cast<std::size_t>(linea_di_check(i))];
    EXPECT_EQ(s.check1_caption[k], s.check1[k] ? "Appoggiato" : "Libero") << "toggle " << i;
    EXPECT_EQ(linea, s.check1[k] ? 3 : 1) << "toggle " << i;
}

TEST(Vincoli, EdgeLinesOfTheToggles) {
    EXPECT_EQ(linea_di_check(0), 2);  // top: Line3
    EXPECT_EQ(linea_di_check(1), 0);  // left: Line1
    EXPECT_EQ(linea_di_check(2), 3);  // bottom: Line4
    EXPECT_EQ(linea_di_check(3), 1);  // right: Line2
    const StatoFinestra s;
    for (int i = 0; i < 4; ++i) coerente(s, i);
}

TEST(Vincoli, TopFreedWhileBothSidesSupportedThenLeftFreed) {
    Finestra w;
    auto& s = w.form.stato;
    EXPECT_TRUE(w.form.imposta_check(1, true));
    EXPECT_TRUE(w.form.imposta_check(3, true));
    EXPECT_TRUE(w.form.imposta_check(0, false));
    EXPECT_TRUE(w.messaggi.elenco.empty());
    EXPECT_EQ(s.check1_caption[0], "Libero");
    EXPECT_EQ(s.line_width[2], 1);

    EXPECT_FALSE(w.form.imposta_check(1, false));
    ASSERT_EQ(w.messaggi.elenco.size(), 1u);
    EXPECT_EQ(w.messaggi.elenco[0], kVincoli);
    EXPECT_TRUE(s.check1[0]);
    EXPECT_EQ(s.check1_caption[0], "Appoggiato");
    EXPECT_EQ(s.line_width[2], 3);
    EXPECT_FALSE(s.check1[1]) << "the side the user freed stays free";
    EXPECT_TRUE(s.check1[3]);
    for (int i = 0; i < 4; ++i) coerente(s, i);
}

TEST(Vincoli, ClickOutsideTheFourTogglesIsIgnored) {
    Finestra w;
    const StatoFinestra prima = w.form.stato;
    w.form.Check1_Click(4);
    w.form.Check1_Click(-1);
    EXPECT_FALSE(w.form.imposta_check(4, false));
    EXPECT_TRUE(w.form.stato == prima);
    EXPECT_TRUE(w.messaggi.elenco.empty());
}

struct CasoVincoli {
    bool top, left, right;
    bool accettato;
    const char* luce;          // span symbol of the run (Label1(8))
    const char* ripartizione;  // Label3 of the run
};
void PrintTo(const CasoVincoli& c, std::ostream* os) {
    *os << (c.top ? "S" : "F") << (c.left ? "S" : "F") << (c.right ? "S" : "F");
}

class TabellaVincoli : public ::testing::TestWithParam<CasoVincoli> {};

// Sides first, then the top, as a user reaches a combination; an accepted one also runs.
TEST_P(TabellaVincoli, ReachedOrRefused) {
    const CasoVincoli& c = GetParam();
    SuiteTemp suite;
    Finestra w;
    ASSERT_TRUE(w.avvia(suite));
    auto& s = w.form.stato;
    const bool ok = w.form.imposta_check(1, c.left) && w.form.imposta_check(3, c.right) &&
                    w.form.imposta_check(0, c.top);
    EXPECT_EQ(ok, c.accettato);
    for (int i = 0; i < 4; ++i) coerente(s, i);
    EXPECT_TRUE(s.check1[2]);
    EXPECT_EQ(s.check1[1], c.left);
    EXPECT_EQ(s.check1[3], c.right);
    if (!c.accettato) {
        EXPECT_TRUE(s.check1[0]) << "the top is supported again";
        ASSERT_EQ(w.messaggi.elenco.size(), 1u);
        EXPECT_EQ(w.messaggi.elenco[0], kVincoli);
        return;
    }
    EXPECT_EQ(s.check1[0], c.top);
    EXPECT_TRUE(w.messaggi.elenco.empty());
    ASSERT_TRUE(w.form.Command1_Click(0));
    EXPECT_EQ(s.label1[8], c.luce);
    EXPECT_EQ(s.label3, std::string("Ripartizione massa verticale / orizzontale = ") +
                            c.ripartizione + " [%]");
}

// Default panel: B 500, L 300, t 12 cm.
INSTANTIATE_TEST_SUITE_P(Combinazioni, TabellaVincoli,
                         ::testing::Values(CasoVincoli{true, true, true, true, "L", "92.8 / 7.2"},
                                           CasoVincoli{true, true, false, true, "L", "95.2 / 4.8"},
                                           CasoVincoli{true, false, true, true, "L", "95.2 / 4.8"},
                                           CasoVincoli{true, false, false, true, "L", "100 / 0"},
                                           CasoVincoli{false, true, true, true, "B", "8 / 92"},
                                           CasoVincoli{false, true, false, false, "", ""},
                                           CasoVincoli{false, false, true, false, "", ""},
                                           CasoVincoli{false, false, false, false, "", ""}),
                         [](const auto& info) {
                             const auto& p = info.param;
                             return std::string(p.top ? "S" : "F") + (p.left ? "S" : "F") +
                                    (p.right ? "S" : "F");
                         });

// ---- Locality search ------------------------------------------------------------------------

class Ricerca : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(w.avvia(suite)); }
    const std::string& riga(std::size_t i) { return prova::righe_localita()[i]; }

    SuiteTemp suite;
    Finestra w;
};

TEST_F(Ricerca, ShortTextKeepsThePreviousLines) {
    w.form.imposta_testo_combo("tor");
    const auto prima = w.form.stato.combo_list;
    ASSERT_EQ(prima.size(), 3u);
    w.form.imposta_testo_combo("to");
    EXPECT_EQ(w.form.stato.combo_list, prima);
    w.form.imposta_testo_combo("");
    EXPECT_EQ(w.form.stato.combo_list, prima);
}

TEST_F(Ricerca, NoMatchEmptiesTheList) {
    w.form.imposta_testo_combo("tor");
    w.form.imposta_testo_combo("zzzz");
    EXPECT_TRUE(w.form.stato.combo_list.empty());
    EXPECT_TRUE(w.messaggi.elenco.empty());
}

TEST_F(Ricerca, PickWritesLatitudeIntoSevenAndLongitudeIntoSix) {
    w.form.imposta_testo_combo("tor");
    const StatoFinestra prima = w.form.stato;
    w.form.Combo1_Click(1);  // Torino
    StatoFinestra atteso = prima;
    atteso.text1[7] = "45.0703";
    atteso.text1[6] = "7.6869";
    EXPECT_TRUE(w.form.stato == atteso) << "nothing but the two fields changes";
}

TEST_F(Ricerca, PickOfALineWithoutSecondPieceOrOutOfTheListChangesNothing) {
    w.form.imposta_testo_combo("separatore");
    ASSERT_EQ(w.form.stato.combo_list, std::vector<std::string>{riga(3)});
    const StatoFinestra prima = w.form.stato;
    w.form.Combo1_Click(0);
    w.form.Combo1_Click(1);
    w.form.Combo1_Click(-1);
    EXPECT_TRUE(w.form.stato == prima);
    EXPECT_TRUE(w.messaggi.elenco.empty());
}

TEST_F(Ricerca, MissingLocalityFileEmptiesTheListWithAMessageNamingIt) {
    w.form.imposta_testo_combo("tor");
    fs::remove(w.form.file_localita());
    w.form.imposta_testo_combo("torino");
    EXPECT_TRUE(w.form.stato.combo_list.empty());
    ASSERT_EQ(w.messaggi.elenco.size(), 1u);
    EXPECT_NE(w.messaggi.elenco[0].testo.find("coordinate_localita.txt"), std::string::npos);
    // The flag of the search was released: a later search runs again.
    prova::scrivi(suite.progra() / "coordinate_localita.txt", prova::testo_localita());
    w.form.imposta_testo_combo("torino");
    EXPECT_EQ(w.form.stato.combo_list, std::vector<std::string>{riga(4)});
}

// A message box is modal but lets the user type on: a search started from inside it returns at
// once instead of searching (and failing) again.
class MessaggiCheDigitano : public Messaggi {
  public:
    void mostra(const Messaggio& m) override {
        elenco.push_back(m);
        if (form && elenco.size() < 3) form->imposta_testo_combo("torino");
    }
    Form1* form = nullptr;
    std::vector<Messaggio> elenco;
};

TEST(RicercaOccupata, SearchTypedWhileItsMessageIsOpenReturnsAtOnce) {
    SuiteTemp suite;
    MessaggiCheDigitano m;
    Form1 f(m, text::dot_format());
    ASSERT_TRUE(f.Form_Load(suite.args(), fs::current_path()));
    fs::remove(f.file_localita());
    m.form = &f;
    f.imposta_testo_combo("tor");
    EXPECT_EQ(m.elenco.size(), 1u);
    EXPECT_EQ(f.stato.combo_text, "torino");
    EXPECT_TRUE(f.stato.combo_list.empty());
}

}  // namespace
}  // namespace tv::form
