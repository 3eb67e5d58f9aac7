// SPDX-License-Identifier: GPL-3.0-or-later
// The one table of the window's 30 fields: names, batch columns, unit families, how each text is
// read, design texts and which fields are inputs. Every front end reaches a field through it.
#pragma once

#include <array>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "panel/formule.h"
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
    n,
    xi,
    Tk,
};

inline constexpr int kCampi = 30;

constexpr int indice(Campo c) {
    return static_cast<int>(c);
}
constexpr std::size_t posizione(Campo c) {
    return static_cast<std::size_t>(c);
}

// The field a window control Text1(index) shows; nullopt for an index of no field.
constexpr std::optional<Campo> campo_di_indice(int index) {
    if (index < 0 || index >= kCampi) return std::nullopt;
    return static_cast<Campo>(index);
}

// A value for each of the 30 fields, reached by the field's name only.
template <class T>
class PerCampo {
public:
    T& operator[](Campo c) { return valori_[static_cast<std::size_t>(c)]; }
    const T& operator[](Campo c) const { return valori_[static_cast<std::size_t>(c)]; }
    bool operator==(const PerCampo&) const = default;

private:
    std::array<T, kCampi> valori_{};
};
// The texts of the fields, as the window shows them and a panel holds them.
using TestiCampi = PerCampo<std::string>;

// How a field's text is read (numero_di_testo reads the numbers).
enum class Lettura {
    locale,          // a number in the locale's notation
    punto_o_locale,  // "." notation first (locality list, job file), then the locale's
    coordinata,      // as punto_o_locale, or degrees, minutes and seconds (N for lat, E for lon)
    lettera_suolo,   // one subsoil category letter, A to E, either case
    intero,          // a whole number in the locale's notation
    locale_o_vuoto,  // as locale, or empty: the field then follows another
    nessuna,         // a result: never read back
};

// A start-up value in base units, written in the field's work unit: as a general number, or
// with `decimali` fixed decimals.
struct Predefinito {
    double valore;
    int decimali = -1;
};

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
inline constexpr Intervallo kIntervalloLunghezza{0, false, kLunghezzaMassima, true};

// The report's tables of input data: which one shows a field, in which row, and how.
enum class TabellaRelazione { nessuna, sito, pannello };
struct RigaRelazione {
    TabellaRelazione tabella = TabellaRelazione::nessuna;
    int posto = 0;               // its row in the table, 1 first
    std::string_view grandezza;  // "Vita nominale"
    std::string_view simbolo;    // "VN"
    int decimali = 0;            // of the value in the work unit
    std::string_view unita;      // fixed unit ("anni"); the job's unit of the family when empty
};
constexpr RigaRelazione sito(int posto, std::string_view grandezza, std::string_view simbolo,
                             int decimali, std::string_view unita) {
    return {TabellaRelazione::sito, posto, grandezza, simbolo, decimali, unita};
}
constexpr RigaRelazione pannello(int posto, std::string_view grandezza,
                                 std::string_view simbolo, int decimali) {
    return {TabellaRelazione::pannello, posto, grandezza, simbolo, decimali, ""};
}

struct DatiCampoForm {
    Campo campo;
    std::string_view nome;     // short name, for --set
    std::string_view colonna;  // the batch file's column
    units::Famiglia famiglia;  // the work unit the field is shown in (`nessuna`: fixed)
    Lettura lettura;
    const char* testo_progetto;  // shown until start-up writes the field
    bool ingresso;               // typed by the user, read by the check run
    std::string_view esteso;     // as messages name it: its symbol and, in brackets, what it is
    int ordine;  // place among the batch's input columns and in --set's help (1 first), 0: none
    // What start-up writes (T1: unless the job file gives it); nullopt: the job file's or the
    // design text. The weight W is start-up's product of gamma, B, L and t.
    std::optional<Predefinito> predefinito;
    int etichetta;           // the Label1 caption start-up writes, -1 none
    const char* didascalia;  // its text, followed by the label of the work unit of `famiglia`
    RigaRelazione relazione;
    Intervallo intervallo;
    // The formula the field belongs to: shown, read and reported only with it; nullopt: always.
    std::optional<panel::FormulaDomanda> formula = std::nullopt;
};

