// SPDX-License-Identifier: GPL-3.0-or-later
// The one error type of the core: its message is the Italian text shown to the user as is,
// with the title of the message box that shows it; and the value checks that throw it.
#pragma once

#include <cmath>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tv {

inline constexpr const char* kWindowCaption = "TORVELANDO PANNELLI MURARI";

class Failure : public std::runtime_error {
public:
    explicit Failure(const std::string& message, std::string title = kWindowCaption)
        : std::runtime_error(message), title_(std::move(title)) {}
    const std::string& title() const { return title_; }

private:
    std::string title_;
};

// Finite and strictly positive ("Valore non valido: t (spessore) deve essere maggiore di 0").
// The message is built only when the check fails: a batch checks millions of good values.
inline void richiedi_positivo(double valore, std::string_view nome) {
    if (std::isfinite(valore) && valore > 0) return;
    const std::string chi = "Valore non valido: " + std::string(nome);
    if (!std::isfinite(valore)) throw Failure(chi + " deve essere un numero finito");
    throw Failure(chi + " deve essere maggiore di 0");
}

// Finite and 0 or above.
inline void richiedi_non_negativo(double valore, std::string_view nome) {
    if (std::isfinite(valore) && valore >= 0) return;
    const std::string chi = "Valore non valido: " + std::string(nome);
    if (!std::isfinite(valore)) throw Failure(chi + " deve essere un numero finito");
    throw Failure(chi + " deve essere maggiore o uguale a 0");
}

// A computed value may be shown only when finite; returns it unchanged.
inline double richiedi_finito(double valore, std::string_view nome) {
    if (!std::isfinite(valore)) {
        throw Failure("Risultato non valido: " + std::string(nome) + " non è un numero finito");
    }
    return valore;
}

}  // namespace tv
