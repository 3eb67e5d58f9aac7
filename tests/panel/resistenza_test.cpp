// SPDX-License-Identifier: GPL-3.0-or-later
// Arching resistance: arc length, the maximum search with its strength limited design point,
// and the EC6 coefficients K1, K2.
#include "panel/resistenza.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "prova.h"

namespace tv::panel {
namespace {
using tv::prova::messaggio;

// Start-up panel spanning vertically: L 300, t 12 cm -> a 150, h 10.8; fd 3, E 6000 daN/cm2.
constexpr double kA = 150.0, kH = 10.8, kFd = 3.0, kE = 6000.0;

TEST(Parabola, MatchesClosedFormArcLength) {
    EXPECT_NEAR(parabola(1.0, 0.5), 1.147793574696319, 1e-14);  // (ln(1+sqrt2) + sqrt2) / 2
    EXPECT_DOUBLE_EQ(parabola(150.0, 0.0), 150.0);              // a flat arc is its chord
    // Excess 2 y0^2 / (3 x0) = 4.4444e-9; a logarithm of 1 + u loses it to rounding.
    EXPECT_NEAR(parabola(150.0, 1e-3) - 150.0, 4.4444444e-9, 1e-12);
}

TEST(Qmax, FindsTheLargestPressureOfTheArch) {
    const Qmax q = qmax(kE, kH, kA, 1e9);  // strength never reached: first phase only
    double grid_max = 0.0, s = 0.0;
    for (int i = 1; i < 10000; ++i)
        grid_max = std::max(grid_max, q_di_f(kH * i / 1e4, kE, kH, kA, parabola(kA, kH), s));
    EXPECT_NEAR(q.qcrit, grid_max, 1e-9);
    EXPECT_NEAR(q.fcrit, 3.16669921875, 1e-12);
    EXPECT_EQ(q.deltafreccia, q.fcrit);
}

TEST(Qmax, DesignPointPutsTheArchStressOnFdWithItsPressure) {
    // Plain regula falsi (no Pegasus scaling) stalls on the relative-step test far from fd; at
    // fd equal to the critical stress the first secant point is the maximum itself.
    for (const double fd : {1.0, 6.0, 10.0, qmax(kE, kH, kA, 1e9).sigmacrit}) {
        const Qmax q = qmax(kE, kH, kA, fd);
        double sigma = 0.0;
        EXPECT_EQ(q.qd, q_di_f(q.deltafreccia, kE, kH, kA, parabola(kA, kH), sigma));
        EXPECT_NEAR(sigma, fd, fd * 1e-6);
    }
}

TEST(Qmax, TiedOrHugePressuresAndRefusedInput) {
    // A huge modulus on a deep arch overflows every pressure to infinity: all points tie.
    EXPECT_EQ(qmax(1e308, 100.0, 1.0, 1e308).fcrit, 50.0);
    // Doubles near 1e19 are 2048 apart: the bracket cycles above 0.01 cm.
    const Qmax q = qmax(kE, 1e20, 3e19, kFd);
    EXPECT_TRUE(std::isfinite(q.fcrit) && q.fcrit > 0.0 && q.fcrit < 1e20) << q.fcrit;
    // Near 1.7e308 the geometry leaves the stress undefined.
    EXPECT_EQ(messaggio([] { qmax(kE, 1.7e308, 1e308, kFd); }),
              "Risultato non valido: tensione critica di instabilità non è un numero finito");
    EXPECT_EQ(messaggio([] { qmax(kE, std::numeric_limits<double>::quiet_NaN(), kA, kFd); }),
              "Valore non valido: h (freccia iniziale dell'arco) deve essere un numero finito");
}

// Stocky (t 12 cm) reaches strength first; slender (t 1 cm) becomes unstable below fd.
TEST(Freccia, StockyPanelReachesStrengthSlenderOneBecomesUnstable) {
    const Freccia f = freccia(kA, kH, kFd, kE), g = freccia(kA, 0.9, kFd, kE);
    EXPECT_NEAR(f.K1, 0.853992221, 1e-8);
    EXPECT_EQ(f.K2, 1.0);
    EXPECT_FALSE(f.instabilita);
    EXPECT_NEAR(f.deltafreccia * 10.0, 8.1953644, 1e-6);  // mm
    EXPECT_NEAR(f.K1 * kFd * 0.0016, f.qd, f.qd * 1e-12);  // coeff x fd x (t / span)^2
    EXPECT_TRUE(g.instabilita);
    EXPECT_NEAR(g.sigmacrit, 0.0720113196, 1e-9);
    EXPECT_NEAR(g.K1, 0.4998931885, 1e-9);
    EXPECT_NEAR(g.deltafreccia, 0.263671875, 1e-12);  // the maximum itself
    EXPECT_NEAR(g.K1 * (g.sigmacrit / kFd) * kFd / 9e4, g.qd, g.qd * 1e-12);
}

TEST(Freccia, HugeModulusThinArchOrNonFiniteResultIsRefused) {
    // Up to the largest double the shortening is lost in rounding: no deflection puts the
    // stress on fd.
    EXPECT_EQ(messaggio([] { freccia(kA, kH, kFd, std::numeric_limits<double>::max()); }),
              "Risultato non valido: E (modulo elastico) troppo grande rispetto a fd (resistenza "
              "a compressione di progetto): l'inflessione di progetto non si può calcolare");
    EXPECT_EQ(messaggio([] { freccia(kA, 0.9e-9, kFd, kE); }),
              "Risultato non valido: tensione critica di instabilità nulla (spessore troppo "
              "piccolo rispetto alla luce)");
    // A span of 2e-300 cm under a rise of 10.8 cm: the pressure overflows.
    EXPECT_EQ(messaggio([] { freccia(1e-300, kH, kFd, kE); }),
              "Risultato non valido: pressione laterale di progetto non è un numero finito");
}

}  // namespace
}  // namespace tv::panel
