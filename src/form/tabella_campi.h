// The one table of the window's 27 fields: names, batch columns, unit families, how each text is
// read, design texts and which fields are inputs. Every front end reaches a field through it.
#pragma once

#include <array>
#include <limits>
#include <optional>
#include <string_view>

#include "units/factors.h"

namespace tv::form {

// The fields by name; the value is the index of the field in the window's array.
enum class Campo : int {
    ag = 0,
    T1,
    W,
    qa,
    suolo,
    St,
    lon,
    lat,
    VN,
    PVR,
    Cu,
    B,
    L,
    t,
    gamma,
    fd,
    Z,
    H,
    Sa,
    Ta,
    Fa,
    Wa,
    Rlat,
    E,
    d,
    K1,
    K2,
};

inline constexpr int kCampi = 27;

constexpr int indice(Campo c) {
    return static_cast<int>(c);
}
constexpr std::size_t posizione(Campo c) {
    return static_cast<std::size_t>(c);
}

// How a field's text is read (numero_di_testo reads the numbers).
enum class Lettura {
    locale,          // a number in the locale's notation
    punto_o_locale,  // "." notation first (locality list, job file), then the locale's
    coordinata,      // as punto_o_locale, or degrees, minutes and seconds (N for lat, E for lon)
    lettera_suolo,   // one subsoil category letter, A to E, either case
    nessuna,         // a result: never read back
};

struct DatiCampoForm {
    Campo campo;
    std::string_view nome;     // short name, for --set
    std::string_view colonna;  // the batch file's column
    units::Famiglia famiglia;  // the work unit the field is shown in (`nessuna`: fixed)
    Lettura lettura;
    const char* testo_progetto;  // shown until start-up writes the field
    bool ingresso;               // typed by the user, read by the check run
};

inline constexpr std::array<DatiCampoForm, kCampi> kTabellaCampi = {{
    {Campo::ag, "ag", "ag", units::Famiglia::nessuna, Lettura::nessuna, "1.26", false},
    {Campo::T1, "T1", "T1", units::Famiglia::nessuna, Lettura::locale, "45.01", true},
    {Campo::W, "W", "W", units::Famiglia::forza, Lettura::nessuna, "900", false},
    {Campo::qa, "qa", "qa", units::Famiglia::nessuna, Lettura::locale, "1.0", true},
    {Campo::suolo, "suolo", "suolo", units::Famiglia::nessuna, Lettura::lettera_suolo, "A", true},
    {Campo::St, "St", "St", units::Famiglia::nessuna, Lettura::punto_o_locale, "1.0", true},
    {Campo::lon, "lon", "lon", units::Famiglia::nessuna, Lettura::coordinata, "7.28", true},
    {Campo::lat, "lat", "lat", units::Famiglia::nessuna, Lettura::coordinata, "45.01", true},
    {Campo::VN, "VN", "VN", units::Famiglia::nessuna, Lettura::punto_o_locale, "50", true},
    {Campo::PVR, "PVR", "PVR", units::Famiglia::nessuna, Lettura::punto_o_locale, "10", true},
    {Campo::Cu, "Cu", "Cu", units::Famiglia::nessuna, Lettura::punto_o_locale, "1", true},
    {Campo::B, "B", "B", units::Famiglia::lunghezza, Lettura::locale, "500", true},
    {Campo::L, "L", "L", units::Famiglia::lunghezza, Lettura::locale, "300", true},
    {Campo::t, "t", "t", units::Famiglia::lunghezza, Lettura::locale, "25", true},
    {Campo::gamma, "gamma", "gamma", units::Famiglia::peso_specifico, Lettura::locale, "0.001",
     true},
    {Campo::fd, "fd", "fd", units::Famiglia::tensione, Lettura::locale, "5", true},
    {Campo::Z, "Z", "Z", units::Famiglia::lunghezza, Lettura::locale, "750", true},
    {Campo::H, "H", "H", units::Famiglia::lunghezza, Lettura::locale, "900", true},
    {Campo::Sa, "Sa", "Sa", units::Famiglia::nessuna, Lettura::nessuna, "900", false},
    {Campo::Ta, "Ta", "Ta", units::Famiglia::nessuna, Lettura::nessuna, "750", false},
    {Campo::Fa, "Fa", "Fa", units::Famiglia::forza, Lettura::nessuna, "900", false},
    {Campo::Wa, "Wa", "Wa", units::Famiglia::forza, Lettura::nessuna, "900", false},
    {Campo::Rlat, "Rlat", "Rlat", units::Famiglia::forza, Lettura::nessuna, "900", false},
    {Campo::E, "E", "E", units::Famiglia::tensione, Lettura::locale, "5000", true},
    {Campo::d, "d", "d_mm", units::Famiglia::nessuna, Lettura::nessuna, "900", false},
    {Campo::K1, "K1", "K1", units::Famiglia::nessuna, Lettura::nessuna, "900", false},
    {Campo::K2, "K2", "K2", units::Famiglia::nessuna, Lettura::nessuna, "900", false},
}};

static_assert(
    [] {
        for (std::size_t i = 0; i < kTabellaCampi.size(); ++i)
            if (posizione(kTabellaCampi[i].campo) != i) return false;
        return true;
    }(),
    "the table lists the fields in index order");

constexpr const DatiCampoForm& dati_campo(Campo c) {
    return kTabellaCampi[posizione(c)];
}

// The field with this short name (or this batch column name); nullopt when none has it.
constexpr std::optional<Campo> campo_di_nome(std::string_view nome) {
    for (const auto& d : kTabellaCampi)
        if (d.nome == nome || d.colonna == nome) return d.campo;
    return std::nullopt;
}

// The inputs in index order: the order the check run validates them in.
inline constexpr auto kCampiIngresso = [] {
    std::array<Campo, 17> out{};
    std::size_t n = 0;
    for (const auto& d : kTabellaCampi)
        if (d.ingresso) out.at(n++) = d.campo;
    return n == out.size() ? out : throw "17 inputs";
}();

}  // namespace tv::form

