// SPDX-License-Identifier: GPL-3.0-or-later
// The demand formulas as one table: their names, command-line word, report title and reference,
// window picture and compute function; and each formula's own result data, one variant.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace tv::panel {

// Formula of the acceleration on the panel, in the order of kFormule. EC8 4.3.5.2 is the
// default; Circolare 2019 [C7.2.11] is meant for panels in buildings with reinforced-concrete
// or steel frames; [C7.2.5]-[C7.2.10], the general floor spectrum, for any building.
enum class FormulaDomanda { ec8, circolare_c7_2_11, circolare_c7_2_5 };

struct DatiPannello;
struct DatiAzione;

// EC8 4.3.5.2: Sa only.
struct DomandaEc8 {
    static constexpr FormulaDomanda formula = FormulaDomanda::ec8;
    double Sa = 0;           // fraction of g, never below ag x S
    bool al_minimo = false;  // the formula gave less than ag x S and Sa was raised to it
};

// Coefficients of Tabella C7.2.II, chosen by the building period T1.
struct CoefficientiC7 {
    double a;
    double b;
    double ap;
};

// Branch of [C7.2.11] and [C7.2.5] by the panel period: rising (Ta < a T), plateau, falling
// (Ta >= b T), with T the building's period.
enum class RamoC7 { crescente, plateau, decrescente };

struct AccelerazioneC7 {
    static constexpr FormulaDomanda formula = FormulaDomanda::circolare_c7_2_11;
    double Sa;  // fraction of g, never below ag x S
    CoefficientiC7 coefficienti;
    RamoC7 ramo;
    bool al_minimo;  // the branch gave less than ag x S and Sa was raised to it
};

// [C7.2.5]-[C7.2.10], first mode only: the floor spectrum at Z from the site's elastic spectrum
// at the building's period Tk and damping xi_k.
struct SpettroPianoC7 {
    static constexpr FormulaDomanda formula = FormulaDomanda::circolare_c7_2_5;
    double Sa;        // fraction of g, never below ag x S
    int n;            // storeys above the foundation
    double xi;        // the building's damping ratio, per cent
    double Tk;        // the building's period, s
    bool Tk_da_T1;    // Tk was not given and follows T1
    double eta;       // eta(xi_k) of the elastic spectrum
    double Se_Tk;     // Se(Tk, xi_k), fraction of g
    double gamma1;    // 3n / (2n + 1)
    double A;         // 1.1 xi_k^-0.5 eta(xi_a), xi_k as a ratio (xi_a 5 % unless told)
    double aZ;        // Se(Tk, xi_k) gamma1 (Z/H) sqrt(1 + 0.0004 xi_k^2), xi_k in per cent
    RamoC7 ramo;      // Ta < a Tk, a Tk <= Ta < b Tk, Ta >= b Tk
    double SeZ_ramo;  // S_eZ(Ta) from the branch
    double Se_Ta;     // Se(Ta, xi_a), the bound for Ta > Tk; 0 for Ta <= Tk
    bool al_Se;       // the branch gave less than Se(Ta, xi_a) and S_eZ was raised to it
    bool al_minimo;   // S_eZ was less than ag x S and Sa was raised to it
};
inline constexpr double kAPianoC7 = 0.8, kBPianoC7 = 1.1;  // a and b of [C7.2.5]

// What the formula that gave Sa computed: its alternative names the formula.
using DatiDomanda = std::variant<DomandaEc8, AccelerazioneC7, SpettroPianoC7>;

inline FormulaDomanda formula_di(const DatiDomanda& d) {
    return std::visit([](const auto& x) { return x.formula; }, d);
}
inline double Sa_di(const DatiDomanda& d) {
    return std::visit([](const auto& x) { return x.Sa; }, d);
}
inline bool al_minimo_di(const DatiDomanda& d) {
    return std::visit([](const auto& x) { return x.al_minimo; }, d);
}

// The compute functions of the table: the panel, the site action and the panel period Ta in,
// the formula's own data out (Sa already raised to ag x S). Throw tv::Failure naming the
// quantity they refuse.
DatiDomanda domanda_ec8(const DatiPannello& p, const DatiAzione& sito, double Ta);
DatiDomanda domanda_c7_2_11(const DatiPannello& p, const DatiAzione& sito, double Ta);
DatiDomanda domanda_c7_2_5(const DatiPannello& p, const DatiAzione& sito, double Ta);

