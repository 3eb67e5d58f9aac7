// SPDX-License-Identifier: GPL-3.0-or-later
// Local mechanisms by linear kinematic analysis: the virtual work of rigid blocks, simple
// overturning at every storey, held by the interlock or dragging a wedge of the side walls,
// vertical flexure over h1, the oscillator and the SLD/SLV checks.
// Every expected value is worked by hand from the Circolare's formulas in the comments.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "panel/meccanismi.h"
#include "text/error.h"

using namespace tv::panel;

namespace {

// Soil A on flat ground (S = 1); ag 0.08 at SLD and 0.20 at SLV; C7.2.11 by default, whose
// rigid-element value at Ta = 0 is ag S (1 + z/H).
DatiVerificaMeccanismo dati(FormulaDomanda f = FormulaDomanda::circolare_c7_2_11) {
    DatiVerificaMeccanismo d;
    d.formula = f;
    d.H = 10;
    d.T1 = 0.2;
    d.edificio.n = 3;
    d.g = 9.81;
    d.lc = LivelloConoscenza::LC1;
    d.SLD = {50, 0.08, 1, 2.5, 0.25};
    d.SLV = {475, 0.20, 1, 2.5, 0.30};
    return d;
}

// One storey per metre of wall: t 0.50, h 3.20, gamma 20 (W = 32 kN), N 10 kN at 0.40 m from
// the outer face, a thrust of 2 kN at the top.
Parete un_piano() {
    Parete p;
    p.gamma = 20;
    p.piani = {{3.20, 0.50, 10, 0.40, 2, 0}};
    return p;
}

// Three storeys, gamma 18: (h, t, N, dN) = (3.5, 0.60, 20, 0.45), (3.2, 0.50, 15, 0.35),
// (3.0, 0.40, 8, 0.30), and a roof thrust of 1.5 kN at the top.
Parete tre_piani() {
    Parete p;
    p.gamma = 18;
    p.piani = {{3.5, 0.60, 20, 0.45, 0, 0}, {3.2, 0.50, 15, 0.35, 0, 0}, {3.0, 0.40, 8, 0.30, 1.5, 0}};
    return p;
}

}  // namespace

TEST(Meccanismi, OneStoreyOverturningWithAFloorLoadAndAThrust) {
    // alpha0 = (32 x 0.25 + 10 x 0.40 - 2 x 3.20) / (32 x 1.60 + 10 x 3.20) = 5.6 / 83.2
    // = 0.067308. e* = 83.2^2 / (42 x (32 x 1.6^2 + 10 x 3.2^2)) = 6922.24 / 7741.44 = 0.89418
    // (the floor load sits higher than the wall's centroid, so e* < 1). LC1: a0* = 0.067308 x
    // 9.81 / (0.89418 x 1.35) = 0.54698 m/s2; M* = 0.89418 x 42 / 9.81 = 3.8283 t.
    // At z = 0 both demands are ag S: zeta SLD = 0.54698 / (0.08 x 9.81) = 0.69697, zeta SLV =
    // 2 x 0.54698 / (0.20 x 9.81) = 0.55758, ag,cap SLV = 0.55758 x 0.20 = 0.11152.
    const EsitoMeccanismi e = verifica_meccanismi(un_piano(), TipoMeccanismo::ribaltamento, dati());
    ASSERT_EQ(e.meccanismi.size(), 1u);
    const EsitoCinematismo& m = e.governante();
    EXPECT_NEAR(m.lavoro.lavoro_pesi, 12.0, 1e-12);
    EXPECT_NEAR(m.lavoro.lavoro_forze, 6.4, 1e-12);
    EXPECT_NEAR(m.lavoro.lavoro_inerzie, 83.2, 1e-12);
    EXPECT_NEAR(m.lavoro.alpha0, 5.6 / 83.2, 1e-12);
    EXPECT_NEAR(m.lavoro.e_star, 6922.24 / 7741.44, 1e-12);
    EXPECT_NEAR(m.a0_star, 0.546985, 5e-6);
    EXPECT_NEAR(m.M_star, 3.82829, 5e-5);
    EXPECT_NEAR(m.zeta_SLD, 0.696973, 5e-6);
    EXPECT_NEAR(m.zeta_SLV, 0.557579, 5e-6);
    EXPECT_NEAR(m.ag_cap_SLV, 0.111516, 5e-6);
    EXPECT_DOUBLE_EQ(m.z, 0);
    EXPECT_FALSE(e.ok);
    EXPECT_FALSE(e.ok_SLD);
    // Better knowledge (LC3, FC 1) raises a0* by 1.35; zeta follows.
    DatiVerificaMeccanismo d = dati();
    d.lc = LivelloConoscenza::LC3;
    EXPECT_NEAR(verifica_meccanismi(un_piano(), TipoMeccanismo::ribaltamento, d).governante().zeta_SLV,
                0.557579 * 1.35, 1e-5);
}

