// SPDX-License-Identifier: GPL-3.0-or-later
// The check as one pure computation: inputs in base units and the grid in, the site hazard, the
// demand on the panel, its arching resistance and the verdict out, or what stopped it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "hazard/datum.h"
#include "hazard/ricerca.h"
#include "hazard/sito.h"
#include "hazard/spettro.h"
#include "form/scelte.h"
#include "form/tabella_campi.h"
#include "panel/domanda.h"
#include "units/unita.h"

namespace tv::form {

// The demand formula is the panel library's, one row of panel::kFormule.
using panel::FormulaDomanda;

struct IngressiVerifica {
    hazard::DatiSito sito;  // lon, lat in degrees as typed; VN years; PVR per cent; Cu
    hazard::Datum datum = hazard::Datum::ed50;  // of lon and lat; the grid is ED50
    hazard::Suolo suolo = hazard::Suolo::A;
    double St = 1.0;
    double T1 = 0;                   // period of the building, s
    panel::DatiPannello pannello{};  // cm, daN/cm3, daN/cm2; qa; restraints
    FormulaDomanda formula = FormulaDomanda::ec8;
    panel::DatiEdificio edificio{};  // read by the floor spectrum of C7.2.5 only
};

// The numbers of the input fields as validation read them from their texts, in work units by
// field index (results and the subsoil hold nothing); `Tk`: the field Tk was not left empty.
struct NumeriIngresso {
    PerCampo<double> valori;
    hazard::Suolo suolo = hazard::Suolo::A;
    bool Tk = false;
};

// The inputs of a check in base units from those numbers, the restraints, the formula and the
// datum of the coordinates.
IngressiVerifica ingressi_da_numeri(const NumeriIngresso& numeri, const panel::Vincoli& vincoli,
                                    FormulaDomanda formula, hazard::Datum datum,
                                    const units::Unita& u);

// ag (a/g), F0 and Tc* (s) at one tabulated return period.
struct ValoriPeriodo {
    double ag = 0, F0 = 0, Tc = 0;
};

// One grid corner used for the site.
struct Nodo {
    std::int64_t codice = 0;
    double lon = 0, lat = 0;
    double distanza_km = 0;
    double peso = 0;  // share of the inverse-distance weighting, the four add up to 1
    ValoriPeriodo inf, sup;  // the node's values at the tabulated periods around TR
};

// Where the hazard came from: the grid's four corners (SW, SE, NE, NW), or the island group of
// Tabella 2 and the first zone holding the site.
struct OrigineGriglia {
    std::array<Nodo, 4> nodi;  // SW, SE, NE, NW
    // The four nodes are the elementary cell that holds the site; otherwise they were found from
    // the nearest point and the site lies fuori_maglia_km outside the nearest complete cell.
    bool contenente = true;
    double fuori_maglia_km = 0;
};
struct OrigineIsola {
    std::string_view gruppo;  // "G1"; both name the compiled table, which lives for the program
    std::string_view zona;    // "Sardegna"
};
using OrigineAzione = std::variant<OrigineGriglia, OrigineIsola>;

struct AzioneSito {
    OrigineAzione origine;
    double VN_Cu = 0;               // years, before the least VR
    double VR = 0, TR = 0;          // years; VR at least hazard::kVRMinimo
    double TR_inf = 0, TR_sup = 0;  // tabulated return periods around TR
    double TR_calcolato = 0;        // -VR / ln(1 - PVR) before rounding and limits
    ValoriPeriodo inf, sup;         // the site's values at TR_inf and TR_sup
    double r = 0;                   // position of TR between them on the log scale
    double ag = 0;                  // a_g / g
    double F0 = 0, Tc = 0;          // Tc* in s
    hazard::Spettro spettro;        // St, soil, Ss, S
};

// Inputs that a check accepts but that are seldom what the engineer meant: warnings, never
// refusals. `valore`, `minimo` and `massimo` are what the text shows (see testo_avviso).
enum class TipoAvviso { Z_sopra_H, t_L, t_B, snellezza, St, Cu, qa, qa_mensola, T1, fuori_maglia };
struct Avviso {
    TipoAvviso tipo;
    double valore = 0, minimo = 0, massimo = 0;
};

// The warning on qa, if any: a cantilever expects 1 (Circolare 2019 Tab. C7.2.I), any other
// panel 1 or 2.
std::optional<Avviso> avviso_qa(const panel::DatiPannello& p);

// The plausibility warnings of a completed check, in the order above. Z above H is no warning
// for a cantilever (a roof parapet's centre of mass is above the building).
std::vector<Avviso> avvisi_plausibilita(const IngressiVerifica& in, const panel::EsitoPannello& p);

struct RisultatoVerifica {
    IngressiVerifica ingressi;  // what was checked
    hazard::Geografiche ed50;   // the site in ED50, where the grid was searched
    AzioneSito azione;
    panel::EsitoPannello pannello;  // demand (with the formula that gave it), arch, resistance
    bool ok = false;                // Rlat >= Fa
    std::vector<Avviso> avvisi;     // plausibility warnings
    // The choices the panel's numbers bear out, for the report; unset for a batch row.
    std::optional<ScelteValide> scelte;
};

// What stopped a check: the message and the title of its box.
struct Arresto {
    std::string testo;
    std::string titolo;
};

using EsitoVerifica = std::variant<RisultatoVerifica, Arresto>;

EsitoVerifica calcola_verifica(const IngressiVerifica& ingressi,
                               const hazard::RicercaGriglia& griglia);

// The value in base units the check used for an input field (St as the spectrum took it);
// nullopt for the subsoil category (hazard::Suolo) and for the fields that are results.
std::optional<double> valore_usato(const RisultatoVerifica& r, Campo c);

}  // namespace tv::form
