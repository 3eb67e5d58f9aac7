// Guards of the panel check: the edges of what passes and the Italian message of each refusal.
#include "panel/controlli.h"

#include <gtest/gtest.h>

#include <limits>

#include "messaggio.h"

namespace tv::panel {
namespace {

TEST(Controlli, PositiveAcceptsTheSmallestDoubleAndRefusesZero) {
    EXPECT_NO_THROW(richiedi_positivo(std::numeric_limits<double>::denorm_min(), "t"));
    EXPECT_EQ(messaggio([] { richiedi_positivo(0.0, "t (spessore)"); }),
              "Valore non valido: t (spessore) deve essere maggiore di 0");
}

TEST(Controlli, NonNegativeAcceptsBothZeros) {
    EXPECT_NO_THROW(richiedi_non_negativo(0.0, "Z"));
    EXPECT_NO_THROW(richiedi_non_negativo(-0.0, "Z"));
    EXPECT_THROW(richiedi_non_negativo(-1e-300, "Z"), Failure);
}

TEST(Controlli, FiniteResultPassesThroughAndNonFiniteIsNamed) {
    EXPECT_EQ(richiedi_finito(-2.5, "Fa"), -2.5);
    EXPECT_EQ(messaggio([] { richiedi_finito(std::numeric_limits<double>::infinity(), "Fa"); }),
              "Risultato non valido: Fa non è un numero finito");
}

}  // namespace
}  // namespace tv::panel