inline constexpr std::array<DatiCampoForm, kCampi> kTabellaCampi = {{
    {Campo::ag, "ag", "ag", units::Famiglia::nessuna, Lettura::nessuna, "1.26", false,
     "α (accelerazione ag/g)", 0, std::nullopt, -1, "",
     RigaRelazione{}, Intervallo{}},
    // T1: 0.075 · 9^0.75 s, shown as 0.39.
    {Campo::T1, "T1", "T1", units::Famiglia::nessuna, Lettura::locale, "45.01", true,
     "T1 (periodo proprio dell'edificio)", 9, Predefinito{0.3897114317029974, 2}, 2, "T1 (sec)",
     sito(8, "Periodo proprio dell'edificio", "T1", 4, "s"), {0, false, 10, true, "s"}},
    {Campo::W, "W", "W", units::Famiglia::forza, Lettura::nessuna, "900", false,
     "W (peso totale del pannello)", 0, std::nullopt, 5, "Wa tot.",
     RigaRelazione{}, Intervallo{}},
    {Campo::qa, "qa", "qa", units::Famiglia::nessuna, Lettura::locale, "1.0", true,
     "qa (fattore di struttura)", 8, Predefinito{2}, -1, "",
     sito(9, "Fattore di struttura del pannello", "qa", 4, ""), {0, false, 10, true}},
    {Campo::suolo, "suolo", "suolo", units::Famiglia::nessuna, Lettura::lettera_suolo, "A", true,
     "suolo (categoria di sottosuolo)", 6, std::nullopt, -1, "",
     sito(6, "Categoria di sottosuolo", "", 0, ""), Intervallo{}},
    {Campo::St, "St", "St", units::Famiglia::nessuna, Lettura::punto_o_locale, "1.0", true,
     "St (coefficiente di amplificazione topografica)", 7, std::nullopt, -1, "",
     sito(7, "Coefficiente di amplificazione topografica", "St", 3, ""), {0, false, 3, true}},
    {Campo::lon, "lon", "lon", units::Famiglia::nessuna, Lettura::coordinata, "7.28", true,
     "longitudine", 2, std::nullopt, -1, "",
     sito(1, "Longitudine", "lon", 6, "°"), {-180, true, 180, true, "gradi"}},
    {Campo::lat, "lat", "lat", units::Famiglia::nessuna, Lettura::coordinata, "45.01", true,
     "latitudine", 1, std::nullopt, -1, "",
     sito(2, "Latitudine", "lat", 6, "°"), {-90, true, 90, true, "gradi"}},
    {Campo::VN, "VN", "VN", units::Famiglia::nessuna, Lettura::punto_o_locale, "50", true,
     "VN (vita nominale)", 3, std::nullopt, -1, "",
     sito(3, "Vita nominale", "VN", 4, "anni"), {0, false, 1000, true, "anni"}},
    {Campo::PVR, "PVR", "PVR", units::Famiglia::nessuna, Lettura::punto_o_locale, "10", true,
     "PVR (probabilità di superamento)", 4, std::nullopt, -1, "",
     sito(5, "Probabilità di superamento nel periodo di riferimento", "PVR", 4, "%"), {0, false, 100, false, "%"}},
    {Campo::Cu, "Cu", "Cu", units::Famiglia::nessuna, Lettura::punto_o_locale, "1", true,
     "Cu (coefficiente d'uso)", 5, std::nullopt, -1, "",
     sito(4, "Coefficiente d'uso", "Cu", 4, ""), {0, false, 10, true}},
    {Campo::B, "B", "B", units::Famiglia::lunghezza, Lettura::locale, "500", true,
     "B (lunghezza in pianta)", 10, Predefinito{500}, 18, "B ",
     pannello(1, "Lunghezza in pianta", "B", 2), kIntervalloLunghezza},
    {Campo::L, "L", "L", units::Famiglia::lunghezza, Lettura::locale, "300", true,
     "L (altezza)", 11, Predefinito{300}, 19, "L ",
     pannello(2, "Altezza", "L", 2), kIntervalloLunghezza},
    {Campo::t, "t", "t", units::Famiglia::lunghezza, Lettura::locale, "25", true,
     "t (spessore)", 12, Predefinito{12}, 20, "t ",
     pannello(3, "Spessore", "t", 2), kIntervalloLunghezza},
    {Campo::gamma, "gamma", "gamma", units::Famiglia::peso_specifico, Lettura::locale, "0.001", true,
     "γ (peso specifico)", 13, Predefinito{0.0008}, 21, " ",
     pannello(4, "Peso specifico", "γ", 8), {0, false, 0.01, true}},
    {Campo::fd, "fd", "fd", units::Famiglia::tensione, Lettura::locale, "5", true,
     "fd (resistenza a compressione di progetto)", 14, Predefinito{3}, 22, "fd ",
     pannello(5, "Resistenza di progetto a compressione", "fd", 4), {0, false, 1e4, true}},
    {Campo::Z, "Z", "Z", units::Famiglia::lunghezza, Lettura::locale, "750", true,
     "Z (quota baricentro)", 16, Predefinito{750}, 24, "Z ",
     pannello(7, "Quota del baricentro dalla fondazione", "Z", 2), {0, true, kLunghezzaMassima, true}},
    {Campo::H, "H", "H", units::Famiglia::lunghezza, Lettura::locale, "900", true,
     "H (altezza edificio)", 17, Predefinito{900}, 25, "H ",
     pannello(8, "Altezza dell'edificio", "H", 2), kIntervalloLunghezza},
    {Campo::Sa, "Sa", "Sa", units::Famiglia::nessuna, Lettura::nessuna, "900", false,
     "Sa (accelerazione massima adimensionalizzata)", 0, std::nullopt, -1, "",
     RigaRelazione{}, Intervallo{}},
    {Campo::Ta, "Ta", "Ta", units::Famiglia::nessuna, Lettura::nessuna, "750", false,
     "Ta (periodo proprio del pannello)", 0, std::nullopt, 27, "Ta [sec]",
     RigaRelazione{}, Intervallo{}},
    {Campo::Fa, "Fa", "Fa", units::Famiglia::forza, Lettura::nessuna, "900", false,
     "Fa (forza totale baricentrica)", 0, std::nullopt, 6, "",
     RigaRelazione{}, Intervallo{}},
    {Campo::Wa, "Wa", "Wa", units::Famiglia::forza, Lettura::nessuna, "900", false,
     "Wa (peso efficace del pannello)", 0, std::nullopt, 15, "Wa eff.",
     RigaRelazione{}, Intervallo{}},
    {Campo::Rlat, "Rlat", "Rlat", units::Famiglia::forza, Lettura::nessuna, "900", false,
     "Rlat (resistenza laterale di progetto)", 0, std::nullopt, 28, "",
     RigaRelazione{}, Intervallo{}},
    {Campo::E, "E", "E", units::Famiglia::tensione, Lettura::locale, "5000", true,
     "E (modulo elastico)", 15, Predefinito{6000}, 29, "E ",
     pannello(6, "Modulo elastico", "E", 2), {0, false, 1e7, true}},
    {Campo::d, "d", "d_mm", units::Famiglia::nessuna, Lettura::nessuna, "900", false,
     "d (inflessione sotto carico laterale di progetto)", 0, std::nullopt, 31, "[mm]",
     RigaRelazione{}, Intervallo{}},
    {Campo::K1, "K1", "K1", units::Famiglia::nessuna, Lettura::nessuna, "900", false,
     "K1 (coefficiente di inflessione laterale)", 0, std::nullopt, -1, "",
     RigaRelazione{}, Intervallo{}},
    {Campo::K2, "K2", "K2", units::Famiglia::nessuna, Lettura::nessuna, "900", false,
     "K2 (coefficiente di instabilità)", 0, std::nullopt, -1, "",
     RigaRelazione{}, Intervallo{}},
    // The building as the floor spectrum of C7.2.5 reads it; Tk empty follows T1.
    {Campo::n, "n", "n", units::Famiglia::nessuna, Lettura::intero, "3", true,
     "n (piani sopra la fondazione)", 18, Predefinito{3, 0}, 36, "n",
     sito(10, "Piani dell'edificio sopra la fondazione", "n", 0, ""), {1, true, 200, true},
     panel::FormulaDomanda::circolare_c7_2_5},
    {Campo::xi, "xi", "xi", units::Famiglia::nessuna, Lettura::locale, "5", true,
     "ξ (smorzamento dell'edificio)", 19, Predefinito{5}, 37, "ξ (%)",
     sito(11, "Smorzamento dell'edificio", "ξk", 2, "%"), {0, false, 50, true, "%"},
     panel::FormulaDomanda::circolare_c7_2_5},
    {Campo::Tk, "Tk", "Tk", units::Famiglia::nessuna, Lettura::locale_o_vuoto, "", true,
     "Tk (periodo dell'edificio allo stato limite)", 20, std::nullopt, 38, "Tk",
     sito(12, "Periodo dell'edificio allo stato limite", "Tk", 4, "s"), {0, false, 10, true, "s"},
     panel::FormulaDomanda::circolare_c7_2_5},
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
inline constexpr std::size_t kNumeroIngressi = [] {
    std::size_t n = 0;
    for (const auto& d : kTabellaCampi) n += d.ingresso;
    return n;
}();
inline constexpr auto kCampiIngresso = [] {
    std::array<Campo, kNumeroIngressi> out{};
    std::size_t n = 0;
    for (const auto& d : kTabellaCampi)
        if (d.ingresso) out.at(n++) = d.campo;
    return out;
}();

}  // namespace tv::form

namespace tv::form {

constexpr std::string_view nome_esteso(Campo c) {
    return dati_campo(c).esteso;
}

// The batch's input fields, and the short names of --set's help, in their `ordine`.
inline constexpr std::size_t kCampiOrdinati = [] {
    std::size_t n = 0;
    for (const auto& d : kTabellaCampi) n += d.ordine > 0;
    return n;
}();
inline constexpr auto kOrdineCampi = [] {
    std::array<Campo, kCampiOrdinati> out{};
    for (const auto& d : kTabellaCampi)
        if (d.ordine > 0) out.at(static_cast<std::size_t>(d.ordine - 1)) = d.campo;
    return out;
}();
static_assert(
    [] {
        for (std::size_t i = 0; i < kOrdineCampi.size(); ++i)
            if (dati_campo(kOrdineCampi[i]).ordine != static_cast<int>(i) + 1) return false;
        return true;
    }(),
    "each place of the batch's order is taken once");

}  // namespace tv::form

namespace tv::form {

constexpr Intervallo intervallo(Campo c) {
    return dati_campo(c).intervallo;
}

}  // namespace tv::form
