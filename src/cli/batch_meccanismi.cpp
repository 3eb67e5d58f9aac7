// SPDX-License-Identifier: GPL-3.0-or-later
// A batch row of a local mechanism: its cells over start-up's panel, the mechanism check on the
// batch's grid, and the governing mechanism's results in the mechanism's columns.
#include <cmath>

#include "cli/batch.h"
#include "form/testi.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/number_text.h"

namespace tv::cli {

namespace {

constexpr std::size_t kVerdetto = colonna_uscita("verdict");
constexpr std::size_t kLatEd50 = colonna_uscita("lat_ed50");
constexpr std::size_t kLonEd50 = colonna_uscita("lon_ed50");

std::string numero(double v, const text::NumberFormat& f) {
    return text::rounded(v, 6, f);
}

void scrivi(const form::RisultatoMeccanismo& r, const text::NumberFormat& f, RigaEsito& e) {
    const panel::EsitoCinematismo& g = r.esito.governante();
    auto c = e.meccanismo.begin() + kColonneMeccanismo;
    *c++ = form::nome_meccanismo(g);
    *c++ = numero(g.z, f);
    *c++ = g.tipo == panel::TipoMeccanismo::flessione ? numero(g.h1, f) : std::string();
    for (double v : {g.lavoro.alpha0, g.lavoro.e_star, g.M_star, g.a0_star, g.domanda_SLD,
                     g.domanda_SLV, g.zeta_SLD, g.zeta_SLV, g.ag_cap_SLD, g.ag_cap_SLV,
                     r.SLD.sito.TR, r.SLD.sito.ag, r.SLV.sito.TR, r.SLV.sito.ag})
        *c++ = numero(v, f);
    e.celle[kLatEd50] = text::rounded(r.ed50.lat, 6, f);
    e.celle[kLonEd50] = text::rounded(r.ed50.lon, 6, f);
    e.celle[kVerdetto] = r.esito.ok ? " > : OK" : " < : !!!";
}

}  // namespace

void Lotto::verifica_meccanismo(const RigaIngresso& riga, std::optional<form::TipoVerifica> tipo,
                                Banco& banco, RigaEsito& e) const {
    auto& celle = e.celle;
    for (std::size_t c = 0; c < kColonneUscitaMeccanismo; ++c)
        e.meccanismo[c] = c < kColonneMeccanismo ? riga.meccanismo[c].value_or("") : "";
    const auto ferma = [&](std::string perche) { celle[kColonnaErrore] = std::move(perche); };
    if (!tipo) {
        return ferma("verifica: accettati solo pannello, ribaltamento e flessione (o vuota)");
    }
    e.meccanismo[0] = std::string(form::descrizione_tipo(*tipo).nome);
    for (std::size_t c = 0; c < kColonneIngresso; ++c)
        if (riga.con_punto[c])
            return ferma(std::string(kNomiIngresso[c]) + ": " + form::motivo_punto(celle[c]));
    for (std::size_t c = 0; c < kColonneMeccanismo; ++c)
        if (riga.meccanismo_con_punto[c])
            return ferma(std::string(kNomiMeccanismo[c]) + ": " +
                         form::motivo_punto(*riga.meccanismo[c]));
    // Start-up's panel with the row's texts; a mechanism's demand is the Circolare's, C7.2.5
    // unless the row names one.
    form::Pannello& p = banco.pannello_;
    p = pannello_avvio_;
    for (std::size_t c = 0; c < kColonneIngresso; ++c) {
        const auto campo = form::campo_di_nome(kNomiIngresso[c]);
        if (campo && riga.celle[c] && !riga.celle[c]->empty())
            p.testi[form::posizione(*campo)] = *riga.celle[c];
    }
    p.sito_proprio = sito_iniziale_;
    p.tipo = *tipo;
    // An empty cell takes start-up's text, as every other column does, and is echoed so.
    for (std::size_t i = 0; i < form::kCampiMeccanismo; ++i) {
        const auto& cella = riga.meccanismo[i + 1];
        if (cella && !cella->empty()) p.meccanismo[i] = *cella;
        e.meccanismo[i + 1] = p.meccanismo[i];
    }
    const std::size_t kD = colonna_ingresso("domanda");
    if (riga.celle[kD] && !riga.celle[kD]->empty()) {
        const auto f = panel::formula_di_nome(*riga.celle[kD]);
        if (!f) return ferma("domanda: accettate solo C7.2.5 e C7.2.11 per i meccanismi");
        p.formula = *f;
    } else {
        p.formula = panel::FormulaDomanda::circolare_c7_2_5;
    }
    celle[kD] = panel::descrizione(p.formula).breve;
    const std::size_t kDt = colonna_ingresso("datum");
    if (riga.celle[kDt] && !riga.celle[kDt]->empty()) {
        const auto d = hazard::datum_di_testo(*riga.celle[kDt]);
        if (!d) return ferma("datum: accettati solo ED50 e WGS84 (o vuota)");
        p.datum = *d;
    }
    celle[kDt] = hazard::nomi_datum(p.datum).nome;
    const auto ingressi = form::leggi_meccanismo(p, lavoro_, formato_);
    if (const auto* a = std::get_if<form::Arresto>(&ingressi)) return ferma(a->testo);
    const form::EsitoMeccanismo esito =
        form::calcola_meccanismo(std::get<form::IngressiMeccanismo>(ingressi), *griglia_);
    if (const auto* a = std::get_if<form::Arresto>(&esito)) return ferma(a->testo);
    scrivi(std::get<form::RisultatoMeccanismo>(esito), formato_, e);
    e.completata = true;
}

}  // namespace tv::cli
