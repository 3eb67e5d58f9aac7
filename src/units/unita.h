// SPDX-License-Identifier: GPL-3.0-or-later
// Work units of the job: the "parametrilavoro" settings file, the length and force scales of a
// unit text, and the unit texts, captions and factors of the four families the program uses.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "units/factors.h"

namespace tv::units {

// Length scale of a unit text (units per cm), read from substrings of its lower case:
// "mm" 10, "cm" 1, "kpa"/"mpa"/"m" 0.01; nullopt when none occurs.
std::optional<double> scala_lunghezza(std::string_view unit);

// Force scale of a unit text (units per daN): "dan" 1, "kn" 1/100, "n" 10, "kgf" 10/g,
// "t" (1/100)/g, "kpa" 1/100, "mpa" 1/100000; nullopt when none occurs. g is not checked here.
std::optional<double> scala_forza(std::string_view unit, double accelerazione_g);

// What a unit text is made of, by the strict reading of its parts (blanks between parts and
// letter case ignored): a length, a force, a stress (force/length2, KPa, MPa), a specific weight
// (force/length3), or nothing the program knows (`nessuna`).
Famiglia famiglia_unita(std::string_view unit);

// The unit settings of the job: one object, filled once at start-up by imposta_unita.
struct Unita {
    std::string unita_lunghezze, unita_forze, unita_pesi_specifici, unita_tensioni;
    std::string etichetta_lunghezze, etichetta_forze, etichetta_pesi_specifici, etichetta_tensioni;
    double accelerazione_g = 0, fattore_lunghezze = 0, fattore_forze = 0, fattore_tensioni = 0,
           fattore_pesi_specifici = 0;
    // The gravity value as written in the file; empty until a gravity line is read.
    std::string valore_accelerazione_g;

    // A family's factor (1 for `nessuna`), work unit text and caption ("" for `nessuna`). The
    // job sets no unit for volumes and moments: they count as `nessuna`.
    double fattore(Famiglia f) const;
    std::string unita(Famiglia f) const;
    std::string etichetta(Famiglia f) const;

    // Reads the settings file into the unit texts, captions and gravity (factors back to 0).
    // Throws tv::Failure when the file cannot be read or its gravity is not a usable number.
    void leggi_parametrilavoro(const std::filesystem::path& file);

    // Finds dir_lavoro/"parametrilavoro" (or the same name in another letter case), reads it,
    // checks every family and sets the four factors. Throws tv::Failure naming the file and the
    // key at fault; on failure the object is left as it was.
    void imposta_unita(const std::filesystem::path& dir_lavoro);

    // The reading of leggi_parametrilavoro on lines already decoded; the first line is dropped.
    void leggi_testo(const std::vector<std::string>& lines,
                     const std::string& file_name_for_messages);

    // Checks the texts read (every key present, units known and of their family, gravity read)
    // and sets the four factors. Throws tv::Failure naming the file and the key at fault.
    void calcola_fattori(const std::string& file_name_for_messages);
};

// The settings file of a work folder: the exact name "parametrilavoro" when present, else a file
// whose name differs from it only by letter case; nullopt when there is neither.
std::optional<std::filesystem::path> trova_parametrilavoro(const std::filesystem::path& dir_lavoro);

}  // namespace tv::units
