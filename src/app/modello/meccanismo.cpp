// SPDX-License-Identifier: GPL-3.0-or-later
// The window's local-mechanism kinds: the choice of kind, the storey table's texts, the check
// run behind "AGGIORNA" and the texts of its results.
#include <algorithm>
#include <cmath>

#include "app/modello/form1.h"
#include "app/modello/meccanismo.h"
#include "form/testi.h"
#include "text/encoding.h"
#include "text/error.h"

namespace tv::form {
namespace {

constexpr Rgb kVerdeEsito{0, 128, 0};
constexpr Rgb kRossoEsito{255, 0, 0};

std::string numero(double v, int cifre, const text::NumberFormat& f) {
    return text::rounded(v, cifre, f);
}

}  // namespace

int piani_mostrati(const StatoFinestra& s, const text::NumberFormat& f) {
    const auto v = text::parse_dot_or_locale(
        text::trim(s.pannello.meccanismo[posizione(CampoMeccanismo::piani)]), f);
    if (!v || !std::isfinite(*v)) return 1;
    return std::clamp(static_cast<int>(std::lround(*v)), 1, panel::kPianiMassimi);
}

std::string riga_meccanismo(const panel::EsitoCinematismo& e, const text::NumberFormat& f) {
    std::string r = nome_meccanismo(e) + ": z " + numero(e.z, 3, f) + " m";
    if (e.h1 > 0) r += ", h1 " + numero(e.h1, 3, f) + " m";
    if (e.T0 > 0) r += ", T0 " + numero(e.T0, 4, f) + " s";
    r += ", α0 " + numero(e.lavoro.alpha0, 5, f);
    if (const auto& nl = e.non_lineare) {
        r += ", d0 " + numero(nl->d0, 4, f) + " m, non lineare ζE SLV " + numero(nl->SLV.zeta, 3, f) +
             ", ζE SLC " + numero(nl->SLC.zeta, 3, f);
    } else {
        r += ", ζE SLV " + numero(e.zeta_SLV, 3, f) + ", ag,cap SLV " + numero(e.ag_cap_SLV, 4, f) + " g";
    }
    if (e.attivo_senza_sisma) r += " (attivo anche senza sisma)";
    return r;
}

TestiEsitoMeccanismo testi_esito_meccanismo(const RisultatoMeccanismo& r,
                                            const text::NumberFormat& f) {
    const panel::EsitoMeccanismi& m = r.esito;
    const panel::EsitoCinematismo& g = m.governante();
    TestiEsitoMeccanismo t;
    t.governante = nome_meccanismo(g) + ": z " + numero(g.z, 3, f) + " m";
    if (g.h1 > 0) t.governante += ", h1 " + numero(g.h1, 3, f) + " m";
    if (g.T0 > 0) t.governante += ", T0 " + numero(g.T0, 4, f) + " s";
    if (g.attivo_senza_sisma) t.governante += " (attivo anche senza sisma)";
    t.pericolosita = "SLD: TR " + numero(r.SLD.sito.TR, 0, f) + " anni, ag " +
                     numero(r.SLD.sito.ag, 4, f) + " g · SLV: TR " + numero(r.SLV.sito.TR, 0, f) +
                     " anni, ag " + numero(r.SLV.sito.ag, 4, f) + " g · FC " + numero(m.FC, 2, f);
    t.valori = {numero(g.lavoro.alpha0, 5, f), numero(g.lavoro.e_star, 4, f),
                numero(g.a0_star, 4, f),       numero(g.zeta_SLD, 3, f),
                numero(g.zeta_SLV, 3, f),      numero(g.ag_cap_SLV, 4, f)};
    if (const auto& nl = g.non_lineare) {
        // The SLV verdict is the nonlinear one: its ζE and ag,cap take the linear ones' boxes.
        t.non_lineare = true;
        t.governante += " · analisi non lineare";
        t.valori[4] = numero(nl->SLV.zeta, 3, f);
        t.valori[5] = numero(nl->SLV.ag_cap, 4, f);
        t.valori_SLC = {numero(nl->d0, 4, f), numero(nl->SLC.zeta, 3, f), numero(nl->SLC.ag_cap, 4, f)};
        t.verdetto_SLC = m.ok_SLC ? " > : OK" : " < : !!!";
        t.colore_SLC = m.ok_SLC ? kVerdeEsito : kRossoEsito;
        if (r.SLC)
            t.pericolosita_SLC = "SLC: TR " + numero(r.SLC->sito.TR, 0, f) + " anni, ag " +
                                 numero(r.SLC->sito.ag, 4, f) + " g";
    }
    t.verdetto_SLV = m.ok ? " > : OK" : " < : !!!";
    t.verdetto_SLD = m.ok_SLD ? " > : OK" : " < : !!!";
    t.colore_SLV = m.ok ? kVerdeEsito : kRossoEsito;
    t.colore_SLD = m.ok_SLD ? kVerdeEsito : kRossoEsito;
    // The others in storey order, as the command line's summary lists them.
    std::vector<const panel::EsitoCinematismo*> altri;
    for (const auto& e : m.meccanismi)
        if (&e != &g) altri.push_back(&e);
    std::stable_sort(altri.begin(), altri.end(), [](auto* a, auto* b) { return a->piano < b->piano; });
    for (const auto* e : altri) t.altri.push_back(riga_meccanismo(*e, f));
    return t;
}

void Form1::imposta_tipo(TipoVerifica tipo) {
    stato.pannello.tipo = tipo;
    switch (tipo) {
        case TipoVerifica::pannello:
            break;
        case TipoVerifica::ribaltamento:
        case TipoVerifica::flessione:
        case TipoVerifica::ribaltamento_composto:
        case TipoVerifica::elemento_libero:
            // EC8 4.3.5.2 is refused for a mechanism: the Circolare's formula takes its place.
            if (stato.pannello.formula == panel::FormulaDomanda::ec8)
                stato.pannello.formula = panel::FormulaDomanda::circolare_c7_2_5;
            break;
    }
}

void Form1::imposta_campo_meccanismo(CampoMeccanismo c, std::string testo) {
    stato.pannello.meccanismo[posizione(c)] = std::move(testo);
}

EsitoMeccanismo Form1::calcola_pannello_meccanismo() const {
    return form::calcola_pannello_meccanismo(pannello(), lavoro, *griglia_, formato_);
}

bool Form1::esegui_meccanismo() {
    campo_rifiutato_.reset();
    EsitoMeccanismo esito = calcola_pannello_meccanismo();
    if (auto* r = std::get_if<RisultatoMeccanismo>(&esito)) {
        // The whole run succeeded: write it.
        stato.esito_meccanismo = testi_esito_meccanismo(*r, formato_);
        stato.sito_iniziale = false;
        ultima_ = UltimaEsecuzione{stato.pannello, stato.pannello.testi[Campo::ag]};
        risultato_meccanismo = std::move(*r);
        return true;
    }
    ultima_.reset();
    const auto& a = std::get<Arresto>(esito);
    if (!(in_avvio_ && a.titolo == kTitoloSitoDaIndicare)) mostra(a.testo, a.titolo);
    return false;
}

}  // namespace tv::form
