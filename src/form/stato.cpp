// Design texts of the fields and captions of the labels.
#include "form/stato.h"

namespace tv::form {

std::array<std::string, kCampi> design_text1() {
    std::array<std::string, kCampi> t;
    for (const auto& d : kTabellaCampi) t[posizione(d.campo)] = d.testo_progetto;
    return t;
}

void cancella_testi_risultato(std::array<std::string, kCampi>& testi) {
    for (const auto& d : kTabellaCampi)
        if (!d.ingresso && d.campo != Campo::W) testi[posizione(d.campo)].clear();
}

std::array<std::string, kLabel1> design_label1() {
    std::array<std::string, kLabel1> l;
    for (std::size_t i = 0; i < l.size(); ++i) l[i] = kTestiLabel1[i];
    return l;
}

}  // namespace tv::form
