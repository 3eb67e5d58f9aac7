// SPDX-License-Identifier: GPL-3.0-or-later
// Panel check in base units: weight shares by restraint, spanning direction, period,
// acceleration by either formula, force, verdict, and the refusal of inputs and restraints.
#include "panel/domanda.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <tuple>

#include "prova.h"

namespace tv::panel {
namespace {
using tv::prova::messaggio;

constexpr double kInf = std::numeric_limits<double>::infinity();

// The start-up panel: B 500, L 300, t 12 cm, 0.0008 daN/cm3, fd 3, E 6000 daN/cm2, Z 750,
// H 900 cm, qa 2, top and bottom supported; site ag 0.2, S 1, T1 0.39 s, F0 2.4, Tc* 0.3 s.
DatiPannello avvio(double B = 500, double L = 300, Vincoli v = {}) {
    return {L, B, 12, 0.0008, 3, 6000, 750, 900, 2, v};
}
constexpr DatiAzione kSito{0.2, 1.0, 0.39, 2.4, 0.3};

TEST(VerificaPannello, StartUpPanelMatchesTheHandCheckByEitherFormula) {
    const EsitoPannello e = verifica_pannello(avvio(), kSito);
    EXPECT_DOUBLE_EQ(e.W, 1440.0);
    EXPECT_NEAR(e.Ta, 0.192826569, 1e-8);
    EXPECT_NEAR(e.Sa, 0.776072422, 1e-8);
    EXPECT_NEAR(e.Fa, 558.772144, 1e-5);
    EXPECT_NEAR(e.Rlat, 614.874399, 1e-5);
    EXPECT_TRUE(e.ok);
    EXPECT_EQ(e.formula(), FormulaDomanda::ec8);
    const EsitoPannello c = verifica_pannello(avvio(), kSito, FormulaDomanda::circolare_c7_2_11);
    // T1 0.39 < 0.5, Ta < 0.8 x 0.39: 0.2 (1 + 750/900) 5 / (1 + 4 (1 - Ta / 0.312)^2).
    ASSERT_TRUE(std::holds_alternative<AccelerazioneC7>(c.domanda));
    EXPECT_EQ(c.formula(), FormulaDomanda::circolare_c7_2_11);
    EXPECT_NEAR(c.Sa, 1.15770525, 1e-7);
    EXPECT_NEAR(c.Fa, 833.547781, 1e-4);  // Sa x 1440 / 2
}

// The floor spectrum on the demo job (L'Aquila, soil B: ag 0.260744, S 1.153858, F0 2.36,
// Tc* 0.35 s; T1 0.39 s, Ta 0.19283 s, n 3, xi 5 %), worked by hand: TC = 1.10 x 0.35^-0.2 x 0.35
// = 0.47495, TB 0.15832, TD 2.64298; A = 1.1 / sqrt(0.05) = 4.91935, gamma1 = 9/7.
// Tk = T1 on the plateau: Se 0.71003, aZ = 0.71003 x 9/7 x 750/900 x sqrt(1.01) = 0.76454;
// Ta < 0.8 Tk: 4.91935 x 0.76454 / (1 + 3.91935 x (1 - 0.19283/0.312)^1.6) = 2.0437.
// Tk 0.6 s: Se = 0.71003 x 0.47495 / 0.6 = 0.56205, aZ 0.60520, Sa 1.0934.
// Z 0: aZ 0, and Ta < Tk leaves Sa = ag S = 0.30086.
TEST(SpettroPiano, DemoJobCrossChecks) {
    for (const auto& [Z, Tk, Sa, al_minimo] :
         {std::tuple{750.0, std::optional<double>{}, 2.0437, false},
          std::tuple{750.0, std::optional{0.6}, 1.0934, false},
          std::tuple{0.0, std::optional<double>{}, 0.30086, true}}) {
        DatiPannello p = avvio();
        p.Z = Z;
        const DatiAzione sito{0.26074380037342076, 1.1538578524474907, 0.39, 2.36, 0.35,
                              hazard::Suolo::B, DatiEdificio{3, 5, Tk}};
        const EsitoPannello e = verifica_pannello(p, sito, FormulaDomanda::circolare_c7_2_5);
        ASSERT_TRUE(std::holds_alternative<SpettroPianoC7>(e.domanda));
        const auto& s = std::get<SpettroPianoC7>(e.domanda);
        EXPECT_NEAR(e.Sa, Sa, 5e-5);
        EXPECT_EQ(std::tuple(s.ramo, s.al_minimo, s.Tk_da_T1),
                  std::tuple(RamoC7::crescente, al_minimo, !Tk));
        EXPECT_NEAR(s.A, 4.91935, 1e-5);
    }
}

TEST(AccelerazioneCircolare, BranchAndValue) {
    struct Caso { double ags, z, T1, Ta, Sa; RamoC7 ramo; bool al_minimo; };  // H is 900
    constexpr RamoC7 kSale = RamoC7::crescente, kPiatto = RamoC7::plateau;
    for (const Caso& c : {
             // 0.33125 x 1.5 x 5 / (1 + 4 x 0.6875^2) = 2.484375 / 2.890625 = 159 / 185.
             Caso{0.33125, 450, 0.40, 0.10, 159.0 / 185.0, kSale, false},
             // T1 0.5 and 1.0 take the middle row (a 0.3, b 1.2, ap 4): plateaus.
             Caso{0.216, 630, 0.50, 0.20, 1.4688, kPiatto, false},  // 0.216 x 1.7 x 4
             Caso{0.2, 0, 1.0, 1.1, 0.8, kPiatto, false},
             // Ta / (b T1) = 1.5: 0.2 x 1.75 x 4 / (1 + 3 x 0.25) = 0.8; at 3, 0.2 x 4 / 13 < 0.2.
             Caso{0.2, 675, 0.5, 0.9, 0.8, RamoC7::decrescente, false},
             Caso{0.2, 0, 0.5, 1.8, 0.2, RamoC7::decrescente, true}}) {
        const AccelerazioneC7 r = accelerazione_c7(c.ags, c.z, 900, c.T1, c.Ta);
        EXPECT_NEAR(r.Sa, c.Sa, 1e-12) << c.Ta;
        EXPECT_EQ(std::tuple(r.ramo, r.al_minimo), std::tuple(c.ramo, c.al_minimo)) << c.Ta;
    }
}

TEST(AccelerazioneCircolare, ContinuousAtBothCornerPeriods) {
    // One T1 per row of Tabella C7.2.II with its a, b, ap; ag x S 0.25, Z / H 1/3.
    for (const auto [T1, a, b, ap] :
         {std::array{0.4, 0.8, 1.4, 5.0}, {0.75, 0.3, 1.2, 4.0}, {1.5, 0.3, 1.0, 2.5}}) {
        const double aT1 = a * T1, bT1 = b * T1;  // the corners as the formula writes them
        const double plateau = 0.25 * (1.0 + 300.0 / 900.0) * ap;
        const auto sa = [&](double Ta) { return accelerazione_c7(0.25, 300, 900, T1, Ta); };
        for (const double Ta : {std::nextafter(aT1, 0.0), aT1, std::nextafter(bT1, 0.0), bT1})
            EXPECT_NEAR(sa(Ta).Sa, plateau, 1e-12) << T1 << " " << Ta;
        EXPECT_EQ(sa(std::nextafter(aT1, 0.0)).ramo, RamoC7::crescente) << T1;
        EXPECT_EQ(sa(bT1).ramo, RamoC7::decrescente) << T1;
    }
}

TEST(Ripartizione, SharesDirectionAndShownPercentagesByRestraint) {
    struct Caso {
        double B, L; Vincoli v; double verticale, orizzontale, perc_verticale; Direzione direzione;
    };
    constexpr Vincoli kTutti{true, true, true}, kSinistro{true, true, false};
    constexpr Vincoli kLaterali{false, true, true};
    constexpr Direzione kV = Direzione::verticale, kO = Direzione::orizzontale;
    for (const Caso& c : {
             // 9.151 e^-2.907 = 0.500005 -> 0.5 each; the tie spans vertically.
             Caso{300, 300, kTutti, 0.5, 0.5, 50, kV},
             // B < L: the vertical share is the exponential one, 9.151 e^-5.814 -> 0.0273.
             Caso{300, 600, kTutti, 0.0273, 1 - 0.0273, 2.73, kO},
             Caso{500, 300, kSinistro, 0.952, 0, 95.2, kV},
             Caso{500, 300, kLaterali, 0, 0.92, 8, kO},
             Caso{500, 300, Vincoli{false, false, false}, 1, 0, 100, kV},  // the cantilever
             // B <= 2t with one side (L <= 2t with both): the share clamps to 0, the tie is
             // vertical.
             Caso{24, 300, kSinistro, 0, 0, 0, kV}, Caso{500, 20, kLaterali, 0, 0, 0, kV}}) {
        SCOPED_TRACE(std::to_string(c.B) + " x " + std::to_string(c.L));
        const EsitoPannello e = verifica_pannello(avvio(c.B, c.L, c.v), kSito);
        EXPECT_EQ(std::tuple(e.quota_verticale, e.quota_orizzontale, e.direzione),
                  std::tuple(c.verticale, c.orizzontale, c.direzione));
        EXPECT_NEAR(e.perc_verticale, c.perc_verticale, 1e-9);
        const bool verticale = c.direzione == Direzione::verticale;
        EXPECT_EQ(e.span, verticale ? c.L : c.B);
        EXPECT_EQ(e.Wa, e.W * (verticale ? c.verticale : c.orizzontale));
        if (e.Wa == 0) {  // nothing spans: no period, no force, and the panel passes
            EXPECT_EQ(std::tuple(e.Ta, e.Fa, e.ok), std::tuple(0.0, 0.0, true));
        }
    }
}

TEST(VerificaPannello, CantileverByOverturningAboutTheBase) {
    // B 100, L 100, t 25 cm, 0.0018 daN/cm3, fd 3, E 6000, Z = H = 900, qa 1, only the base fixed.
    const DatiPannello p{100, 100, 25, 0.0018, 3, 6000, 900, 900, 1, {false, false, false}};
    const EsitoPannello e = verifica_pannello(p, kSito);
    EXPECT_DOUBLE_EQ(e.W, 450.0);
    EXPECT_DOUBLE_EQ(e.Wa, 450.0);
    // m = 4.5 / 981, J = 100 x 25^3 / 12: (2 pi / 1.8751040687119611^2) 100^2 sqrt(m / (6000 J))
    // = 0.043301790451613 (1.8751 would give 0.0433019784).
    EXPECT_NEAR(e.Ta, 0.043301790451613, 1e-12);
    // 0.2 (3 x 2 / (1 + (1 - Ta / 0.39)^2) - 0.5), Fa = Sa x 450.
    EXPECT_NEAR(e.Sa, 0.570291, 1e-6);
    EXPECT_NEAR(e.Fa, 256.631, 1e-3);
    // sigma0 = 450 / 2500 = 0.18; M_Rd = 450 x 12.5 x (1 - 0.18 / 2.55); Rlat = 2 M_Rd / 100.
    const auto* m = std::get_if<Mensola>(&e.resistenza);
    ASSERT_NE(m, nullptr);
    EXPECT_DOUBLE_EQ(m->sigma0, 0.18);
    EXPECT_NEAR(m->M_Rd, 5227.941176, 1e-6);
    EXPECT_NEAR(e.Rlat, 104.558824, 1e-6);
    EXPECT_FALSE(e.ok);
    EXPECT_EQ(e.span, 100.0);
    // The base block cannot carry the weight: 0.85 x 0.2 = 0.17 <= 0.18.
    DatiPannello schiacciata = p;
    schiacciata.fd = 0.2;
    EXPECT_NE(messaggio([&] { verifica_pannello(schiacciata, kSito); }).find("σ0"),
              std::string::npos);
}

TEST(VerificaPannello, ResistanceEqualToForcePasses) {
    DatiPannello p = avvio();
    const EsitoPannello base = verifica_pannello(p, kSito);
    // Fa = Sa W / qa moves by less than one ulp per ulp of qa: a walk over qa meets Rlat exactly.
    p.qa = base.Sa * base.W / base.Rlat;
    for (int i = 0; i < 4; ++i) p.qa = std::nextafter(p.qa, 0.0);
    double qa_sopra = p.qa;  // the last qa that gives Fa > Rlat
    for (int i = 0; i < 16 && verifica_pannello(p, kSito).Fa > base.Rlat; ++i)
        p.qa = std::nextafter(qa_sopra = p.qa, 10.0);
    const EsitoPannello pari = verifica_pannello(p, kSito);
    ASSERT_EQ(pari.Fa, pari.Rlat);
    EXPECT_TRUE(pari.ok);
    p.qa = qa_sopra;
    const EsitoPannello sopra = verifica_pannello(p, kSito);
    ASSERT_GT(sopra.Fa, sopra.Rlat);
    EXPECT_FALSE(sopra.ok);
}

TEST(VerificaPannello, RefusedInputNamesTheQuantity) {
    const auto rifiuto = [](double DatiPannello::*campo, double DatiAzione::*sito, double valore) {
        DatiPannello p = avvio();
        DatiAzione s = kSito;
        (campo ? p.*campo : s.*sito) = valore;
        return messaggio([&] { verifica_pannello(p, s); });
    };
    const std::string v = "Valore non valido: ";
    EXPECT_EQ(rifiuto(&DatiPannello::L, nullptr, 0), v + "L (altezza) deve essere maggiore di 0");
    EXPECT_EQ(rifiuto(nullptr, &DatiAzione::T1, kInf),
              v + "T1 (periodo proprio dell'edificio) deve essere un numero finito");
    EXPECT_EQ(messaggio([] { accelerazione_c7(0.2, 0, 0, 0.4, 0.1); }),
              v + "H (altezza edificio) deve essere maggiore di 0");
    EXPECT_EQ(messaggio([&] { verifica_pannello(avvio(1e200, 1e200), kSito); }),
              "Risultato non valido: peso totale del pannello non è un numero finito");
    // Top free with one side supported, either side.
    for (const Vincoli v : {Vincoli{false, true, false}, Vincoli{false, false, true}})
        EXPECT_EQ(
            messaggio([&] { verifica_pannello(avvio(500, 300, v), kSito); }, "VINCOLI SCORRETTI"),
            "Verifica non possibile: con la sommità libera i due lati verticali vanno appoggiati "
            "entrambi (il pannello lavora in orizzontale) o liberi entrambi (mensola incastrata "
            "alla base)");
}

}  // namespace
}  // namespace tv::panel
