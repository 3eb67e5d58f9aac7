// What the window shows from a panel check: field texts in work units, captions and colours.
#pragma once

#include <string>

#include "panel/domanda.h"
#include "text/number_text.h"

namespace tv::panel {

struct Rgb {
    int r;
    int g;
    int b;
    bool operator==(const Rgb&) const = default;
};

struct TestiPannello {
    std::string campo2;   // total weight W, force unit, 2 decimals
    std::string campo18;  // Sa, 4 decimals
    std::string campo19;  // Ta, 4 decimals
    std::string campo20;  // Fa, force unit, 2 decimals
    std::string campo21;  // Wa, force unit, 2 decimals
    std::string campo22;  // Rlat, force unit, 2 decimals
    std::string campo24;  // design deflection in mm, 2 decimals
    std::string campo25;  // K1, "0.000"
    std::string campo26;  // K2, "0.000"
    std::string label8;   // symbol of the span: "L" or "B"
    std::string label3;   // mass distribution sentence
    std::string label28;  // force label and verdict
    std::string label34;  // critical stress of instability, stress unit
    Rgb campo22_sfondo;
    Rgb label28_testo;
    Rgb label34_sfondo;
};

// A work-unit value is the base-unit value times the family's factor. Throws tv::Failure when a
// factor is not finite and above 0 or a shown value would not be finite.
TestiPannello testi_pannello(const EsitoPannello& esito, double fattore_forze,
                             double fattore_tensioni, const std::string& etichetta_forze,
                             const std::string& unita_tensioni, const text::NumberFormat& fmt);

}  // namespace tv::panel
