// SPDX-License-Identifier: GPL-3.0-or-later
// The hazard at two return periods and the checks of the wall's mechanisms.
#include "form/calcolo_meccanismi.h"

#include "text/error.h"

namespace tv::form {

namespace {

PericolositaStato pericolosita(const hazard::RicercaGriglia& griglia, hazard::DatiSito sito,
                               double PVR, const IngressiMeccanismo& in) {
    sito.PVR = PVR;
    PericolositaStato p;
    p.PVR = PVR;
    p.sito = hazard::pericolosita_sito(griglia, sito);
    p.spettro = hazard::spettro(in.St, in.suolo, p.sito.ag, p.sito.F0);
    return p;
}

panel::AzioneStato azione(const PericolositaStato& p) {
    return {p.sito.TR, p.sito.ag, p.spettro.s, p.sito.F0, p.sito.Tc};
}

}  // namespace

EsitoMeccanismo calcola_meccanismo(const IngressiMeccanismo& in,
                                   const hazard::RicercaGriglia& griglia) {
    try {
        RisultatoMeccanismo r;
        r.ingressi = in;
        r.ed50 = hazard::in_ed50({in.sito.lat, in.sito.lon}, in.datum);
        hazard::DatiSito sito = in.sito;
        sito.lat = r.ed50.lat;
        sito.lon = r.ed50.lon;
        r.SLD = pericolosita(griglia, sito, kPVR_SLD, in);
        r.SLV = pericolosita(griglia, sito, kPVR_SLV, in);
        r.ingressi.verifica.suolo = in.suolo;
        r.ingressi.verifica.SLD = azione(r.SLD);
        r.ingressi.verifica.SLV = azione(r.SLV);
        if (in.verifica.non_lineare) {
            r.SLC = pericolosita(griglia, sito, kPVR_SLC, in);
            r.ingressi.verifica.SLC = azione(*r.SLC);
        }
        r.esito = panel::verifica_meccanismi(in.parete, in.tipo, r.ingressi.verifica);
        return r;
    } catch (const Failure& f) {
        return Arresto{f.what(), f.title()};
    }
}

}  // namespace tv::form
