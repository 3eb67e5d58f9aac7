// SPDX-License-Identifier: GPL-3.0-or-later
// What the report's section builders share: numbers with the decimal comma, unit texts with
// superscripts, the value tables and the job's work units for tables and formulas.
#pragma once

#include <string>
#include <vector>

#include "relazione/documento.h"
#include "text/number_text.h"

namespace tv::relazione::redazione {

// The decimal comma and the point between thousands.
const text::NumberFormat& italiano();
// Rounded half to even without trailing zeros, as the window writes its results.
std::string n(double x, int decimali);
// Always `decimali` decimals, as the window writes K1, K2 and the critical stress.
std::string fx(double x, int decimali);
// `cifre` significant digits, for the small pressures of the arch.
std::string sig(double x, int cifre);
// "daN/cm3" -> "daN/cm³": a 2 or 3 after a letter becomes a superscript.
std::string apici(const std::string& unita);

Tabella tabella_valori(std::vector<std::vector<std::string>> righe);

// The subsoil category's letter.
std::string lettera_suolo(const RisultatoVerifica& r);
bool orizzontale(const RisultatoVerifica& r);

// Values in the job's work units. Tables use the job's four units; formulas with numbers use
// its lengths and forces, and for stresses and specific weights the job's units when they are
// force / length² and force / length³ of those, else the units derived from them.
struct Misure {
    explicit Misure(const units::Unita& unita);
    const units::Unita& u;
    std::string ul, uf, ut, ug;  // table units with superscripts
    std::string ft_unita, fg_unita;  // formula units of stresses and specific weights
    double fl, ff, ft, fg;           // factors from cm, daN, daN/cm², daN/cm³ (tables)
    double ft_formula, fg_formula;   // factors of the formula units
    bool coerenti = true;            // the job's stress and specific weight units are those

    std::string lunghezza(double cm, int dec = 2) const { return n(cm * fl, dec); }
    std::string forza(double daN) const { return n(daN * ff, 2); }
    std::string tensione(double x, int dec = 2) const { return n(x * ft, dec); }
    std::string peso_specifico(double x) const { return n(x * fg, 8); }
    // The numbers of the formulas.
    std::string L(double cm) const { return n(cm * fl, 4); }
    std::string F(double daN) const { return n(daN * ff, 2); }
    std::string S(double x, int dec = 4) const { return n(x * ft_formula, dec); }
    std::string Sq(double x) const { return sig(x * ft_formula, 4); }  // small pressures
    std::string G(double x) const { return sig(x * fg_formula, 4); }
    std::string g() const { return n(981.0 * fl, 4); }  // gravity in length/s²
};

// EC6 (6.25) beside the program's arch: the span la, qlat,d = fd (t/la)², the arch thrust per
// unit length Nad = 1,5 fd t / 10 and the program's qd over qlat,d.
struct ConfrontoEC6 {
    double la = 0, snellezza = 0, qlat = 0, Nad = 0, rapporto = 0;
};
ConfrontoEC6 confronto_ec6(const RisultatoVerifica& d, const panel::Freccia& arco);

// Green and red of the window's verdict label; blue and orange for the plots.
inline constexpr Rgb kVerde{0, 128, 0};
inline constexpr Rgb kRosso{255, 0, 0};
inline constexpr Rgb kBlu{0, 70, 160};
inline constexpr Rgb kArancio{220, 110, 0};
inline constexpr Rgb kGrigio{90, 90, 90};

// Sections 1 to 4: the inputs, the site's hazard, its elastic spectrum (with the panel's Ta
// and Tk marked when `del_pannello`, else only the building's T1) and the action on the panel.
Sezione sezione_dati(const RisultatoVerifica& d, const Misure& m);
// The origin of the chosen site coefficients and of fd and E (nothing without the choices).
std::vector<Blocco> blocchi_scelte_sito(const RisultatoVerifica& d);
// "allo stato limite di ... (SLx)" of the limit state PVR names (NTC 2018 § 3.2.1); SLV when the
// PVR typed names none, as the hazard section always said.
std::string stato_limite_relazione(const RisultatoVerifica& d);
std::vector<Blocco> blocchi_scelte_muratura(const RisultatoVerifica& d, const Misure& m);
Sezione sezione_pericolosita(const RisultatoVerifica& d);
Sezione sezione_spettro(const RisultatoVerifica& d, bool del_pannello);
Sezione sezione_domanda(const RisultatoVerifica& d, const Misure& m);
// Section 5, the lateral resistance of the panel's own restraint case, and section 6, the verdict.
Sezione sezione_resistenza(const RisultatoVerifica& d, const Misure& m);
// The cantilever's section 5: overturning about the base edge, no tensile strength, stress block
// 0.85 fd.
Sezione sezione_mensola(const RisultatoVerifica& d, const panel::Mensola& k, const Misure& m);
Sezione sezione_esito(const RisultatoVerifica& d, const Misure& m);

// Sections 7 on: the rules and assumptions of the checks `d` (each demand formula and kind of
// resistance among them named once), the kind of analysis, its scope, the automatic checks of
// one check, and the software declaration of NTC 2018 § 10.2.
Sezione sezione_norme(const std::vector<const RisultatoVerifica*>& d, const Misure& m);
Sezione sezione_tipo();
Sezione sezione_campo();
Sezione sezione_controlli(const RisultatoVerifica& d, const Misure& m);
// The declaration of the code's origin (section `numero`, naming the sections of the automatic
// checks and of the judgement) and the judgement's box, shared by every kind of report.
Sezione sezione_origine(const ContestoRelazione& c, int numero, int controlli, int giudizio);
Sezione sezione_giudizio(const ContestoRelazione& c, int numero);

}  // namespace tv::relazione::redazione