TEST(Meccanismi, ATieRestrainsAndItsWorkEntersWithTheOppositeSign) {
    // A 5 kN tie at the top: alpha0 = (5.6 + 5 x 3.20) / 83.2 = 21.6 / 83.2 = 0.259615; the tie's
    // point moves 3.20 outward, against the tie: dF = -3.20.
    Parete p = un_piano();
    p.piani[0].catena = 5;
    const EsitoCinematismo m =
        verifica_meccanismi(p, TipoMeccanismo::ribaltamento, dati()).governante();
    EXPECT_NEAR(m.lavoro.alpha0, 21.6 / 83.2, 1e-12);
    const auto tie = std::find_if(m.lavoro.termini.begin(), m.lavoro.termini.end(),
                                  [](const TermineLavoro& t) { return t.nome == "T1"; });
    ASSERT_NE(tie, m.lavoro.termini.end());
    EXPECT_DOUBLE_EQ(tie->F, 5);
    EXPECT_NEAR(tie->dF, -3.20, 1e-12);
}

TEST(Meccanismi, TheInterlockFrictionEntersAlpha0AsInternalWorkAtAThirdOfTheHeight) {
    // [C8.7.1.2] with two side walls, hb 0.08, lb 0.16, ts 0.40, mu 0.577, w = gamma = 20, on the
    // one storey (h 3.20): n = 40, Phi = 0.5, F = 0.4 x 40 x 41 x 0.5 x 0.577 x 0.0256 x 0.40 x 20
    // = 38.7596288 kN a wall; L_i = 2 x 38.7596288 x 3.20 / 3 = 82.6872081. alpha0 = (12 - 6.4 +
    // 82.6872081) / 83.2 = 1.06114433; e* does not see the friction (6922.24 / 7741.44).
    Parete p = un_piano();
    p.ammorsamento = {2, 0.08, 0.16, 0.40, 0.577};
    const EsitoCinematismo m =
        verifica_meccanismi(p, TipoMeccanismo::ribaltamento, dati()).governante();
    ASSERT_TRUE(m.ammorsamento.has_value());
    EXPECT_NEAR(m.ammorsamento->F_parete, 38.7596288, 1e-9);
    EXPECT_NEAR(m.lavoro.lavoro_interno, 82.6872081, 1e-6);
    EXPECT_NEAR(m.lavoro.alpha0, 1.06114433, 1e-8);
    EXPECT_NEAR(m.lavoro.e_star, 6922.24 / 7741.44, 1e-12);
    // On three storeys each hinge's h is the wall above it: 9.7, 6.2 and 3.0 m, the arm h/3.
    Parete t = tre_piani();
    t.ammorsamento = {1, 0.08, 0.16, 0.40, 0.577};
    for (const EsitoCinematismo& e :
         verifica_meccanismi(t, TipoMeccanismo::ribaltamento, dati()).meccanismi) {
        const double h = std::array{9.7, 6.2, 3.0}[static_cast<std::size_t>(e.piano - 1)];
        EXPECT_NEAR(e.ammorsamento->h, h, 1e-12);
        EXPECT_NEAR(e.ammorsamento->braccio, h / 3, 1e-12);
    }
    // Without side walls the same wall keeps its alpha0 of 5.6 / 83.2 and has no friction.
    EXPECT_FALSE(verifica_meccanismi(un_piano(), TipoMeccanismo::ribaltamento, dati())
                     .governante()
                     .ammorsamento.has_value());
}

