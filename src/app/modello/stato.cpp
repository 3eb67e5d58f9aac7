// SPDX-License-Identifier: GPL-3.0-or-later
// Captions of the labels, and a check's texts written into the window's state.
#include "app/modello/stato.h"

namespace tv::form {

std::array<std::string, kLabel1> design_label1() {
    std::array<std::string, kLabel1> l;
    for (std::size_t i = 0; i < l.size(); ++i) l[i] = kTestiLabel1[i];
    return l;
}

void scrivi_testi(TestiRisultato&& t, StatoFinestra& s) {
    scrivi_campi(t, s.pannello.testi);
    s.label2_6 = std::move(t.VR);
    s.label2_0 = std::move(t.Ss);
    s.label2_1 = std::move(t.S);
    s.label1[kLabelCritica] = std::move(t.critica);
    s.label34_sfondo = t.sfondo_critica;
    s.label1[kLabelCampata] = std::move(t.campata);
    s.label3 = std::move(t.ripartizione);
    s.text22_sfondo = t.sfondo_Rlat;
    s.label1[kLabelVerdetto] = std::move(t.verdetto);
    s.label28_testo = t.colore_verdetto;
    s.fonte = std::move(t.fonte);
    s.nota_VR = std::move(t.nota_VR);
    s.avvisi = std::move(t.avvisi);
    s.sito_iniziale = false;  // a completed check had a site somebody gave
}

}  // namespace tv::form
