// SPDX-License-Identifier: GPL-3.0-or-later
// Temporary suites for the form, command-line and window tests: a 4 x 4 hazard grid, a locality
// list, the settings files and a job folder; and the check that shown results are honest.
#pragma once

#include <array>
#include <filesystem>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

#include "form/lavoro.h"
#include "griglia_prova.h"
#include "prova.h"
#include "form/messaggi.h"
#include "text/encoding.h"
#include "text/number_text.h"

namespace tv::form::prova {
namespace fs = std::filesystem;

using tv::prova::CartellaTemp;
using tv::prova::scrivi;

// The locality list, in this order (not alphabetical), written in Windows-1252.
inline const std::vector<std::string>& righe_localita() {
    static const std::vector<std::string> righe{
        "44.9700   7.3000   Torre Pellice (TO)", "45.0000   7.2900   Nodo Centrale (XX)",
        "45.0500   7.2200   Forlì Finto (FC)",   "Senza separatore (ZZ)",
        "45.0703   7.6869   Torino (TO)",
    };
    return righe;
}

inline std::string testo_localita() {
    std::string out;
    for (const auto& r : righe_localita()) out += text::encode_cp1252(r) + "\r\n";
    return out;
}

inline std::string parametrilavoro(std::string_view lun = "cm", std::string_view forze = "daN",
                                   std::string_view pesi = "daN/cm3", std::string_view tens = "daN/cm2") {
    return "PARAMETRI DI LAVORO - prova\n" + std::string(lun) + " [lunghezze]\n" + std::string(forze) +
           " [forze]\n" + std::string(pesi) + " [pesi_specifici]\n" + std::string(tens) +
           " [tensioni]\n9.81 [accelerazione_g]\n";
}

// A whole suite: root "<temp>/Suite Prova" (a blank and capitals in its name), progra with grid
// and locality list, impostazioni/dirlav "lavori" and impostazioni/lavoro "commessa", and the
// job folder with its parametrilavoro in centimetres. No job file, or with `con_sito` a job file
// that gives only the design site's coordinates (the same numbers, but a site somebody chose).
inline constexpr bool kConSito = true;
class SuiteTemp {
  public:
    explicit SuiteTemp(bool con_sito = false) : root_(tmp_.path() / "Suite Prova") {
        scrivi(file_griglia(), testo_griglia());
        scrivi(progra() / "coordinate_localita.txt", testo_localita());
        scrivi(root_ / "impostazioni" / "dirlav", "lavori\r\n");
        scrivi(root_ / "impostazioni" / "lavoro", "commessa\r\n");
        scrivi(lavoro() / "parametrilavoro", parametrilavoro());
        if (con_sito)
            scrivi(lavoro() / "sismica_2008.txt",
                   "PARAMETRI SISMICI NTC 2008\r\n\r\nLocalit\xe0 Prova (long. 7.28  lat. 45.01 )\r\n");
    }
    const fs::path& root() const { return root_; }
    fs::path progra() const { return root_ / "progra"; }
    fs::path lavoro() const { return root_ / "lavori" / "commessa"; }
    fs::path file_griglia() const { return progra() / "parametri_per_spettro.txt"; }
    // Another folder of the same temporary tree, outside the suite.
    fs::path fuori() const { return tmp_.path() / "altrove"; }
    // The arguments with which the suite starts a program.
    std::vector<std::string> args() const { return {"|diroot=" + root_.string() + "|"}; }

  private:
    CartellaTemp tmp_;
    fs::path root_;
};

// The repository's demo suite copied into `dest` with the reference grid and locality list laid
// into its program folder. False when the reference data are not there.
inline bool copia_suite_demo(const fs::path& dest) {
    const fs::path dati(TV_SHARED_DATA);
    const fs::path griglia = dati / "hazard_grid_ntc2008.txt";
    const fs::path localita = dati / "localities_it.txt";
    if (!fs::exists(griglia) || !fs::exists(localita)) return false;
    const fs::path demo = fs::path(TV_SOURCE_DIR) / "examples" / "suite";
    for (const char* sub : {"impostazioni", "lavori"})
        fs::copy(demo / sub, dest / sub, fs::copy_options::recursive);
    fs::create_directories(dest / "progra");
    fs::copy_file(griglia, dest / "progra" / "parametri_per_spettro.txt");
    fs::copy_file(localita, dest / "progra" / "coordinate_localita.txt");
    return true;
}

// Texts of the messages shown so far.
inline std::vector<std::string> testi_di(const RaccoltaMessaggi& m) {
    std::vector<std::string> out;
    for (const auto& x : m.elenco) out.push_back(x.testo);
    return out;
}

// Format of a locale with "," as decimal separator and "." for grouping.
inline text::NumberFormat formato_virgola() { return text::NumberFormat{",", "."}; }

// Fields a completed run writes.
inline constexpr Campo kRisultati[] = {Campo::ag, Campo::W,    Campo::Sa, Campo::Ta,
                                       Campo::Fa, Campo::Wa,   Campo::Rlat, Campo::d,
                                       Campo::K1, Campo::K2};

}  // namespace tv::form::prova
