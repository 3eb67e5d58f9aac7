// Site amplification: topographic factor St, subsoil category and stratigraphic factor Ss, and
// their product S, with the texts shown for Ss and S.
#pragma once

#include <string>
#include <string_view>

#include "text/number_text.h"

namespace tv::hazard {

struct Spettro {
    double St = 1.0;
    std::string suolo = "A";  // subsoil category as used: one of A a B b C c D d E e
    double Ss = 1.0;
    double s = 1.0;           // S = Ss * St
    std::string testo_Ss;     // Ss rounded to 3 decimals, in the locale's number format
    std::string testo_s;      // S rounded to 3 decimals, in the locale's number format
};

// campo5: the text of the topographic coefficient field ("." reading first, then the locale's;
// no number, or 0 or less, gives 1.0). campo4: the subsoil category text, trimmed and matched
// case-sensitively against A a B b C c D d E e; anything else is category "A".
Spettro spettro(std::string_view campo5, std::string_view campo4, double ag, double F0,
                const text::NumberFormat& fmt);

}  // namespace tv::hazard
