// SPDX-License-Identifier: GPL-3.0-or-later
// The report of a local-mechanism check: three storeys with loads and a thrust written out
// whole against its golden text, and what the text must say of a wall without capacity.
#include "relazione/sezioni_meccanismi.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "come_testo.h"
#include "griglia_prova.h"
#include "hazard/grid.h"

namespace tv::relazione {
namespace {
namespace fs = std::filesystem;

struct Relazione : ::testing::Test {
    hazard::Griglia griglia = hazard::leggi_griglia(form::prova::testo_griglia(), "griglia");
    hazard::RicercaLineare ricerca{griglia};
    form::IngressiMeccanismo in;

    void SetUp() override {
        in.sito = {7.22, 45.05, 50, 1.0, 10};
        in.suolo = hazard::Suolo::B;
        in.parete.gamma = 18;
        in.parete.piani = {{3.5, 0.60, 20, 0.45, 0, 0},
                           {3.2, 0.50, 15, 0.35, 0, 0},
                           {3.0, 0.40, 8, 0.30, 1.5, 0}};
        in.verifica.formula = panel::FormulaDomanda::circolare_c7_2_11;
        in.verifica.H = 10;
        in.verifica.T1 = 0.2;
    }
    std::vector<Sezione> sezioni() {
        const auto e = form::calcola_meccanismo(in, ricerca);
        const auto* r = std::get_if<form::RisultatoMeccanismo>(&e);
        if (!r) throw std::runtime_error(std::get<form::Arresto>(e).testo);
        return sezioni_meccanismi(*r);
    }
};

// The sections as text against tests/golden/<nome>; a differing text is left in the test's
// folder.
void come_golden(const std::vector<Sezione>& s, const std::string& nome) {
    const std::string testo = in_testo::sezioni_come_testo(s);
    const fs::path golden = fs::path(TV_SOURCE_DIR) / "tests" / "golden" / nome;
    std::ifstream file(golden, std::ios::binary);
    const std::string atteso{std::istreambuf_iterator<char>(file), {}};
    if (testo != atteso)
        std::ofstream(fs::current_path() / golden.filename(), std::ios::binary) << testo;
    EXPECT_EQ(testo, atteso) << golden << " differs; the text found is in the test's folder";
}

// The governing third storey first (alpha0 = 2.22 / 56.4 = 0.03936, e* = 0.8911, a0* = 0.3210
// m/s2 with LC1), then the hinges at 0 and 3.5 m; each term of the virtual work in its table.
TEST_F(Relazione, ThreeStoreysWrittenOutWholeAgainstTheirGolden) {
    come_golden(sezioni(), "relazione_meccanismi.txt");
}

// The same wall held by one interlocked side wall (hb 0.08, lb 0.16, ts 0.40): [C8.7.1.2] for
// k = 3 (h 3.0): n = 37.5, Phi = 0.5, F = 0.4 x 37.5 x 38.5 x 0.5 x 0.577 x 0.0256 x 0.40 x 18
// = 30.7093248 kN, L_i = 30.7093248 x 3.0 / 3 = 30.7093248; and dragging a wedge of two side
// walls at 30°.
TEST_F(Relazione, TheSideWallsWrittenOutWholeAgainstTheirGolden) {
    in.parete.ammorsamento = {1, 0.08, 0.16, 0.40, 0.577};
    come_golden(sezioni(), "relazione_ammorsamento.txt");
    in.parete.ammorsamento = {};
    in.parete.cuneo = {2, 30, 0.40};
    in.tipo = panel::TipoMeccanismo::ribaltamento_composto;
    come_golden(sezioni(), "relazione_cuneo.txt");
}

// A parapet at ground level, L 1.2, t 0.30, gamma 18, E 1.5e6 kN/m2, a cantilever: T0 = 6.2 x 4
// x 1.2 x sqrt(18 / (1.5e6 x 9.81)) = 0.0329 s [C8.7.1.7], alpha0 = 0.25; its demand at T0.
TEST_F(Relazione, AFreeElementWrittenOutWholeAgainstItsGolden) {
    in.parete.piani = {{1.2, 0.30, 0, 0, 0, 0}};
    in.parete.libero = {false, 1.5e6};
    in.tipo = panel::TipoMeccanismo::elemento_libero;
    come_golden(sezioni(), "relazione_elemento_libero.txt");
}

TEST_F(Relazione, AWallThatTheStaticLoadsOverturnIsSaidToHaveNoCapacity) {
    in.parete.piani[2].F = 3;  // num = 4.32 + 2.4 - 9 = -2.28 on the top storey
    const std::vector<Sezione> s = sezioni();
    const std::string testo = in_testo::sezioni_come_testo(s);
    EXPECT_NE(testo.find("α0 ≤ 0: il meccanismo si attiva già sotto i soli carichi statici"),
              std::string::npos);
    EXPECT_NE(s.back().titolo.find("Esito"), std::string::npos);
    EXPECT_NE(testo.find("ζE = 0,000 < 1"), std::string::npos);
}

}  // namespace
}  // namespace tv::relazione
