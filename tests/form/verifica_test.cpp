// The check run behind "AGGIORNA" on a small grid written by the test: what a completed run
// writes, that a stopped run writes nothing, and a "," locale.
#include <gtest/gtest.h>

#include <algorithm>

#include "form/form1.h"
#include "suite_temp.h"
#include "text/number_text.h"

namespace tv::form {
namespace {
using prova::Finestra;
using prova::SuiteTemp;

constexpr int kNodo = 33;  // row 2, column 2: 7.29 E, 45 N

// A window started on a fresh temporary suite, its site put on node 33.
class Verifica : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(w.avvia(suite));
        ASSERT_TRUE(w.messaggi.elenco.empty());
        campo(6) = "7.29";
        campo(7) = "45";
    }
    std::string& campo(int i) { return w.form.stato.text1[static_cast<std::size_t>(i)]; }

    SuiteTemp suite;
    Finestra w;
};

// TR itself is the hazard library's: here fields 8 to 10 reach it (VR = 25 x 2, PVR 5%: TR 975
// years, a tabulated period) and field 0 shows its ag.
TEST_F(Verifica, FieldZeroShowsAgOfTheSiteAtTheReturnPeriodOfTheFields) {
    campo(8) = "25", campo(10) = "2", campo(9) = "5";
    ASSERT_TRUE(w.form.Command1_Click(0));
    const AzioneSito& a = w.form.risultato->azione;
    EXPECT_EQ(w.form.stato.label2_6, "50");
    EXPECT_EQ(a.TR, 975);
    EXPECT_EQ(campo(0), text::rounded(prova::ag_nodo(kNodo, 7), 4, text::dot_format()));
    EXPECT_NEAR(a.ag, prova::ag_nodo(kNodo, 7), 1e-9) << "ag keeps full precision";
    EXPECT_TRUE(w.messaggi.elenco.empty());
}

// Ss and S are the hazard library's: here soil and topography reach them. T1 comes from field 1
// and a changed grid file is read again.
TEST_F(Verifica, RunTakesSoilTopographyAndT1AndReadsTheGridFileAgainWhenItChanges) {
    campo(4) = " b ", campo(5) = "1.2", campo(1) = "0.5";
    ASSERT_TRUE(w.form.Command1_Click(0));
    // Ss = 1.4 - 0.4 x F0 x ag = 1.4 - 0.4 x 2.5 x 0.2033, within the limits of soil B.
    EXPECT_EQ(w.form.stato.label2_0 + " " + w.form.stato.label2_1, "1.197 1.436");
    EXPECT_EQ(campo(4), " b ") << "the run reads the soil, it does not rewrite it";
    EXPECT_EQ(w.form.T1, 0.5);
    EXPECT_EQ(campo(0), "0.2033");
    prova::scrivi(suite.file_griglia(), prova::testo_griglia(100) + "\n\n");
    ASSERT_TRUE(w.form.Command1_Click(0));
    EXPECT_EQ(campo(0), "0.2133");
}

TEST(VerificaVirgola, SameResultsAsUnderADotLocale) {
    SuiteTemp suite;
    Finestra punto, virgola(prova::formato_virgola());
    ASSERT_TRUE(punto.avvia(suite));
    ASSERT_TRUE(virgola.avvia(suite));
    auto& tp = punto.form.stato.text1;
    auto& tv = virgola.form.stato.text1;
    tp[6] = "7.28", tp[7] = "45.07", tp[13] = "12.5", tp[9] = "9.5";
    tv[6] = "7,28", tv[7] = "45,07", tv[13] = "12,5", tv[9] = "9,5";
    ASSERT_TRUE(punto.form.Command1_Click(0));
    ASSERT_TRUE(virgola.form.Command1_Click(0));
    for (auto i : prova::kRisultati) {
        std::string v = tv[static_cast<std::size_t>(i)];
        std::replace(v.begin(), v.end(), ',', '.');
        EXPECT_EQ(v, tp[static_cast<std::size_t>(i)]) << "field " << i;
    }
    EXPECT_EQ(virgola.form.risultato->azione.ag, punto.form.risultato->azione.ag);
    EXPECT_NE(tv[0].find(','), std::string::npos);
}

}  // namespace
}  // namespace tv::form
