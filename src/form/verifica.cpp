// The check run behind "AGGIORNA": the inputs read from the fields through the field table, the
// pure check, and its result written to the window only when the whole run succeeded.
#include <cmath>

#include "form/calcolo.h"
#include "form/form1.h"
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

std::optional<hazard::Suolo> suolo_di_testo(std::string_view testo) {
    const std::string s = text::trim(testo);
    if (s.size() != 1) return std::nullopt;
    return hazard::suolo_di_lettera(s[0]);
}

std::optional<double> numero_di_testo(Campo c, std::string_view testo,
                                      const text::NumberFormat& f) {
    switch (dati_campo(c).lettura) {
        case Lettura::nessuna:
        case Lettura::lettera_suolo:
            return std::nullopt;
        case Lettura::locale:
        case Lettura::locale_o_vuoto:
            return text::parse_number(testo, f);
        case Lettura::intero:
            if (auto v = text::parse_number(testo, f); v && *v == std::trunc(*v)) return v;
            return std::nullopt;
        case Lettura::punto_o_locale:
            return text::parse_dot_or_locale(testo, f);
        case Lettura::coordinata:
            if (auto v = text::parse_dot_or_locale(testo, f)) return v;
            // A hemisphere letter must belong to the field: N to the latitude, E to the longitude.
            if (auto dms = text::parse_dms(testo, f))
                if (dms->hemisphere == 0 || dms->hemisphere == (c == Campo::lat ? 'N' : 'E'))
                    return dms->degrees;
            return std::nullopt;
    }
    return std::nullopt;
}

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

std::variant<IngressiVerifica, Arresto> Form1::leggi_ingressi() {
    campo_rifiutato_ = -1;
    return leggi_pannello(pannello(), lavoro, formato_, nota_notazione_, &campo_rifiutato_);
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

EsitoVerifica Form1::calcola() {
    auto ingressi = leggi_ingressi();
    if (auto* a = std::get_if<Arresto>(&ingressi)) return std::move(*a);
    try {
        const auto griglia = griglia_->ricerca([this] { return file_griglia(); });
        return calcola_verifica(std::get<IngressiVerifica>(ingressi), *griglia);
    } catch (const Failure& err) {
        return Arresto{err.what(), err.title()};
    }
}

bool Form1::Command1_Click(int index) {
    if (index != 0) return false;
    EsitoVerifica esito = calcola();
    if (auto* r = std::get_if<RisultatoVerifica>(&esito)) {
        try {
            TestiRisultato testi = testi_risultato(*r, lavoro.unita, formato_);
            // The whole run succeeded: write it.
            scrivi_testi(std::move(testi), stato);
            ultima_ = UltimaEsecuzione{ingressi_mostrati(stato), stato.text1[posizione(Campo::ag)]};
            T1 = r->ingressi.T1;
            risultato = std::move(*r);
            return true;
        } catch (const Failure& err) {
            esito = Arresto{err.what(), err.title()};
        }
    }
    ultima_.reset();
    const auto& a = std::get<Arresto>(esito);
    if (!(in_avvio_ && a.titolo == kTitoloSitoDaIndicare)) mostra(a.testo, a.titolo);
    return false;
}

}  // namespace tv::form
