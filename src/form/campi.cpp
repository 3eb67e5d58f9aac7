// SPDX-License-Identifier: GPL-3.0-or-later
// Field texts through the field table: the texts the fields start with, what each field accepts
// and why it refuses a text, and the number a text stands for.
#include "form/campi.h"

#include <cmath>

#include "text/encoding.h"

namespace tv::form {

namespace {
const char* const kRichiestoNumero = "Richiesto valore numerico";
const char* const kSoloTerreni = "Accettati solo terreni tipo A, B, C, D, E";

double fattore_famiglia(const units::Unita& u, units::Famiglia f) {
    switch (f) {
        case units::Famiglia::lunghezza:
            return u.fattore_lunghezze;
        case units::Famiglia::peso_specifico:
            return u.fattore_pesi_specifici;
        case units::Famiglia::tensione:
            return u.fattore_tensioni;
        case units::Famiglia::forza:
            return u.fattore_forze;
        case units::Famiglia::nessuna:
        case units::Famiglia::volume:
        case units::Famiglia::momento:
            return 1;
    }
    return 1;
}

std::string etichetta_famiglia(const units::Unita& u, units::Famiglia f) {
    switch (f) {
        case units::Famiglia::lunghezza:
            return u.etichetta_lunghezze;
        case units::Famiglia::peso_specifico:
            return u.etichetta_pesi_specifici;
        case units::Famiglia::tensione:
            return u.etichetta_tensioni;
        case units::Famiglia::forza:
            return u.etichetta_forze;
        case units::Famiglia::nessuna:
        case units::Famiglia::volume:
        case units::Famiglia::momento:
            return {};
    }
    return {};
}

// The refusal of a readable value outside its field's range, naming the field. The range is in
// base units; without the job's work units the text is taken as base units.
std::optional<std::string> fuori_intervallo(const DatiCampoForm& d, double valore,
                                            const units::Unita* unita,
                                            const text::NumberFormat& formato) {
    const double f = unita ? fattore_famiglia(*unita, d.famiglia) : 1;
    const double fattore = f > 0 ? f : 1;
    const Intervallo r = intervallo(d.campo);
    const double base = valore / fattore;
    const bool sopra = r.minimo_incluso ? base >= r.minimo : base > r.minimo;
    const bool sotto = r.massimo_incluso ? base <= r.massimo : base < r.massimo;
    if (sopra && sotto) return std::nullopt;
    std::string u = d.famiglia == units::Famiglia::nessuna || !unita
                        ? std::string(r.unita)
                        : etichetta_famiglia(*unita, d.famiglia);
    if (!u.empty()) u = " " + u;
    const auto n = [&](double x) { return text::general(x * fattore, formato); };
    return "Valore non valido: " + std::string(nome_esteso(d.campo)) + " deve essere " +
           (r.minimo_incluso ? "almeno " : "maggiore di ") + n(r.minimo) +
           (r.massimo_incluso ? " e al massimo " : " e minore di ") + n(r.massimo) + u;
}

std::string nome_separatore(const std::string& s) {
    if (s == ",") return "la virgola";
    if (s == ".") return "il punto";
    return "\"" + s + "\"";
}

// The second line of the refused-number message: the field and the notation it takes.
std::string nota_notazione(Campo c, const text::NumberFormat& f) {
    const std::string riga = std::string(nome_esteso(c)) + ": usare ";
    const std::string esempio = "0" + f.decimal + "39";
    std::string nota;
    switch (dati_campo(c).lettura) {
        case Lettura::intero:
            nota = riga + "un numero intero, per esempio 3";
            break;
        case Lettura::punto_o_locale:
        case Lettura::coordinata:
            if (f.decimal != ".") {
                nota = riga + "il punto o " + nome_separatore(f.decimal) +
                       " come separatore decimale, per esempio 0.39 o " + esempio;
                break;
            }
            [[fallthrough]];
        case Lettura::locale:
        case Lettura::locale_o_vuoto:
        case Lettura::lettera_suolo:
        case Lettura::nessuna:
            nota = riga + nome_separatore(f.decimal) +
                   " come separatore decimale, per esempio " + esempio;
            break;
    }
    if (dati_campo(c).lettura == Lettura::coordinata)
        nota += c == Campo::lat ? ", oppure gradi, primi e secondi, per esempio 42°47'28\" N"
                                : ", oppure gradi, primi e secondi, per esempio 12°29'47\" E";
    return nota;
}
}  // namespace

TestiCampi design_text1() {
    TestiCampi t;
    for (const auto& d : kTabellaCampi) t[d.campo] = d.testo_progetto;
    return t;
}

void cancella_testi_risultato(TestiCampi& testi) {
    for (const auto& d : kTabellaCampi)
        if (!d.ingresso && d.campo != Campo::W) testi[d.campo].clear();
}

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

std::optional<std::string> motivo_rifiuto(Campo c, const std::string& testo,
                                          const text::NumberFormat& formato, bool nota,
                                          const units::Unita* unita) {
    const DatiCampoForm& d = dati_campo(c);
    switch (d.lettura) {
        // Result fields hold what the program wrote and cannot be typed into: leaving one is
        // never refused, also while it is empty after a start-up whose run stopped.
        case Lettura::nessuna:
            return std::nullopt;
        case Lettura::lettera_suolo:
            if (suolo_di_testo(testo)) return std::nullopt;
            return std::string(kSoloTerreni);
        // Site fields hold "." texts whatever the locale (locality list, job file); the
        // locale's own notation is accepted too, and for the coordinates degrees, minutes and
        // seconds.
        case Lettura::intero:
            if (auto v = text::parse_number(testo, formato); v && *v != std::trunc(*v))
                return "Valore non valido: " + std::string(nome_esteso(d.campo)) +
                       " deve essere un numero intero";
            [[fallthrough]];
        case Lettura::locale_o_vuoto:
            if (d.lettura == Lettura::locale_o_vuoto && text::trim(testo).empty())
                return std::nullopt;
            [[fallthrough]];
        case Lettura::punto_o_locale:
        case Lettura::coordinata:
        case Lettura::locale:
            if (auto v = numero_di_testo(d.campo, testo, formato))
                return fuori_intervallo(d, *v, unita, formato);
            break;
    }
    if (!nota) return std::string(kRichiestoNumero);
    return std::string(kRichiestoNumero) + "\n" + nota_notazione(d.campo, formato);
}

std::string testo_gradi_decimali(Campo c, const std::string& testo,
                                 const text::NumberFormat& formato) {
    if (dati_campo(c).lettura != Lettura::coordinata || text::parse_dot_or_locale(testo, formato))
        return testo;
    // Six decimals are 0.1 m, finer than a tenth of a second; "." as the locality list has them.
    if (auto v = numero_di_testo(c, testo, formato)) return text::rounded(*v, 6, text::dot_format());
    return testo;
}

}  // namespace tv::form
