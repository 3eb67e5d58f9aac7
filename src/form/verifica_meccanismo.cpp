// SPDX-License-Identifier: GPL-3.0-or-later
// The local-mechanism kind: its fields, the panel's texts read into the wall and the checks' data,
// and the check against the job's grid.
#include "form/verifica_meccanismo.h"

#include <cmath>

#include "form/campi.h"
#include "form/lavoro.h"
#include "form/testi.h"
#include "hazard/fonte.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/number_text.h"

namespace tv::form {

namespace {

struct NomePiano {
    std::string_view nome, cosa;
    units::Famiglia famiglia;
};
constexpr NomePiano kNomiPiano[kGrandezzePiano] = {
    {"h", "altezza del piano", units::Famiglia::lunghezza},
    {"t", "spessore del piano", units::Famiglia::lunghezza},
    {"N", "carico del solaio in sommità del piano", units::Famiglia::forza},
    {"dN", "distanza del carico del solaio dal filo esterno", units::Famiglia::lunghezza},
    {"F", "spinta orizzontale in sommità del piano", units::Famiglia::forza},
    {"catena", "tiro della catena in sommità del piano", units::Famiglia::forza},
};

std::array<DatiCampoMeccanismo, kCampiMeccanismo> tabella() {
    std::array<DatiCampoMeccanismo, kCampiMeccanismo> t;
    t[posizione(CampoMeccanismo::piani)] = {"piani", "piani (numero dei piani della parete)",
                                            units::Famiglia::nessuna};
    for (int g = 0; g < kGrandezzePiano; ++g)
        for (int i = 1; i <= panel::kPianiMassimi; ++i) {
            const auto& n = kNomiPiano[g];
            const std::string nome = std::string(n.nome) + std::to_string(i);
            t[posizione(campo_piano(static_cast<GrandezzaPiano>(g), i))] = {
                nome, nome + " (" + std::string(n.cosa) + " " + std::to_string(i) + ")",
                n.famiglia};
        }
    t[posizione(CampoMeccanismo::LC)] = {"LC", "LC (livello di conoscenza, 1, 2 o 3)",
                                         units::Famiglia::nessuna};
    t[posizione(CampoMeccanismo::z0)] = {
        "z0", "z0 (quota della base della parete sulla fondazione)", units::Famiglia::lunghezza};
    using enum CampoMeccanismo;
    t[posizione(ammorsamenti)] = {"ammorsamenti", "ammorsamenti (pareti ortogonali ammorsate)",
                                  units::Famiglia::nessuna};
    t[posizione(hb)] = {"hb", "hb (altezza media degli elementi della muratura)",
                        units::Famiglia::lunghezza};
    t[posizione(lb)] = {"lb", "lb (sovrapposizione tra gli elementi di due corsi)",
                        units::Famiglia::lunghezza};
    t[posizione(ts)] = {"ts", "ts (spessore delle pareti ortogonali)", units::Famiglia::lunghezza};
    t[posizione(mu)] = {"mu", "mu (coefficiente d'attrito dell'ammorsamento)",
                        units::Famiglia::nessuna};
    t[posizione(beta)] = {"beta", "beta (angolo della lesione del cuneo dalla verticale, in gradi)",
                          units::Famiglia::nessuna};
    t[posizione(lati_cuneo)] = {"lati_cuneo", "lati_cuneo (pareti ortogonali che danno il cuneo)",
                                units::Famiglia::nessuna};
    t[posizione(appoggiato)] = {
        "appoggiato", "appoggiato (elemento libero: 0 a mensola, 1 trattenuto anche in sommità)",
        units::Famiglia::nessuna};
    t[posizione(Em)] = {"Em", "Em (modulo elastico della muratura dell'elemento)",
                        units::Famiglia::tensione};
    t[posizione(analisi)] = {"analisi", "analisi (lineare o non lineare)",
                             units::Famiglia::nessuna};
    t[posizione(d_rottura)] = {
        "d_rottura", "d_rottura (spostamento spettrale d a cui si rompono le catene; vuoto se reggono)",
        units::Famiglia::lunghezza};
    for (std::size_t i = 0; i < t.size(); ++i)
        if (t[i].nome != kNomiCampiMeccanismo[i]) throw Failure("campi del meccanismo fuori ordine");
    return t;
}

const std::array<DatiCampoMeccanismo, kCampiMeccanismo>& campi() {
    static const auto t = tabella();
    return t;
}

// The site and building fields the mechanism reads, in the order they are validated.
std::vector<Campo> campi_letti(FormulaDomanda f) {
    std::vector<Campo> out{Campo::T1, Campo::suolo, Campo::St, Campo::lon, Campo::lat,
                           Campo::VN, Campo::Cu,    Campo::B,  Campo::gamma, Campo::H};
    if (f == FormulaDomanda::circolare_c7_2_5)
        out.insert(out.end(), {Campo::n, Campo::xi, Campo::Tk});
    return out;
}

Arresto rifiuto(const CampoMeccanismo c, const std::string& perche) {
    return Arresto{"Valore non valido: " + dati_campo(c).esteso + " " + perche, kInputErrato};
}

}  // namespace

const DatiCampoMeccanismo& dati_campo(CampoMeccanismo c) {
    return campi()[posizione(c)];
}

std::optional<CampoMeccanismo> campo_meccanismo_di_nome(std::string_view nome) {
    for (std::size_t i = 0; i < kNomiCampiMeccanismo.size(); ++i)
        if (kNomiCampiMeccanismo[i] == nome) return static_cast<CampoMeccanismo>(i);
    return std::nullopt;
}

std::vector<CampoMeccanismo> campi_propri(TipoVerifica t) {
    using enum CampoMeccanismo;
    switch (t) {
        case TipoVerifica::pannello:
        case TipoVerifica::flessione:
            return {};
        case TipoVerifica::ribaltamento:
            return {ammorsamenti, hb, lb, ts, mu};
        case TipoVerifica::ribaltamento_composto:
            return {lati_cuneo, beta, ts};
        case TipoVerifica::elemento_libero:
            return {appoggiato, Em};
    }
    return {};
}

TestiMeccanismo testi_meccanismo_iniziali() {
    TestiMeccanismo t;
    t[posizione(CampoMeccanismo::piani)] = "1";
    t[posizione(CampoMeccanismo::LC)] = "1";
    t[posizione(CampoMeccanismo::z0)] = "0";
    t[posizione(CampoMeccanismo::ammorsamenti)] = "0";
    t[posizione(CampoMeccanismo::mu)] = "0.577";
    t[posizione(CampoMeccanismo::lati_cuneo)] = "1";
    t[posizione(CampoMeccanismo::appoggiato)] = "0";
    t[posizione(CampoMeccanismo::analisi)] = kAnalisiLineare;
    return t;
}

std::optional<bool> analisi_non_lineare(std::string_view testo) {
    const std::string t = text::to_lower(text::trim(testo));
    if (t.empty() || t == kAnalisiLineare || t == "0") return false;
    if (t == kAnalisiNonLineare || t == "non_lineare" || t == "1") return true;
    return std::nullopt;
}

std::string nome_meccanismo(const panel::EsitoCinematismo& e) {
    switch (e.tipo) {
        case panel::TipoMeccanismo::ribaltamento:
            return "ribaltamento " + std::to_string(e.piano);
        case panel::TipoMeccanismo::flessione:
            return "flessione";
        case panel::TipoMeccanismo::ribaltamento_composto:
            return "ribaltamento composto " + std::to_string(e.piano);
        case panel::TipoMeccanismo::elemento_libero:
            return "elemento libero";
    }
    return {};
}

std::variant<IngressiMeccanismo, Arresto> leggi_meccanismo(const Pannello& p,
                                                           const Lavoro& lavoro,
                                                           const text::NumberFormat& formato) {
    IngressiMeccanismo in;
    switch (p.tipo) {
        case TipoVerifica::pannello:
            return Arresto{"Il pannello non è un meccanismo locale", kInputErrato};
        case TipoVerifica::ribaltamento:
            in.tipo = panel::TipoMeccanismo::ribaltamento;
            break;
        case TipoVerifica::flessione:
            in.tipo = panel::TipoMeccanismo::flessione;
            break;
        case TipoVerifica::ribaltamento_composto:
            in.tipo = panel::TipoMeccanismo::ribaltamento_composto;
            break;
        case TipoVerifica::elemento_libero:
            in.tipo = panel::TipoMeccanismo::elemento_libero;
            break;
    }
    // The floor acceleration at the hinge comes from the Circolare's floor formulas; EC8 4.3.5.2
    // is a rule for non-structural elements.
    switch (p.formula) {
        case FormulaDomanda::ec8:
            return Arresto{"Per i meccanismi locali la domanda al piano è quella della Circolare "
                           "2019: scegliere C7.2.5 o C7.2.11",
                           kInputErrato};
        case FormulaDomanda::circolare_c7_2_11:
        case FormulaDomanda::circolare_c7_2_5:
            break;
    }
    NumeriIngresso numeri;
    for (Campo c : campi_letti(p.formula)) {
        const std::string& testo = p.testi[c];
        if (auto motivo = motivo_rifiuto(c, testo, formato, false, &lavoro.unita))
            return Arresto{*motivo, kInputErrato};
        if (c == Campo::suolo) {
            numeri.suolo = *suolo_di_testo(testo);
        } else if (c != Campo::Tk || !text::trim(testo).empty()) {
            numeri.valori[c] = *numero_di_testo(c, testo, formato);
        }
    }
    numeri.Tk = !text::trim(p.testi[Campo::Tk]).empty();
    if (!p.sito_proprio && lavoro.sito_iniziale(p.testi))
        return Arresto{kSitoDaIndicare, kTitoloSitoDaIndicare};
    const IngressiVerifica base = ingressi_da_numeri(numeri, p.vincoli, p.formula, p.datum,
                                                     lavoro.unita);
    in.sito = base.sito;
    in.datum = base.datum;
    in.suolo = base.suolo;
    in.St = base.St;

    // A mechanism field's number: empty is `vuoto` (nullopt: required), in the job's work unit
    // converted to m or kN.
    const units::Unita& u = lavoro.unita;
    std::optional<Arresto> fermo;
    const auto numero = [&](CampoMeccanismo c, std::optional<double> vuoto) -> double {
        const std::string testo = text::trim(p.meccanismo[posizione(c)]);
        if (testo.empty()) {
            if (!vuoto && !fermo) fermo = rifiuto(c, "manca");
            return vuoto.value_or(0);
        }
        const auto v = text::parse_dot_or_locale(testo, formato);
        if (!v || !std::isfinite(*v)) {
            if (!fermo) fermo = rifiuto(c, "non è un numero");
            return 0;
        }
        const units::Famiglia f = dati_campo(c).famiglia;
        switch (f) {
            case units::Famiglia::lunghezza:
                return *v / u.fattore(f) / 100;  // cm to m
            case units::Famiglia::forza:
                return *v / u.fattore(f) / 100;  // daN to kN
            case units::Famiglia::tensione:
                return *v / u.fattore(f) * 100;  // daN/cm2 to kN/m2
            case units::Famiglia::nessuna:
            case units::Famiglia::volume:
            case units::Famiglia::momento:
            case units::Famiglia::peso_specifico:
                return *v;
        }
        return *v;
    };
    const auto intero = [&](CampoMeccanismo c, int da, int a,
                            std::optional<double> vuoto = std::nullopt) {
        const double v = numero(c, vuoto);
        if (!fermo && (v != std::trunc(v) || v < da || v > a))
            fermo = rifiuto(c, "deve essere un numero intero da " + std::to_string(da) + " a " +
                                   std::to_string(a));
        return static_cast<int>(v);
    };
    const int piani = intero(CampoMeccanismo::piani, 1, panel::kPianiMassimi);
    if (fermo) return *fermo;
    for (int i = 1; i <= piani; ++i) {
        const auto g = [&](GrandezzaPiano q, std::optional<double> vuoto) {
            return numero(campo_piano(q, i), vuoto);
        };
        panel::PianoParete s;
        s.h = g(GrandezzaPiano::h, std::nullopt);
        s.t = g(GrandezzaPiano::t, std::nullopt);
        s.N = g(GrandezzaPiano::N, 0);
        s.dN = g(GrandezzaPiano::dN, 0);
        s.F = g(GrandezzaPiano::F, 0);
        s.catena = g(GrandezzaPiano::catena, 0);
        in.parete.piani.push_back(s);
    }
    const int lc = intero(CampoMeccanismo::LC, 1, 3);
    in.parete.z0 = numero(CampoMeccanismo::z0, 0);
    const auto non_lineare = analisi_non_lineare(p.meccanismo[posizione(CampoMeccanismo::analisi)]);
    if (!non_lineare && !fermo)
        fermo = rifiuto(CampoMeccanismo::analisi, "deve essere \"lineare\" o \"non lineare\"");
    in.verifica.non_lineare = non_lineare.value_or(false);
    if (in.verifica.non_lineare) in.verifica.d_rottura = numero(CampoMeccanismo::d_rottura, 0);
    // The side walls, read only by the kinds that use them (campi_propri).
    switch (p.tipo) {
        case TipoVerifica::pannello:
        case TipoVerifica::flessione:
            break;
        case TipoVerifica::ribaltamento: {
            panel::Ammorsamento& a = in.parete.ammorsamento;
            a.pareti = intero(CampoMeccanismo::ammorsamenti, 0, 2, 0);
            if (!fermo && a.pareti > 0) {
                a.hb = numero(CampoMeccanismo::hb, std::nullopt);
                a.lb = numero(CampoMeccanismo::lb, std::nullopt);
                a.ts = numero(CampoMeccanismo::ts, std::nullopt);
                a.mu = numero(CampoMeccanismo::mu, 0.577);
            }
            break;
        }
        case TipoVerifica::ribaltamento_composto: {
            panel::Cuneo& c = in.parete.cuneo;
            c.lati = intero(CampoMeccanismo::lati_cuneo, 1, 2, 1);
            c.beta = numero(CampoMeccanismo::beta, std::nullopt);
            c.ts = numero(CampoMeccanismo::ts, std::nullopt);
            break;
        }
        case TipoVerifica::elemento_libero:
            in.parete.libero.appoggiato = intero(CampoMeccanismo::appoggiato, 0, 1, 0) == 1;
            in.parete.libero.E = numero(CampoMeccanismo::Em, std::nullopt);
            break;
    }
    if (fermo) return *fermo;
    // B in m, γ from daN/cm3 to kN/m3, H in m.
    in.parete.B = base.pannello.B / 100;
    in.parete.gamma = base.pannello.gamma * 1e4;
    auto& v = in.verifica;
    v.formula = p.formula;
    v.H = base.pannello.H / 100;
    v.T1 = base.T1;
    v.edificio = base.edificio;
    v.suolo = base.suolo;
    v.g = u.accelerazione_g > 0 ? u.accelerazione_g : 9.81;
    v.lc = static_cast<panel::LivelloConoscenza>(lc - 1);
    try {
        panel::controlla_parete(in.parete, in.tipo);
    } catch (const Failure& f) {
        return Arresto{f.what(), kInputErrato};
    }
    return in;
}

EsitoMeccanismo calcola_pannello_meccanismo(const Pannello& p, const Lavoro& lavoro,
                                            hazard::FonteGriglia& griglia,
                                            const text::NumberFormat& formato) {
    auto ingressi = leggi_meccanismo(p, lavoro, formato);
    if (auto* a = std::get_if<Arresto>(&ingressi)) return std::move(*a);
    try {
        const auto g = griglia.ricerca([&] { return lavoro.file_griglia(); });
        return calcola_meccanismo(std::get<IngressiMeccanismo>(ingressi), *g);
    } catch (const Failure& err) {
        return Arresto{err.what(), err.title()};
    }
}

}  // namespace tv::form

namespace tv::form {

std::optional<TipoVerifica> tipo_di_nome(std::string_view nome) {
    const std::string n = text::to_lower(text::trim(nome));
    if (n.empty()) return TipoVerifica::pannello;
    for (const auto& d : kTipiVerifica)
        if (d.nome == n) return d.tipo;
    return std::nullopt;
}

}  // namespace tv::form
