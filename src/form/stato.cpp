// Design texts of the fields and captions of the labels.
#include "form/stato.h"

namespace tv::form {

std::array<std::string, kCampi> design_text1() {
    std::array<std::string, kCampi> t;
    for (const auto& d : kTabellaCampi) t[posizione(d.campo)] = d.testo_progetto;
    return t;
}

std::array<std::string, kLabel1> design_label1() {
    return {"α",
            "S",
            "T1",
            "qa",
            "suolo",
            "Wa",
            "=",
            "=",
            "L",
            "Ss",
            "St",
            "LONGITUDINE",
            "LATITUDINE",
            "VN (anni)",
            "PVR (%)",
            "Wa*",
            "VR (anni)",
            "Cu",
            "B (cm)",
            "L (cm)",
            "t (cm) =",
            "(daN/cm3) =",
            "fd (daN/cm2) =",
            "γ ",
            "Z (cm) =",
            "H (cm) =",
            "=",
            "Ta",
            "=",
            "E (daN/cm2) =",
            "=",
            "=",
            "Coeff. di inflessione laterale K1 =",
            "Coeff. di instabilità              K2 =",
            "(fe (daN/cm2) = 4.335)",
            "(Sigma critica di instabilità"};
}

}  // namespace tv::form
