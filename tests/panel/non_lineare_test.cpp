// SPDX-License-Identifier: GPL-3.0-or-later
// Nonlinear kinematic check: the capacity curve by finite rotations, its zero d0, the thresholds
// at SLV and SLC with their secant periods, and the displacement demand at ground and at height.
// Every expected value is worked by hand from the Circolare's formulas in the comments.
#include <gtest/gtest.h>

#include <cmath>

#include "hazard/spettro_elastico.h"
#include "panel/meccanismi.h"
#include "text/error.h"

using namespace tv::panel;

namespace {

// Soil A, flat (S = 1): SLD ag 0.08, SLV ag 0.20 (F0 2.5, Tc* 0.30), SLC ag 0.25 (Tc* 0.32).
DatiVerificaMeccanismo dati(FormulaDomanda f = FormulaDomanda::circolare_c7_2_11) {
    DatiVerificaMeccanismo d;
    d.formula = f;
    d.H = 10;
    d.T1 = 0.2;
    d.edificio.n = 3;
    d.lc = LivelloConoscenza::LC1;
    d.SLD = {50, 0.08, 1, 2.5, 0.25};
    d.SLV = {475, 0.20, 1, 2.5, 0.30};
    d.SLC = {975, 0.25, 1, 2.5, 0.32};
    d.non_lineare = true;
    return d;
}

// A free block at ground: t 0.50, h 2.00, its weight alone.
Parete blocco() {
    Parete p;
    p.gamma = 20;
    p.piani = {{2.0, 0.5, 0, 0, 0, 0}};
    return p;
}

}  // namespace

TEST(NonLineare, AFreeBlockAtGroundVanishesAtHalfItsThickness) {
    // The centroid G (-0.25, 1.00) stands over the hinge at tan(theta0) = t/h: theta0 =
    // atan(0.25) = 0.244979 rad, where G has moved t/2 = 0.25 m. One load: e* = 1 and
    // d/dC = W 1^2 / (1 x W x 1) = 1, so d0 = t/2 = 0.25 m exactly.
    // alpha(theta) = (t/2 cos - h/2 sin) / (h/2 cos + t/2 sin); at 0.1 rad: (0.248751 -
    // 0.099833) / (0.995004 + 0.024958) = 0.146003.
    const auto r = verifica_meccanismi(blocco(), TipoMeccanismo::ribaltamento, dati());
    const EsitoCinematismo& e = r.governante();
    ASSERT_TRUE(e.non_lineare);
    const AnalisiNonLineare& n = *e.non_lineare;
    EXPECT_NEAR(n.theta0, 0.2449787, 1e-6);
    EXPECT_NEAR(n.d0, 0.25, 1e-9);
    EXPECT_NEAR(n.fattore_d, 1.0, 1e-12);
    EXPECT_NEAR(alpha_ruotato(blocco(), e, 0.1, false), 0.1460030, 1e-6);
    EXPECT_NEAR(n.curva.front().a, 0.25 * 9.81 / 1.35, 1e-9);  // alpha0 g / (e* FC)
    EXPECT_NEAR(n.curva.back().a, 0, 1e-6);
    EXPECT_TRUE(n.a_terra);

    // SLV: d = 0.4 d0 = 0.1 m, where G has moved 0.1: theta = 0.098939 rad, G at height
    // 0.25 sin + 1.0 cos = 1.019804; alpha = (0.25 - 0.1) / 1.019804 = 0.147087, a = alpha 9.81
    // / 1.35 = 1.068833 m/s2; T_SLV = 1.68 pi sqrt(0.1 / 1.068833) = 1.614374 s.
    // Demand: SDe(T) = Se(T) g T^2 / 4 pi^2 with eta(8 %) = sqrt(10/13), TC 0.30 < T < TD = 2.4:
    // Se = 0.20 x 0.877058 x 2.5 x 0.30 / T, SDe = 0.052776 m (increasing in T: the greatest at
    // T_SLV). zeta = 0.1 / 0.052776 = 1.894815, ag,cap = 0.378963 (above ag,SLD: kept).
    EXPECT_NEAR(n.SLV.d, 0.1, 1e-9);
    EXPECT_NEAR(n.SLV.a, 1.068833, 1e-5);
    EXPECT_NEAR(n.SLV.T, 1.614374, 1e-5);
    EXPECT_NEAR(n.SLV.domanda, 0.0527756, 1e-6);
    EXPECT_NEAR(n.SLV.T_domanda, n.SLV.T, 1e-6);
    EXPECT_NEAR(n.SLV.zeta, 1.894815, 1e-5);
    EXPECT_NEAR(n.SLV.ag_cap, 0.378963, 1e-5);
    EXPECT_FALSE(n.SLV.da_SLD);
    // SLC: d = 0.6 d0 = 0.15 m: theta 0.147812, alpha 0.097474, a 0.708311 m/s2, T_SLC = 1.56 pi
    // sqrt(0.15 / 0.708311) = 2.255319 s; eta(10 %) = sqrt(10/15), TD = 4 x 0.25 + 1.6 = 2.6:
    // SDe = 0.25 x 0.816497 x 2.5 x 0.32 / T x 9.81 T^2 / 4 pi^2 = 0.091517 m, zeta 1.639040.
    EXPECT_NEAR(n.SLC.T, 2.255319, 1e-5);
    EXPECT_NEAR(n.SLC.domanda, 0.0915170, 1e-6);
    EXPECT_NEAR(n.SLC.zeta, 1.639040, 1e-5);
    EXPECT_TRUE(r.ok);
    EXPECT_TRUE(r.ok_SLC);
    EXPECT_NEAR(e.zeta_verifica(), n.SLV.zeta, 1e-12);
}

