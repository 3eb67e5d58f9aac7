// The calculation report as data: a document of sections, tables, formula lines, plots, the
// restraint drawing and the verdict, built from the values of one check without any toolkit.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "form/calcolo.h"
#include "units/unita.h"

namespace tv::form {

// ---------------------------------------------------------------- the document model

struct Colore {
    int r = 0, g = 0, b = 0;
    bool operator==(const Colore&) const = default;
};

// Shown at the top of every page; the first page repeats it as a title block.
struct Intestazione {
    std::string programma;  // program name
    std::string versione;
    std::string lavoro;      // job name
    std::string coordinate;  // "Long. 13,3995°  Lat. 42,3505°"
    std::string localita;    // empty when the coordinates are not a known locality's
    std::string data;
};

struct Paragrafo {
    std::string testo;
    bool titoletto = false;  // a small heading that stays with the block after it
};

enum class Allineamento { sinistra, destra, centro };

// Numbers are already texts with the decimal comma; the renderer only places them.
struct Tabella {
    std::vector<std::string> intestazioni;
    std::vector<Allineamento> allineamenti;  // one per column
    std::vector<double> larghezze;           // share of the text width, one per column
    std::vector<std::vector<std::string>> righe;
};

// A formula written out and then with the numbers put in (the second may be empty).
struct Formula {
    std::string simbolica;
    std::string numerica;
};

struct Punto {
    double x = 0, y = 0;
};

struct Serie {
    std::string nome;
    std::vector<Punto> punti;
    Colore colore;
    bool asse_secondario = false;  // drawn against the right axis
    bool tratteggiata = false;
};

// A labelled point of a series.
struct Marcatore {
    Punto punto;
    std::string etichetta;
    Colore colore;
    bool asse_secondario = false;
};

// A straight line across the plot: x = valore (verticale) or y = valore.
struct Riferimento {
    bool verticale = true;
    double valore = 0;
    std::string etichetta;
    Colore colore;
    bool asse_secondario = false;
};

struct Tacca {
    double valore = 0;
    std::string testo;
};

struct Asse {
    std::string titolo;  // quantity and unit, "T [s]"
    double minimo = 0, massimo = 1;
    std::vector<Tacca> tacche;
};

struct Grafico {
    std::string titolo;
    Asse x, y;
    std::optional<Asse> y2;  // right axis
    std::vector<Serie> serie;
    std::vector<Riferimento> riferimenti;
    std::vector<Marcatore> marcatori;
};

// The panel seen from the front: supported sides drawn as supports, free ones as free edges.
struct DisegnoVincoli {
    bool superiore = true, sinistro = false, inferiore = true, destro = false;
    double B = 1, L = 1;  // proportions of the drawing
    std::string testo_B, testo_L;
};

struct Esito {
    std::string testo;
    Colore colore;
};

using Blocco = std::variant<Paragrafo, Tabella, Formula, Grafico, DisegnoVincoli, Esito>;

struct Sezione {
    std::string titolo;
    std::vector<Blocco> blocchi;
};

struct Documento {
    Intestazione intestazione;
    std::string titolo;
    std::string sottotitolo;
    std::vector<Sezione> sezioni;
};

// ---------------------------------------------------------------- the values of one check

// One grid node of the inverse-distance mean.
struct NodoRelazione {
    std::string nome;  // "SW", "SE", "NE", "NW"
    long codice = 0;
    double lon = 0, lat = 0;
    double distanza_km = 0;
    double peso = 0;  // (1 / d) / sum of 1 / d over the four nodes
};

// Everything the report shows, in base units (cm, daN, daN/cm2, daN/cm3, s; ag as a fraction of
// g), with the job's units for showing them.
struct DatiRelazione {
    // Title block.
    std::string programma = "TORVELANDO PANNELLI MURARI";
    std::string versione;
    std::string lavoro;
    std::string data;                     // already written, e.g. "12/03/2025"
    std::optional<std::string> localita;  // only while the coordinates are exactly the locality's
    units::Unita unita;                   // texts and factors of the four families

    // Site and building inputs.
    double lon = 0, lat = 0;
    double VN = 50, Cu = 1, PVR = 10;  // PVR in per cent
    std::string suolo = "A";
    double T1 = 0;
    double qa = 2;

    // Panel inputs.
    double L = 0, B = 0, t = 0, gamma = 0, fd = 0, E = 0, Z = 0, H = 0;
    bool vincolo_superiore = true, vincolo_sinistro = false, vincolo_destro = false;

    // Hazard: grid nodes or island group and zone.
    bool isola = false;
    std::array<NodoRelazione, 4> nodi{};
    std::string gruppo_isole, zona_isole;
    double VR = 0, TR = 0;
    double TR_inferiore = 0, TR_superiore = 0;  // the two tabulated periods around TR
    double ag = 0, F0 = 0, Tcstar = 0;
    double Ss = 1, St = 1, S = 1;

    // Demand.
    double W = 0;
    double quota_verticale = 0, quota_orizzontale = 0;
    double perc_verticale = 0, perc_orizzontale = 0;
    bool orizzontale = false;  // the panel spans horizontally (between its vertical sides)
    double Wa = 0, J = 0, Ta = 0, Sa = 0, Fa = 0;
    FormulaDomanda domanda = FormulaDomanda::ec8;
    double c7_a = 0, c7_b = 0, c7_ap = 0;  // Tabella C7.2.II, for circolare_c7_2_11
    int c7_ramo = 0;                       // 1: Ta < a T1, 2: plateau, 3: Ta >= b T1

    // Resistance: the arch's (a, h, unloaded length, K1, K2, deflection, critical stress, qcrit,
    // fcrit, qd) or the cantilever's (N, sigma0, 0.85 fd, M_Rd).
    panel::Resistenza resistenza = panel::Freccia{};
    double Rlat = 0;
    bool ok = false;
};

// The report of one check. Throws tv::Failure when a value it must plot is refused by the
// spectrum or the arch curve (the values of a check that ran never are).
Documento costruisci_relazione(const DatiRelazione& d);

// The report values of a completed check: `unita` the job's work units, `localita` only while
// the coordinates are exactly a known locality's, `data` the date as the report writes it.
DatiRelazione dati_relazione(const RisultatoVerifica& r, const units::Unita& unita,
                             std::string lavoro, std::optional<std::string> localita,
                             std::string data);

class Form1;
// The same for the form's last completed run (which must exist), its job and its locality.
DatiRelazione dati_relazione(const Form1& f, std::string data);

// Round ticks over [minimo, massimo] (about `circa` of them), labelled with the decimal comma;
// the range is widened to whole ticks.
Asse asse_con_tacche(std::string titolo, double minimo, double massimo, int circa = 6);

}  // namespace tv::form
