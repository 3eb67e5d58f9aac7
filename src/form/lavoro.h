// A job of the suite and a panel of it as types: where the job is, its work units and the site
// its job file gives; the panel's description, its 17 inputs, three restraints and demand formula.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "form/avvio.h"
#include "form/calcolo.h"
#include "form/tabella_campi.h"
#include "units/unita.h"

namespace tv::form {

// Where a value of the job's site came from.
enum class Provenienza { file_lavoro, predefinito };

struct Lavoro {
    Cartelle cartelle;  // the suite root and folders, the job's name and work folder
    units::Unita unita;  // the job's work units (parametrilavoro)
    std::optional<std::filesystem::path> file;  // the job file read, when there is one
    DatiLavoro sito;  // what the job file says about the site; what it does not say stays unset

    // The job file for a site field it sets (lon, lat, suolo, St, VN, Cu, T1), otherwise the
    // program's default.
    Provenienza provenienza(Campo c) const;
};

// One panel to check: an id and a description (a batch row's), its inputs in base units (site,
// building, panel, qa), the restraints of the top and the two sides and the demand formula.
struct Pannello {
    std::string id;
    std::string descrizione;
    IngressiVerifica ingressi;
};

// The jobs of the suite's job folder: its folders, by name.
std::vector<std::string> elenco_lavori(const std::filesystem::path& dir_lavori);

// A new job `nome` in the suite's job folder, with a copy of the work units file
// (parametrilavoro) of the job in `dir_da` when it has one: nullopt when done, else the message.
std::optional<std::string> crea_lavoro(const std::filesystem::path& dir_lavori,
                                       const std::string& nome,
                                       const std::filesystem::path& dir_da);

}  // namespace tv::form
