// Arching resistance: arc length, pressure at a deflection, the maximum search with its strength
// limited design point, and the EC6 coefficients K1, K2.
#include "panel/resistenza.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <utility>

#include "messaggio.h"

namespace tv::panel {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Start-up panel spanning vertically: L 300, t 12 cm -> a 150, h 10.8; fd 3, E 6000 daN/cm2.
constexpr double kA = 150.0, kH = 10.8, kFd = 3.0, kE = 6000.0;

TEST(Parabola, MatchesClosedFormArcLength) {
    EXPECT_NEAR(parabola(1.0, 0.5), 1.147793574696319, 1e-14);  // (ln(1+sqrt2) + sqrt2) / 2
    EXPECT_NEAR(parabola(1.0, 100.0), 100.01622866918022, 1e-11);
    EXPECT_DOUBLE_EQ(parabola(150.0, 0.0), 150.0);  // a flat arc is its chord
}

TEST(Parabola, ShallowArcKeepsItsExcessOverTheChord) {
    // Excess 2 y0^2 / (3 x0) = 4.4444e-9; a logarithm of 1 + u loses it to rounding.
    EXPECT_NEAR(parabola(150.0, 1e-3) - 150.0, 4.4444444e-9, 1e-12);
}

TEST(QDiF, PressureAndStressGrowFromZeroAtTheUndeflectedArch) {
    const double l = parabola(kA, kH);
    double sigma = -1.0;
    EXPECT_EQ(q_di_f(0.0, kE, kH, kA, l, sigma), 0.0);
    EXPECT_EQ(sigma, 0.0);
    EXPECT_NEAR(q_di_f(3.16669921875, kE, kH, kA, l, sigma), 0.00822769007626, 1e-14);
    EXPECT_NEAR(sigma, 10.2939179269943, 1e-10);
}

TEST(Qmax, FindsTheLargestPressureOfTheArch) {
    const Qmax q = qmax(kE, kH, kA, 1e9);  // strength never reached: first phase only
    const double l = parabola(kA, kH);
    double grid_max = 0.0, s = 0.0;
    for (int i = 1; i < 10000; ++i)
        grid_max = std::max(grid_max, q_di_f(kH * i / 1e4, kE, kH, kA, l, s));
    EXPECT_NEAR(q.qcrit, grid_max, 1e-9);
    EXPECT_NEAR(q.fcrit, 3.16669921875, 1e-12);
    EXPECT_EQ(q.qd, q.qcrit);
    EXPECT_EQ(q.deltafreccia, q.fcrit);
}

class DesignPoint : public testing::TestWithParam<double> {};

TEST_P(DesignPoint, PutsTheArchStressOnFdWithItsPressure) {
    // Plain regula falsi (no Pegasus scaling) stalls on the relative-step test far from fd.
    const double fd = GetParam();
    const Qmax q = qmax(kE, kH, kA, fd);
    double sigma = 0.0;
    EXPECT_EQ(q.qd, q_di_f(q.deltafreccia, kE, kH, kA, parabola(kA, kH), sigma));
    EXPECT_NEAR(sigma, fd, fd * 1e-6);
}

INSTANTIATE_TEST_SUITE_P(BelowTheCriticalStress, DesignPoint,
                         testing::Values(1.0, 3.0, 6.0, 9.0, 10.0));

TEST(Qmax, CriticalStressEqualToFdRunsTheRootSearchAndKeepsTheMaximum) {
    const Qmax primo = qmax(kE, kH, kA, 1e9);
    const Qmax q = qmax(kE, kH, kA, primo.sigmacrit);
    // The first secant point is fcrit itself (to rounding), and the relative step stops there.
    EXPECT_NEAR(q.deltafreccia, primo.fcrit, 1e-14);
    EXPECT_NEAR(q.qd, primo.qcrit, 1e-15);
}

TEST(Qmax, TiedPressuresKeepTheOlderBest) {
    // A huge modulus on a deep arch overflows every pressure to infinity: all points tie.
    const Qmax q = qmax(1e308, 100.0, 1.0, 1e308);
    EXPECT_EQ(q.fcrit, 50.0);
}

TEST(Qmax, EndsForRisesTooLargeToHalveDownTo0_01Cm) {
    // Doubles near 1e19 are 2048 apart: the bracket cycles above 0.01 cm. Near 1.7e308 the sum
    // of two bracket ends overflows.
    for (const auto& [h, a] : {std::pair{1e20, 3e19}, std::pair{1.7e308, 1e308}}) {
        const Qmax q = qmax(kE, h, a, kFd);
        EXPECT_TRUE(std::isfinite(q.fcrit));
        EXPECT_GT(q.fcrit, 0.0);
        EXPECT_LT(q.fcrit, h);
    }
}

struct InputQmax {
    double E, h, a, fd;
    const char* messaggio;
};
class QmaxRefuses : public testing::TestWithParam<InputQmax> {};

TEST_P(QmaxRefuses, InputWithAClearMessage) {
    const InputQmax& p = GetParam();
    EXPECT_EQ(messaggio([&] { qmax(p.E, p.h, p.a, p.fd); }), p.messaggio);
}

INSTANTIATE_TEST_SUITE_P(
    NonPositiveOrNonFinite, QmaxRefuses,
    testing::Values(
        InputQmax{0.0, kH, kA, kFd,
                  "Valore non valido: E (modulo elastico) deve essere maggiore di 0"},
        InputQmax{kE, kNaN, kA, kFd,
                  "Valore non valido: h (freccia iniziale dell'arco) deve essere un numero finito"},
        InputQmax{kE, kH, -kA, kFd,
                  "Valore non valido: a (semiluce dell'arco) deve essere maggiore di 0"},
        InputQmax{kE, kH, kA, kInf,
                  "Valore non valido: fd (resistenza a compressione di progetto) deve essere un "
                  "numero finito"}));

TEST(Freccia, StockyPanelReachesStrengthBeforeInstability) {
    const Freccia f = freccia(kA, kH, kFd, kE);
    EXPECT_NEAR(f.K1, 0.853992221, 1e-8);
    EXPECT_EQ(f.K2, 1.0);
    EXPECT_FALSE(f.instabilita);
    EXPECT_NEAR(f.deltafreccia * 10.0, 8.1953644, 1e-6);  // mm
    EXPECT_NEAR(f.sigmacrit, 10.2939179, 1e-6);
    EXPECT_EQ(f.coeff, f.K1);
}

TEST(Freccia, SlenderPanelBecomesUnstableBelowFd) {
    const Freccia f = freccia(kA, 0.9, kFd, kE);  // t = 1 cm
    EXPECT_TRUE(f.instabilita);
    EXPECT_NEAR(f.sigmacrit, 0.0720113196, 1e-9);
    EXPECT_DOUBLE_EQ(f.K2, f.sigmacrit / kFd);
    EXPECT_NEAR(f.K1, 0.4998931885, 1e-9);
    EXPECT_NEAR(f.deltafreccia, 0.263671875, 1e-12);  // the maximum itself
}

class FrecciaCoeff : public testing::TestWithParam<double> {};

TEST_P(FrecciaCoeff, TimesFdAndSlendernessGivesTheDesignPressure) {
    const double t = GetParam();
    const Freccia f = freccia(kA, 0.9 * t, kFd, kE);
    EXPECT_NEAR(f.coeff * kFd * (t / 300.0) * (t / 300.0), f.qd, f.qd * 1e-12);
}

INSTANTIATE_TEST_SUITE_P(StockyAndSlender, FrecciaCoeff, testing::Values(1.0, 5.0, 12.0, 40.0));

TEST(Freccia, HugeModulusStaysFinite) {
    const Freccia f = freccia(kA, kH, kFd, std::numeric_limits<double>::max());
    EXPECT_TRUE(std::isfinite(f.K1));
    EXPECT_FALSE(f.instabilita);
    EXPECT_LT(f.deltafreccia, 1e-6);
}

TEST(Freccia, ArchTooThinToShortenIsRefused) {
    EXPECT_EQ(messaggio([] { freccia(kA, 0.9e-9, kFd, kE); }),
              "Risultato non valido: tensione critica di instabilità nulla (spessore troppo "
              "piccolo rispetto alla luce)");
}

TEST(Freccia, NonFiniteResultIsNamedNotReturned) {
    // A span of 2e-300 cm under a rise of 10.8 cm: the pressure overflows.
    EXPECT_EQ(messaggio([] { freccia(1e-300, kH, kFd, kE); }),
              "Risultato non valido: pressione laterale di progetto non è un numero finito");
}

}  // namespace
}  // namespace tv::panel
