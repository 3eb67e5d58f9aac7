// SPDX-License-Identifier: GPL-3.0-or-later
// Sampled arch curve: hand-checked pressures and stresses, the deflections 0 <= f < h, and the
// search's maximum and design point on the curve.
#include "panel/curva_arco.h"

#include <gtest/gtest.h>

#include "prova.h"

namespace tv::panel {
namespace {

// Start-up panel spanning vertically: a 150, h 10.8 cm; fd 3, E 6000 daN/cm2. Expected values by
// the closed form: sigma = (1 - len(a, h - f) / len(a, h)) E, q = sigma (h - f)^2 / (3.24 a^2),
// len(x0, y0) = ln(k x0 + r) / (2k) + r x0 / 2, k = 2 y0 / x0^2, r = sqrt((k x0)^2 + 1).
constexpr double kA = 150.0, kH = 10.8, kFd = 3.0, kE = 6000.0;

TEST(CurvaArco, HandCheckedPointsWithTheMaximumAndTheDesignPoint) {
    const CurvaArco c = curva_arco(kE, kH, kA, kFd, 4);
    EXPECT_NEAR(c.l_arco, 150.51679939088956, 1e-10);
    // Four steps of 2.7 cm, the maximum (fcrit 3.1667) and the design point (below it: fd 3).
    ASSERT_EQ(c.punti.size(), 6u);
    EXPECT_EQ(c.punti[0].q, 0.0);
    EXPECT_EQ(c.punti[1].f, c.massimo.deltafreccia);
    EXPECT_NEAR(c.punti[1].sigma, kFd, kFd * 1e-6);
    EXPECT_EQ(c.punti[1].q, c.massimo.qd);
    const struct { std::size_t i; double f, q, sigma; } attesi[] = {{2, 2.7, 0.00809756979964036, 8.997299777378176},
                  {5, 8.1, 0.0019309699189578712, 19.3096991895787}};
    for (const auto& a : attesi) {
        EXPECT_NEAR(c.punti[a.i].f, a.f, 1e-12) << a.i;
        EXPECT_NEAR(c.punti[a.i].q, a.q, 1e-12) << a.i;
        EXPECT_NEAR(c.punti[a.i].sigma, a.sigma, 1e-9) << a.i;
    }
    EXPECT_EQ(c.punti[3].f, c.massimo.fcrit);
    EXPECT_EQ(c.punti[3].q, c.massimo.qcrit);
}

}  // namespace
}  // namespace tv::panel
