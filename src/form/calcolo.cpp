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

        r.pannello = panel::verifica_pannello(
            in.pannello, panel::DatiAzione{h.ag, a.spettro.s, in.T1}, in.formula);
        r.ok = r.pannello.ok;
        return r;
    } catch (const Failure& f) {
        return Arresto{f.what(), f.title()};
    }
}

std::optional<double> valore_usato(const RisultatoVerifica& r, Campo c) {
    const IngressiVerifica& in = r.ingressi;
    const panel::DatiPannello& p = in.pannello;
    switch (c) {
        case Campo::T1: return in.T1;
        case Campo::qa: return p.qa;
        case Campo::St: return r.azione.spettro.St;
        case Campo::lon: return in.sito.lon;
        case Campo::lat: return in.sito.lat;
        case Campo::VN: return in.sito.VN;
        case Campo::PVR: return in.sito.PVR;
        case Campo::Cu: return in.sito.Cu;
        case Campo::B: return p.B;
        case Campo::L: return p.L;
        case Campo::t: return p.t;
        case Campo::gamma: return p.gamma;
        case Campo::fd: return p.fd;
        case Campo::Z: return p.Z;
        case Campo::H: return p.H;
        case Campo::E: return p.E;
        case Campo::suolo:
        case Campo::ag: case Campo::W: case Campo::Sa: case Campo::Ta: case Campo::Fa:
        case Campo::Wa: case Campo::Rlat: case Campo::d: case Campo::K1: case Campo::K2:
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace tv::form
