// A panel's check: its texts read through the field table in the job's work units, then the one
// pure check against the grid.
#include "form/calcolo.h"
#include "form/campi.h"
#include "form/lavoro.h"
#include "form/testi.h"
#include "text/encoding.h"
#include "text/error.h"

namespace tv::form {

namespace {

// The number of a field already accepted by validation, read by the field's own rule.
double numero(const std::array<std::string, kCampi>& testi, Campo c, const text::NumberFormat& f) {
    return *numero_di_testo(c, testi[posizione(c)], f);
}

}  // namespace

std::variant<IngressiVerifica, Arresto> leggi_pannello(const Pannello& p, const Lavoro& lavoro,
                                                       const text::NumberFormat& formato,
                                                       bool nota, int* rifiutato) {
    // Only texts that validation accepts are computed from: a job file or a pick can put a
    // text there that the user never had to confirm.
    for (Campo c : kCampiIngresso) {
        if (auto motivo =
                motivo_rifiuto(indice(c), p.testi[posizione(c)], formato, nota, &lavoro.unita)) {
            if (rifiutato) *rifiutato = indice(c);
            return Arresto{*motivo, "Input errato"};
        }
    }
    // A panel of a job without site data that still has the program's initial coordinates is
    // not checked: its verdict would be that of a site nobody chose.
    if (!p.sito_proprio && lavoro.sito_iniziale(p.testi))
        return Arresto{kSitoDaIndicare, kTitoloSitoDaIndicare};
    return ingressi_da_testi(p, lavoro.unita, formato);
}

IngressiVerifica ingressi_da_testi(const Pannello& pannello, const units::Unita& u,
                                   const text::NumberFormat& f) {
    const auto& testi = pannello.testi;
    const auto& vincoli = pannello.vincoli;
    const auto n = [&](Campo c) { return numero(testi, c, f); };
    IngressiVerifica in;
    in.T1 = n(Campo::T1);
    in.sito.lon = n(Campo::lon);
    in.sito.lat = n(Campo::lat);
    in.sito.VN = n(Campo::VN);
    in.sito.PVR = n(Campo::PVR);
    in.sito.Cu = n(Campo::Cu);
    in.datum = pannello.datum;
    in.suolo = *suolo_di_testo(testi[posizione(Campo::suolo)]);
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
    p.vincoli = panel::Vincoli{vincoli[0], vincoli[1], vincoli[3]};
    in.formula = pannello.formula;
    // Whole and within the field's range: the cast is exact.
    in.edificio.n = static_cast<int>(n(Campo::n));
    in.edificio.xi = n(Campo::xi);
    if (!text::trim(testi[posizione(Campo::Tk)]).empty()) in.edificio.Tk = n(Campo::Tk);
    return in;
}

EsitoVerifica calcola_pannello(const Pannello& p, const Lavoro& lavoro,
                              hazard::FonteGriglia& griglia, const text::NumberFormat& formato) {
    auto ingressi = leggi_pannello(p, lavoro, formato);
    if (auto* a = std::get_if<Arresto>(&ingressi)) return std::move(*a);
    try {
        const auto g = griglia.ricerca([&] { return lavoro.file_griglia(); });
        return calcola_verifica(std::get<IngressiVerifica>(ingressi), *g);
    } catch (const Failure& err) {
        return Arresto{err.what(), err.title()};
    }
}

}  // namespace tv::form
