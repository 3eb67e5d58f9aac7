// SPDX-License-Identifier: GPL-3.0-or-later
// Design table of the main window: every control with its caption, font, tooltip and place.
// Plain data (no Qt), positions in twips relative to the window's client area or to a frame.
#pragma once

#include <array>

#include "app/twips.h"
#include "app/modello/stato.h"

namespace tv::app {

// What holds a control: the window itself or one of its three frames.
enum class Contenitore { finestra, frame1, frame2, frame3 };

using form::Allineamento;

// A font as named at design time; the names are resolved with fallbacks by caratteri.h.
struct Carattere {
    const char* famiglia = "Tahoma";
    double punti = 9.0;
    bool grassetto = false;
    bool corsivo = false;
};

// The window itself. All texts below are UTF-8.
struct DatiFinestra {
    const char* titolo;
    int larghezza;  // client area, twips
    int altezza;
    Carattere carattere;
};

// One element of the field array Text1; its design text is in the form's field table.
struct DatiCampo {
    const char* tooltip;
    Contenitore dove;
    Posizione pos;
    bool grassetto;
    bool bloccato;  // locked against typing (still focusable)
};

// One label: Label1 elements, the value labels Label2 and Label3.
struct DatiEtichetta {
    const char* testo;
    const char* tooltip;  // "" for none
    Carattere carattere;
    Allineamento allineamento;
    Contenitore dove;
    Posizione pos;
};

// One restraint toggle Check1 and the sketch edge it owns.
struct DatiVincolo {
    Posizione pos;    // in Frame1
    bool appoggiato;  // initial state: checked = supported
    int linea;        // number n of the edge line Line<n>
};

// One line of the panel sketch, Line1..Line6, end points in twips inside Frame1.
struct DatiLinea {
    int x1, y1, x2, y2;
    int larghezza;  // pixels
    form::Rgb colore;
};

struct DatiPulsante {
    const char* nome;  // object name
    const char* testo;
    Posizione pos;
};

struct DatiFrame {
    const char* nome;
    const char* titolo;
    Posizione pos;
    bool sfondo_bianco;  // white at design time; the others keep the window's colour
};

// A formula picture: an SVG resource drawn stretched over its place.
struct DatiImmagine {
    const char* risorsa;
    Contenitore dove;
    Posizione pos;
    int pixel_larghezza;  // size of the picture as designed
    int pixel_altezza;
};

// The locality search: edit line with its list always open under it.
struct DatiRicerca {
    const char* testo;
    const char* tooltip;
    Carattere carattere;
    Posizione pos;     // edit line and list together
    int altezza_riga;  // height of the edit line, twips
};

// The demand formula's drop-down list (Combo2): its entries are the short names of
// panel::kFormule in its order, and Image1 shows the chosen one's picture.
struct DatiScelta {
    const char* nome;  // object name
    Contenitore dove;
    Posizione pos;
};

// The datum of the typed coordinates (ComboDatum) and its caption, in the site column's row under
// PVR; its entries are the datums' names, in the order of hazard::Datum.
struct DatiSceltaDatum {
    const char* nome;  // object name
    const char* tooltip;
    Posizione pos;
    DatiEtichetta etichetta;
};

inline constexpr int numero_campi = form::kCampi;
inline constexpr int numero_label1 = form::kLabel1;
inline constexpr int numero_vincoli = 4;
inline constexpr int numero_linee = 6;
inline constexpr int numero_pulsanti = 6;
inline constexpr int numero_frame = 3;
inline constexpr int numero_immagini = 6;

// Indices of the value labels Label2 that exist.
inline constexpr std::array<int, 3> indici_label2 = {0, 1, 6};

inline constexpr const char* testo_appoggiato = "Appoggiato";
inline constexpr const char* testo_libero = "Libero";
inline constexpr const char* tooltip_vincolo = "Grado di vincolo del lato";

inline constexpr form::Rgb rosso_quote = {192, 0, 0};
inline constexpr form::Rgb nero = {0, 0, 0};

const DatiFinestra& finestra();
const std::array<DatiCampo, numero_campi>& campi();
const std::array<DatiEtichetta, numero_label1>& etichette1();
// Label2 elements in the order of indici_label2.
const std::array<DatiEtichetta, indici_label2.size()>& etichette2();
const DatiEtichetta& etichetta3();
const std::array<DatiVincolo, numero_vincoli>& vincoli();
// Line1..Line6 at positions 0..5.
const std::array<DatiLinea, numero_linee>& linee();
// Command1(0), Command2, ..., Command6 at positions 0..5.
const std::array<DatiPulsante, numero_pulsanti>& pulsanti();
// Frame1..Frame3 at positions 0..2.
const std::array<DatiFrame, numero_frame>& frames();
// Image1..Image6 at positions 0..5.
const std::array<DatiImmagine, numero_immagini>& immagini();
const DatiRicerca& ricerca();
const DatiScelta& scelta_formula();
// A cantilever (top, left and right free) in Frame3: its caption and the pictures that take the
// places of Image3 and Image4 (the arch's resistance and pressure).
inline constexpr const char* titolo_mensola = "Mensola - NTC 2018 7.8.2.2.3";
inline constexpr std::array<const char*, 2> immagini_mensola = {":/formule/image3_mensola.svg",
                                                                ":/formule/image4_mensola.svg"};
// Image1: the picture of the demand formula chosen in the Sa frame's list.
constexpr const char* immagine_formula(panel::FormulaDomanda f) {
    switch (f) {
        case panel::FormulaDomanda::ec8: return ":/formule/image1.svg";
        case panel::FormulaDomanda::circolare_c7_2_11: return ":/formule/image1_c7.svg";
        case panel::FormulaDomanda::circolare_c7_2_5: return ":/formule/image1_c7_2_5.svg";
    }
    return "";
}
const DatiSceltaDatum& scelta_datum();
// Label4: the grey caption of the hazard's source under T1, empty for grid sites.
const DatiEtichetta& etichetta_fonte();
inline constexpr form::Rgb grigio_fonte = {110, 110, 110};
// Label5: the plausibility warnings of the last run, grey like Label4.
const DatiEtichetta& etichetta_avvisi();

// Font shared by the frame captions, the toggles and the buttons.
inline constexpr Carattere carattere_sans_serif = {"MS Sans Serif", 8.25, false, false};

}  // namespace tv::app
