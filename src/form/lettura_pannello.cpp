// SPDX-License-Identifier: GPL-3.0-or-later
// A panel's cells into a Pannello through each field's validation: what a saved panel, a batch
// row and the window's panel strip all read, with the first refused cell said alike.
#include "form/lettura_pannello.h"

#include <algorithm>
#include <array>
#include <utility>

#include "form/campi.h"
#include "form/pannelli.h"
#include "hazard/datum.h"
#include "panel/domanda.h"
#include "panel/formule.h"

namespace tv::form {

std::string testo_rifiuto(const RifiutoCella& r) {
    return r.colonna.empty() ? r.motivo : r.colonna + ": " + r.motivo;
}

std::string messaggio_rifiuto(std::string_view id, const RifiutoCella& r) {
    return "Pannello \"" + std::string(id) + "\"" + (r.colonna.empty() ? ": " : ", ") +
           testo_rifiuto(r);
}

std::optional<RifiutoCella> leggi_celle(const CelleRiga& cella, Pannello& p,
                                        const units::Unita& unita,
                                        const text::NumberFormat& formato,
                                        NumeriIngresso* numeri) {
    std::optional<RifiutoCella> primo;
    const auto rifiuta = [&](std::string_view colonna, std::string motivo) {
        if (!primo) primo = RifiutoCella{std::string(colonna), std::move(motivo)};
    };
    // The text of a filled cell; nullopt for an empty or missing one, which keeps p's value.
    const auto piena = [&](std::string_view colonna) -> std::optional<CellaRiga> {
        auto c = cella(colonna);
        if (!c || c->testo.empty()) return std::nullopt;
        return c;
    };
    if (const auto c = cella("id")) p.id = std::string(c->testo);
    if (const auto c = cella("descrizione")) p.descrizione = std::string(c->testo);
    // The file's cells are "." numbers whatever the locale: read so, then kept in p's format.
    const text::NumberFormat punto = text::dot_format();
    // The choices first: each writes its fields' numbers, which a number cell then overrides.
    const TestiCampi prima = p.testi;
    for (std::string_view nome : kNomiScelte) {
        if (e_suggerimento(nome)) continue;
        const auto v = piena(nome);
        if (!v) continue;
        std::optional<std::string> motivo;
        imposta_scelta(p, nome, v->testo, unita, formato, motivo);
        if (motivo) rifiuta(nome, motivo->substr(nome.size() + 2));
    }
    if (numeri)
        for (Campo c : kCampiIngresso)
            if (p.testi[c] != prima[c])
                if (const auto n = numero_accettato(c, p.testi[c], formato, unita))
                    numeri->valori[c] = *n;
    for (Campo c : kCampiIngresso) {
        const std::string_view colonna = dati_campo(c).colonna;
        const auto v = piena(colonna);
        if (!v) continue;
        if (v->con_punto) {
            rifiuta(colonna, motivo_punto(v->testo));
            continue;
        }
        const std::string testo(v->testo);
        // A number in range is accepted at once; anything else is asked why.
        const auto numero = numero_accettato(c, testo, punto, unita);
        if (!numero)
            if (auto motivo = motivo_rifiuto(c, testo, punto, false, &unita)) {
                rifiuta(colonna, std::move(*motivo));
                continue;
            }
        if (numeri) {
            if (c == Campo::suolo) numeri->suolo = *suolo_di_testo(testo);
            if (c == Campo::Tk) numeri->Tk = numero.has_value();
            if (numero) numeri->valori[c] = *numero;
        }
        p.testi[c] =
            separatore_locale(testo_gradi_decimali(c, testo, punto), formato);
        if (c == Campo::lat || c == Campo::lon) p.sito_proprio = true;
    }
    // The suggestions after the fields, so that T1 takes the row's H; a T1 or qa cell wins.
    for (const auto& [nome, campo] : {std::pair{std::string_view("struttura_edificio"), Campo::T1},
                                      std::pair{std::string_view("elemento_non_strutturale"), Campo::qa}}) {
        const auto v = piena(nome);
        if (!v || piena(dati_campo(campo).colonna)) continue;
        std::optional<std::string> motivo;
        imposta_scelta(p, nome, v->testo, unita, formato, motivo);
        if (motivo) rifiuta(nome, motivo->substr(nome.size() + 2));
        else if (numeri)
            if (const auto n = numero_accettato(campo, p.testi[campo], formato, unita))
                numeri->valori[campo] = *n;
    }
    // The restraints in the columns' order; their combination judged once all are read, so that
    // no side read before the top is refused for a top not read yet.
    const panel::Vincoli vincoli = p.vincoli;
    bool vincoli_letti = true;
    for (const auto& [colonna, lato] : kColonneVincoli) {
        const auto v = piena(colonna);
        if (!v) continue;
        if (v->testo != "0" && v->testo != "1") {
            rifiuta(colonna, "accettati solo 1 (appoggiato) e 0 (libero)");
            vincoli_letti = false;
            continue;
        }
        imposta_lato(p.vincoli, lato, v->testo == "1");
    }
    if (vincoli_letti && !vincoli_ammessi(p.vincoli)) {
        rifiuta("", panel::kVincoliNonAmmessi);
        p.vincoli = vincoli;
    }
    if (const auto v = piena("domanda")) {
        if (const auto formula = panel::formula_di_nome(v->testo)) p.formula = *formula;
        else rifiuta("domanda", "accettate solo " + panel::parole_formule(", ", " e ", true) +
                                    " (o vuota)");
    }
    if (const auto v = piena("datum")) {
        if (const auto datum = hazard::datum_di_testo(v->testo)) p.datum = *datum;
        else rifiuta("datum", "accettati solo ED50 e WGS84 (o vuota)");
    }
    // A local mechanism's kind and fields; an arching panel's row has none of these columns.
    if (const auto v = cella("verifica")) {
        if (const auto tipo = tipo_di_nome(v->testo)) p.tipo = *tipo;
        else rifiuta("verifica", "accettati solo pannello, ribaltamento, flessione, "
                                         "ribaltamento_composto e elemento_libero (o vuota)");
        for (std::size_t i = 0; i < kNomiCampiMeccanismo.size(); ++i) {
            const std::string_view nome = kNomiCampiMeccanismo[i];
            const auto m = piena(nome);
            if (!m) continue;
            if (m->con_punto) rifiuta(nome, motivo_punto(m->testo));
            else p.meccanismo[i] = std::string(m->testo);
        }
        // A mechanism's demand is the Circolare's: C7.2.5 unless the row names C7.2.11.
        if (e_meccanismo(p.tipo)) {
            if (!piena("domanda")) p.formula = panel::FormulaDomanda::circolare_c7_2_5;
            else if (p.formula == panel::FormulaDomanda::ec8)
                rifiuta("domanda", "per i meccanismi locali accettate solo C7.2.5 e C7.2.11");
        }
    }
    return primo;
}

CelleRiga celle_di_riga(const FilePannelli& f, const RigaPannello& r) {
    return [&f, &r](std::string_view colonna) -> std::optional<CellaRiga> {
        const auto k = f.colonna(colonna);
        if (!k || !r.leggibile()) return std::nullopt;
        const bool punto = std::find(r.con_punto.begin(), r.con_punto.end(), *k) != r.con_punto.end();
        return CellaRiga{r.celle[*k], punto};
    };
}

}  // namespace tv::form