struct DescrizioneFormula {
    FormulaDomanda formula;
    std::string_view breve;     // the window's list and the batch column: "EC8"
    std::string_view parola;    // the command line's --demand word: "ec8"
    std::string_view completo;  // full name, the list's tooltip: "EC8 4.3.5.2"
    std::string_view aiuto;     // what --help says of it: "EC8 4.3.5.2"
    std::string_view titolo;    // the Sa frame's caption and the summary line: "EC8 - 4.3.5.2"
    std::string_view riferimento;  // the report's demand section: "UNI EN 1998-1 (EC8) § 4.3.5.2"
    std::string_view nota;         // said after it in that section, or nothing
    std::string_view metodo;       // the report's paragraph of references
    std::string_view impiego;      // what it is for, in the report's field of use
    DatiDomanda (*calcola)(const DatiPannello&, const DatiAzione&, double Ta);
};

inline constexpr std::array<DescrizioneFormula, 3> kFormule = {{
    {FormulaDomanda::ec8, "EC8", "ec8", "EC8 4.3.5.2", "EC8 4.3.5.2", "EC8 - 4.3.5.2",
     "UNI EN 1998-1 (EC8) § 4.3.5.2", "", "UNI EN 1998-1 (EC8) § 4.3.5.2.",
     "UNI EN 1998-1 § 4.3.5.2 per un elemento non strutturale di un edificio di periodo T1, alla "
     "quota Z sull'altezza H", &domanda_ec8},
    {FormulaDomanda::circolare_c7_2_11, "C7.2.11", "c7.2.11",
     "Circolare 2019 C7.2.11, strutture intelaiate", "Circolare 2019", "Circolare 2019 - C7.2.11",
     "la formula [C7.2.11] della Circolare 21/01/2019 n. 7",
     " La formula [C7.2.11] è scritta per gli edifici con struttura intelaiata.",
     "Circolare 21/01/2019 n. 7, formula [C7.2.11] con la Tabella C7.2.II, scritta per gli "
     "edifici con struttura intelaiata.",
     "Circolare [C7.2.11] per un elemento non strutturale di un edificio con struttura "
     "intelaiata, con i coefficienti della Tabella C7.2.II", &domanda_c7_2_11},
    {FormulaDomanda::circolare_c7_2_5, "C7.2.5", "c7.2.5",
     "Circolare 2019 C7.2.5, spettro di piano (primo modo)", "Circolare 2019, spettro di piano",
     "Circolare 2019 - C7.2.5",
     "lo spettro di piano delle formule [C7.2.5]-[C7.2.10] della Circolare 21/01/2019 n. 7",
     " Si considera il solo primo modo dell'edificio (periodo Tk, smorzamento ξk, n piani).",
     "Circolare 21/01/2019 n. 7, spettro di piano delle formule [C7.2.5]-[C7.2.10] (§ C7.2.3), "
     "con il solo primo modo dell'edificio e lo spettro elastico del sito (NTC 2018 "
     "§ 3.2.3.2.1).",
     "Circolare [C7.2.5]-[C7.2.10] per un elemento non strutturale di un edificio qualsiasi, "
     "alla quota Z sull'altezza H, con il solo primo modo dell'edificio (n, ξk, Tk)", &domanda_c7_2_5},
}};

static_assert(
    [] {
        for (std::size_t i = 0; i < kFormule.size(); ++i)
            if (static_cast<std::size_t>(kFormule[i].formula) != i) return false;
        return true;
    }(),
    "the table lists the formulas in the order of the enum");
static_assert(std::variant_size_v<DatiDomanda> == kFormule.size(), "one data type a formula");

constexpr const DescrizioneFormula& descrizione(FormulaDomanda f) {
    return kFormule[static_cast<std::size_t>(f)];
}

// The formula of a short name ("EC8", "C7.2.11") or a command-line word ("ec8"), in either case,
// blanks around allowed.
std::optional<FormulaDomanda> formula_di_nome(std::string_view testo);

// The command-line words joined: "ec8|c7.2.11" with "|", "ec8 o c7.2.11" with " o "; with
// `brevi` the short names ("EC8 e C7.2.11").
std::string parole_formule(std::string_view separatore, std::string_view ultimo,
                           bool brevi = false);

}  // namespace tv::panel
