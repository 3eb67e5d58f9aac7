// SPDX-License-Identifier: GPL-3.0-or-later
// The report's origin of the chosen numbers: use class and Cu, construction type and VN, limit
// state and PVR, topographic category with h/H and St, masonry type with LC, FC, γM, fd and E.
#include "relazione/redazione.h"

namespace tv::relazione::redazione {

namespace {

constexpr const char* kScritto = "valore scritto (nessuna scelta)";

Tabella tabella_origine(std::vector<std::vector<std::string>> righe) {
    Tabella t;
    t.intestazioni = {"Grandezza", "Scelta", "Valore", "Riferimento"};
    t.allineamenti = {Allineamento::sinistra, Allineamento::sinistra, Allineamento::destra,
                      Allineamento::sinistra};
    t.larghezze = {0.26, 0.26, 0.12, 0.36};
    t.righe = std::move(righe);
    return t;
}

template <class E, std::size_t N>
std::vector<std::string> riga(std::string grandezza, const std::array<form::Voce<E>, N>& t,
                              std::optional<E> scelta, double valore, int decimali,
                              const std::string& unita, std::string riferimento) {
    std::string v = n(valore, decimali) + (unita.empty() ? "" : " " + unita);
    if (!scelta) return {std::move(grandezza), kScritto, std::move(v), ""};
    return {std::move(grandezza), std::string(form::voce(t, *scelta).etichetta), std::move(v),
            std::move(riferimento)};
}

}  // namespace

std::string stato_limite_relazione(const RisultatoVerifica& d) {
    const auto sl = d.scelte ? d.scelte->stato_limite : std::nullopt;
    switch (sl.value_or(form::StatoLimite::SLV)) {
        case form::StatoLimite::SLO: return "allo stato limite di operatività (SLO)";
        case form::StatoLimite::SLD: return "allo stato limite di danno (SLD)";
        case form::StatoLimite::SLV: break;
        case form::StatoLimite::SLC: return "allo stato limite di prevenzione del collasso (SLC)";
    }
    return "allo stato limite di salvaguardia della vita (SLV)";
}

std::vector<Blocco> blocchi_scelte_sito(const RisultatoVerifica& d) {
    if (!d.scelte) return {};
    const form::ScelteValide& s = *d.scelte;
    const form::IngressiVerifica& in = d.ingressi;
    std::vector<std::vector<std::string>> righe;
    righe.push_back(riga("Coefficiente d'uso Cu", form::kClassiUso, s.classe_uso, in.sito.Cu, 4, "",
                         "NTC 2018 Tab. 2.4.II"));
    righe.push_back(riga("Vita nominale VN", form::kTipiCostruzione, s.tipo_costruzione, in.sito.VN, 4,
                         "anni", "NTC 2018 Tab. 2.4.I (valore minimo)"));
    righe.push_back(riga("Probabilità di superamento PVR", form::kStatiLimite, s.stato_limite,
                         in.sito.PVR, 4, "%", "NTC 2018 Tab. 3.2.I"));
    std::vector<std::string> st = riga("Amplificazione topografica St",
                                       form::kCategorieTopografiche, s.categoria_topografica,
                                       in.St, 4, "", "NTC 2018 Tab. 3.2.V");
    if (s.categoria_topografica && *s.categoria_topografica != form::CategoriaTopografica::T1) {
        const double St_max = form::voce(form::kCategorieTopografiche, *s.categoria_topografica).numero;
        st[1] += ", h/H = " + n(s.h_su_H, 4);
        st[3] = "NTC 2018 Tab. 3.2.V, § 3.2.3.2.1: St = 1 + (" + n(St_max, 2) + " − 1) · " +
                n(s.h_su_H, 4);
    }
    righe.push_back(std::move(st));
    return {Paragrafo{"Origine dei coefficienti del sito", true}, tabella_origine(std::move(righe))};
}

std::vector<Blocco> blocchi_scelte_muratura(const RisultatoVerifica& d, const Misure& m) {
    if (!d.scelte) return {};
    const form::ScelteValide& s = *d.scelte;
    std::vector<Blocco> out{Paragrafo{"Origine di fd ed E", true}};
    const std::string mpa = apici("N/mm2");
    if (s.nuova) {
        // New masonry: fd = fk/γM with the table's γM, E = 1000 fk.
        const form::ValoriMuraturaNuova v = form::valori_muratura_nuova(s.fk, s.elementi, s.classe_esecuzione);
        const std::string materiale(form::voce(form::kMaterialiNuovi, s.elementi).etichetta);
        const std::string classe(form::voce(form::kClassiEsecuzione, s.classe_esecuzione).etichetta);
        out.push_back(tabella_origine({
            {"Muratura", "nuova", "", "NTC 2018 § 4.5"},
            {"Resistenza caratteristica fk", "valore scritto", n(v.fk, 2) + " " + mpa, "NTC 2018 § 11.10.3"},
            {"Coefficiente parziale γM", materiale + ", " + classe, n(v.gammaM, 2),
             "NTC 2018 Tab. 4.5.II (non ridotto del 20 % del § 7.8.1.1)"},
            {"Modulo elastico E", "E = 1000 · fk", n(v.E, 0) + " " + mpa, "NTC 2018 § 11.10.3.4"}}));
        out.push_back(Formula{"fd = fk / γM", "fd = " + n(v.fk, 2) + " / " + n(v.gammaM, 2) + " = " +
                                                  n(v.fd, 4) + " " + mpa + " = " +
                                                  m.tensione(v.fd * 10, 4) + " " + m.ut});
        return out;
    }
    if (!s.muratura) {
        out.push_back(Paragrafo{"fd ed E sono valori scritti: non vengono da una tipologia "
                                "muraria della Circolare 2019 Tab. C8.5.I."});
        return out;
    }
    const form::DatiMuratura& t = form::dati_muratura(*s.muratura);
    const form::ValoriMuratura v =
        form::valori_muratura(*s.muratura, s.livello_conoscenza, s.correttivi);
    const std::string lc(form::voce(form::kLivelliConoscenza, s.livello_conoscenza).etichetta);
    std::string origine_f;
    switch (s.livello_conoscenza) {
        case form::LivelloConoscenza::LC1: origine_f = "minimo dell'intervallo "; break;
        case form::LivelloConoscenza::LC2: origine_f = "media dell'intervallo "; break;
        case form::LivelloConoscenza::LC3:
            origine_f = "media dell'intervallo (prima delle prove in sito) ";
            break;
    }
    std::vector<std::vector<std::string>> righe = {
        {"Tipologia muraria", std::string(t.etichetta), "", "Circolare 2019 Tab. C8.5.I"},
        {"Livello di conoscenza", lc, "", "Circolare 2019 C8.5.4.1"},
        {"Fattore di confidenza FC", lc, n(v.FC, 2), "Circolare 2019 C8.5.4"},
        {"Resistenza media a compressione f", origine_f + n(t.f_min, 1) + " – " + n(t.f_max, 1),
         n(v.f, 2) + " " + mpa, "Circolare 2019 Tab. C8.5.I, C8.5.4.1"},
        {"Coefficiente parziale γM", "sismica, muratura", n(v.gammaM, 2),
         "NTC 2018 § 7.8.1.1 (Cap. 4 ridotto del 20 %, non meno di 2)"},
        {"Modulo elastico E", "media dell'intervallo " + n(t.E_min, 0) + " – " + n(t.E_max, 0) +
                                  (v.k_E != 1 ? " · " + n(v.k_E, 2) : ""),
         n(v.E, 0) + " " + mpa, "Circolare 2019 Tab. C8.5.I, C8.5.4.1"},
        {"Peso specifico w", s.peso_da_tabella ? std::string("valore di tabella") : kScritto,
         s.peso_da_tabella ? n(*v.w, 0) + " " + apici("kN/m3") : "",
         s.peso_da_tabella ? "Circolare 2019 Tab. C8.5.I" : ""}};
    // The factors of a better state (Tab. C8.5.II): the two highest chosen, on f, and on E for
    // good mortar.
    std::string scelti;
    for (std::size_t i = 0; i < form::kCorrettivi.size(); ++i)
        if (s.correttivi[i] && t.correttivi[i] > 0)
            scelti += (scelti.empty() ? "" : ", ") + std::string(form::kCorrettivi[i].etichetta) +
                      " " + n(t.correttivi[i], 2);
    const bool k = v.k_f != 1 || v.k_E != 1;
    if (k)
        righe.insert(righe.begin() + 4,
                     {"Coefficienti correttivi", scelti,
                      "k_f " + n(v.k_f, 2) + ", k_E " + n(v.k_E, 2),
                      v.consolidata ? "Circolare 2019 Tab. C8.5.II, C8.5.3.1 (consolidamento: "
                                      "prodotto non oltre " + n(t.massimo, 2) + ")"
                                    : "Circolare 2019 Tab. C8.5.II (al più i due maggiori, C8.5.3.1)"});
    out.push_back(tabella_origine(std::move(righe)));
    // 1 N/mm² = 10 daN/cm², the base unit of the job's stresses.
    out.push_back(Formula{k ? "fd = f · k_f / (FC · γM)" : "fd = f / (FC · γM)",
                          "fd = " + n(v.f, 2) + (k ? " · " + n(v.k_f, 2) : "") + " / (" +
                              n(v.FC, 2) + " · " + n(v.gammaM, 2) + ") = " + n(v.fd, 4) + " " +
                              mpa + " = " + m.tensione(v.fd * 10, 4) + " " + m.ut});
    return out;
}

}  // namespace tv::relazione::redazione