TEST(Meccanismi, CompositeOverturningTurnsTheWedgeOfTheSideWallsWithTheWall) {
    // Two sides, beta 30, ts 0.40 on the one storey: a triangle of width b = 3.20 tan 30 =
    // 1.84752086 at the top, area 2.95603338 m2, W = 2 x 20 x 0.40 x 2.95603338 = 47.2965341 kN
    // at x = -(0.50 + b/3) = -1.11584029, z = 2 x 3.20 / 3. alpha0 = (5.6 + 47.2965341 x
    // 1.11584029) / (83.2 + 47.2965341 x 2.13333333) = 58.3753781 / 184.099273 = 0.317086414;
    // e* = 184.099273^2 / (89.2965341 x (81.92 + 102.4 + 47.2965341 x 2.13333333^2)) = 0.949893.
    Parete p = un_piano();
    p.cuneo = {2, 30, 0.40};
    const EsitoCinematismo m =
        verifica_meccanismi(p, TipoMeccanismo::ribaltamento_composto, dati()).governante();
    ASSERT_EQ(m.cuneo.size(), 1u);
    EXPECT_NEAR(m.cuneo[0].W, 47.2965341, 1e-6);
    EXPECT_NEAR(m.cuneo[0].baricentro.x, -1.11584029, 1e-8);
    EXPECT_NEAR(m.lavoro.alpha0, 0.317086414, 1e-8);
    EXPECT_NEAR(m.lavoro.e_star, 0.949893, 5e-7);
    // On three storeys with the hinge at storey 2's base, the piece beside storey 3 is a
    // trapezoid of widths a = 3.2 tan 30 = 1.84752086 and b = 6.2 tan 30 = 3.57957167 from
    // storey 3's inner face (t 0.40); its centroid lies (a² + ab + b²) / 3(a + b) = 1.40283831
    // inward of that face and 3.2 + 3.0 (a + 2b) / 3(a + b) = 4.85957447 m above the hinge.
    Parete t = tre_piani();
    t.cuneo = {1, 30, 0.40};
    const auto pezzi = pezzi_cuneo(t, 2);
    ASSERT_EQ(pezzi.size(), 2u);
    EXPECT_NEAR(pezzi[1].largo_base, 1.84752086, 1e-8);
    EXPECT_NEAR(pezzi[1].largo_cima, 3.57957167, 1e-8);
    EXPECT_NEAR(pezzi[1].baricentro.x, -0.40 - 1.40283831, 1e-8);
    EXPECT_NEAR(pezzi[1].baricentro.z - 3.5, 4.85957447, 1e-8);
}

TEST(Meccanismi, AFreeElementIsCheckedOnTheSpectrumAtItsPeriod) {
    // A parapet at ground level, L 1.2, t 0.30, gamma 20, E 1.5e6 kN/m2, a cantilever: T0 =
    // 6.2 x 4 x 1.2 x sqrt(20 / (1.5e6 x 9.81)) = 0.0346951 s [C8.7.1.7]; alpha0 = t/L = 0.25,
    // e* = 1, a0* = 0.25 x 9.81 / 1.35 = 1.816667. At z = 0 C7.2.5 gives only ag S, below the
    // site's Se(T0) on its first branch (soil A: TB = Tc*/3, eta 1): SLD Se = 0.08 x 2.5 x
    // (T0/TB + (1 - T0/TB)/2.5) = 0.1299609 (TB 0.08333), SLV 0.3040852 (TB 0.1); zeta SLD =
    // 1.816667 / (0.1299609 x 9.81) = 1.424930, zeta SLV = 2 x 1.816667 / (0.3040852 x 9.81) =
    // 1.217982; dy = a0* T0^2 / 4 pi^2 = 5.53925e-5 m [C8.7.1.6].
    Parete p;
    p.gamma = 20;
    p.piani = {{1.2, 0.30, 0, 0, 0, 0}};
    p.libero = {false, 1.5e6};
    const EsitoCinematismo m =
        verifica_meccanismi(p, TipoMeccanismo::elemento_libero, dati(FormulaDomanda::circolare_c7_2_5))
            .governante();
    EXPECT_NEAR(m.T0, 0.0346951, 5e-8);
    EXPECT_NEAR(m.lavoro.alpha0, 0.25, 1e-12);
    EXPECT_NEAR(m.domanda_SLD, 0.1299609, 5e-8);
    EXPECT_NEAR(m.zeta_SLD, 1.424930, 5e-6);
    EXPECT_NEAR(m.zeta_SLV, 1.217982, 5e-6);
    EXPECT_NEAR(m.d_y, 5.53925e-5, 5e-10);
    // Held at its top too it bends (kappa 2.2): T0 = 2.2 x 4 x 1.2 x 0.00116583 = 0.0123112 s.
    p.libero.appoggiato = true;
    const EsitoCinematismo f =
        verifica_meccanismi(p, TipoMeccanismo::elemento_libero, dati()).governante();
    EXPECT_NEAR(f.T0, 0.0123112, 5e-8);
    EXPECT_GT(f.h1, 0);
    // The rigid mechanisms keep Ta = 0: the same parapet overturning is checked on ag S alone.
    EXPECT_NEAR(verifica_meccanismi(p, TipoMeccanismo::ribaltamento, dati(FormulaDomanda::circolare_c7_2_5))
                    .governante()
                    .domanda_SLD,
                0.08, 1e-12);
}

