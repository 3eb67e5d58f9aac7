// SPDX-License-Identifier: GPL-3.0-or-later
// A job of the suite and a panel of it as types: where the job is, its work units and the site
// its job file gives; a panel's typed field texts, restraints, demand formula and datum.
#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>
#include <utility>
#include <variant>

#include "form/avvio.h"
#include "form/calcolo.h"
#include "form/campi.h"
#include "form/messaggi.h"
#include "form/scelte.h"
#include "form/tabella_campi.h"
#include "form/tipo_verifica.h"
#include "form/verifica_meccanismo.h"
#include "hazard/fonte.h"
#include "text/number_text.h"
#include "units/unita.h"

namespace tv::form {

// Where a value of the job's site came from.
enum class Provenienza { file_lavoro, predefinito };

// A locality name with the coordinates it came with.
struct LocalitaNota {
    std::string nome;
    double lon = 0, lat = 0;
};
// The note of `nome` at the coordinate texts, read as the check reads them; nullopt when a
// coordinate cannot be read or the name is empty.
std::optional<LocalitaNota> localita_nota(std::string nome, const std::string& lon,
                                          const std::string& lat, const text::NumberFormat& f);

struct Lavoro {
    Cartelle cartelle;  // the suite root and folders, the job's name and work folder
    units::Unita unita;  // the job's work units (parametrilavoro)
    std::optional<std::filesystem::path> file;  // the job file read, when there is one
    DatiLavoro sito;  // what the job file says about the site; what it does not say stays unset
    std::optional<LocalitaNota> localita;  // the job file's locality with its coordinates
    // The latitude and longitude texts start-up began from, when the job gave no coordinates.
    std::optional<std::pair<std::string, std::string>> coordinate_iniziali;

    // The job file for a site field it sets (lon, lat, suolo, St, VN, Cu, T1), otherwise the
    // program's default.
    Provenienza provenienza(Campo c) const;
    // True while the job gave no site coordinates and the latitude or the longitude text is
    // still the one start-up began from.
    bool sito_iniziale(const TestiCampi& testi) const;

    std::filesystem::path file_griglia() const;
    std::filesystem::path file_localita() const;
};

// One panel to check: an id and a description (a batch row's or a saved panel's), the texts of
// the fields (the check reads the inputs; the others hold what was shown), the restraints, the
// demand formula and the datum of the coordinates. The window, the command line, the batch, the
// panels file and the report all hold a panel as this.
struct Pannello {
    std::string id;
    std::string descrizione;
    TestiCampi testi = design_text1();
    panel::Vincoli vincoli{};
    FormulaDomanda formula = FormulaDomanda::ec8;
    hazard::Datum datum = hazard::Datum::ed50;
    bool sito_proprio = false;  // a saved panel gave its own coordinates
    // The kind of check, and the texts of a mechanism's own fields (read only for that kind).
    TipoVerifica tipo = TipoVerifica::pannello;
    TestiMeccanismo meccanismo = testi_meccanismo_iniziali();
    // The choices that gave fields their numbers (use class, limit state, masonry, ...).
    Scelte scelte{};
    bool operator==(const Pannello&) const = default;
};

// Whether two panels give a check the same inputs: the input texts, the restraints, the formula,
// the datum, the kind and a mechanism's texts (id, description and result texts aside).
bool stessi_ingressi(const Pannello& a, const Pannello& b);

// The jobs of the suite's job folder: its folders, by name.
std::vector<std::string> elenco_lavori(const std::filesystem::path& dir_lavori);

// A new job `nome` in the suite's job folder, with a copy of the work units file
// (parametrilavoro) of the job in `dir_da` when it has one: nullopt when done, else the message.
std::optional<std::string> crea_lavoro(const std::filesystem::path& dir_lavori,
                                       const std::string& nome,
                                       const std::filesystem::path& dir_da);
// Start-up of a job: the suite folders under `root`, the job `nome` of the suite's job folder
// (else the one impostazioni/lavoro names), its job file and work units into `lavoro`; the job
// file's site values and the field table's defaults, in the job's work units, written over the
// texts `pannello` holds. `localita`, when set, is given the job file's locality text before
// the job file's notices (the window searches its list for it). Notices about the job file go
// to `messaggi`; false, after the message, when start-up cannot go on.
bool avvia_lavoro(const std::filesystem::path& root, const std::optional<std::string>& nome,
                  Lavoro& lavoro, Pannello& pannello, Messaggi& messaggi,
                  const text::NumberFormat& formato,
                  const std::function<void(const std::string&)>& localita = {});

// The panel's inputs through each field's validation, in index order, then read in the job's
// work units: the first refusal stops (its field in `rifiutato`, when given); `nota` as for
// motivo_rifiuto.
std::variant<IngressiVerifica, Arresto> leggi_pannello(const Pannello& p, const Lavoro& lavoro,
                                                       const text::NumberFormat& formato,
                                                       bool nota = false,
                                                       std::optional<Campo>* rifiutato = nullptr);

// The inputs of a check in base units from a panel whose texts validation accepted, in the
// job's work units.
IngressiVerifica ingressi_da_testi(const Pannello& p, const units::Unita& u,
                                   const text::NumberFormat& f);

// The panel read as leggi_pannello reads it and checked against the job's grid from `griglia`:
// the result, or what stopped it (a refused text, a grid that cannot be read).
EsitoVerifica calcola_pannello(const Pannello& p, const Lavoro& lavoro,
                               hazard::FonteGriglia& griglia, const text::NumberFormat& formato);

}  // namespace tv::form