TEST(NonLineare, TiesHoldTheCurveButNotItsZeroAndBreakWhereTyped) {
    // A tie of 5 kN at the top raises alpha at every rotation, but d0 reads the lasting actions
    // only: still t/2. Typed to break at 0.05 m, d_SLV = min(0.1, 0.05) = 0.05, and past 0.05 the
    // curve loses the tie: the SLC point (0.15) has the untied block's a = 0.708311.
    Parete p = blocco();
    p.piani[0].catena = 5;
    DatiVerificaMeccanismo d = dati();
    const auto legata = verifica_meccanismi(p, TipoMeccanismo::ribaltamento, d).governante();
    EXPECT_NEAR(legata.non_lineare->d0, 0.25, 1e-9);
    EXPECT_GT(legata.non_lineare->SLC.a, 0.708311 + 0.1);
    d.d_rottura = 0.05;
    const auto rotta = verifica_meccanismi(p, TipoMeccanismo::ribaltamento, d).governante();
    EXPECT_NEAR(rotta.non_lineare->SLV.d, 0.05, 1e-12);
    EXPECT_NEAR(rotta.non_lineare->SLC.a, 0.708311, 1e-5);
    EXPECT_GT(alpha_ruotato(p, legata, 0.1, false), alpha_ruotato(p, legata, 0.1, true));
}

TEST(NonLineare, AWeakNonlinearCapacityTakesTheSLDOne) {
    // A long-period SLV action (F0 3.0, Tc* 0.70): T_SLV = 1.614374 s as above, SDe = 0.20 x
    // 0.877058 x 3.0 x 0.70 / T x 9.81 T^2 / 4 pi^2 = 0.147772 m, ag,cap = 0.1 / 0.147772 x 0.20
    // = 0.135344, below the SLD one: a0* = 0.25 x 9.81 / 1.35 = 1.816667, zeta SLD = 1.816667 /
    // (0.08 x 9.81) = 2.314815, ag,cap SLD = 0.185185. That is taken [C8.7.1.2.1.8]: zeta =
    // 0.185185 / 0.20 = 0.925926, and the wall fails at SLV.
    DatiVerificaMeccanismo d = dati();
    d.SLV.F0 = 3.0;
    d.SLV.Tcstar = 0.70;
    const auto r = verifica_meccanismi(blocco(), TipoMeccanismo::ribaltamento, d);
    const auto& n = *r.governante().non_lineare;
    EXPECT_NEAR(n.SLV.domanda, 0.147772, 1e-6);
    EXPECT_TRUE(n.SLV.da_SLD);
    EXPECT_NEAR(n.SLV.ag_cap, 0.185185, 1e-6);
    EXPECT_NEAR(n.SLV.zeta, 0.925926, 1e-6);
    EXPECT_FALSE(r.ok);
}

