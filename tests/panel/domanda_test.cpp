// Panel check in base units: weight shares by restraint, spanning direction, period,
// acceleration, force, verdict, and the refusal of inputs and restraints.
#include "panel/domanda.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "messaggio.h"

namespace tv::panel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// The start-up panel: B 500, L 300, t 12 cm, 0.0008 daN/cm3, fd 3, E 6000 daN/cm2, Z 750,
// H 900 cm, qa 2, top and bottom supported; site ag 0.2, S 1, T1 0.39 s.
DatiPannello avvio() {
    return {300, 500, 12, 0.0008, 3, 6000, 750, 900, 2, {}};
}
constexpr DatiSito kSito{0.2, 1.0, 0.39};

TEST(VerificaPannello, StartUpPanelMatchesTheHandCheck) {
    const EsitoPannello e = verifica_pannello(avvio(), kSito);
    EXPECT_DOUBLE_EQ(e.W, 1440.0);
    EXPECT_EQ(e.direzione, Direzione::verticale);
    EXPECT_EQ(e.span, 300.0);
    EXPECT_DOUBLE_EQ(e.J, 72000.0);
    EXPECT_NEAR(e.Ta, 0.192826569, 1e-8);
    EXPECT_NEAR(e.Sa, 0.776072422, 1e-8);
    EXPECT_NEAR(e.Fa, 558.772144, 1e-5);
    EXPECT_NEAR(e.Rlat, 614.874399, 1e-5);
    EXPECT_DOUBLE_EQ(e.Wa, e.W);
    EXPECT_NEAR(e.arco.K1, 0.853992, 1e-6);
    EXPECT_NEAR(e.arco.deltafreccia, 0.8195364, 1e-6);
    EXPECT_NEAR(e.arco.sigmacrit, 10.293918, 1e-6);
    EXPECT_TRUE(e.ok);
    EXPECT_EQ(e.perc_verticale, 100.0);
    EXPECT_EQ(e.perc_orizzontale, 0.0);
}

TEST(VerificaPannello, ResistanceIsTheDesignPressureOverTheArea) {
    for (const Vincoli v : {Vincoli{true, false, false}, Vincoli{false, true, true}}) {
        DatiPannello p = avvio();
        p.vincoli = v;
        const EsitoPannello e = verifica_pannello(p, kSito);
        EXPECT_NEAR(e.Rlat, e.arco.qd * p.B * p.L, e.Rlat * 1e-12);
    }
}

struct CasoQuote {
    double B, L, t;
    Vincoli v;
    double verticale, orizzontale;
    Direzione direzione;
    double perc_verticale;
};
class Ripartizione : public testing::TestWithParam<CasoQuote> {};

TEST_P(Ripartizione, SharesDirectionAndShownPercentages) {
    const CasoQuote& c = GetParam();
    DatiPannello p = avvio();
    p.B = c.B;
    p.L = c.L;
    p.t = c.t;
    p.vincoli = c.v;
    const EsitoPannello e = verifica_pannello(p, kSito);
    EXPECT_EQ(e.quota_verticale, c.verticale);
    EXPECT_EQ(e.quota_orizzontale, c.orizzontale);
    EXPECT_EQ(e.direzione, c.direzione);
    EXPECT_NEAR(e.perc_verticale, c.perc_verticale, 1e-9);
    EXPECT_NEAR(e.perc_verticale + e.perc_orizzontale, 100.0, 1e-9);
    EXPECT_EQ(e.span, c.direzione == Direzione::verticale ? c.L : c.B);
}

constexpr Vincoli kTutti{true, true, true}, kSinistro{true, true, false},
    kDestro{true, false, true};
constexpr Vincoli kLaterali{false, true, true};
INSTANTIATE_TEST_SUITE_P(
    ByRestraint, Ripartizione,
    testing::Values(
        // 9.151 e^-2.907 = 0.500005 -> 0.5 each; the tie spans vertically.
        CasoQuote{300, 300, 12, kTutti, 0.5, 0.5, Direzione::verticale, 50},
        // B = 1.5 L: 9.151 e^-4.3605 = 0.11688 -> 0.1169.
        CasoQuote{450, 300, 12, kTutti, 1 - 0.1169, 0.1169, Direzione::verticale, 88.31},
        // B < L: the vertical share is the exponential one, 9.151 e^-5.814 -> 0.0273.
        CasoQuote{300, 600, 12, kTutti, 0.0273, 1 - 0.0273, Direzione::orizzontale, 2.73},
        CasoQuote{500, 300, 12, kSinistro, 0.952, 0, Direzione::verticale, 95.2},
        CasoQuote{500, 300, 12, kDestro, 0.952, 0, Direzione::verticale, 95.2},
        CasoQuote{500, 300, 12, kLaterali, 0, 0.92, Direzione::orizzontale, 8},
        CasoQuote{500, 300, 12, Vincoli{}, 1, 0, Direzione::verticale, 100},
        // B <= 2t with one side: the share clamps to 0 and the tie spans vertically.
        CasoQuote{20, 300, 12, kSinistro, 0, 0, Direzione::verticale, 0},
        CasoQuote{500, 20, 12, kLaterali, 0, 0, Direzione::verticale, 0}));

