// The check from inputs in base units: hazard at the site, amplification, the panel's demand and
// resistance. Any refusal of the core comes back as the message that stopped the run.
#include "form/calcolo.h"

#include "text/error.h"

namespace tv::form {

namespace {

Nodo nodo(const hazard::PuntoGriglia& p, double distanza, double somma_inversi) {
    return Nodo{p.cod, p.lon, p.lat, distanza, (1 / distanza) / somma_inversi};
}

}  // namespace

EsitoVerifica calcola_verifica(const IngressiVerifica& in, const hazard::RicercaGriglia& griglia) {
    try {
        hazard::DatiSito sito = in.sito;
        const hazard::Geografiche ed50 = hazard::in_ed50({sito.lat, sito.lon}, in.datum);
        sito.lat = ed50.lat;
        sito.lon = ed50.lon;
        const hazard::RisultatoSito h = hazard::pericolosita_sito(griglia, sito);
        RisultatoVerifica r;
        r.ingressi = in;
        r.ed50 = ed50;
        auto& a = r.azione;
        if (h.origine == hazard::Origine::isole) {
            a.origine = OrigineIsola{h.gruppo->nome, h.zona->nome};
        } else {
            const auto& c = h.cella;
            const double inversi = 1 / h.Dnw + 1 / h.Dsw + 1 / h.Dse + 1 / h.Dne;
            a.origine = OrigineGriglia{{nodo(c.SW, h.Dsw, inversi), nodo(c.SE, h.Dse, inversi),
                                        nodo(c.NE, h.Dne, inversi), nodo(c.NW, h.Dnw, inversi)}};
        }
        a.VR = h.VR;
        a.TR = h.TR;
        a.TR_inf = hazard::kPeriodiRitorno[static_cast<std::size_t>(h.k - 1)];
        a.TR_sup = hazard::kPeriodiRitorno[static_cast<std::size_t>(h.k)];
        a.ag = h.ag;
        a.F0 = h.F0;
        a.Tc = h.Tc;
        a.spettro = hazard::spettro(in.St, in.suolo, h.ag, h.F0);

        r.formula = in.formula;
        r.pannello = panel::verifica_pannello(
            in.pannello, panel::DatiAzione{h.ag, a.spettro.s, in.T1}, in.formula);
        r.ok = r.pannello.ok;
        return r;
    } catch (const Failure& f) {
        return Arresto{f.what(), f.title()};
    }
}

}  // namespace tv::form
