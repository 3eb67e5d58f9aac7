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
    NumeriIngresso numeri;
    for (Campo c : kCampiIngresso)
        if (c != Campo::suolo && (c != Campo::Tk || !text::trim(testi[posizione(c)]).empty()))
            numeri.valori[posizione(c)] = numero(testi, c, f);
    numeri.suolo = *suolo_di_testo(testi[posizione(Campo::suolo)]);
    numeri.Tk = !text::trim(testi[posizione(Campo::Tk)]).empty();
    return ingressi_da_numeri(numeri, pannello.vincoli, pannello.formula, pannello.datum, u);
}

std::optional<double> numero_accettato(Campo c, std::string_view testo,
                                       const text::NumberFormat& f, const units::Unita& u) {
    const DatiCampoForm& d = dati_campo(c);
    const auto v = numero_di_testo(c, testo, f);
    if (!v || !d.ingresso) return std::nullopt;
    // The range is in base units, the text in the job's work units (as motivo_rifiuto reads it).
    const double fattore = u.fattore(d.famiglia) > 0 ? u.fattore(d.famiglia) : 1;
    const Intervallo r = d.intervallo;
    const double base = *v / fattore;
    const bool sopra = r.minimo_incluso ? base >= r.minimo : base > r.minimo;
    const bool sotto = r.massimo_incluso ? base <= r.massimo : base < r.massimo;
    if (sopra && sotto) return v;
    return std::nullopt;
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