TEST(VerificaPannello, ZeroGoverningShareHasNoPeriodNoForceAndPasses) {
    DatiPannello p = avvio();
    p.B = 24;  // = 2t
    p.vincoli = kSinistro;
    const EsitoPannello e = verifica_pannello(p, kSito);
    EXPECT_EQ(e.Ta, 0.0);
    EXPECT_EQ(e.Fa, 0.0);
    EXPECT_EQ(e.Wa, 0.0);
    EXPECT_TRUE(e.ok);
}

TEST(VerificaPannello, AccelerationNeverBelowGroundTimesS) {
    DatiPannello p = avvio();
    p.Z = 0;
    const EsitoPannello alto = verifica_pannello(p, {0.2, 1.5, 0.09});  // Ta 0.193 > 2 T1
    EXPECT_DOUBLE_EQ(alto.Sa, 0.3);
    const EsitoPannello basso = verifica_pannello(p, {0.2, 1.5, 0.39});  // bracket above 1
    EXPECT_GT(basso.Sa, 0.3);
}

TEST(VerificaPannello, ResistanceEqualToForcePasses) {
    DatiPannello p = avvio();
    const EsitoPannello base = verifica_pannello(p, kSito);
    // Fa = Sa W / qa moves by less than one ulp per ulp of qa: a walk over qa meets Rlat exactly.
    p.qa = base.Sa * base.W / base.Rlat;
    for (int i = 0; i < 4; ++i) p.qa = std::nextafter(p.qa, 0.0);
    double qa_sopra = p.qa;  // the last qa that gives Fa > Rlat
    for (int i = 0; i < 16 && verifica_pannello(p, kSito).Fa > base.Rlat; ++i) {
        qa_sopra = p.qa;
        p.qa = std::nextafter(p.qa, 10.0);
    }
    const EsitoPannello pari = verifica_pannello(p, kSito);
    ASSERT_EQ(pari.Fa, pari.Rlat);
    EXPECT_TRUE(pari.ok);
    p.qa = qa_sopra;
    const EsitoPannello sopra = verifica_pannello(p, kSito);
    ASSERT_GT(sopra.Fa, sopra.Rlat);
    EXPECT_FALSE(sopra.ok);
}

TEST(VerificaPannello, RefusedRestraintsStopTheCheck) {
    for (const Vincoli v :
         {Vincoli{false, true, false}, Vincoli{false, false, true}, Vincoli{false, false, false}}) {
        DatiPannello p = avvio();
        p.vincoli = v;
        try {
            verifica_pannello(p, kSito);
            ADD_FAILURE() << "accepted";
        } catch (const Failure& e) {
            EXPECT_STREQ(e.what(), "Verifica non possibile");
            EXPECT_EQ(e.title(), "VINCOLI SCORRETTI");
        }
    }
}

constexpr const char* kPos = "deve essere maggiore di 0";
constexpr const char* kFin = "deve essere un numero finito";
constexpr const char* kNonNeg = "deve essere maggiore o uguale a 0";

struct Rifiuto {
    double DatiPannello::*campo;  // or, when null, the site value
    double DatiSito::*sito;
    double valore;
    const char* nome;
    const char* motivo;
};
class InputRifiutato : public testing::TestWithParam<Rifiuto> {};

TEST_P(InputRifiutato, NamesTheQuantity) {
    const Rifiuto& r = GetParam();
    DatiPannello p = avvio();
    DatiSito s = kSito;
    (r.campo ? p.*r.campo : s.*r.sito) = r.valore;
    EXPECT_EQ(messaggio([&] { verifica_pannello(p, s); }),
              std::string("Valore non valido: ") + r.nome + " " + r.motivo);
}

INSTANTIATE_TEST_SUITE_P(
    EveryQuantity, InputRifiutato,
    testing::Values(
        Rifiuto{&DatiPannello::L, nullptr, 0, "L (altezza)", kPos},
        Rifiuto{&DatiPannello::B, nullptr, kNaN, "B (lunghezza in pianta)", kFin},
        Rifiuto{&DatiPannello::t, nullptr, -12, "t (spessore)", kPos},
        Rifiuto{&DatiPannello::gamma, nullptr, kInf, "peso specifico", kFin},
        Rifiuto{&DatiPannello::fd, nullptr, 0, "fd (resistenza a compressione di progetto)", kPos},
        Rifiuto{&DatiPannello::E, nullptr, -kInf, "E (modulo elastico)", kFin},
        Rifiuto{&DatiPannello::Z, nullptr, -1, "Z (quota baricentro)", kNonNeg},
        Rifiuto{&DatiPannello::H, nullptr, kNaN, "H (altezza edificio)", kFin},
        Rifiuto{&DatiPannello::qa, nullptr, 0, "qa (fattore di struttura)", kPos},
        Rifiuto{nullptr, &DatiSito::T1, kInf, "T1 (periodo proprio dell'edificio)", kFin},
        Rifiuto{nullptr, &DatiSito::ag, -0.1, "ag (accelerazione orizzontale massima al sito)",
                kNonNeg},
        Rifiuto{nullptr, &DatiSito::s, kNaN, "S (coefficiente di amplificazione Ss x St)", kFin}));

TEST(VerificaPannello, OverflowingWeightIsNamedNotReturned) {
    DatiPannello p = avvio();
    p.L = p.B = 1e200;
    EXPECT_EQ(messaggio([&] { verifica_pannello(p, kSito); }),
              "Risultato non valido: peso totale del pannello non è un numero finito");
}

}  // namespace
}  // namespace tv::panel
