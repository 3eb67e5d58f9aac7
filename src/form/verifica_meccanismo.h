// SPDX-License-Identifier: GPL-3.0-or-later
// The local-mechanism kind of check: its input fields (the wall's storeys, knowledge level, z0),
// how a panel's texts are read into the check's inputs, and the check against the job's grid.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "form/calcolo_meccanismi.h"
#include "form/tipo_verifica.h"
#include "units/factors.h"

namespace tv::text {
struct NumberFormat;
}
namespace tv::hazard {
class FonteGriglia;
}

namespace tv::form {

struct Lavoro;
struct Pannello;

// The quantities of a storey, each a field per storey (h1..h5, t1..t5, ...).
enum class GrandezzaPiano { h, t, N, dN, F, catena };
inline constexpr int kGrandezzePiano = 6;

// The mechanism's fields by name: piani, then h1..h5, t1..t5, N1..N5, dN1..dN5, F1..F5,
// catena1..catena5, then LC and z0; the interlock with the side walls (their count, hb, lb, ts,
// mu), the wedge (beta, lati_cuneo; its ts is the interlock's) and the free element (appoggiato,
// Em); every kind's analysis, linear or nonlinear, and where its ties break (d_rottura).
enum class CampoMeccanismo : int {
    piani = 0,
    LC = 1 + kGrandezzePiano * 5,
    z0,
    ammorsamenti,
    hb,
    lb,
    ts,
    mu,
    beta,
    lati_cuneo,
    appoggiato,
    Em,
    analisi,
    d_rottura
};
inline constexpr int kCampiMeccanismo = static_cast<int>(CampoMeccanismo::d_rottura) + 1;

// The fields' names, for --set, the batch's columns and the panels file, in the enum's order.
inline constexpr std::array<std::string_view, kCampiMeccanismo> kNomiCampiMeccanismo = {
    "piani", "h1",      "h2",      "h3",      "h4",      "h5",      "t1",  "t2",  "t3",
    "t4",    "t5",      "N1",      "N2",      "N3",      "N4",      "N5",  "dN1", "dN2",
    "dN3",   "dN4",     "dN5",     "F1",      "F2",      "F3",      "F4",  "F5",  "catena1",
    "catena2", "catena3", "catena4", "catena5", "LC", "z0", "ammorsamenti", "hb", "lb", "ts",
    "mu", "beta", "lati_cuneo", "appoggiato", "Em", "analisi", "d_rottura"};

constexpr CampoMeccanismo campo_piano(GrandezzaPiano g, int piano /* 1-based */) {
    return static_cast<CampoMeccanismo>(1 + static_cast<int>(g) * 5 + piano - 1);
}
constexpr std::size_t posizione(CampoMeccanismo c) {
    return static_cast<std::size_t>(c);
}

// Every mechanism field holds a number but the analysis, a word.
constexpr bool campo_numerico(CampoMeccanismo c) {
    return c != CampoMeccanismo::analisi;
}

struct DatiCampoMeccanismo {
    std::string nome;         // --set and the column: "h2"
    std::string esteso;       // as messages name it: "h2 (altezza del piano 2)"
    units::Famiglia famiglia;  // the job's work unit it is typed in (nessuna: a count)
};
const DatiCampoMeccanismo& dati_campo(CampoMeccanismo c);
// The field with this name, nullopt when none has it.
std::optional<CampoMeccanismo> campo_meccanismo_di_nome(std::string_view nome);

// The texts of the mechanism's fields, "." or the locale's notation; empty loads count as 0.
using TestiMeccanismo = std::array<std::string, kCampiMeccanismo>;
// The fields a kind reads besides the storeys, LC and z0, in the window's order.
std::vector<CampoMeccanismo> campi_propri(TipoVerifica t);

// The analysis of the field `analisi`: empty, "lineare" or 0 linear; "non lineare" (or
// "non_lineare") or 1 nonlinear; nullopt for any other text.
std::optional<bool> analisi_non_lineare(std::string_view testo);
inline constexpr const char* kAnalisiLineare = "lineare";
inline constexpr const char* kAnalisiNonLineare = "non lineare";

// What a new panel holds: one storey, LC1, z0 = 0, no interlock, mu 0.577, one wedge side, the
// linear analysis, the rest empty.
TestiMeccanismo testi_meccanismo_iniziali();

// The panel of kind `tipo` read into the mechanism's inputs: the site fields and B, γ, H, T1
// (n, ξ, Tk for C7.2.5) through their validation, then the storeys in the job's work units
// (converted to m and kN). The first refusal stops, naming the field.
std::variant<IngressiMeccanismo, Arresto> leggi_meccanismo(const Pannello& p,
                                                           const Lavoro& lavoro,
                                                           const text::NumberFormat& formato);

// The panel read as above and checked against the job's grid from `griglia`.
EsitoMeccanismo calcola_pannello_meccanismo(const Pannello& p, const Lavoro& lavoro,
                                            hazard::FonteGriglia& griglia,
                                            const text::NumberFormat& formato);

// The name of a mechanism checked: "ribaltamento 2" (about the base of storey 2), "flessione",
// "ribaltamento composto 1", "elemento libero".
std::string nome_meccanismo(const panel::EsitoCinematismo& e);

}  // namespace tv::form