TEST(NonLineare, FlexureTurnsTwoBlocksThatStayJoined) {
    // At theta = 0 the finite configuration is the initial one: alpha0 of the linear check. The
    // curve falls from there to 0 at d0, and the SLV point lies on it.
    Parete p;
    p.gamma = 20;
    p.piani = {{3.0, 0.4, 10, 0.2, 0, 0}};
    const auto e = verifica_meccanismi(p, TipoMeccanismo::flessione, dati()).governante();
    EXPECT_NEAR(alpha_ruotato(p, e, 0, false), e.lavoro.alpha0, 1e-12);
    const AnalisiNonLineare& n = *e.non_lineare;
    EXPECT_GT(n.d0, 0);
    for (std::size_t i = 1; i < n.curva.size(); ++i) EXPECT_LT(n.curva[i].a, n.curva[i - 1].a);
    EXPECT_NEAR(n.curva.back().a, 0, 1e-6);
}

TEST(NonLineare, AFreeElementStartsOnItsElasticBranch) {
    // The block as a cantilever of cracked masonry, E 3000 kN/m2: T0 = 6.2 x (2/0.5) x 2 x
    // sqrt(20 / (3000 x 9.81)) = 1.293009 s. a = 4 pi^2 d / T0^2 until it meets the rigid curve:
    // at d = d0/40 = 0.00625 m it gives 0.147583 m/s2, far below the rigid 1.8; at d_SLV = 0.1 it
    // would give 2.361330, above the rigid 1.068833, which holds there.
    Parete p = blocco();
    p.libero.E = 3000;
    const auto e = verifica_meccanismi(p, TipoMeccanismo::elemento_libero, dati()).governante();
    const AnalisiNonLineare& n = *e.non_lineare;
    EXPECT_NEAR(n.T0, 1.293009, 1e-6);
    EXPECT_NEAR(n.curva[1].d, 0.00625, 1e-12);
    EXPECT_NEAR(n.curva[1].a, 0.147583, 1e-6);
    EXPECT_NEAR(n.SLV.a, 1.068833, 1e-5);
    EXPECT_NEAR(n.d0, 0.25, 1e-9);
}

TEST(NonLineare, AtHeightTheDemandIsTheFloorSpectrumOfC725) {
    // The block on a floor at z0 = 3 m of a 10 m building, T1 1.5 s, 3 storeys, xi 5 %: C7.2.11
    // is refused. On C7.2.5 T_SLV = 1.614374 s (the curve does not depend on z) lies on the
    // plateau 0.8 Tk = 1.2 <= T < 1.1 Tk = 1.65: Se(1.5) = 0.2 x 2.5 x 0.3 / 1.5 = 0.1, aZ = 0.1
    // x 9/7 x 0.3 x sqrt(1.01) = 0.038764, A = 1.1 / sqrt(0.05) x eta(8 %) = 4.314555, SeZ =
    // 0.167249 (the ground's Se(T, 8 %) = 0.081492 is less); SD = 0.167249 x 9.81 T^2 / 4 pi^2
    // = 0.108313 m, growing with T up to T_SLV.
    Parete p = blocco();
    p.z0 = 3;
    DatiVerificaMeccanismo d = dati();
    d.T1 = 1.5;
    EXPECT_THROW(verifica_meccanismi(p, TipoMeccanismo::ribaltamento, d), tv::Failure);
    d.formula = FormulaDomanda::circolare_c7_2_5;
    const auto e = verifica_meccanismi(p, TipoMeccanismo::ribaltamento, d).governante();
    EXPECT_FALSE(e.non_lineare->a_terra);
    EXPECT_NEAR(e.non_lineare->SLV.domanda, 0.108313, 1e-6);
}

TEST(NonLineare, DisplacementSpectrumBeyondTE) {
    // ag 0.25, F0 2.5, TC 0.30 (soil A), TD = 2.6, S 1: dg = 0.025 x 0.25 x 9.81 x 0.30 x 2.6 =
    // 0.047824 m. T = 1: Se = 0.1875, SDe = 0.1875 x 9.81 / 4 pi^2 = 0.046592. T = 7 (TE 4.5,
    // TF 10): dg (2.5 - 1.5 x 2.5 / 5.5) = 0.086952. T = 12 > TF: dg.
    const auto s = tv::hazard::angoli_spettro(0.25, 2.5, 0.30, 1, tv::hazard::Suolo::A);
    using tv::hazard::spostamento_spettrale;
    EXPECT_NEAR(spostamento_spettrale(s, tv::hazard::Suolo::A, 1, 5, 9.81), 0.0465919, 1e-6);
    EXPECT_NEAR(spostamento_spettrale(s, tv::hazard::Suolo::A, 7, 5, 9.81), 0.0869523, 1e-6);
    EXPECT_NEAR(spostamento_spettrale(s, tv::hazard::Suolo::A, 12, 5, 9.81), 0.0478238, 1e-6);
}