namespace tv::form {

// The field's name as messages give it: its symbol and, in brackets, what it is.
inline constexpr std::array<std::string_view, kCampi> kNomiEstesi = {
    "α (accelerazione ag/g)",
    "T1 (periodo proprio dell'edificio)",
    "W (peso totale del pannello)",
    "qa (fattore di struttura)",
    "suolo (categoria di sottosuolo)",
    "St (coefficiente di amplificazione topografica)",
    "longitudine",
    "latitudine",
    "VN (vita nominale)",
    "PVR (probabilità di superamento)",
    "Cu (coefficiente d'uso)",
    "B (lunghezza in pianta)",
    "L (altezza)",
    "t (spessore)",
    "γ (peso specifico)",
    "fd (resistenza a compressione di progetto)",
    "Z (quota baricentro)",
    "H (altezza edificio)",
    "Sa (accelerazione massima adimensionalizzata)",
    "Ta (periodo proprio del pannello)",
    "Fa (forza totale baricentrica)",
    "Wa (peso efficace del pannello)",
    "Rlat (resistenza laterale di progetto)",
    "E (modulo elastico)",
    "d (inflessione sotto carico laterale di progetto)",
    "K1 (coefficiente di inflessione laterale)",
    "K2 (coefficiente di instabilità)",
};

constexpr std::string_view nome_esteso(Campo c) {
    return kNomiEstesi[posizione(c)];
}

}  // namespace tv::form

namespace tv::form {

// The values an input accepts, in base units (cm, daN/cm3, daN/cm2; s, years, per cent and
// degrees for the fields without a work unit, named by `unita`). Results accept anything.
struct Intervallo {
    double minimo = -std::numeric_limits<double>::infinity();
    bool minimo_incluso = true;
    double massimo = std::numeric_limits<double>::infinity();
    bool massimo_incluso = true;
    const char* unita = "";
};
inline constexpr double kLunghezzaMassima = 1e5;  // cm

constexpr Intervallo intervallo(Campo c) {
    constexpr Intervallo lunghezza{0, false, kLunghezzaMassima, true};
    switch (c) {
        case Campo::T1:
            return {0, false, 10, true, "s"};
        case Campo::qa:
            return {0, false, 10, true};
        case Campo::St:
            return {0, false, 3, true};
        case Campo::lon:
            return {-180, true, 180, true, "gradi"};
        case Campo::lat:
            return {-90, true, 90, true, "gradi"};
        case Campo::VN:
            return {0, false, 1000, true, "anni"};
        case Campo::PVR:
            return {0, false, 100, false, "%"};
        case Campo::Cu:
            return {0, false, 10, true};
        case Campo::B:
        case Campo::L:
        case Campo::t:
        case Campo::H:
            return lunghezza;
        case Campo::Z:
            return {0, true, kLunghezzaMassima, true};
        case Campo::gamma:
            return {0, false, 0.01, true};
        case Campo::fd:
            return {0, false, 1e4, true};
        case Campo::E:
            return {0, false, 1e7, true};
        case Campo::ag:
        case Campo::W:
        case Campo::suolo:
        case Campo::Sa:
        case Campo::Ta:
        case Campo::Fa:
        case Campo::Wa:
        case Campo::Rlat:
        case Campo::d:
        case Campo::K1:
        case Campo::K2:
            return {};
    }
    return {};
}

}  // namespace tv::form
