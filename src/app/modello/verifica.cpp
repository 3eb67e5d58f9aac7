// SPDX-License-Identifier: GPL-3.0-or-later
// The check run behind "AGGIORNA": the inputs read from the fields through the field table, the
// pure check, and its result written to the window only when the whole run succeeded.
#include "app/modello/form1.h"
#include "form/calcolo.h"
#include "form/testi.h"
#include "text/error.h"

namespace tv::form {

std::variant<IngressiVerifica, Arresto> Form1::leggi_ingressi() {
    campo_rifiutato_.reset();
    return leggi_pannello(pannello(), lavoro, formato_, nota_notazione_, &campo_rifiutato_);
}

EsitoVerifica Form1::calcola() {
    auto ingressi = leggi_ingressi();
    if (auto* a = std::get_if<Arresto>(&ingressi)) return std::move(*a);
    try {
        const auto griglia = griglia_->ricerca([this] { return file_griglia(); });
        EsitoVerifica esito = calcola_verifica(std::get<IngressiVerifica>(ingressi), *griglia);
        if (auto* r = std::get_if<RisultatoVerifica>(&esito))
            r->scelte = scelte_valide(pannello(), lavoro.unita, formato_);
        return esito;
    } catch (const Failure& err) {
        return Arresto{err.what(), err.title()};
    }
}

bool Form1::Command1_Click(int index) {
    if (index != 0) return false;
    if (e_meccanismo(stato.pannello.tipo)) return esegui_meccanismo();
    EsitoVerifica esito = calcola();
    if (auto* r = std::get_if<RisultatoVerifica>(&esito)) {
        try {
            TestiRisultato testi = testi_risultato(*r, lavoro.unita, formato_);
            // The whole run succeeded: write it.
            scrivi_testi(std::move(testi), stato);
            ultima_ = UltimaEsecuzione{stato.pannello, stato.pannello.testi[Campo::ag]};
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
