// The report's values taken from the typed result of one check, with the job's name, units,
// locality and date.
#include <string_view>

#include "form/form1.h"
#include "form/relazione.h"

namespace tv::form {

DatiRelazione dati_relazione(const RisultatoVerifica& r, const units::Unita& unita,
                             std::string lavoro, std::optional<std::string> localita,
                             std::string data) {
    const IngressiVerifica& in = r.ingressi;
    const AzioneSito& az = r.azione;
    const panel::EsitoPannello& p = r.pannello;
    DatiRelazione d;
    d.versione = TV_VERSIONE;
    d.lavoro = std::move(lavoro);
    d.data = std::move(data);
    d.localita = std::move(localita);
    d.unita = unita;

    d.lon = in.sito.lon, d.lat = in.sito.lat;
    d.VN = in.sito.VN, d.Cu = in.sito.Cu, d.PVR = in.sito.PVR;
    d.suolo = std::string(1, static_cast<char>('A' + static_cast<int>(az.spettro.suolo)));
    d.T1 = in.T1;
    const panel::DatiPannello& pn = in.pannello;
    d.qa = pn.qa;
    d.L = pn.L, d.B = pn.B, d.t = pn.t, d.gamma = pn.gamma, d.fd = pn.fd, d.E = pn.E;
    d.Z = pn.Z, d.H = pn.H;
    d.vincolo_superiore = pn.vincoli.top;
    d.vincolo_sinistro = pn.vincoli.left;
    d.vincolo_destro = pn.vincoli.right;

    static constexpr std::string_view kNomi[4] = {"SW", "SE", "NE", "NW"};
    if (const auto* g = std::get_if<OrigineGriglia>(&az.origine)) {
        for (std::size_t i = 0; i < 4; ++i) {
            const Nodo& n = g->nodi[i];
            d.nodi[i] = {std::string(kNomi[i]),
                         static_cast<long>(n.codice),
                         n.lon,
                         n.lat,
                         n.distanza_km,
                         n.peso};
        }
    } else if (const auto* i = std::get_if<OrigineIsola>(&az.origine)) {
        d.isola = true;
        d.gruppo_isole = std::string(i->gruppo);
        d.zona_isole = std::string(i->zona);
    }
    d.VR = az.VR, d.TR = az.TR, d.TR_inferiore = az.TR_inf, d.TR_superiore = az.TR_sup;
    d.ag = az.ag, d.F0 = az.F0, d.Tcstar = az.Tc;
    d.Ss = az.spettro.Ss, d.St = az.spettro.St, d.S = az.spettro.s;

    d.W = p.W;
    d.quota_verticale = p.quota_verticale, d.quota_orizzontale = p.quota_orizzontale;
    d.perc_verticale = p.perc_verticale, d.perc_orizzontale = p.perc_orizzontale;
    d.orizzontale = p.direzione == panel::Direzione::orizzontale;
    d.Wa = p.Wa, d.J = p.J, d.Ta = p.Ta, d.Sa = p.Sa, d.Fa = p.Fa;
    d.domanda = r.formula;
    if (p.c7) {
        d.c7_a = p.c7->coefficienti.a, d.c7_b = p.c7->coefficienti.b;
        d.c7_ap = p.c7->coefficienti.ap;
        d.c7_ramo = p.c7->ramo == panel::RamoC7::crescente ? 1
                    : p.c7->ramo == panel::RamoC7::plateau ? 2
                                                           : 3;
    }

    d.resistenza = p.resistenza;
    d.Rlat = p.Rlat;
    d.ok = r.ok;
    return d;
}

DatiRelazione dati_relazione(const Form1& f, std::string data) {
    const RisultatoVerifica& r = *f.risultato;
    return dati_relazione(r, f.unita, f.cartelle.nome_lavoro,
                          f.localita_del_sito(r.ingressi.sito.lon, r.ingressi.sito.lat),
                          std::move(data));
}

}  // namespace tv::form
