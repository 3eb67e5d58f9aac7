// SPDX-License-Identifier: GPL-3.0-or-later
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
double numero(const TestiCampi& testi, Campo c, const text::NumberFormat& f) {
    return *numero_di_testo(c, testi[c], f);
}

}  // namespace

bool stessi_ingressi(const Pannello& a, const Pannello& b) {
    for (Campo c : kCampiIngresso)
        if (a.testi[c] != b.testi[c]) return false;
    return a.vincoli == b.vincoli && a.formula == b.formula && a.datum == b.datum &&
           a.tipo == b.tipo && a.meccanismo == b.meccanismo;
}

std::variant<IngressiVerifica, Arresto> leggi_pannello(const Pannello& p, const Lavoro& lavoro,
                                                       const text::NumberFormat& formato,
                                                       bool nota, std::optional<Campo>* rifiutato) {
    // Only texts that validation accepts are computed from: a job file or a pick can put a
    // text there that the user never had to confirm.
    for (Campo c : kCampiIngresso) {
        if (auto motivo = motivo_rifiuto(c, p.testi[c], formato, nota, &lavoro.unita)) {
            if (rifiutato) *rifiutato = c;
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
    NumeriIngresso numeri;
    for (Campo c : kCampiIngresso)
        if (c != Campo::suolo && (c != Campo::Tk || !text::trim(testi[c]).empty()))
            numeri.valori[c] = numero(testi, c, f);
    numeri.suolo = *suolo_di_testo(testi[Campo::suolo]);
    numeri.Tk = !text::trim(testi[Campo::Tk]).empty();
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

EsitoVerifica calcola_pannello(const Pannello& p, const Lavoro& lavoro,
                              hazard::FonteGriglia& griglia, const text::NumberFormat& formato) {
    // A mechanism is never checked as an arching panel: its numbers would look plausible.
    if (e_meccanismo(p.tipo))
        return Arresto{"Il pannello \"" + p.id + "\" è una verifica di meccanismi locali (" +
                           std::string(descrizione_tipo(p.tipo).nome) +
                           "): si verifica e si relaziona da solo (check o report --panel)",
                       kInputErrato};
    auto ingressi = leggi_pannello(p, lavoro, formato);
    if (auto* a = std::get_if<Arresto>(&ingressi)) return std::move(*a);
    try {
        const auto g = griglia.ricerca([&] { return lavoro.file_griglia(); });
        EsitoVerifica esito = calcola_verifica(std::get<IngressiVerifica>(ingressi), *g);
        if (auto* r = std::get_if<RisultatoVerifica>(&esito))
            r->scelte = scelte_valide(p, lavoro.unita, formato);
        return esito;
    } catch (const Failure& err) {
        return Arresto{err.what(), err.title()};
    }
}

}  // namespace tv::form