TEST(Meccanismi, ThreeStoreysCheckEveryHingeAndTheLeastZetaGoverns) {
    // k = 1, hinge at 0: W = 37.8, 28.8, 21.6 at dx 1.75, 5.1, 8.2; N at 3.5, 6.7, 9.7; thrust at 9.7.
    // num = 37.8 x 0.30 + 28.8 x 0.25 + 21.6 x 0.20 + 20 x 0.45 + 15 x 0.35 + 8 x 0.30 - 1.5 x 9.7
    // = 24.96; den = 66.15 + 146.88 + 177.12 + 70 + 100.5 + 77.6 = 638.25; alpha0 = 0.039107.
    // k = 2, hinge at 3.5: num = 7.2 + 4.32 + 5.25 + 2.4 - 1.5 x 6.2 = 9.87, den = 28.8 x 1.6 +
    // 21.6 x 4.7 + 15 x 3.2 + 8 x 6.2 = 245.2, alpha0 = 0.040253.
    // k = 3, hinge at 6.7: num = 4.32 + 2.4 - 4.5 = 2.22, den = 21.6 x 1.5 + 8 x 3 = 56.4,
    // alpha0 = 0.039362; e* = 56.4^2 / (29.6 x (21.6 x 2.25 + 8 x 9)) = 0.89109; a0* = 0.039362 x
    // 9.81 / (0.89109 x 1.35) = 0.32099; demand SLV = 0.20 x (1 + 6.7/10) = 0.334; zeta SLV =
    // 2 x 0.32099 / (0.334 x 9.81) = 0.19593, the least (k = 1: 0.37210; k = 2: 0.27287).
    const EsitoMeccanismi e = verifica_meccanismi(tre_piani(), TipoMeccanismo::ribaltamento, dati());
    ASSERT_EQ(e.meccanismi.size(), 3u);
    EXPECT_EQ(e.governante().piano, 3);
    EXPECT_NEAR(e.governante().z, 6.7, 1e-12);
    EXPECT_NEAR(e.governante().lavoro.alpha0, 2.22 / 56.4, 1e-12);
    EXPECT_NEAR(e.governante().domanda_SLV, 0.334, 1e-12);
    EXPECT_NEAR(e.governante().zeta_SLV, 0.195932, 5e-6);
    // The others follow by storey.
    EXPECT_EQ(e.meccanismi[1].piano, 1);
    EXPECT_NEAR(e.meccanismi[1].lavoro.alpha0, 24.96 / 638.25, 1e-12);
    EXPECT_NEAR(e.meccanismi[1].zeta_SLV, 0.372101, 5e-6);
    EXPECT_EQ(e.meccanismi[2].piano, 2);
    EXPECT_NEAR(e.meccanismi[2].lavoro.alpha0, 9.87 / 245.2, 1e-12);
    EXPECT_NEAR(e.meccanismi[2].zeta_SLV, 0.272873, 5e-6);
    // The wall's base above the foundation raises every hinge: z0 = 1 puts k = 3 at 7.7.
    Parete alta = tre_piani();
    alta.z0 = 1;
    EXPECT_NEAR(verifica_meccanismi(alta, TipoMeccanismo::ribaltamento, dati()).governante().domanda_SLV,
                0.20 * 1.77, 1e-12);
}

