// SPDX-License-Identifier: GPL-3.0-or-later
// The mechanisms' run: the site's hazard at the return periods of SLD and SLV, each with its own
// amplification, reaching the checks; and what stops a run.
#include <gtest/gtest.h>

#include "form/calcolo_meccanismi.h"
#include "griglia_prova.h"
#include "hazard/grid.h"

using namespace tv;
using namespace tv::form;

namespace {

struct Meccanismo : ::testing::Test {
    hazard::Griglia griglia = hazard::leggi_griglia(prova::testo_griglia(), "griglia di prova");
    hazard::RicercaLineare ricerca{griglia};
    IngressiMeccanismo in;

    void SetUp() override {
        // On node (1, 1), number 22: its values, the other corners' weights below 1e-6 (the
    // arc-cosine distance of a point to itself is not quite 0).
        in.sito = {7.22, 45.05, 50, 1.0, 10};
        in.suolo = hazard::Suolo::B;
        in.St = 1.2;
        // One storey per metre: t 0.50, h 3.20, gamma 20, N 10 at 0.40, a 2 kN thrust.
        in.parete.gamma = 20;
        in.parete.piani = {{3.20, 0.50, 10, 0.40, 2, 0}};
        in.verifica.formula = panel::FormulaDomanda::circolare_c7_2_11;
        in.verifica.H = 10;
        in.verifica.T1 = 0.2;
    }
};

}  // namespace

TEST_F(Meccanismo, EachLimitStateTakesItsReturnPeriodAndItsOwnAmplification) {
    // VR = 50: SLD TR = -50 / ln(0.37) = 50.29 -> 50, ag = (600 + 22) / 10000 = 0.0622; SLV TR =
    // -50 / ln(0.90) = 474.56 -> 475, ag = 0.2022. Soil B: Ss = 1.4 - 0.4 x 2.5 x ag within
    // 1.0..1.2: 1.2 at SLD (1.3378), 1.1978 at SLV; S = Ss x 1.2 = 1.44 and 1.43736.
    // At z = 0 the demand is ag S: 0.089568 and 0.290634. a0* = 0.546985 m/s2 (one storey, LC1):
    // zeta SLD = 0.546985 / (0.089568 x 9.81) = 0.622520, zeta SLV = 2 x 0.546985 /
    // (0.290634 x 9.81) = 0.383698. The typed PVR (10) is not read.
    in.sito.PVR = 50;
    const auto e = calcola_meccanismo(in, ricerca);
    ASSERT_TRUE(std::holds_alternative<RisultatoMeccanismo>(e)) << std::get<Arresto>(e).testo;
    const RisultatoMeccanismo& r = std::get<RisultatoMeccanismo>(e);
    EXPECT_EQ(r.SLD.sito.TR, 50);
    EXPECT_EQ(r.SLV.sito.TR, 475);
    EXPECT_NEAR(r.SLD.sito.ag, 0.0622, 1e-7);
    EXPECT_NEAR(r.SLV.sito.ag, 0.2022, 1e-7);
    EXPECT_NEAR(r.SLD.spettro.s, 1.44, 1e-7);
    EXPECT_NEAR(r.SLV.spettro.s, 1.43736, 1e-7);
    const panel::EsitoCinematismo& m = r.esito.governante();
    EXPECT_NEAR(m.domanda_SLD, 0.089568, 1e-7);
    EXPECT_NEAR(m.domanda_SLV, 0.290634, 1e-6);
    EXPECT_NEAR(m.zeta_SLD, 0.622520, 5e-6);
    EXPECT_NEAR(m.zeta_SLV, 0.383698, 5e-6);
    EXPECT_NEAR(m.ag_cap_SLV, 0.383698 * 0.2022, 5e-6);
    EXPECT_FALSE(r.esito.ok);
}

TEST_F(Meccanismo, ASiteOffTheGridOrARefusedWallStopsTheRunWithItsMessage) {
    in.sito.lon = 12;
    auto e = calcola_meccanismo(in, ricerca);
    ASSERT_TRUE(std::holds_alternative<Arresto>(e));
    EXPECT_EQ(std::get<Arresto>(e).testo, "Punto fuori zona!");
    SetUp();
    in.parete.piani[0].dN = 0.7;
    e = calcola_meccanismo(in, ricerca);
    ASSERT_TRUE(std::holds_alternative<Arresto>(e));
    EXPECT_NE(std::get<Arresto>(e).testo.find("dN1"), std::string::npos);
}
