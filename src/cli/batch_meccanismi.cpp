// SPDX-License-Identifier: GPL-3.0-or-later
// A batch row of a local mechanism: its cells over start-up's panel, the mechanism check on the
// batch's grid, and the governing mechanism's results in the mechanism's columns.
#include <cmath>

#include "cli/batch.h"
#include "form/lettura_pannello.h"
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
    *c++ = g.h1 > 0 ? numero(g.h1, f) : std::string();
    for (double v : {g.lavoro.alpha0, g.lavoro.e_star, g.M_star, g.a0_star, g.domanda_SLD,
                     g.domanda_SLV, g.zeta_SLD, g.zeta_SLV, g.ag_cap_SLD, g.ag_cap_SLV,
                     r.SLD.sito.TR, r.SLD.sito.ag, r.SLV.sito.TR, r.SLV.sito.ag,
                     g.lavoro.lavoro_interno})
        *c++ = numero(v, f);
    *c++ = g.ammorsamento ? numero(g.ammorsamento->F, f) : std::string();
    double W = 0;
    for (const auto& q : g.cuneo) W += q.W;
    *c++ = g.cuneo.empty() ? std::string() : numero(W, f);
    *c++ = g.T0 > 0 ? numero(g.T0, f) : std::string();
    if (g.non_lineare) {
        const panel::AnalisiNonLineare& n = *g.non_lineare;
        *c++ = numero(n.d0, f);
        for (const auto* s : {&n.SLV, &n.SLC})
            for (double v : {s->d, s->T, s->domanda, s->zeta, s->ag_cap}) *c++ = numero(v, f);
        *c++ = numero(r.SLC->sito.TR, f);
        *c++ = numero(r.SLC->sito.ag, f);
    }
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
        return ferma("verifica: accettati solo pannello, ribaltamento, flessione, "
                     "ribaltamento_composto e elemento_libero (o vuota)");
    }
    // The row's cells, the mechanism's among them, over start-up's panel through the one reader
    // of a panel's cells.
    form::Pannello& p = banco.pannello_;
    p = pannello_avvio_;
    const auto rifiuto = form::leggi_celle(
        [&riga](std::string_view nome) -> std::optional<form::CellaRiga> {
            if (const std::size_t c = colonna_ingresso(nome); c < kColonneIngresso) {
                if (!riga.celle[c]) return std::nullopt;
                return form::CellaRiga{*riga.celle[c], riga.con_punto[c]};
            }
            for (std::size_t c = 0; c < kColonneMeccanismo; ++c)
                if (kNomiMeccanismo[c] == nome) {
                    if (!riga.meccanismo[c]) return std::nullopt;
                    return form::CellaRiga{*riga.meccanismo[c], riga.meccanismo_con_punto[c]};
                }
            return std::nullopt;
        },
        p, unita_, formato_);
    p.tipo = *tipo;
    e.meccanismo[0] = std::string(form::descrizione_tipo(*tipo).nome);
    // An empty cell takes start-up's text, as every other column does, and is echoed so.
    for (std::size_t i = 0; i < form::kCampiMeccanismo; ++i) e.meccanismo[i + 1] = p.meccanismo[i];
    celle[colonna_ingresso("domanda")] = panel::descrizione(p.formula).breve;
    celle[colonna_ingresso("datum")] = hazard::nomi_datum(p.datum).nome;
    if (rifiuto) return ferma(form::testo_rifiuto(*rifiuto));
    p.sito_proprio = sito_iniziale_;
    const auto ingressi = form::leggi_meccanismo(p, lavoro_, formato_);
    if (const auto* a = std::get_if<form::Arresto>(&ingressi)) return ferma(a->testo);
    const form::EsitoMeccanismo esito =
        form::calcola_meccanismo(std::get<form::IngressiMeccanismo>(ingressi), *griglia_);
    if (const auto* a = std::get_if<form::Arresto>(&esito)) return ferma(a->testo);
    scrivi(std::get<form::RisultatoMeccanismo>(esito), formato_, e);
    e.completata = true;
}

}  // namespace tv::cli
