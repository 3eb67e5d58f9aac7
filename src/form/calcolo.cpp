// SPDX-License-Identifier: GPL-3.0-or-later
// The check from inputs in base units: hazard at the site, amplification, the panel's demand and
// resistance. Any refusal of the core comes back as the message that stopped the run.
#include "form/calcolo.h"

#include <cmath>
#include <variant>

#include "panel/controlli.h"
#include "text/error.h"

namespace tv::form {

namespace {

// Every number of the result must be finite: one that is not stops the run, naming it.
void richiedi_finiti(const AzioneSito& a, const panel::EsitoPannello& p) {
    using panel::richiedi_finito;
    const std::pair<double, const char*> valori[] = {
        {a.VR, "VR (periodo di riferimento)"},
        {a.TR, "TR (periodo di ritorno)"},
        {a.ag, "ag (accelerazione orizzontale massima al sito)"},
        {a.F0, "F0"},
        {a.spettro.Ss, "Ss (coefficiente stratigrafico)"},
        {a.spettro.s, "S (coefficiente di amplificazione Ss x St)"},
        {p.W, "peso totale del pannello"},
        {p.span, "luce del pannello"},
        {p.Rlat, "resistenza laterale di progetto"},
        {p.J, "momento d'inerzia"},
        {p.Ta, "Ta (periodo proprio del pannello)"},
        {p.Sa, "Sa (accelerazione massima adimensionalizzata)"},
        {p.Fa, "Fa (forza totale baricentrica)"},
        {p.Wa, "Wa (peso efficace del pannello)"},
        {p.perc_verticale, "ripartizione verticale della massa"},
        {p.perc_orizzontale, "ripartizione orizzontale della massa"},
    };
    for (const auto& [v, nome] : valori) richiedi_finito(v, nome);
    std::visit(panel::Overloaded{
                   [](const panel::Freccia& a) {
                       const std::pair<double, const char*> arco[] = {
                           {a.coeff, "coefficiente K1 x K2"},
                           {a.K1, "K1 (coefficiente di inflessione laterale)"},
                           {a.K2, "K2 (coefficiente di instabilità)"},
                           {a.deltafreccia, "inflessione sotto carico laterale di progetto"},
                           {a.sigmacrit, "tensione critica di instabilità"},
                           {a.qd, "pressione di progetto"},
                       };
                       for (const auto& [v, nome] : arco) richiedi_finito(v, nome);
                   },
                   [](const panel::Mensola& m) {
                       richiedi_finito(m.sigma0, "σ0 (tensione media alla base)");
                       richiedi_finito(m.M_Rd, "M_Rd (momento resistente alla base)");
                   }},
               p.resistenza);
}

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

IngressiVerifica ingressi_da_numeri(const NumeriIngresso& numeri, const panel::Vincoli& vincoli,
                                    FormulaDomanda formula, hazard::Datum datum,
                                    const units::Unita& u) {
    const auto n = [&](Campo c) { return numeri.valori[c]; };
    IngressiVerifica in;
    in.T1 = n(Campo::T1);
    in.sito.lon = n(Campo::lon);
    in.sito.lat = n(Campo::lat);
    in.sito.VN = n(Campo::VN);
    in.sito.PVR = n(Campo::PVR);
    in.sito.Cu = n(Campo::Cu);
    in.datum = datum;
    in.suolo = numeri.suolo;
    in.St = n(Campo::St);
    auto& p = in.pannello;
    p.L = n(Campo::L) / u.fattore_lunghezze;
    p.B = n(Campo::B) / u.fattore_lunghezze;
    p.t = n(Campo::t) / u.fattore_lunghezze;
    p.gamma = n(Campo::gamma) / u.fattore_pesi_specifici;
    p.fd = n(Campo::fd) / u.fattore_tensioni;
    p.E = n(Campo::E) / u.fattore_tensioni;
    p.Z = n(Campo::Z) / u.fattore_lunghezze;
    p.H = n(Campo::H) / u.fattore_lunghezze;
    p.qa = n(Campo::qa);
    p.vincoli = vincoli;
    in.formula = formula;
    // Whole and within the field's range: the cast is exact.
    in.edificio.n = static_cast<int>(n(Campo::n));
    in.edificio.xi = n(Campo::xi);
    if (numeri.Tk) in.edificio.Tk = n(Campo::Tk);
    return in;
}

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
                 nodo(c.NE, h.Dne, inversi, h.k), nodo(c.NW, h.Dnw, inversi, h.k)},
                c.caso == 0, h.fuori_maglia_km};
        }
        a.VN_Cu = h.VN_Cu;
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

        r.pannello = panel::verifica_pannello(
            in.pannello,
            panel::DatiAzione{h.ag, a.spettro.s, in.T1, h.F0, h.Tc, in.suolo, in.edificio},
            in.formula);
        r.ok = r.pannello.ok;
        richiedi_finiti(a, r.pannello);
        r.avvisi = avvisi_plausibilita(in, r.pannello);
        if (const auto* g = std::get_if<OrigineGriglia>(&a.origine); g && !g->contenente)
            r.avvisi.push_back(Avviso{TipoAvviso::fuori_maglia, g->fuori_maglia_km});
        return r;
    } catch (const Failure& f) {
        return Arresto{f.what(), f.title()};
    }
}