TEST(Meccanismi, FloorSpectrumDemandAtTheHingeOfTheGoverningStorey) {
    // C7.2.5 at Ta = 0 is aZ = Se(Tk) gamma1 (z/H) sqrt(1 + 0.0004 xi^2): soil A, Tk = T1 = 0.2 s on
    // the plateau (TB = 0.1, TC = 0.3), Se = 0.20 x 2.5 = 0.5, gamma1 = 9/7, xi = 5 %:
    // aZ(6.7) = 0.5 x 9/7 x 0.67 x 1.0049876 = 0.432862, above ag S = 0.20.
    // zeta SLV = 2 x 0.320989 / (0.432862 x 9.81) = 0.151182. At z = 0 aZ = 0: ag S governs.
    const EsitoMeccanismi e = verifica_meccanismi(tre_piani(), TipoMeccanismo::ribaltamento,
                                                  dati(FormulaDomanda::circolare_c7_2_5));
    EXPECT_EQ(e.governante().piano, 3);
    EXPECT_NEAR(e.governante().domanda_SLV, 0.432862, 5e-6);
    EXPECT_NEAR(e.governante().zeta_SLV, 0.151182, 5e-6);
    EXPECT_NEAR(e.meccanismi[1].domanda_SLV, 0.20, 1e-12);
}

TEST(Meccanismi, VerticalFlexureMinimisedOverTheMiddleHinge) {
    // h 3.0, t 0.40, gamma 18 (W = 21.6), N 10 at 0.20. With theta2 = h1 / (h - h1):
    // alpha0(h1) = [W1 t/2 + W2 (t + theta2 t/2) + N (t + theta2 (t - dN))] / (W h1/2), W1 =
    // 7.2 h1, W2 = 7.2 (3 - h1). On the millimetre grid its least value is at h1 = 2.146 m,
    // alpha0 = 0.762217 (2.145: 0.7622181, 2.147: 0.7622176). The top is held horizontally, so N
    // moves only upward and its inertia goes to the floor: out of e*'s sum, e* = (W h1/2)^2 /
    // (W · W (h1/2)^2) = 1 (both halves' centres move by half the middle hinge's δx).
    Parete p;
    p.gamma = 18;
    p.piani = {{3.0, 0.40, 10, 0.20, 0, 0}};
    const EsitoCinematismo m = verifica_meccanismi(p, TipoMeccanismo::flessione, dati()).governante();
    EXPECT_EQ(m.tipo, TipoMeccanismo::flessione);
    EXPECT_NEAR(m.h1, 2.146, 1e-9);
    EXPECT_NEAR(m.lavoro.alpha0, 0.7622174, 5e-7);
    EXPECT_NEAR(m.lavoro.e_star, 1.0, 1e-12);
    // At h1 = h/2 without N the closed form is alpha0 = 4 t / h.
    p.piani[0].N = 0;
    EXPECT_NEAR(lavoro_virtuale(flessione_verticale(p, 1.5)).alpha0, 4 * 0.40 / 3.0, 1e-12);
}

TEST(Meccanismi, AWallThatOverturnsUnderItsStaticLoadsHasNoCapacity) {
    // A 3 kN thrust on the top storey: num = 4.32 + 2.4 - 9 = -2.28 < 0. The mechanism is active
    // without an earthquake: zeta and ag,cap are 0, never a negative safety factor.
    Parete p = tre_piani();
    p.piani[2].F = 3;
    const EsitoMeccanismi e = verifica_meccanismi(p, TipoMeccanismo::ribaltamento, dati());
    EXPECT_EQ(e.governante().piano, 3);
    EXPECT_TRUE(e.governante().attivo_senza_sisma);
    EXPECT_EQ(e.governante().zeta_SLV, 0);
    EXPECT_EQ(e.governante().ag_cap_SLV, 0);
    EXPECT_FALSE(e.ok);
    EXPECT_FALSE(e.meccanismi[1].attivo_senza_sisma);
}

