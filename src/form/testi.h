// SPDX-License-Identifier: GPL-3.0-or-later
// What the window shows of a check result: field texts in work units, captions and colours.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/calcolo.h"
#include "form/aspetto.h"
#include "form/tabella_campi.h"
#include "text/number_text.h"
#include "units/unita.h"

namespace tv::form {

// The verdict beside the resistance, after the force label.
inline constexpr const char* kVerdettoOk = "> Fa : OK";
inline constexpr const char* kVerdettoNo = "< Fa : !!!";

// What the arch's fields (d, K1, K2, critical stress) show for a cantilever, which has no arch.
inline constexpr const char* kNessunValore = "-";
// The mass distribution sentence of a cantilever: all of it on the base.
inline constexpr const char* kRipartizioneMensola = "Ripartizione massa: mensola";

struct TestiRisultato {
    std::string ag;            // 4 decimals
    std::string VR;            // general number
    std::string Ss;            // 3 decimals
    std::string S;             // 3 decimals
    std::string W;             // total weight, force unit, 2 decimals
    std::string Sa;            // 4 decimals
    std::string Ta;            // 4 decimals
    std::string Fa;            // force unit, 2 decimals
    std::string Wa;            // force unit, 2 decimals
    std::string Rlat;          // force unit, 2 decimals
    std::string d;             // design deflection in mm, 2 decimals
    std::string K1;            // "0.000"
    std::string K2;            // "0.000"
    std::string campata;       // symbol of the span: "L" or "B"
    std::string ripartizione;  // mass distribution sentence
    std::string verdetto;      // force label and verdict
    std::string critica;       // critical stress of instability, stress unit
    std::string fonte;         // didascalia_fonte of the result
    Rgb sfondo_Rlat;
    Rgb colore_verdetto;
    Rgb sfondo_critica;
    // nota_VR of the result; testo_avviso of each warning.
    std::string nota_VR;
    std::vector<std::string> avvisi;
};

// Where the hazard came from, for island sites: "Pericolosità: isole, Tabella 2, gruppo G1
// (Sardegna)"; empty for grid sites.
std::string testo_fonte(const AzioneSito& a);
// The same for the window's narrow caption under T1: "Isole, Tabella 2, gruppo G1 (Sardegna)".
std::string didascalia_fonte(const AzioneSito& a);
// The batch's column: "griglia", or the group and the zone, "G1 Sardegna".
std::string colonna_fonte(const AzioneSito& a);

// The site nobody chose: said wherever a result of the program's initial site leaves it.
inline constexpr const char* kSitoIniziale =
    "Sito: valori iniziali del programma (il lavoro non contiene dati del sito)";
// The check of a panel whose site nobody chose stops with this: no verdict for a site of nowhere.
inline constexpr const char* kSitoDaIndicare =
    "Il lavoro non contiene dati del sito e le coordinate sono quelle iniziali del programma: "
    "scrivere latitudine e longitudine del sito o sceglierne la località";
inline constexpr const char* kTitoloSitoDaIndicare = "SITO DA INDICARE";
// In the window, in place of the verdict, while the site is still to be given.
inline constexpr const char* kSitoDaIndicareBreve = "Sito da indicare";
// The window's narrow caption under T1 for the same.
inline constexpr const char* kSitoInizialeBreve = "Sito iniziale: il lavoro non ha dati del sito";

// "VR = VN·Cu = 7 anni; minimo 35 anni (Circolare 2019 Tab. C2.4.I)" when the least VR was used; else empty.
std::string nota_VR(const AzioneSito& a, const text::NumberFormat& fmt);

// The Italian text of a plausibility warning.
std::string testo_avviso(const Avviso& a, const text::NumberFormat& fmt);
std::vector<std::string> testi_avvisi(const std::vector<Avviso>& avvisi,
                                      const text::NumberFormat& fmt);

// What to write: everything, or only the values of the fields and of Label2 (ag to K2), as the
// batch output needs them; the refusals are the same either way.
enum class Ampiezza { tutto, valori };

// A work-unit value is the base-unit value times the family's factor. Throws tv::Failure when a
// factor is not finite and above 0 or a shown value would not be finite.
TestiRisultato testi_risultato(const RisultatoVerifica& r, double fattore_forze,
                               double fattore_tensioni, const std::string& etichetta_forze,
                               const std::string& unita_tensioni, const text::NumberFormat& fmt,
                               Ampiezza ampiezza = Ampiezza::tutto);
TestiRisultato testi_risultato(const RisultatoVerifica& r, const units::Unita& u,
                               const text::NumberFormat& fmt, Ampiezza ampiezza = Ampiezza::tutto);

// Writes the result fields' texts (ag, W, Sa, Ta, Fa, Wa, Rlat, d, K1, K2) over `testi`.
void scrivi_campi(const TestiRisultato& t, TestiCampi& testi);

}  // namespace tv::form
