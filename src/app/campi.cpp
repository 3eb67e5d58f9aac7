// SPDX-License-Identifier: GPL-3.0-or-later
// The design table of the main window: captions, fonts, tooltips and places of every control.
#include "app/campi.h"

namespace tv::app {

namespace {

using C = Contenitore;
using A = Allineamento;

constexpr Carattere tahoma9 = {"Tahoma", 9.0, false, false};
constexpr Carattere tahoma8 = {"Tahoma", 8.25, false, false};
constexpr Carattere corsivo975 = {"Tahoma", 9.75, false, true};
constexpr Carattere simbolo12 = {"Symbol", 12.0, false, false};
constexpr Carattere simbolo1125 = {"Symbol", 11.25, false, false};
constexpr Carattere campata = {"Tahoma", 11.25, true, true};

// Field sizes: most are 855 x 315; the sketch's two dimensions and the two coefficients are narrower.
constexpr int alto = 315;
constexpr int largo = 855;
constexpr int stretto = 615;
constexpr int medio = 735;

// Site data group: two columns of rows 300 apart under the search box.
constexpr int x_campi_sx = 1200;
constexpr int x_campi_dx = 3000;
constexpr int x_etichette_dx = 2160;
constexpr int largo_etichette_sx = 1140;
constexpr int largo_etichette_dx = 780;

// Panel group: material column and building/result column.
constexpr int x_materiale = 6720;
constexpr int x_etichette_materiale = 5340;
constexpr int largo_etichette_materiale = 1260;  // ends at 6600
constexpr int x_edificio = 9000;
constexpr int x_etichette_edificio = 7590;
constexpr int largo_etichette_edificio = 1260;   // ends at 8850

// Field 22 and the verdict label right of it, 50 twips apart.
constexpr Posizione pos_campo22 = {3180, 2260, largo, alto};

const std::array<DatiCampo, numero_campi> tabella_campi = {{
    {"Rapporto a/g (a=accelerazione max, g=accelerazione di gravità) ", C::finestra,
     {x_campi_dx, 2700, largo, alto}, false, false},
    {"Periodo proprio dell'edificio", C::finestra, {x_campi_dx, 3000, largo, alto}, true, false},
    {"Peso totale pannello", C::frame1, {x_edificio, 1710, largo, alto}, false, true},
    {"Fattore di struttura", C::finestra, {x_campi_dx, 1200, largo, alto}, true, false},
    {"Categoria sottosuolo (NTC 2018 Tab. 3.2.II)", C::finestra, {x_campi_dx, 1500, largo, alto}, true, false},
    {"Coefficiente di amplificazione topografica (NTC 2018 Tab. 3.2.V)", C::finestra,
     {x_campi_dx, 1800, largo, alto}, true, false},
    {"Longitudine della località", C::finestra, {x_campi_sx, 1500, largo, alto}, true, false},
    {"Latitudine della località", C::finestra, {x_campi_sx, 1200, largo, alto}, true, false},
    {"Vita nominale della struttura (NTC 2018 Tab. 2.4.I)", C::finestra, {x_campi_sx, 1800, largo, alto}, true, false},
    {"Probabilità di superamento (NTC 2018 Tab. 3.2.I)", C::finestra, {x_campi_sx, 2700, largo, alto}, true, false},
    {"Coefficiente d'uso (NTC 2018 Tab. 2.4.II)", C::finestra, {x_campi_sx, 2100, largo, alto}, true, false},
    {"Lunghezza in pianta", C::frame1, {2880, 1350, stretto, alto}, false, false},
    {"Altezza", C::frame1, {1875, 1155, stretto, alto}, false, false},
    {"Spessore", C::frame1, {x_materiale, 960, largo, alto}, false, false},
    {"Peso specifico", C::frame1, {x_materiale, 1365, largo, alto}, false, false},
    {"Resistenza a compressione di progetto", C::frame1, {x_materiale, 1770, largo, alto}, false, false},
    {"Quota baricentro muro", C::frame1, {x_edificio, 900, largo, alto}, false, false},
    {"Altezza edificio", C::frame1, {x_edificio, 1305, largo, alto}, false, false},
    {"Accelerazione massima adimensionalizzata", C::frame2, {4080, 510, largo, alto}, false, true},
    {"Periodo proprio muro = SQR(Wa*H^3 / EJg)/1.571", C::frame1, {x_edificio, 2520, largo, alto},
     false, true},
    {"Forza totale baricentrica", C::frame2, {4080, 1320, largo, alto}, false, true},
    {"Peso efficace pannello", C::frame1, {x_edificio, 2115, largo, alto}, false, true},
    {"Resistenza laterale di progetto", C::frame3, pos_campo22, false, true},
    {"Modulo elastico", C::frame1, {x_materiale, 2175, largo, alto}, false, false},
    {"Inflessione sotto carico laterale di progetto", C::frame3, {1080, 375, largo, alto}, false, true},
    {"Coefficiente per inflessione laterale", C::frame3, {5340, 240, medio, alto}, false, true},
    {"Coefficiente per iinstabilità euleriana", C::frame3, {5340, 600, medio, alto}, false, true},
    // The floor spectrum's building, in one row under Sa right of Image1 (which ends at 3780).
    {"Numero di piani dell'edificio sopra la fondazione", C::frame2, {3960, 870, 330, alto},
     false, false},
    {"Smorzamento dell'edificio, in percentuale (5 = 5 %)", C::frame2, {4800, 870, 390, alto},
     false, false},
    {"Periodo dell'edificio allo stato limite, in secondi; vuoto: T1", C::frame2,
     {5490, 870, 540, alto}, false, false},
}};

constexpr const char* tooltip_critica = "tensione critica per instabilità";

// Site group labels: left column from x 0, right column ending just before the fields at x 3000.
constexpr Posizione sx(int top) { return {0, top, largo_etichette_sx, alto}; }
constexpr Posizione dx(int top) { return {x_etichette_dx, top, largo_etichette_dx, alto}; }
constexpr Posizione materiale(int top) { return {x_etichette_materiale, top, largo_etichette_materiale, alto}; }
constexpr Posizione edificio(int top) { return {x_etichette_edificio, top, largo_etichette_edificio, alto}; }

const std::array<DatiEtichetta, numero_label1> tabella_label1 = {{
    {form::kTestiLabel1[0], "", simbolo12, A::destra, C::finestra, dx(2700)},
    {form::kTestiLabel1[1], "", tahoma9, A::destra, C::finestra, dx(2400)},
    {form::kTestiLabel1[2], "", tahoma8, A::destra, C::finestra, dx(3000)},
    {form::kTestiLabel1[3], "", tahoma9, A::destra, C::finestra, dx(1200)},
    {form::kTestiLabel1[4], "", tahoma9, A::destra, C::finestra, dx(1500)},
    {form::kTestiLabel1[5], "", tahoma9, A::destra, C::frame1, edificio(1710)},
    {form::kTestiLabel1[6], "", tahoma9, A::destra, C::frame2, {4995, 1320, 600, alto}},
    {form::kTestiLabel1[7], "", tahoma9, A::destra, C::frame2, {3780, 1320, 240, alto}},
    // The span symbol sits in the blank that Image5 leaves before its closing bracket.
    {form::kTestiLabel1[8], "", campata, A::destra, C::frame3, {3120, 1695, 300, 360}},
    {form::kTestiLabel1[9], "", tahoma9, A::destra, C::finestra, dx(2100)},
    {form::kTestiLabel1[10], "", tahoma9, A::destra, C::finestra, dx(1800)},
    {form::kTestiLabel1[11], "", tahoma8, A::destra, C::finestra, sx(1500)},
    {form::kTestiLabel1[12], "", tahoma8, A::destra, C::finestra, sx(1200)},
    {form::kTestiLabel1[13], "", tahoma8, A::destra, C::finestra, sx(1800)},
    {form::kTestiLabel1[14], "", tahoma8, A::destra, C::finestra, sx(2700)},
    {form::kTestiLabel1[15], "", tahoma9, A::destra, C::frame1, edificio(2115)},
    {form::kTestiLabel1[16], "", tahoma8, A::destra, C::finestra, sx(2400)},
    {form::kTestiLabel1[17], "", tahoma8, A::destra, C::finestra, sx(2100)},
    // The two dimension captions, centred over fields 11 and 12, clear of the dimension lines.
    {form::kTestiLabel1[18], "", tahoma9, A::centro, C::frame1, {2760, 1095, largo, 255}},
    {form::kTestiLabel1[19], "", tahoma9, A::centro, C::frame1, {1830, 900, 720, 255}},
    {form::kTestiLabel1[20], "", tahoma9, A::destra, C::frame1, materiale(960)},
    {form::kTestiLabel1[21], "", tahoma9, A::destra, C::frame1, {5520, 1365, 1080, alto}},
    {form::kTestiLabel1[22], "", tahoma9, A::destra, C::frame1, materiale(1770)},
    {form::kTestiLabel1[23], "", simbolo1125, A::destra, C::frame1, {5310, 1365, 210, alto}},
    {form::kTestiLabel1[24], "", tahoma9, A::destra, C::frame1, edificio(900)},
    {form::kTestiLabel1[25], "", tahoma9, A::destra, C::frame1, edificio(1305)},
    {form::kTestiLabel1[26], "", tahoma9, A::destra, C::frame2, {3780, 510, 240, alto}},
    {form::kTestiLabel1[27], "", tahoma9, A::destra, C::frame1, edificio(2520)},
    {form::kTestiLabel1[28], "", tahoma9, A::destra, C::frame3,
     {pos_campo22.left + pos_campo22.width + 50, pos_campo22.top, 1560, alto}},
    {form::kTestiLabel1[29], "", tahoma9, A::destra, C::frame1, materiale(2175)},
    {form::kTestiLabel1[30], "", tahoma9, A::destra, C::frame3, {825, 375, 240, alto}},
    {form::kTestiLabel1[31], "", tahoma9, A::destra, C::frame3, {1950, 375, 450, alto}},
    {form::kTestiLabel1[32], "", corsivo975, A::destra, C::frame3, {2400, 240, 2925, alto}},
    {form::kTestiLabel1[33], "", corsivo975, A::destra, C::frame3,
     {2400, 600, 2925, alto}},
    {form::kTestiLabel1[34], tooltip_critica, carattere_sans_serif, A::destra, C::frame3,
     {3780, 1740, 2235, 255}},
    {form::kTestiLabel1[35], tooltip_critica, carattere_sans_serif, A::destra, C::frame3,
     {3780, 1440, 2235, 255}},
    {form::kTestiLabel1[36], "", tahoma8, A::destra, C::frame2, {3780, 900, 150, 255}},
    {form::kTestiLabel1[37], "", tahoma8, A::destra, C::frame2, {4320, 900, 450, 255}},
    {form::kTestiLabel1[38], "", tahoma8, A::destra, C::frame2, {5220, 900, 240, 255}},
}};

const std::array<DatiEtichetta, indici_label2.size()> tabella_label2 = {{
    {form::kTestoLabel2, "Coefficiente stratigrafico", tahoma9, A::centro, C::finestra, {x_campi_dx, 2100, largo, alto}},
    {form::kTestoLabel2, " St * Ss", tahoma9, A::centro, C::finestra, {x_campi_dx, 2400, largo, alto}},
    {form::kTestoLabel2VR, "Periodo di riferimento (NTC 2018 § 2.4.3)", tahoma9, A::centro, C::finestra, {x_campi_sx, 2400, largo, alto}},
}};

const DatiEtichetta dati_label3 = {form::kTestoLabel3, "", tahoma9,
                                   A::sinistra, C::frame1, {240, 2640, 7200, 255}};

// Toggles outside each side of the sketch, whose edges run from x 1320 to 3960 and y 720 to 2040.
// 1215 wide, not 1095: the check mark and "Appoggiato" need 81 pixels; the left one grows leftwards
// so that it stays clear of the left edge.
constexpr int largo_vincolo = 1215;
const std::array<DatiVincolo, numero_vincoli> tabella_vincoli = {{
    {{2160, 300, largo_vincolo, alto}, true, 3},
    {{60, 1200, largo_vincolo, alto}, false, 1},
    {{2160, 2160, largo_vincolo, alto}, true, 4},
    {{4080, 1200, largo_vincolo, alto}, false, 2},
}};

const std::array<DatiLinea, numero_linee> tabella_linee = {{
    {1320, 720, 1320, 2040, 1, nero},
    {3960, 720, 3960, 2040, 1, nero},
    {1320, 720, 3960, 720, 3, nero},
    {1320, 2040, 3960, 2040, 3, nero},
    {1320, 1680, 3960, 1680, 1, rosso_quote},
    {1800, 720, 1800, 2040, 1, rosso_quote},
}};

const std::array<DatiPulsante, numero_pulsanti> tabella_pulsanti = {{
    {"Command1_0", "AGGIORNA", {120, 3600, 1080, 405}},
    {"Command2", "HELP", {2760, 3600, 1095, 375}},
    {"Command3", "COPIA", {120, 4200, 1095, 375}},
    {"Command4", "STAMPA", {1440, 3600, 1095, 375}},
    {"Command5", "SALVA", {1440, 4200, 1095, 375}},
    {"Command6", "RELAZIONE", {2760, 4200, 1095, 375}},
}};

const std::array<DatiFrame, numero_frame> tabella_frame = {{
    {"Frame1", "DATI PANNELLO MURARIO", {120, 5040, 9975, 3015}, true},
    {"Frame2", "EC8 - 4.3.5.2", {3960, 120, 6135, 1935}, false},
    {"Frame3", "EC6 - 6.3.2", {3960, 2160, 6135, 2775}, false},
}};

const std::array<DatiImmagine, numero_immagini> tabella_immagini = {{
    {":/formule/image1.svg", C::frame2, {255, 240, 3525, 870}, 235, 58},
    {":/formule/image2.svg", C::frame2, {120, 1080, 3375, 795}, 213, 51},
    {":/formule/image3.svg", C::frame3, {225, 2200, 2895, 435}, 193, 29},
    {":/formule/image4.svg", C::frame3, {240, 1320, 2280, 1050}, 152, 70},
    {":/formule/image5.svg", C::frame3, {2520, 1560, 1200, 585}, 80, 39},
    {":/formule/image6.svg", C::frame3, {75, 195, 750, 675}, 50, 45},
}};

const DatiRicerca dati_ricerca = {"Combo1", "Ricerca coordinate delle località italiane", tahoma8,
                                  {120, 120, 3735, 960}, 300};

// Top right of Frame2: right of Image1 (which ends at x 3780), above field 18 (from y 510), below
// the frame's border; 2100 x 330 twips is 140 x 22 pixels at 96 dpi.
const DatiScelta dati_scelta = {"Combo2", C::frame2, {3900, 150, 2100, 330}};

// The site column's free row under PVR (2700), level with T1; the caption where the column's
// captions are.
const DatiSceltaDatum dati_datum = {
    "ComboDatum",
    "Sistema di riferimento di latitudine e longitudine: ED50 (reticolo e località) o WGS84 (GPS "
    "e mappe web), convertito in ED50",
    {x_campi_sx, 3000, largo, alto},
    {"COORDINATE", "", tahoma8, A::destra, C::finestra, {60, 3030, largo_etichette_sx - 60, 255}}};

// Under field 1 (T1, which ends at y 3315) and above the buttons (from y 3600), ending with it.
const DatiEtichetta dati_label4 = {"", "", tahoma8, A::destra, C::finestra, {120, 3330, 3735, 240}};
// One line across the bottom, below everything else: the window is that much taller.
const DatiEtichetta dati_label5 = {"", "", tahoma8, A::sinistra, C::finestra, {120, 8130, 13065, 240}};

// 13305 wide: the norm's pickers take a column right of Frame2 and Frame3 (to x 13185).
const DatiFinestra dati_finestra = {"TORVELANDO PANNELLI MURARI", 13305, 8400,
                                    {"Lucida Console", 8.25, false, false}};

}  // namespace

const DatiFinestra& finestra() { return dati_finestra; }
const std::array<DatiCampo, numero_campi>& campi() { return tabella_campi; }
const std::array<DatiEtichetta, numero_label1>& etichette1() { return tabella_label1; }
const std::array<DatiEtichetta, indici_label2.size()>& etichette2() { return tabella_label2; }
const DatiEtichetta& etichetta3() { return dati_label3; }
const std::array<DatiVincolo, numero_vincoli>& vincoli() { return tabella_vincoli; }
const std::array<DatiLinea, numero_linee>& linee() { return tabella_linee; }
const std::array<DatiPulsante, numero_pulsanti>& pulsanti() { return tabella_pulsanti; }
const std::array<DatiFrame, numero_frame>& frames() { return tabella_frame; }
const std::array<DatiImmagine, numero_immagini>& immagini() { return tabella_immagini; }
const DatiRicerca& ricerca() { return dati_ricerca; }
const DatiScelta& scelta_formula() { return dati_scelta; }
const DatiSceltaDatum& scelta_datum() { return dati_datum; }
const DatiEtichetta& etichetta_fonte() { return dati_label4; }
const DatiEtichetta& etichetta_avvisi() { return dati_label5; }

}  // namespace tv::app
