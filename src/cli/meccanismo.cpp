// SPDX-License-Identifier: GPL-3.0-or-later
// check for a local mechanism: the run against the job's grid, a summary in words and the JSON.
#include "cli/meccanismo.h"

#include <algorithm>

#include "form/testi.h"
#include "text/encoding.h"
#include "text/number_text.h"

namespace tv::cli {

namespace {

// The interlock's friction and the wedge's pieces, null when the mechanism has none.
nlohmann::json ammorsamento_json(const panel::EsitoCinematismo& e) {
    if (!e.ammorsamento) return nullptr;
    const panel::AttritoAmmorsamento& a = *e.ammorsamento;
    return {{"h", a.h}, {"n", a.n}, {"phi", a.phi}, {"F_wall", a.F_parete}, {"F", a.F},
            {"arm", a.braccio}, {"L_i", a.L_i}};
}

nlohmann::json cuneo_json(const panel::EsitoCinematismo& e) {
    if (e.cuneo.empty()) return nullptr;
    nlohmann::json pezzi = nlohmann::json::array();
    double W = 0;
    for (const panel::PezzoCuneo& c : e.cuneo) {
        W += c.W;
        pezzi.push_back({{"storey", c.piano}, {"W", c.W}, {"x", c.baricentro.x},
                         {"z", c.baricentro.z}});
    }
    return {{"W", W}, {"pieces", pezzi}};
}

// The nonlinear check of a mechanism, null under the linear analysis.
nlohmann::json non_lineare_json(const panel::EsitoCinematismo& e) {
    if (!e.non_lineare) return nullptr;
    const panel::AnalisiNonLineare& n = *e.non_lineare;
    const auto stato = [](const panel::StatoNonLineare& s) -> nlohmann::json {
        return {{"d", s.d}, {"a", s.a}, {"T", s.T}, {"xi", s.xi}, {"demand", s.domanda},
                {"T_demand", s.T_domanda}, {"zeta", s.zeta}, {"ag_cap", s.ag_cap},
                {"from_SLD", s.da_SLD}};
    };
    nlohmann::json curva = nlohmann::json::array();
    for (const auto& p : n.curva) curva.push_back({p.d, p.a});
    return {{"d0", n.d0},
            {"theta0", n.theta0},
            {"d_over_dC", n.fattore_d},
            {"d_break", n.d_rottura > 0 ? nlohmann::json(n.d_rottura) : nlohmann::json(nullptr)},
            {"ground", n.a_terra},
            {"no_capacity", n.senza_capacita},
            {"SLV", n.senza_capacita ? nlohmann::json(nullptr) : stato(n.SLV)},
            {"SLC", n.senza_capacita ? nlohmann::json(nullptr) : stato(n.SLC)},
            {"curve", curva}};
}

nlohmann::json cinematismo_json(const panel::EsitoCinematismo& e) {
    const bool h1 = e.h1 > 0;  // a flexure's middle hinge
    const bool libero = e.T0 > 0;
    return {
        {"name", form::nome_meccanismo(e)},
        {"storey", e.piano},
        {"z", e.z},
        {"h1", h1 ? nlohmann::json(e.h1) : nlohmann::json(nullptr)},
        {"alpha0", e.lavoro.alpha0},
        {"e_star", e.lavoro.e_star},
        {"M_star", e.M_star},
        {"a0_star", e.a0_star},
        {"demand_SLD", e.domanda_SLD},
        {"demand_SLV", e.domanda_SLV},
        {"zeta_SLD", e.zeta_SLD},
        {"zeta_SLV", e.zeta_SLV},
        {"ag_cap_SLD", e.ag_cap_SLD},
        {"ag_cap_SLV", e.ag_cap_SLV},
        {"active_without_earthquake", e.attivo_senza_sisma},
        {"L_i", e.lavoro.lavoro_interno},
        {"interlock", ammorsamento_json(e)},
        {"wedge", cuneo_json(e)},
        {"T0", libero ? nlohmann::json(e.T0) : nlohmann::json(nullptr)},
        {"kappa", libero ? nlohmann::json(e.kappa) : nlohmann::json(nullptr)},
        {"d_y", libero ? nlohmann::json(e.d_y) : nlohmann::json(nullptr)},
        {"nonlinear", non_lineare_json(e)},
    };
}

// The mechanisms by storey, and the governing one's place among them.
std::pair<std::vector<const panel::EsitoCinematismo*>, std::size_t> per_piano(
    const panel::EsitoMeccanismi& m) {
    std::vector<const panel::EsitoCinematismo*> v;
    for (const auto& e : m.meccanismi) v.push_back(&e);
    std::stable_sort(v.begin(), v.end(), [](auto* a, auto* b) { return a->piano < b->piano; });
    std::size_t g = 0;
    for (std::size_t i = 0; i < v.size(); ++i)
        if (v[i] == &m.governante()) g = i;
    return {v, g};
}

form::TipoVerifica tipo_di(const form::RisultatoMeccanismo& r) {
    switch (r.ingressi.tipo) {
        case panel::TipoMeccanismo::ribaltamento:
            return form::TipoVerifica::ribaltamento;
        case panel::TipoMeccanismo::flessione:
            return form::TipoVerifica::flessione;
        case panel::TipoMeccanismo::ribaltamento_composto:
            return form::TipoVerifica::ribaltamento_composto;
        case panel::TipoMeccanismo::elemento_libero:
            return form::TipoVerifica::elemento_libero;
    }
    return form::TipoVerifica::ribaltamento;
}

std::string numero(double v, int cifre) {
    return text::rounded(v, cifre, text::dot_format());
}

void riassunto(const form::RisultatoMeccanismo& r, std::ostream& out) {
    const auto& m = r.esito;
    out << "TORVELANDO PANNELLI MURARI\n"
        << "Meccanismo locale: " << form::descrizione_tipo(tipo_di(r)).titolo
        << "\n";
    out << "Sito ED50: lat " << numero(r.ed50.lat, 6) << " lon " << numero(r.ed50.lon, 6) << "\n";
    for (const auto* s : {&r.SLD, &r.SLV})
        out << (s == &r.SLD ? "SLD" : "SLV") << " (PVR " << numero(s->PVR, 0) << " %): TR "
            << numero(s->sito.TR, 1) << " anni, ag " << numero(s->sito.ag, 4) << " g, S "
            << numero(s->spettro.s, 4) << "\n";
    out << "FC = " << numero(m.FC, 2) << ", q = " << numero(r.ingressi.verifica.q, 1) << "\n";
    for (const auto* e : per_piano(m).first) {
        out << form::nome_meccanismo(*e) << (e == &m.governante() ? " (governa)" : "")
            << ": z " << numero(e->z, 3) << " m";
        if (e->h1 > 0) out << ", h1 " << numero(e->h1, 3) << " m";
        if (e->T0 > 0) out << ", T0 " << numero(e->T0, 4) << " s";
        if (e->ammorsamento)
            out << ", F ammorsamento " << numero(e->ammorsamento->F, 3) << " kN a "
                << numero(e->ammorsamento->braccio, 3) << " m";
        if (!e->cuneo.empty()) {
            double W = 0;
            for (const auto& c : e->cuneo) W += c.W;
            out << ", W cuneo " << numero(W, 3) << " kN";
        }
        out << ", α0 " << numero(e->lavoro.alpha0, 5) << ", e* " << numero(e->lavoro.e_star, 4)
            << ", a0* " << numero(e->a0_star, 4) << " m/s², ζE SLD " << numero(e->zeta_SLD, 3)
            << ", ζE SLV " << numero(e->zeta_SLV, 3) << ", ag,cap SLV "
            << numero(e->ag_cap_SLV, 4) << " g";
        if (e->attivo_senza_sisma) out << " (attivo anche senza sisma)";
        out << "\n";
        if (!e->non_lineare) continue;
        const panel::AnalisiNonLineare& n = *e->non_lineare;
        if (n.senza_capacita) {
            out << "  non lineare: nessuna capacità (d0 = 0)\n";
            continue;
        }
        out << "  non lineare: d0 " << numero(n.d0, 4) << " m";
        for (const auto* s : {&n.SLV, &n.SLC})
            out << (s == &n.SLV ? ", SLV" : "; SLC") << " d " << numero(s->d, 4) << " m, T "
                << numero(s->T, 3) << " s, domanda " << numero(s->domanda, 4) << " m, ζE "
                << numero(s->zeta, 3) << ", ag,cap " << numero(s->ag_cap, 4) << " g"
                << (s->da_SLD ? " (da SLD)" : "");
        out << "\n";
    }
    if (r.SLC)
        out << "SLC (PVR " << numero(r.SLC->PVR, 0) << " %): TR " << numero(r.SLC->sito.TR, 1)
            << " anni, ag " << numero(r.SLC->sito.ag, 4) << " g, S "
            << numero(r.SLC->spettro.s, 4) << "\n";
    out << "Analisi: " << (r.ingressi.verifica.non_lineare ? "non lineare" : "lineare") << "\n";
    out << "Verifica SLV: " << (m.ok ? " > : OK" : " < : !!!") << "\n"
        << "Verifica SLD: " << (m.ok_SLD ? " > : OK" : " < : !!!")
        << " (richiesta per le classi d'uso III e IV)\n";
    if (r.SLC) out << "Verifica SLC: " << (m.ok_SLC ? " > : OK" : " < : !!!") << "\n";
}

}  // namespace

nlohmann::json risultati_meccanismo_json(const form::RisultatoMeccanismo& r) {
    const auto& m = r.esito;
    const auto [v, g] = per_piano(m);
    nlohmann::json lista = nlohmann::json::array();
    for (const auto* e : v) lista.push_back(cinematismo_json(*e));
    return {
        {"kind", form::descrizione_tipo(tipo_di(r)).nome},
        {"lat_ed50", r.ed50.lat},
        {"lon_ed50", r.ed50.lon},
        {"TR_SLD", r.SLD.sito.TR},
        {"ag_SLD", r.SLD.sito.ag},
        {"S_SLD", r.SLD.spettro.s},
        {"TR_SLV", r.SLV.sito.TR},
        {"ag_SLV", r.SLV.sito.ag},
        {"S_SLV", r.SLV.spettro.s},
        {"FC", m.FC},
        {"q", r.ingressi.verifica.q},
        {"mechanisms", lista},
        {"governing", g},
        {"verdict", m.ok},
        {"verdict_SLD", m.ok_SLD},
        {"analysis", r.ingressi.verifica.non_lineare ? "nonlinear" : "linear"},
        {"TR_SLC", r.SLC ? nlohmann::json(r.SLC->sito.TR) : nlohmann::json(nullptr)},
        {"ag_SLC", r.SLC ? nlohmann::json(r.SLC->sito.ag) : nlohmann::json(nullptr)},
        {"S_SLC", r.SLC ? nlohmann::json(r.SLC->spettro.s) : nlohmann::json(nullptr)},
        {"verdict_SLC", r.SLC ? nlohmann::json(m.ok_SLC) : nlohmann::json(nullptr)},
    };
}

bool imposta_campo_meccanismo(form::Pannello& p, std::string_view nome, const std::string& testo,
                              std::optional<std::string>& rifiuto) {
    const auto c = form::campo_meccanismo_di_nome(nome);
    if (!c) return false;
    const std::string t = text::trim(testo);
    if (!form::campo_numerico(*c)) {
        if (!form::analisi_non_lineare(t))
            rifiuto = "Input errato: " + form::dati_campo(*c).esteso + ": scrivere \"" +
                      form::kAnalisiLineare + "\" o \"" + form::kAnalisiNonLineare + "\"";
    } else if (!t.empty() && !text::parse_dot_or_locale(t, text::dot_format())) {
        rifiuto = "Input errato: " + form::dati_campo(*c).esteso + ": Richiesto valore numerico";
    }
    p.meccanismo[form::posizione(*c)] = t;
    return true;
}

int esegui_meccanismo(const Avvio& a, const form::Pannello& p, const OpzioniCheck& o,
                      std::ostream& out, std::ostream& err) {
    const form::EsitoMeccanismo esito =
        form::calcola_pannello_meccanismo(p, a.lavoro, *a.griglia, text::dot_format());
    const auto* r = std::get_if<form::RisultatoMeccanismo>(&esito);
    std::vector<std::string> messaggi;
    for (const auto& m : a.messaggi.elenco) messaggi.push_back(m.testo);
    if (const auto* arresto = std::get_if<form::Arresto>(&esito)) {
        err << arresto->titolo << ": " << text::printable(arresto->testo) << "\n";
        messaggi.push_back(arresto->testo);
    }
    std::vector<std::string> avvisi;
    if (a.lavoro.sito_iniziale(p.testi)) {
        avvisi.emplace_back(form::kSitoIniziale);
        err << "Avviso: " << form::kSitoIniziale << "\n";
    }
    if (o.json) {
        nlohmann::json j;
        const bool salvato = !p.id.empty();
        j["id"] = salvato ? nlohmann::json(p.id) : nlohmann::json(nullptr);
        j["descrizione"] = salvato ? nlohmann::json(p.descrizione) : nlohmann::json(nullptr);
        j["kind"] = form::descrizione_tipo(p.tipo).nome;
        nlohmann::json per_nome = nlohmann::json::object();
        for (const form::DatiCampoForm& d : form::kTabellaCampi)
            if (d.ingresso) per_nome[std::string(d.nome)] = p.testi[d.campo];
        for (int i = 0; i < form::kCampiMeccanismo; ++i) {
            const auto c = static_cast<form::CampoMeccanismo>(i);
            per_nome[form::dati_campo(c).nome] = p.meccanismo[form::posizione(c)];
        }
        j["fields_by_name"] = std::move(per_nome);
        j["messages"] = messaggi;
        j["completed"] = r != nullptr;
        j["results"] = r ? risultati_meccanismo_json(*r) : nlohmann::json(nullptr);
        j["demand"] = panel::descrizione(p.formula).parola;
        j["datum"] = hazard::nomi_datum(p.datum).parola;
        j["warnings"] = avvisi;
        out << j.dump(2) << "\n";
    } else if (r) {
        riassunto(*r, out);
    }
    return r ? 0 : 1;
}

}  // namespace tv::cli
