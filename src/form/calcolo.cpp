// The check from inputs in base units: hazard at the site, amplification, the panel's demand and
// resistance. Any refusal of the core comes back as the message that stopped the run.
#include "form/calcolo.h"

#include <cmath>

#include "text/error.h"

namespace tv::form {

namespace {

// The triple at bracket index i of 27 values laid out as the grid's (ag in tenths of g).
ValoriPeriodo valori(const std::array<double, hazard::kValoriPunto>& dati, int i) {
    const auto k = static_cast<std::size_t>(3 * i);
    return {dati[k] / 10.0, dati[k + 1], dati[k + 2]};
}

Nodo nodo(const hazard::PuntoGriglia& p, double distanza, double somma_inversi, int k) {
    return Nodo{p.cod, p.lon, p.lat, distanza, (1 / distanza) / somma_inversi,
                valori(p.dati, k - 1), valori(p.dati, k)};
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
            a.origine = OrigineGriglia{
                {nodo(c.SW, h.Dsw, inversi, h.k), nodo(c.SE, h.Dse, inversi, h.k),
                 nodo(c.NE, h.Dne, inversi, h.k), nodo(c.NW, h.Dnw, inversi, h.k)}};
        }
        a.VR = h.VR;
        a.TR = h.TR;
        a.TR_inf = hazard::kPeriodiRitorno[static_cast<std::size_t>(h.k - 1)];
        a.TR_sup = hazard::kPeriodiRitorno[static_cast<std::size_t>(h.k)];
        a.TR_calcolato = -h.VR / std::log(1 - sito.PVR / 100.0);
        a.inf = valori(h.valori, h.k - 1);
        a.sup = valori(h.valori, h.k);
        a.r = h.r;
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
