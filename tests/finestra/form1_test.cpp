// SPDX-License-Identifier: GPL-3.0-or-later
// Handlers of the main window between two check runs: field validation, the double-click
// hand-over, the restraint toggles and the locality search.
#include "app/modello/form1.h"

#include <gtest/gtest.h>

#include "panel/domanda.h"
#include "finestra_temp.h"

namespace tv::form {
namespace {
using prova::Finestra;
using prova::SuiteTemp;

// Soil letters in any case and with blanks, E among them; coordinates in degrees, minutes and
// seconds written back as decimal degrees (45 + 4/60 + 13/3600; 7 + 41/60 + 12/3600), where a
// hemisphere letter must be the field's. A refused text stays as typed and its reason is shown
// (the reasons' wording is the golden file's).
TEST(Convalida, SoilLettersAndSexagesimalCoordinates) {
    for (const auto& [campo, testo, atteso] :
         {std::tuple{4, " b ", " b "}, {4, "E", "E"}, {4, "F", ""}, {4, "AB", ""},
          {7, "45\u00b04'13\" N", "45.070278"}, {6, "7 41 12 e", "7.686667"},
          {6, "7.6869", "7.6869"}, {7, "45 4 13 E", ""}, {6, "N 7 41 12", ""}}) {
        Finestra w;
        const Campo c = *campo_di_indice(campo);
        const bool accettato = *atteso != '\0';
        w.form.stato.pannello.testi[c] = testo;
        EXPECT_EQ(w.form.Text1_Validate(campo), !accettato) << testo;
        EXPECT_EQ(w.form.stato.pannello.testi[c], accettato ? atteso : testo);
        const auto m = w.form.motivo_rifiuto(c);
        ASSERT_EQ(m.has_value(), !accettato) << testo;
        const std::vector<Messaggio> attesi{Messaggio{m.value_or(""), "Input errato", Icona::stop}};
        EXPECT_EQ(w.messaggi.elenco, accettato ? std::vector<Messaggio>{} : attesi) << testo;
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

const Messaggio kVincoli{panel::kVincoliNonAmmessi, "VINCOLI SCORRETTI", Icona::stop};

// Sides first, then the top, as a user reaches each combination. The shares and the span of each
// accepted one are the panel check's; the demo, kgf and cantilever goldens run them end to end.
TEST(Vincoli, EachCombinationReachedOrRefusedAndCaptionsAndLinesFollow) {
    for (const auto& [top, left, right, accettato] :
         {std::array{true, true, true, true}, {true, true, false, true}, {true, false, true, true},
          {true, false, false, true}, {false, true, true, true}, {false, true, false, false},
          {false, false, true, false}, {false, false, false, true}}) {
        SCOPED_TRACE(std::string(top ? "S" : "F") + (left ? "S" : "F") + (right ? "S" : "F"));
        SuiteTemp suite{prova::kConSito};
        Finestra w;
        ASSERT_TRUE(w.avvia(suite));
        auto& s = w.form.stato;
        // Every combination is reached, whatever the order; only the check refuses the two
        // that cannot be checked, saying why, and the verdict's place says so before.
        w.form.imposta_check(1, left), w.form.imposta_check(3, right), w.form.imposta_check(0, top);
        EXPECT_EQ(s.pannello.vincoli, (panel::Vincoli{top, left, right}));
        EXPECT_EQ(w.form.aspetto().label28 == "Vincoli da correggere", !accettato);
        for (std::size_t i = 0; i < 4; ++i) {  // caption and line width
            const auto linea = static_cast<std::size_t>(linea_di_check(static_cast<int>(i)));
            EXPECT_EQ(s.check1_caption[i] + std::to_string(s.line_width[linea]),
                      appoggiato(s.pannello.vincoli, Lato(i)) ? "Appoggiato3" : "Libero1") << i;
        }
        const StatoFinestra prima = s;  // clicks outside the four toggles are ignored
        w.form.Check1_Click(4), w.form.Check1_Click(-1), w.form.imposta_check(4, false);
        EXPECT_TRUE(s == prima);
        EXPECT_EQ(w.form.Command1_Click(0), accettato);
        EXPECT_EQ(w.messaggi.elenco, accettato ? std::vector<Messaggio>{} : std::vector{kVincoli});
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
