// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's state as plain data: field texts, captions, toggles, line widths, colours
// and the locality list. The Qt window only mirrors this.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "form/aspetto.h"
#include "form/campi.h"
#include "form/lavoro.h"
#include "form/tabella_campi.h"
#include "form/testi.h"
#include "form/tipo_verifica.h"
#include "form/verifica_meccanismo.h"
#include "hazard/datum.h"
#include "panel/domanda.h"

namespace tv::form {

inline constexpr int kLabel1 = 39;
// Labels the check run writes: the span symbol, the verdict and the critical stress.
inline constexpr std::size_t kLabelCampata = 8;
inline constexpr std::size_t kLabelVerdetto = 28;
inline constexpr std::size_t kLabelCritica = 34;

// Design texts of Label1, Label2 and Label3.
inline constexpr std::array<const char*, kLabel1> kTestiLabel1 = {
    "α",
    "S",
    "T1",
    "qa",
    "suolo",
    "Wa",
    "=",
    "=",
    "L",
    "Ss",
    "St",
    "LONGITUDINE",
    "LATITUDINE",
    "VN (anni)",
    "PVR (%)",
    "Wa*",
    "VR (anni)",
    "Cu",
    "B (cm)",
    "L (cm)",
    "t (cm) =",
    "(daN/cm3) =",
    "fd (daN/cm2) =",
    "γ ",
    "Z (cm) =",
    "H (cm) =",
    "=",
    "Ta",
    "=",
    "E (daN/cm2) =",
    "=",
    "=",
    "Coeff. di inflessione laterale K1 =",
    "Coeff. di instabilità              K2 =",
    "(fe (daN/cm2) = 4.335)",
    "(Sigma critica di instabilità",
    "n",
    "ξ (%)",
    "Tk",
};
inline constexpr const char* kTestoLabel2 = "Label2";  // Ss and S
inline constexpr const char* kTestoLabel2VR = "50";
inline constexpr const char* kTestoLabel3 =
    "Distribuzione massa orizzontale/verticale: 15.1 / 84.9 [%]";

// The governing mechanism's values the window shows, in this order, with their captions.
inline constexpr std::array<const char*, 6> kVociMeccanismo = {
    "α0", "e*", "a0* (m/s²)", "ζE SLD", "ζE SLV", "ag,cap SLV (g)"};
inline constexpr const char* kNotaSLD = "richiesta per le classi d'uso III e IV";
// The nonlinear check's third row; under it ζE SLV and ag,cap SLV are the nonlinear ones.
inline constexpr std::array<const char*, 3> kVociNonLineare = {"d0 (m)", "ζE SLC", "ag,cap SLC (g)"};

// A completed mechanism run as the window shows it: the governing mechanism's name and values,
// the verdicts at SLV and SLD with their colours, and one line for each other mechanism.
struct TestiEsitoMeccanismo {
    std::string governante;
    std::string pericolosita;  // TR and ag at SLD and SLV, and FC
    std::array<std::string, kVociMeccanismo.size()> valori;
    std::string verdetto_SLV, verdetto_SLD;
    Rgb colore_SLV = kBlack, colore_SLD = kBlack;
    // The nonlinear check's: d0 and SLC's values, its verdict, SLC's hazard (TR and ag).
    bool non_lineare = false;
    std::array<std::string, kVociNonLineare.size()> valori_SLC;
    std::string verdetto_SLC, pericolosita_SLC;
    Rgb colore_SLC = kBlack;
    std::vector<std::string> altri;
    bool operator==(const TestiEsitoMeccanismo&) const = default;
};

// Captions the labels hold before start-up writes anything.
std::array<std::string, kLabel1> design_label1();

struct StatoFinestra {
    // The panel the fields, toggles and lists describe: its texts are those the fields show,
    // results included. The demand formula lasts for the window's life and is never written to
    // a file of the suite; picking a locality or reading the job file sets the datum back to
    // ED50, the datum of both. A mechanism's texts are kept while another kind is chosen.
    Pannello pannello;
    std::array<std::string, kLabel1> label1 = design_label1();
    std::string label2_0 = kTestoLabel2;    // Ss
    std::string label2_1 = kTestoLabel2;    // S = St x Ss
    std::string label2_6 = kTestoLabel2VR;  // VR
    std::string label3 = kTestoLabel3;

    // The captions of the restraint toggles, by Lato.
    std::array<std::string, kLati> check1_caption{"Appoggiato", "Libero", "Appoggiato", "Libero"};
    // Widths of Line1..Line6 (index 0 is Line1): left, right, top, bottom, two dimension lines.
    std::array<int, 6> line_width{1, 1, 3, 3, 1, 1};

    Rgb text22_sfondo = kWhite;   // verdict background of the resistance field
    Rgb label28_testo = kBlack;   // verdict text colour
    Rgb label34_sfondo = kWhite;  // yellow when instability governs

    std::string combo_text = "Combo1";
    std::vector<std::string> combo_list;

    // Where the last completed run took its hazard from, for island sites (didascalia_fonte: a
    // grey caption under T1 and a line of the tooltip of α); empty for grid sites.
    std::string fonte;
    // The last completed run's site was the program's initial one (said under T1 first).
    bool sito_iniziale = false;
    // nota_VR of the last completed run: the VR label's tooltip when the least VR was used.
    std::string nota_VR;
    // Plausibility warnings of the last completed run (Label5: the first, all in its tooltip).
    std::vector<std::string> avvisi;

    // The last completed mechanism run's results; empty before any.
    TestiEsitoMeccanismo esito_meccanismo;

    bool operator==(const StatoFinestra&) const = default;
};

// Edge line (index into line_width) owned by each toggle.
constexpr int linea_di_check(int index) {
    constexpr std::array<int, 4> lines{2, 0, 3, 1};  // Line3, Line1, Line4, Line2
    return lines[static_cast<std::size_t>(index)];
}

// Writes a check's texts into the window's fields, labels and colours.
void scrivi_testi(TestiRisultato&& t, StatoFinestra& s);

}  // namespace tv::form
