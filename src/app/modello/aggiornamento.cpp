// SPDX-License-Identifier: GPL-3.0-or-later
// The inputs of the last completed run compared with those on screen, and the grey marking.
#include "app/modello/aggiornamento.h"

#include "panel/domanda.h"
#include "form/testi.h"

namespace tv::form {

bool risultati_scaduti(const StatoFinestra& s, const std::optional<UltimaEsecuzione>& ultima) {
    return !ultima || !stessi_ingressi(ultima->ingressi, s.pannello) ||
           ultima->alfa != s.pannello.testi[Campo::ag];
}

AspettoRisultati aspetto_risultati(const StatoFinestra& s, bool scaduti, bool sito_da_indicare) {
    const bool meccanismo = e_meccanismo(s.pannello.tipo);
    // A mechanism's verdict is its SLV one; restraints do not apply to it.
    if (!scaduti && meccanismo)
        return {kBlack,          s.text22_sfondo,          s.esito_meccanismo.colore_SLV,
                s.label34_sfondo, s.esito_meccanismo.verdetto_SLV, std::nullopt};
    if (!scaduti)
        return {kBlack,          s.text22_sfondo,          s.label28_testo,
                s.label34_sfondo, s.label1[kLabelVerdetto], std::nullopt};
    if (!meccanismo && !vincoli_ammessi(s.pannello.vincoli))
        return {kGrigio, kWhite, kGrigio, kWhite, kVincoliDaCorreggere, panel::kVincoliNonAmmessi};
    if (sito_da_indicare)
        return {kGrigio, kWhite, kGrigio, kWhite, kSitoDaIndicareBreve, kSitoDaIndicare};
    return {kGrigio, kWhite, kGrigio, kWhite, kDaAggiornare, kPremereAggiorna};
}

}  // namespace tv::form
