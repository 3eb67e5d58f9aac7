// Test data: the report values of the demo job (L'Aquila, panel 500 x 300 x 12 cm, top and
// bottom supported), filled by hand from a check run of the job in cm and daN.
#pragma once

#include "form/relazione.h"

namespace tv::form {

inline DatiRelazione dati_relazione_demo() {
    DatiRelazione d;
    d.versione = "0.1.0";
    d.lavoro = "demo";
    d.data = "12/03/2025";
    d.localita = "L'Aquila";
    d.unita.unita_lunghezze = "cm";
    d.unita.unita_forze = "daN";
    d.unita.unita_pesi_specifici = "daN/cm3";
    d.unita.unita_tensioni = "daN/cm2";
    d.unita.fattore_lunghezze = d.unita.fattore_forze = d.unita.fattore_tensioni =
        d.unita.fattore_pesi_specifici = 1.0;
    d.lon = 13.3995, d.lat = 42.3505, d.VN = 50, d.Cu = 1, d.PVR = 10;
    d.suolo = "B", d.T1 = 0.39, d.qa = 2;
    d.L = 300, d.B = 500, d.t = 12, d.gamma = 0.0008, d.fd = 3, d.E = 6000, d.Z = 750, d.H = 900;
    d.nodi = {{{"SW", 26527, 13.355, 42.335, 4.04309842, 0.233957},
               {"SE", 26528, 13.423, 42.335, 2.588598788, 0.365414},
               {"NE", 26306, 13.422, 42.385, 4.258344851, 0.222131},
               {"NW", 26305, 13.355, 42.385, 5.299254851, 0.178499}}};
    d.VR = 50, d.TR = 475, d.TR_inferiore = 475, d.TR_superiore = 975;
    d.ag = 0.2607438004, d.F0 = 2.36, d.Tcstar = 0.35;
    d.Ss = 1.153857852, d.St = 1.0, d.S = 1.153857852;
    d.W = 1440, d.quota_verticale = 1, d.quota_orizzontale = 0;
    d.perc_verticale = 100, d.perc_orizzontale = 0;
    d.Wa = 1440, d.J = 72000, d.Ta = 0.192826569, d.Sa = 1.167450718, d.Fa = 840.5645166;
    d.a = 150, d.h = 10.8, d.l_arco = 150.5167994;
    d.K1 = 0.8539922212, d.K2 = 1, d.deltafreccia = 0.8195364433, d.sigmacrit = 10.29391793;
    d.qcrit = 0.008227690076, d.fcrit = 3.166699219, d.qd = 0.004099162662;
    d.Rlat = 614.8743993, d.ok = false;
    return d;
}

}  // namespace tv::form