TEST(Meccanismi, EveryOutOfRangeInputIsRefusedNamingIt) {
    const auto messaggio = [](const Parete& p, TipoMeccanismo t,
                              DatiVerificaMeccanismo d = dati()) -> std::string {
        try {
            verifica_meccanismi(p, t, d);
        } catch (const tv::Failure& f) {
            return f.what();
        }
        return "";
    };
    Parete p = un_piano();
    p.piani[0].dN = 0.6;
    EXPECT_NE(messaggio(p, TipoMeccanismo::ribaltamento).find("dN1"), std::string::npos);
    p = tre_piani();
    EXPECT_NE(messaggio(p, TipoMeccanismo::flessione).find("piani = 1"), std::string::npos);
    p.piani.resize(6, p.piani[0]);
    EXPECT_NE(messaggio(p, TipoMeccanismo::ribaltamento).find("da 1 a 5"), std::string::npos);
    p.piani.clear();
    EXPECT_NE(messaggio(p, TipoMeccanismo::ribaltamento).find("da 1 a 5"), std::string::npos);
    p = tre_piani();
    p.piani[1].h = 0;
    EXPECT_NE(messaggio(p, TipoMeccanismo::ribaltamento).find("h2"), std::string::npos);
    // A hinge above the building: k = 3 sits at 6.7 m, H 6 m.
    DatiVerificaMeccanismo d = dati();
    d.H = 6;
    EXPECT_NE(messaggio(tre_piani(), TipoMeccanismo::ribaltamento, d).find("sopra H"),
              std::string::npos);
    EXPECT_NE(messaggio(tre_piani(), TipoMeccanismo::ribaltamento, dati(FormulaDomanda::ec8))
                  .find("C7.2.5 o C7.2.11"),
              std::string::npos);
    // The side walls: each refusal names its field, or the mechanism the interlock is not for.
    struct Caso {
        Ammorsamento a;
        Cuneo c;
        TipoMeccanismo tipo;
        const char* nome;
    };
    const Ammorsamento buono{1, 0.08, 0.16, 0.40, 0.577};
    const Cuneo cuneo{1, 30, 0.40};
    for (const Caso& c : {Caso{{3, 0.08, 0.16, 0.40, 0.577}, {}, TipoMeccanismo::ribaltamento,
                               "ammorsamenti"},
                          Caso{{1, 0, 0.16, 0.40, 0.577}, {}, TipoMeccanismo::ribaltamento, "hb"},
                          Caso{{1, 3.3, 0.16, 0.40, 0.577}, {}, TipoMeccanismo::ribaltamento,
                               "hb (altezza media degli elementi della muratura) deve essere al più"},
                          Caso{{1, 0.08, 0.16, 0.40, 0}, {}, TipoMeccanismo::ribaltamento, "mu"},
                          Caso{buono, {}, TipoMeccanismo::flessione, "ribaltamento semplice"},
                          Caso{buono, cuneo, TipoMeccanismo::ribaltamento_composto, "ammorsamenti"},
                          Caso{{}, {3, 30, 0.40}, TipoMeccanismo::ribaltamento_composto, "lati_cuneo"},
                          Caso{{}, {1, 90, 0.40}, TipoMeccanismo::ribaltamento_composto, "beta"},
                          Caso{{}, {1, 0, 0.40}, TipoMeccanismo::ribaltamento_composto, "beta"},
                          Caso{{}, {1, 30, 0}, TipoMeccanismo::ribaltamento_composto, "ts"},
                          Caso{{}, {}, TipoMeccanismo::elemento_libero, "solo il suo peso"}}) {
        Parete q = un_piano();
        q.ammorsamento = c.a;
        q.cuneo = c.c;
        EXPECT_NE(messaggio(q, c.tipo).find(c.nome), std::string::npos) << c.nome;
    }
    Parete libero = un_piano();
    libero.piani[0].N = libero.piani[0].F = 0;
    EXPECT_NE(messaggio(libero, TipoMeccanismo::elemento_libero).find("Em"), std::string::npos);
    libero = tre_piani();
    libero.libero.E = 1e6;
    EXPECT_NE(messaggio(libero, TipoMeccanismo::elemento_libero).find("piani = 1"),
              std::string::npos);
}
