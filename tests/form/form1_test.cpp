// Handlers of the main window between two check runs: field validation, the double-click
// hand-over, the restraint toggles and the locality search.
#include "form/form1.h"

#include <gtest/gtest.h>

#include "suite_temp.h"

namespace tv::form {
namespace {
using prova::Finestra;
using prova::SuiteTemp;

// Soil letters: the texts the field table of matrice_test does not hold.
struct CasoConvalida {
    const char *nome, *testo;
    bool accettato;
};

class Convalida : public ::testing::TestWithParam<CasoConvalida> {};

TEST_P(Convalida, AcceptsOrRefusesWithTheMessage) {
    const CasoConvalida& c = GetParam();
    Finestra w;
    w.form.stato.text1[4] = c.testo;
    EXPECT_EQ(w.form.Text1_Validate(4), !c.accettato);
    EXPECT_EQ(w.form.stato.text1[4], c.testo) << "validation never rewrites the field";
    const Messaggio rifiuto{"Accettati solo terreni tipo A, B, C, D, E", "Input errato", Icona::stop};
    EXPECT_EQ(w.messaggi.elenco, c.accettato ? std::vector<Messaggio>{} : std::vector{rifiuto});
    EXPECT_EQ(w.form.motivo_rifiuto(4),
              c.accettato ? std::nullopt : std::optional<std::string>(rifiuto.testo));
}

INSTANTIATE_TEST_SUITE_P(Campi, Convalida,
                         ::testing::Values(CasoConvalida{"SoilLowerCaseWithBlanks", " b ", true},
                                           CasoConvalida{"SoilE", "E", true},
                                           CasoConvalida{"SoilF", "F", false},
                                           CasoConvalida{"SoilTwoLetters", "AB", false}),
                         [](const auto& info) { return std::string(info.param.nome); });

// The coordinates take degrees, minutes and seconds, written back as decimal degrees (45 + 4/60 +
// 13/3600; 7 + 41/60 + 12/3600); a hemisphere letter must be the field's.
TEST(ConvalidaCoordinate, SexagesimalTextsBecomeDecimalDegrees) {
    Finestra w;
    for (const auto& [campo, testo, atteso] :
         {std::tuple{7, "45\u00b04'13\" N", "45.070278"}, std::tuple{6, "7 41 12 e", "7.686667"},
          std::tuple{6, "7.6869", "7.6869"}, std::tuple{7, "45 4 13 E", ""},
          std::tuple{6, "N 7 41 12", ""}}) {
        w.form.stato.text1[static_cast<std::size_t>(campo)] = testo;
        EXPECT_EQ(w.form.Text1_Validate(campo), *atteso == '\0') << testo;
        EXPECT_EQ(w.form.stato.text1[static_cast<std::size_t>(campo)], *atteso ? atteso : testo);
    }
}

// A double-click hands the unit of the field's family to the editor; results open nothing.
TEST(DoppioClic, HandsOverTheUnitOfTheFieldsFamily) {
    SuiteTemp s;
    prova::scrivi(s.lavoro() / "parametrilavoro", prova::parametrilavoro("mm", "kN", "kN/m3", "MPa"));
    Finestra w;
    ASSERT_TRUE(w.avvia(s));
    for (const auto& [campo, unita] : {std::pair{17, "mm"}, std::pair{14, "kN/m3"},
                                       std::pair{23, "MPa"}, std::pair{10, ""}, std::pair{20, ""}}) {
        w.form.unita_campo = "", w.form.campo_attivo = -1;
        EXPECT_EQ(w.form.Text1_DblClick(campo), *unita != '\0') << campo;
        EXPECT_EQ(w.form.unita_campo, unita) << campo;
        EXPECT_EQ(w.form.campo_attivo, *unita ? campo : -1);
    }
}

const Messaggio kVincoli{"Verifica non possibile", "VINCOLI SCORRETTI", Icona::stop};

// Sides first, then the top, as a user reaches each combination; an accepted one also runs.
// The default panel: B 500, L 300, t 12 cm.
TEST(Vincoli, EachCombinationReachedOrRefusedAndCaptionsAndLinesFollow) {
    struct Caso {  // luce: span symbol of the run (Label1(8)); ripartizione: its Label3
        bool top, left, right, accettato;
        const char *luce, *ripartizione;
    };
    for (const Caso& c :
         {Caso{true, true, true, true, "L", "92.8 / 7.2"}, Caso{true, true, false, true, "L", "95.2 / 4.8"},
          Caso{true, false, true, true, "L", "95.2 / 4.8"}, Caso{true, false, false, true, "L", "100 / 0"},
          Caso{false, true, true, true, "B", "8 / 92"}, Caso{false, true, false, false, "", ""},
          Caso{false, false, true, false, "", ""}, Caso{false, false, false, true, "L", nullptr}}) {
        SCOPED_TRACE(std::string(c.top ? "S" : "F") + (c.left ? "S" : "F") + (c.right ? "S" : "F"));
        SuiteTemp suite;
        Finestra w;
        ASSERT_TRUE(w.avvia(suite));
        auto& s = w.form.stato;
        const bool ok = w.form.imposta_check(1, c.left) && w.form.imposta_check(3, c.right) &&
                        w.form.imposta_check(0, c.top);
        EXPECT_EQ(ok, c.accettato);
        EXPECT_EQ(s.check1, (std::array<bool, 4>{c.top || !c.accettato, c.left, true, c.right}))
            << "a refused top is supported again; the side the user freed stays free";
        for (std::size_t i = 0; i < 4; ++i) {  // caption and line width
            const auto linea = static_cast<std::size_t>(linea_di_check(static_cast<int>(i)));
            EXPECT_EQ(s.check1_caption[i] + std::to_string(s.line_width[linea]),
                      s.check1[i] ? "Appoggiato3" : "Libero1") << i;
        }
        if (!c.accettato) {
            EXPECT_EQ(w.messaggi.elenco, std::vector<Messaggio>{kVincoli});
            continue;
        }
        EXPECT_TRUE(w.messaggi.elenco.empty());
        const StatoFinestra prima = s;  // clicks outside the four toggles are ignored
        w.form.Check1_Click(4), w.form.Check1_Click(-1);
        EXPECT_TRUE(!w.form.imposta_check(4, false) && s == prima);
        ASSERT_TRUE(w.form.Command1_Click(0));
        EXPECT_EQ(s.label1[8], c.luce);
        EXPECT_EQ(s.label3, c.ripartizione ? "Ripartizione massa verticale / orizzontale = " +
                                                 std::string(c.ripartizione) + " [%]"
                                           : "Ripartizione massa: mensola");
    }
}

// A message box lets the user type on: a search typed from inside it returns at once.
struct MessaggiCheDigitano : RaccoltaMessaggi {
    void mostra(const Messaggio& m) override {
        RaccoltaMessaggi::mostra(m);
        if (elenco.size() < 3) form->imposta_testo_combo("torino");
    }
    Form1* form = nullptr;
};

TEST(Ricerca, ShortTextKeepsTheLinesNoMatchEmptiesThemAndAMissingFileIsNamedOnce) {
    SuiteTemp suite;
    Finestra w;
    ASSERT_TRUE(w.avvia(suite));
    MessaggiCheDigitano m;
    m.form = &w.form;
    w.form.imposta_messaggi(m);
    w.form.imposta_testo_combo("tor");
    const auto righe = w.form.stato.combo_list;
    ASSERT_EQ(righe.size(), 3u);
    for (const char* corto : {"to", ""}) {
        w.form.imposta_testo_combo(corto);
        EXPECT_EQ(w.form.stato.combo_list, righe);
    }
    w.form.imposta_testo_combo("zzzz");
    EXPECT_TRUE(w.form.stato.combo_list.empty());
    // The pick itself is the window's test; here a pick outside the list writes nothing.
    w.form.imposta_testo_combo("separatore");
    ASSERT_EQ(w.form.stato.combo_list, std::vector<std::string>{prova::righe_localita()[3]});
    const StatoFinestra prima = w.form.stato;
    for (int i : {0, 1, -1}) w.form.Combo1_Click(i);
    EXPECT_TRUE(w.form.stato == prima);
    EXPECT_TRUE(m.elenco.empty());

    std::filesystem::remove(w.form.file_localita());
    w.form.imposta_testo_combo("torino");
    EXPECT_TRUE(w.form.stato.combo_list.empty());
    ASSERT_EQ(m.elenco.size(), 1u);
    EXPECT_NE(m.elenco[0].testo.find("coordinate_localita.txt"), std::string::npos);
    // The flag of the search was released: a later search runs again.
    prova::scrivi(suite.progra() / "coordinate_localita.txt", prova::testo_localita());
    w.form.imposta_testo_combo("torino");
    EXPECT_EQ(w.form.stato.combo_list, std::vector<std::string>{prova::righe_localita()[4]});
}

}  // namespace
}  // namespace tv::form