std::optional<Avviso> avviso_qa(const panel::DatiPannello& p) {
    if (panel::e_mensola(p.vincoli)) {
        // Circolare 2019 Tab. C7.2.I: qa = 1 for parapets and other cantilevers.
        if (p.qa != 1) return Avviso{TipoAvviso::qa_mensola, p.qa};
    } else if (p.qa != 1 && p.qa != 2) {
        return Avviso{TipoAvviso::qa, p.qa};
    }
    return std::nullopt;
}

std::vector<Avviso> avvisi_plausibilita(const IngressiVerifica& in, const panel::EsitoPannello& e) {
    std::vector<Avviso> out;
    const auto& p = in.pannello;
    const bool mensola = panel::e_mensola(p.vincoli);
    // A roof parapet's centre of mass is above the building's height: no warning for it.
    if (p.Z > p.H && !mensola) out.push_back({TipoAvviso::Z_sopra_H});
    if (p.t >= p.L) out.push_back({TipoAvviso::t_L});
    if (p.t >= p.B) out.push_back({TipoAvviso::t_B});
    if (const double snellezza = e.span / p.t; snellezza > 25)
        out.push_back({TipoAvviso::snellezza, snellezza, 0, 25});
    if (in.St < 1.0 || in.St > 1.4) out.push_back({TipoAvviso::St, in.St, 1.0, 1.4});
    const double cu = in.sito.Cu;
    if (cu != 0.7 && cu != 1.0 && cu != 1.5 && cu != 2.0) out.push_back({TipoAvviso::Cu, cu});
    if (const auto qa = avviso_qa(p)) out.push_back(*qa);
    // The usual estimate T1 = 0.05 H^0.75 (H in m); half of it to twice it is plausible.
    const double stima = 0.05 * std::pow(p.H / 100.0, 0.75);
    if (in.T1 < stima / 2 || in.T1 > stima * 2)
        out.push_back({TipoAvviso::T1, in.T1, stima / 2, stima * 2});
    return out;
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
        // The floor spectrum's building: what it used, Tk following T1 when empty.
        case Campo::n:
        case Campo::xi:
        case Campo::Tk:
            if (const auto* s = std::get_if<panel::SpettroPianoC7>(&r.pannello.domanda))
                return c == Campo::n ? s->n : c == Campo::xi ? s->xi : s->Tk;
            return std::nullopt;
        case Campo::suolo:
        case Campo::ag: case Campo::W: case Campo::Sa: case Campo::Ta: case Campo::Fa:
        case Campo::Wa: case Campo::Rlat: case Campo::d: case Campo::K1: case Campo::K2:
            return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace tv::form
