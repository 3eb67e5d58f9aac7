// SPDX-License-Identifier: GPL-3.0-or-later
// The choices' tables read and written: a choice writes its field's number, and a number that no
// choice gives leaves the choice "altro".
#include "form/scelte.h"

#include <algorithm>
#include <cmath>

#include "form/campi.h"
#include "form/lavoro.h"
#include "form/suggerimenti.h"
#include "text/encoding.h"

namespace tv::form {

namespace {

// 1 N/mm² = 10 daN/cm²; 1 kN/m³ = 1e-4 daN/cm³ (the program's base units).
constexpr double kTensioneBase = 10;
constexpr double kPesoBase = 1e-4;
// Decimals the fields are written with; a field matches a choice at these decimals.
constexpr int kDecimali = 4;
constexpr int kDecimaliPeso = 8;

template <class E, std::size_t N>
std::optional<E> di_parola(const std::array<Voce<E>, N>& t, std::string_view s) {
    const std::string p = text::to_lower(text::trim(std::string(s)));
    for (const auto& v : t)
        if (text::to_lower(v.parola) == p) return v.valore;
    return std::nullopt;
}

// The field's text read as the check reads it.
std::optional<double> numero_campo(const Pannello& p, Campo c, const text::NumberFormat& f) {
    return text::parse_dot_or_locale(p.testi[c], f);
}

bool scritto_uguale(std::optional<double> campo, double valore, int decimali) {
    if (!campo) return false;
    const double atteso = text::round_half_even(valore, decimali);
    return std::abs(*campo - atteso) <= 1e-9 * std::max(1.0, std::abs(atteso));
}

// The stored choice when the field holds its number, else the row whose number the field holds.
template <class E, std::size_t N>
std::optional<E> valida(const std::array<Voce<E>, N>& t, std::optional<E> scelta,
                        std::optional<double> campo) {
    if (scelta && scritto_uguale(campo, voce(t, *scelta).numero, kDecimali)) return scelta;
    for (const auto& v : t)
        if (scritto_uguale(campo, v.numero, kDecimali)) return v.valore;
    return std::nullopt;
}

double h_su_H_di(const Scelte& s) {
    if (s.h_su_H.empty()) return 1;
    return text::parse_dot_or_locale(s.h_su_H, text::dot_format()).value_or(1);
}

void scrivi(Pannello& p, Campo c, double valore, int decimali, const text::NumberFormat& f) {
    p.testi[c] = text::rounded(valore, decimali, f);
}

}  // namespace

const DatiMuratura& dati_muratura(Muratura m) {
    for (const auto& d : kMurature)
        if (d.valore == m) return d;
    return kMurature[0];
}

std::optional<ClasseUso> classe_uso_di_parola(std::string_view s) {
    return di_parola(kClassiUso, s);
}
std::optional<TipoCostruzione> tipo_costruzione_di_parola(std::string_view s) {
    return di_parola(kTipiCostruzione, s);
}
std::optional<StatoLimite> stato_limite_di_parola(std::string_view s) {
    return di_parola(kStatiLimite, s);
}
std::optional<CategoriaTopografica> categoria_di_parola(std::string_view s) {
    return di_parola(kCategorieTopografiche, s);
}
std::optional<LivelloConoscenza> livello_di_parola(std::string_view s) {
    return di_parola(kLivelliConoscenza, s);
}
std::optional<Muratura> muratura_di_parola(std::string_view s) {
    const std::string p = text::to_lower(text::trim(std::string(s)));
    for (const auto& d : kMurature)
        if (d.parola == p) return d.valore;
    return std::nullopt;
}

double coefficiente_topografico(CategoriaTopografica c, double h_su_H) {
    switch (c) {
        case CategoriaTopografica::T1: return 1.0;
        case CategoriaTopografica::T2:
        case CategoriaTopografica::T3:
        case CategoriaTopografica::T4:
            return 1 + (voce(kCategorieTopografiche, c).numero - 1) * h_su_H;
    }
    return 1.0;
}

std::optional<double> altezza_edificio_m(const Pannello& p, const units::Unita& u,
                                         const text::NumberFormat& f) {
    const auto H = numero_di_testo(Campo::H, p.testi[Campo::H], f);
    const double fl = u.fattore(units::Famiglia::lunghezza);
    if (!H || !(*H > 0) || !(fl > 0)) return std::nullopt;
    return *H / fl / 100;  // base cm → m
}

double periodo_suggerito(TipoEdificio t, double H_m) {
    return voce(kTipiEdificio, t).numero * std::pow(H_m, 0.75);
}

ValoriMuratura valori_muratura(Muratura m, LivelloConoscenza lc, const Correttivi& c) {
    const DatiMuratura& d = dati_muratura(m);
    const auto scelto = [&](Correttivo k) {
        const auto i = static_cast<std::size_t>(k);
        return c[i] && d.correttivi[i] > 0;
    };
    const bool intonaco = scelto(Correttivo::intonaco_armato);
    // The state found: the two highest of the factors chosen that the table gives, multiplied.
    std::array<std::pair<double, Correttivo>, 3> dati{};
    std::size_t n = 0;
    for (Correttivo k : {Correttivo::malta_buona, Correttivo::ricorsi, Correttivo::connessione})
        if (scelto(k) && !(intonaco && k == Correttivo::connessione))
            dati[n++] = {d.correttivi[static_cast<std::size_t>(k)], k};
    for (std::size_t i = 1; i < n; ++i)  // highest first
        for (std::size_t j = i; j > 0 && dati[j].first > dati[j - 1].first; --j)
            std::swap(dati[j], dati[j - 1]);
    double k_f = 1, k_E = 1;
    for (std::size_t i = 0; i < std::min<std::size_t>(n, 2); ++i) {
        k_f *= dati[i].first;
        switch (dati[i].second) {
            case Correttivo::malta_buona: k_E *= dati[i].first; break;  // f and E
            case Correttivo::ricorsi:
            case Correttivo::connessione:
            case Correttivo::iniezioni:
            case Correttivo::intonaco_armato:
            case Correttivo::ristilatura_armata: break;  // f alone
        }
    }
    // Consolidation, multiplied in and capped at the table's greatest overall factor.
    bool consolidata = false;
    for (Correttivo k : {Correttivo::iniezioni, Correttivo::intonaco_armato, Correttivo::ristilatura_armata}) {
        if (!scelto(k) || (intonaco && k == Correttivo::ristilatura_armata)) continue;
        const double v = d.correttivi[static_cast<std::size_t>(k)];
        consolidata = true;
        k_f *= v;
        k_E *= k == Correttivo::ristilatura_armata ? 1 + (v - 1) / 2 : v;
    }
    if (consolidata) {
        k_f = std::min(k_f, d.massimo);
        k_E = std::min(k_E, d.massimo);
    }
    const double media = (d.f_min + d.f_max) / 2;
    double f = media;
    switch (lc) {
        case LivelloConoscenza::LC1: f = d.f_min; break;
        case LivelloConoscenza::LC2:
        case LivelloConoscenza::LC3: f = media; break;
    }
    const double FC = voce(kLivelliConoscenza, lc).numero;
    ValoriMuratura v{f,           FC,  kGammaMSismico, f * k_f / (FC * kGammaMSismico),
                     (d.E_min + d.E_max) / 2 * k_E, std::nullopt, k_f, k_E};
    if (d.w > 0) v.w = d.w;
    v.consolidata = consolidata;
    return v;
}

double gamma_M_muratura_nuova(MaterialeNuovo m, ClasseEsecuzione c) {
    // NTC 2018 Tab. 4.5.II: rows by material, columns by execution class 1 and 2.
    const auto classe = [c](double uno, double due) {
        switch (c) {
            case ClasseEsecuzione::classe_1: return uno;
            case ClasseEsecuzione::classe_2: return due;
        }
        return due;
    };
    switch (m) {
        case MaterialeNuovo::I_garantita: return classe(2.0, 2.5);
        case MaterialeNuovo::I_prescritta: return classe(2.2, 2.7);
        case MaterialeNuovo::II: return classe(2.5, 3.0);
    }
    return 3.0;
}

ValoriMuraturaNuova valori_muratura_nuova(double fk, MaterialeNuovo m, ClasseEsecuzione c) {
    const double g = gamma_M_muratura_nuova(m, c);
    return {fk, g, fk / g, 1000 * fk};
}

std::optional<double> fk_muratura_nuova(const Scelte& s, const units::Unita& u) {
    if (s.fk.empty() || !s.elementi || !s.classe_esecuzione) return std::nullopt;
    const auto v = text::parse_dot_or_locale(s.fk, text::dot_format());
    if (!v || !(*v > 0)) return std::nullopt;
    return *v / (kTensioneBase * u.fattore(units::Famiglia::tensione));
}

ScelteValide scelte_valide(const Pannello& p, const units::Unita& u, const text::NumberFormat& f) {
    const Scelte& s = p.scelte;
    ScelteValide v;
    v.classe_uso = valida(kClassiUso, s.classe_uso, numero_campo(p, Campo::Cu, f));
    v.stato_limite = valida(kStatiLimite, s.stato_limite, numero_campo(p, Campo::PVR, f));
    v.tipo_costruzione = valida(kTipiCostruzione, s.tipo_costruzione, numero_campo(p, Campo::VN, f));
    const auto St = numero_campo(p, Campo::St, f);
    v.h_su_H = h_su_H_di(s);
    if (s.categoria_topografica &&
        scritto_uguale(St, coefficiente_topografico(*s.categoria_topografica, v.h_su_H), kDecimali))
        v.categoria_topografica = s.categoria_topografica;
    else if (scritto_uguale(St, 1.0, kDecimali))
        v.categoria_topografica = CategoriaTopografica::T1;
    if (s.muratura) {
        const LivelloConoscenza lc = s.livello_conoscenza.value_or(LivelloConoscenza::LC1);
        const ValoriMuratura m = valori_muratura(*s.muratura, lc, s.correttivi);
        const double ft = kTensioneBase * u.fattore(units::Famiglia::tensione);
        if (scritto_uguale(numero_campo(p, Campo::fd, f), m.fd * ft, kDecimali) &&
            scritto_uguale(numero_campo(p, Campo::E, f), m.E * ft, kDecimali)) {
            v.muratura = s.muratura;
            v.livello_conoscenza = lc;
            v.correttivi = s.correttivi;
            v.peso_da_tabella =
                m.w && scritto_uguale(numero_campo(p, Campo::gamma, f),
                                      *m.w * kPesoBase * u.fattore(units::Famiglia::peso_specifico),
                                      kDecimaliPeso);
        }
    }
    if (const auto fk = fk_muratura_nuova(s, u)) {
        const ValoriMuraturaNuova m = valori_muratura_nuova(*fk, *s.elementi, *s.classe_esecuzione);
        const double ft = kTensioneBase * u.fattore(units::Famiglia::tensione);
        if (scritto_uguale(numero_campo(p, Campo::fd, f), m.fd * ft, kDecimali) &&
            scritto_uguale(numero_campo(p, Campo::E, f), m.E * ft, kDecimali)) {
            v.nuova = true;
            v.fk = *fk;
            v.elementi = *s.elementi;
            v.classe_esecuzione = *s.classe_esecuzione;
        }
    }
    return v;
}

void scrivi_numeri_scelte(Pannello& p, const units::Unita& u, const text::NumberFormat& f) {
    const Scelte& s = p.scelte;
    if (s.classe_uso) scrivi(p, Campo::Cu, voce(kClassiUso, *s.classe_uso).numero, kDecimali, f);
    if (s.stato_limite)
        scrivi(p, Campo::PVR, voce(kStatiLimite, *s.stato_limite).numero, kDecimali, f);
    if (s.tipo_costruzione)
        scrivi(p, Campo::VN, voce(kTipiCostruzione, *s.tipo_costruzione).numero, kDecimali, f);
    if (s.categoria_topografica)
        scrivi(p, Campo::St, coefficiente_topografico(*s.categoria_topografica, h_su_H_di(s)),
               kDecimali, f);
    if (s.muratura) {
        const ValoriMuratura m = valori_muratura(
            *s.muratura, s.livello_conoscenza.value_or(LivelloConoscenza::LC1), s.correttivi);
        const double ft = kTensioneBase * u.fattore(units::Famiglia::tensione);
        scrivi(p, Campo::fd, m.fd * ft, kDecimali, f);
        scrivi(p, Campo::E, m.E * ft, kDecimali, f);
        if (m.w)
            scrivi(p, Campo::gamma, *m.w * kPesoBase * u.fattore(units::Famiglia::peso_specifico),
                   kDecimaliPeso, f);
    }
    if (const auto fk = fk_muratura_nuova(s, u)) {
        const ValoriMuraturaNuova m = valori_muratura_nuova(*fk, *s.elementi, *s.classe_esecuzione);
        const double ft = kTensioneBase * u.fattore(units::Famiglia::tensione);
        scrivi(p, Campo::fd, m.fd * ft, kDecimali, f);
        scrivi(p, Campo::E, m.E * ft, kDecimali, f);
    }
}

namespace {

// The word list of a table for a refusal: "I, II, III o IV".
template <class T>
std::string parole(const T& t) {
    std::string out;
    for (std::size_t i = 0; i < t.size(); ++i)
        out += std::string(i == 0 ? "" : i + 1 == t.size() ? " o " : ", ") +
               std::string(t[i].parola);
    return out;
}

template <class E, class T, class L>
bool leggi(std::optional<E>& membro, std::string_view nome, std::string_view testo, const T& t,
           L lettura, std::optional<std::string>& rifiuto) {
    if (text::trim(std::string(testo)).empty()) {
        membro.reset();
        return true;
    }
    if (const auto v = lettura(testo)) {
        membro = v;
        return true;
    }
    rifiuto = std::string(nome) + ": accettati solo " + parole(t) + " (o vuoto), ricevuto \"" +
              std::string(testo) + "\"";
    return false;
}

}  // namespace

bool imposta_scelta(Pannello& p, std::string_view nome, std::string_view testo,
                    const units::Unita& u, const text::NumberFormat& f,
                    std::optional<std::string>& rifiuto) {
    Scelte s = p.scelte;
    bool letto = false;
    if (nome == "classe_uso")
        letto = leggi(s.classe_uso, nome, testo, kClassiUso, classe_uso_di_parola, rifiuto);
    else if (nome == "stato_limite")
        letto = leggi(s.stato_limite, nome, testo, kStatiLimite, stato_limite_di_parola, rifiuto);
    else if (nome == "tipo_costruzione")
        letto = leggi(s.tipo_costruzione, nome, testo, kTipiCostruzione,
                      tipo_costruzione_di_parola, rifiuto);
    else if (nome == "categoria_topografica")
        letto = leggi(s.categoria_topografica, nome, testo, kCategorieTopografiche,
                      categoria_di_parola, rifiuto);
    else if (nome == "livello_conoscenza")
        letto = leggi(s.livello_conoscenza, nome, testo, kLivelliConoscenza, livello_di_parola,
                      rifiuto);
    else if (nome == "muratura") {
        letto = leggi(s.muratura, nome, testo, kMurature, muratura_di_parola, rifiuto);
        if (letto && s.muratura) s.fk.clear();  // an existing masonry type is not new masonry
    } else if (nome == "elementi")
        letto = leggi(s.elementi, nome, testo, kMaterialiNuovi,
                      [](std::string_view t) { return di_parola(kMaterialiNuovi, t); }, rifiuto);
    else if (nome == "classe_esecuzione")
        letto = leggi(s.classe_esecuzione, nome, testo, kClassiEsecuzione,
                      [](std::string_view t) { return di_parola(kClassiEsecuzione, t); }, rifiuto);
    else if (nome == "fk") {
        const std::string t = text::trim(std::string(testo));
        const auto v = text::parse_dot_or_locale(t, f);
        if (t.empty()) {
            s.fk.clear();
            letto = true;
        } else if (v && *v > 0 && std::isfinite(*v)) {
            s.fk = text::general(*v, text::dot_format());
            s.muratura.reset();
            letto = true;
        } else {
            rifiuto = "fk: attesa una resistenza caratteristica maggiore di 0 (o vuoto), "
                      "ricevuto \"" + t + "\"";
        }
    }
    else if (nome == "correttivi") {
        // Words joined by "+", any order and letter case.
        Correttivi c{};
        const std::string t = text::to_lower(text::trim(std::string(testo)));
        letto = true;
        for (std::size_t da = 0; da < t.size() && letto;) {
            const std::size_t a = std::min(t.find('+', da), t.size());
            const std::string parola = text::trim(t.substr(da, a - da));
            letto = false;
            for (std::size_t i = 0; i < kCorrettivi.size(); ++i)
                if (kCorrettivi[i].parola == parola) c[i] = letto = true;
            da = a + 1;
        }
        if (letto) s.correttivi = c;
        else rifiuto = "correttivi: accettati solo " + parole(kCorrettivi) +
                       ", uniti da \"+\" (o vuoto), ricevuto \"" + std::string(testo) + "\"";
    } else if (nome == "h_su_H") {
        const std::string t = text::trim(std::string(testo));
        const auto h = text::parse_dot_or_locale(t, f);
        if (t.empty()) {
            s.h_su_H.clear();
            letto = true;
        } else if (h && *h >= 0 && *h <= 1) {
            s.h_su_H = text::general(*h, text::dot_format());
            letto = true;
        } else {
            rifiuto = "h_su_H: atteso un numero da 0 a 1 (o vuoto), ricevuto \"" + t + "\"";
        }
    } else if (nome == "struttura_edificio") {
        // T1 = C1·H^(3/4) from the building's height H in the job's lengths (cm → m).
        if (text::trim(std::string(testo)).empty()) return true;
        const auto t = di_parola(kTipiEdificio, testo);
        const auto H = altezza_edificio_m(p, u, f);
        if (!t)
            rifiuto = std::string(nome) + ": accettati solo " + parole(kTipiEdificio) +
                      " (o vuoto), ricevuto \"" + std::string(testo) + "\"";
        else if (!H)
            rifiuto = std::string(nome) + ": serve l'altezza dell'edificio H, ricevuto \"" +
                      p.testi[Campo::H] + "\"";
        else
            scrivi(p, Campo::T1, periodo_suggerito(*t, *H), kDecimali, f);
        return true;
    } else if (nome == "elemento_non_strutturale") {
        const auto e = di_parola(kElementi, testo);
        if (text::trim(std::string(testo)).empty()) return true;
        if (e) scrivi(p, Campo::qa, voce(kElementi, *e).numero, kDecimali, f);
        else rifiuto = std::string(nome) + ": accettati solo " + parole(kElementi) +
                       " (o vuoto), ricevuto \"" + std::string(testo) + "\"";
        return true;
    } else {
        return false;
    }
    if (!letto) return true;
    p.scelte = s;
    // Only the numbers of the choice set: the others stay as typed.
    Pannello solo = p;
    solo.scelte = Scelte{};
    if (nome == "classe_uso") solo.scelte.classe_uso = s.classe_uso;
    if (nome == "stato_limite") solo.scelte.stato_limite = s.stato_limite;
    if (nome == "tipo_costruzione") solo.scelte.tipo_costruzione = s.tipo_costruzione;
    if (nome == "categoria_topografica" || nome == "h_su_H") {
        solo.scelte.categoria_topografica = s.categoria_topografica;
        solo.scelte.h_su_H = s.h_su_H;
    }
    if (nome == "muratura" || nome == "livello_conoscenza" || nome == "correttivi") {
        solo.scelte.muratura = s.muratura;
        solo.scelte.livello_conoscenza = s.livello_conoscenza;
        solo.scelte.correttivi = s.correttivi;
    }
    if (nome == "fk" || nome == "elementi" || nome == "classe_esecuzione") {
        solo.scelte.fk = s.fk;
        solo.scelte.elementi = s.elementi;
        solo.scelte.classe_esecuzione = s.classe_esecuzione;
    }
    scrivi_numeri_scelte(solo, u, f);
    p.testi = solo.testi;
    return true;
}

std::string cella_scelta(const Scelte& s, std::string_view nome) {
    const auto parola = [](const auto& t, const auto& membro) {
        return membro ? std::string(voce(t, *membro).parola) : std::string();
    };
    if (nome == "classe_uso") return parola(kClassiUso, s.classe_uso);
    if (nome == "stato_limite") return parola(kStatiLimite, s.stato_limite);
    if (nome == "tipo_costruzione") return parola(kTipiCostruzione, s.tipo_costruzione);
    if (nome == "categoria_topografica")
        return parola(kCategorieTopografiche, s.categoria_topografica);
    if (nome == "livello_conoscenza") return parola(kLivelliConoscenza, s.livello_conoscenza);
    if (nome == "h_su_H") return s.h_su_H;
    if (nome == "fk") return s.fk;
    if (nome == "elementi") return parola(kMaterialiNuovi, s.elementi);
    if (nome == "classe_esecuzione") return parola(kClassiEsecuzione, s.classe_esecuzione);
    if (nome == "correttivi") {
        std::string out;
        for (std::size_t i = 0; i < kCorrettivi.size(); ++i)
            if (s.correttivi[i])
                out += (out.empty() ? "" : "+") + std::string(kCorrettivi[i].parola);
        return out;
    }
    if (nome == "muratura")
        return s.muratura ? std::string(dati_muratura(*s.muratura).parola) : std::string();
    return {};
}

}  // namespace tv::form
