// Input and result guards of the panel check: each refusal names the quantity in Italian.
#pragma once

#include <cmath>
#include <string>
#include <string_view>

#include "text/error.h"

namespace tv::panel {

// Finite and strictly positive ("Valore non valido: t (spessore) deve essere maggiore di 0").
inline void richiedi_positivo(double valore, std::string_view nome) {
    const std::string chi = "Valore non valido: " + std::string(nome);
    if (!std::isfinite(valore)) throw Failure(chi + " deve essere un numero finito");
    if (!(valore > 0)) throw Failure(chi + " deve essere maggiore di 0");
}

// Finite and 0 or above.
inline void richiedi_non_negativo(double valore, std::string_view nome) {
    const std::string chi = "Valore non valido: " + std::string(nome);
    if (!std::isfinite(valore)) throw Failure(chi + " deve essere un numero finito");
    if (!(valore >= 0)) throw Failure(chi + " deve essere maggiore o uguale a 0");
}

// A computed value may be shown only when finite; returns it unchanged.
inline double richiedi_finito(double valore, std::string_view nome) {
    if (!std::isfinite(valore)) {
        throw Failure("Risultato non valido: " + std::string(nome) + " non è un numero finito");
    }
    return valore;
}

}  // namespace tv::panel
