// SPDX-License-Identifier: GPL-3.0-or-later
// The engineer's choices that give a field its number: use class, construction type, limit state,
// topographic category with h/H, masonry type with knowledge level; their tables and functions.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "text/number_text.h"
#include "units/unita.h"

namespace tv::form {

struct Pannello;

// One row of a small table: the choice, its word (CLI, files), its label and its number.
template <class E>
struct Voce {
    E valore;
    std::string_view parola;
    std::string_view etichetta;
    double numero;
};

// Use class → Cu (NTC 2018 Tab. 2.4.II).
enum class ClasseUso { I, II, III, IV };
inline constexpr std::array<Voce<ClasseUso>, 4> kClassiUso = {{
    {ClasseUso::I, "I", "Classe I", 0.7},
    {ClasseUso::II, "II", "Classe II", 1.0},
    {ClasseUso::III, "III", "Classe III", 1.5},
    {ClasseUso::IV, "IV", "Classe IV", 2.0},
}};

// Construction type → VN in years, the table's minimum values (NTC 2018 Tab. 2.4.I).
enum class TipoCostruzione { temporanea, ordinaria, elevata };
inline constexpr std::array<Voce<TipoCostruzione>, 3> kTipiCostruzione = {{
    {TipoCostruzione::temporanea, "temporanea", "Temporanea o provvisoria", 10},
    {TipoCostruzione::ordinaria, "ordinaria", "Prestazioni ordinarie", 50},
    {TipoCostruzione::elevata, "elevata", "Prestazioni elevate", 100},
}};

// Limit state → PVR in per cent (NTC 2018 Tab. 3.2.I).
enum class StatoLimite { SLO, SLD, SLV, SLC };
inline constexpr std::array<Voce<StatoLimite>, 4> kStatiLimite = {{
    {StatoLimite::SLO, "SLO", "SLO", 81},
    {StatoLimite::SLD, "SLD", "SLD", 63},
    {StatoLimite::SLV, "SLV", "SLV", 10},
    {StatoLimite::SLC, "SLC", "SLC", 5},
}};

// Topographic category → St,max, the value at the top of the relief (NTC 2018 Tab. 3.2.V).
enum class CategoriaTopografica { T1, T2, T3, T4 };
inline constexpr std::array<Voce<CategoriaTopografica>, 4> kCategorieTopografiche = {{
    {CategoriaTopografica::T1, "T1", "T1", 1.0},
    {CategoriaTopografica::T2, "T2", "T2", 1.2},
    {CategoriaTopografica::T3, "T3", "T3", 1.2},
    {CategoriaTopografica::T4, "T4", "T4", 1.4},
}};

// Knowledge level → FC (Circolare 2019 C8.5.4).
enum class LivelloConoscenza { LC1, LC2, LC3 };
inline constexpr std::array<Voce<LivelloConoscenza>, 3> kLivelliConoscenza = {{
    {LivelloConoscenza::LC1, "LC1", "LC1", 1.35},
    {LivelloConoscenza::LC2, "LC2", "LC2", 1.20},
    {LivelloConoscenza::LC3, "LC3", "LC3", 1.00},
}};

// The eight masonry types of Circolare 2019 Tab. C8.5.I: f and E as min-max in N/mm², w in
// kN/m³ (0 where the table gives a range, 13 ÷ 16, for the soft stones).
enum class Muratura {
    pietrame_disordinata,
    conci_sbozzati,
    pietre_a_spacco,
    pietra_tenera_irregolare,
    pietra_tenera_conci,
    blocchi_squadrati,
    mattoni_pieni,
    mattoni_semipieni,
};
// Circolare 2019 Tab. C8.5.II's factors (C8.5.3.1). The state found: good mortar on f and E,
// courses (listature) and transverse connection on f alone, the product of at most the two
// highest. Consolidation: grout injection and reinforced plaster on f and E, reinforced
// repointing on f and on E by half its increase; reinforced plaster drops the transverse
// connection's and the repointing's factors. With any consolidation the whole product is capped
// at the table's last column. 0 where the table gives none (solid bricks' good mortar is f_m^0.35).
enum class Correttivo { malta_buona, ricorsi, connessione, iniezioni, intonaco_armato, ristilatura_armata };
inline constexpr std::array<Voce<Correttivo>, 6> kCorrettivi = {{
    {Correttivo::malta_buona, "malta_buona", "Malta buona", 0},
    {Correttivo::ricorsi, "ricorsi", "Ricorsi o listature", 0},
    {Correttivo::connessione, "connessione", "Connessione trasversale", 0},
    {Correttivo::iniezioni, "iniezioni", "Iniezione di miscele leganti", 0},
    {Correttivo::intonaco_armato, "intonaco_armato", "Intonaco armato", 0},
    {Correttivo::ristilatura_armata, "ristilatura_armata",
     "Ristilatura armata con connessione dei paramenti", 0},
}};
struct DatiMuratura {
    Muratura valore;
    std::string_view parola;
    std::string_view etichetta;
    double f_min, f_max, E_min, E_max, w;
    std::array<double, 6> correttivi;  // in kCorrettivi order
    double massimo;                    // the greatest overall factor with consolidation
};
inline constexpr std::array<DatiMuratura, 8> kMurature = {{
    {Muratura::pietrame_disordinata, "pietrame_disordinata",
     "Muratura in pietrame disordinata", 1.0, 2.0, 690, 1050, 19, {1.5, 1.3, 1.5, 2.0, 2.5, 1.6}, 3.5},
    {Muratura::conci_sbozzati, "conci_sbozzati",
     "Muratura a conci sbozzati", 2.0, 3.0, 1020, 1440, 20, {1.4, 1.2, 1.5, 1.7, 2.0, 1.5}, 3.0},
    {Muratura::pietre_a_spacco, "pietre_a_spacco",
     "Muratura in pietre a spacco con buona tessitura", 2.6, 3.8, 1500, 1980, 21,
     {1.3, 1.1, 1.3, 1.5, 1.5, 1.4}, 2.4},
    {Muratura::pietra_tenera_irregolare, "pietra_tenera_irregolare",
     "Muratura irregolare di pietra tenera", 1.4, 2.2, 900, 1260, 0, {1.5, 1.2, 1.3, 1.4, 1.7, 1.1}, 2.0},
    {Muratura::pietra_tenera_conci, "pietra_tenera_conci",
     "Muratura a conci regolari di pietra tenera", 2.0, 3.2, 1200, 1620, 0, {1.6, 0, 1.2, 1.2, 1.5, 1.2}, 1.8},
    {Muratura::blocchi_squadrati, "blocchi_squadrati",
     "Muratura a blocchi lapidei squadrati", 5.8, 8.2, 2400, 3300, 22, {1.2, 0, 1.2, 1.2, 1.2, 0}, 1.4},
    {Muratura::mattoni_pieni, "mattoni_pieni",
     "Muratura in mattoni pieni e malta di calce", 2.6, 4.3, 1200, 1800, 18, {0, 0, 1.3, 1.2, 1.5, 1.2}, 1.8},
    {Muratura::mattoni_semipieni, "mattoni_semipieni",
     "Muratura in mattoni semipieni con malta cementizia", 5.0, 8.0, 3500, 5600, 15, {1.2, 0, 0, 0, 1.3, 0}, 1.3},
}};

// γM for the seismic check of masonry: Chapter 4's factors less 20 %, never below 2
// (NTC 2018 § 7.8.1.1).
inline constexpr double kGammaMSismico = 2.0;

// New masonry (NTC 2018 § 4.5.6.1): fd = fk/γM, γM of Tab. 4.5.II by the units' category with
// the mortar and by the execution class; E = 1000·fk (§ 11.10.3.4). The table's γM is kept: the
// 20 % less that § 7.8.1.1 allows for the seismic check is not taken.
enum class MaterialeNuovo { I_garantita, I_prescritta, II };
inline constexpr std::array<Voce<MaterialeNuovo>, 3> kMaterialiNuovi = {{
    {MaterialeNuovo::I_garantita, "I_garantita", "Categoria I, malta a prestazione garantita", 0},
    {MaterialeNuovo::I_prescritta, "I_prescritta", "Categoria I, malta a composizione prescritta", 0},
    {MaterialeNuovo::II, "II", "Categoria II, ogni tipo di malta", 0},
}};
enum class ClasseEsecuzione { classe_1, classe_2 };
inline constexpr std::array<Voce<ClasseEsecuzione>, 2> kClassiEsecuzione = {{
    {ClasseEsecuzione::classe_1, "1", "Classe di esecuzione 1", 0},
    {ClasseEsecuzione::classe_2, "2", "Classe di esecuzione 2", 0},
}};
double gamma_M_muratura_nuova(MaterialeNuovo m, ClasseEsecuzione c);
struct ValoriMuraturaNuova {
    double fk, gammaM, fd, E;  // N/mm²
};
ValoriMuraturaNuova valori_muratura_nuova(double fk, MaterialeNuovo m, ClasseEsecuzione c);

// The row of a choice; the choice a word names (any letter case); the choice whose number is
// `numero` (nullopt: none, "altro").
template <class E, std::size_t N>
constexpr const Voce<E>& voce(const std::array<Voce<E>, N>& t, E e) {
    for (const auto& v : t)
        if (v.valore == e) return v;
    return t[0];
}
const DatiMuratura& dati_muratura(Muratura m);
std::optional<ClasseUso> classe_uso_di_parola(std::string_view s);
std::optional<TipoCostruzione> tipo_costruzione_di_parola(std::string_view s);
std::optional<StatoLimite> stato_limite_di_parola(std::string_view s);
std::optional<CategoriaTopografica> categoria_di_parola(std::string_view s);
std::optional<LivelloConoscenza> livello_di_parola(std::string_view s);
std::optional<Muratura> muratura_di_parola(std::string_view s);

// St = 1 + (St,max − 1)·h/H, falling linearly from the top of the relief (h/H = 1) to its base
// (NTC 2018 § 3.2.3.2.1, Tab. 3.2.V); T1 is 1 whatever h/H.
double coefficiente_topografico(CategoriaTopografica c, double h_su_H);

// The masonry's numbers by C8.5.4.1: f, LC1 the least strength of the range, LC2 and LC3 its
// mean (LC3 before the tests update it); fd = f·k_f/(FC·γM); E the mean modulus times k_E (the
// factors 1 without Tab. C8.5.II). N/mm² and kN/m³.
struct ValoriMuratura {
    double f, FC, gammaM, fd, E;
    std::optional<double> w;
    double k_f = 1, k_E = 1;
    bool consolidata = false;  // a consolidation factor applied, the product capped
};
using Correttivi = std::array<bool, kCorrettivi.size()>;  // which of kCorrettivi apply
ValoriMuratura valori_muratura(Muratura m, LivelloConoscenza lc, const Correttivi& c = {});

// What a panel chose; unset is no choice. h/H is its "." text, empty for 1 (the top).
struct Scelte {
    std::optional<ClasseUso> classe_uso;
    std::optional<StatoLimite> stato_limite;
    std::optional<TipoCostruzione> tipo_costruzione;
    std::optional<CategoriaTopografica> categoria_topografica;
    std::string h_su_H;
    std::optional<Muratura> muratura;
    std::optional<LivelloConoscenza> livello_conoscenza;
    Correttivi correttivi{};
    // New masonry: fk in the job's stress unit ("." text, empty: not new), the units with the
    // mortar and the execution class.
    std::string fk;
    std::optional<MaterialeNuovo> elementi;
    std::optional<ClasseEsecuzione> classe_esecuzione;
    bool operator==(const Scelte&) const = default;
};

// The names of the choices for --set, the batch and the panels file.
// The last two are suggestions, not stored: each writes its field (T1 from H, qa) once and is
// read after the fields, so that H is the row's.
inline constexpr std::array<std::string_view, 13> kNomiScelte = {
    "classe_uso", "stato_limite", "tipo_costruzione",   "categoria_topografica",
    "h_su_H",     "muratura",     "livello_conoscenza", "correttivi",
    "fk",         "elementi",     "classe_esecuzione",  "struttura_edificio",
    "elemento_non_strutturale"};
constexpr bool e_suggerimento(std::string_view nome) {
    return nome == "struttura_edificio" || nome == "elemento_non_strutturale";
}

// The choices the panel's numbers bear out: a stored one while its numbers are the field texts,
// else the one a number alone names (Cu, PVR, VN; St 1 is T1); unset is "altro".
struct ScelteValide {
    std::optional<ClasseUso> classe_uso;
    std::optional<StatoLimite> stato_limite;
    std::optional<TipoCostruzione> tipo_costruzione;
    std::optional<CategoriaTopografica> categoria_topografica;
    double h_su_H = 1;
    std::optional<Muratura> muratura;
    LivelloConoscenza livello_conoscenza = LivelloConoscenza::LC1;
    Correttivi correttivi{};
    bool peso_da_tabella = false;  // γ is the table's w too
    // New masonry, while fd and E are its numbers.
    bool nuova = false;
    double fk = 0;  // N/mm²
    MaterialeNuovo elementi = MaterialeNuovo::II;
    ClasseEsecuzione classe_esecuzione = ClasseEsecuzione::classe_2;
};
// New masonry's fk in N/mm² from the stored text in the job's unit; nullopt when not new.
std::optional<double> fk_muratura_nuova(const Scelte& s, const units::Unita& u);
ScelteValide scelte_valide(const Pannello& p, const units::Unita& u, const text::NumberFormat& f);

// The stored choices' numbers written into the panel's fields, in the job's work units and in
// `f`: each of Cu, PVR, VN, St, fd, E, γ only when a choice gives it.
void scrivi_numeri_scelte(Pannello& p, const units::Unita& u, const text::NumberFormat& f);

// `nome` (a kNomiScelte) set to `testo` (a word, h/H a number from 0 to 1, the factors words
// joined by "+"; empty clears it), then
// its numbers written: false when `nome` is no choice; `rifiuto` is the message of a refused text.
bool imposta_scelta(Pannello& p, std::string_view nome, std::string_view testo,
                    const units::Unita& u, const text::NumberFormat& f,
                    std::optional<std::string>& rifiuto);
// The cell of choice `nome` as files write it (its word, h/H in "."); empty when unset.
std::string cella_scelta(const Scelte& s, std::string_view nome);

}  // namespace tv::form
