// SPDX-License-Identifier: GPL-3.0-or-later
// Local mechanisms of an existing masonry wall by linear kinematic analysis (Circolare 2019
// C8.7.1.2.1): simple overturning about each storey's base (held or not by the interlock with the
// side walls), composite overturning with a wedge of them, vertical flexure of one storey, an
// element free to vibrate, their oscillator and the checks at SLD and SLV. Lengths in m, forces
// in kN.
#pragma once

#include <optional>
#include <vector>

#include "hazard/spettro.h"
#include "panel/cinematismo.h"
#include "panel/domanda.h"
#include "panel/non_lineare.h"

namespace tv::panel {

inline constexpr int kPianiMassimi = 5;

// Storey i of the wall strip, numbered from the bottom: height, thickness, and at its top the
// floor load N bearing dN from the outer face, an outward thrust F and a restraining tie, each
// the total on the strip's length B.
struct PianoParete {
    double h = 0;
    double t = 0;
    double N = 0;
    double dN = 0;
    double F = 0;
    double catena = 0;
};

// The interlock of the wall with 0, 1 or 2 side walls [C8.7.1.2]: the mean height hb and the
// overlap lb of the units, the side wall's thickness ts and the friction coefficient mu.
struct Ammorsamento {
    int pareti = 0;
    double hb = 0;
    double lb = 0;
    double ts = 0;
    double mu = 0.577;
};

// The wedge of 1 or 2 side walls (thickness ts) that turns with the wall: its diagonal crack rises
// from the hinge at beta degrees from the vertical, away from the wall, to the wall's top.
struct Cuneo {
    int lati = 1;
    double beta = 0;
    double ts = 0;
};

// An element free to vibrate (a parapet, a gable, a chimney above the roof): the wall's one
// storey as a cantilever from its base (kappa 6.2) or held at its base and top (kappa 2.2), and
// the masonry's elastic modulus E (kN/m2) [C8.7.1.7].
struct ElementoLibero {
    bool appoggiato = false;
    double E = 0;
};

// A wall strip with a plumb outer face: its storeys, length B, specific weight gamma (kN/m3)
// and the height z0 of its base above the foundation; the side walls, of the same masonry.
struct Parete {
    std::vector<PianoParete> piani;
    double B = 1;
    double gamma = 0;
    double z0 = 0;
    Ammorsamento ammorsamento;
    Cuneo cuneo;
    ElementoLibero libero;
};

enum class TipoMeccanismo { ribaltamento, flessione, ribaltamento_composto, elemento_libero };

// kappa of a free element: 6.2 for a cantilever, 2.2 held at both ends [C8.7.1.7].
double kappa_elemento(const ElementoLibero& e);
// T0 = kappa lambda L sqrt(W / (E g)), lambda = L/t [C8.7.1.7]; W in kN/m3, E in kN/m2.
double periodo_elemento(double kappa, double L, double t, double W, double E, double g);

// The interlock's friction on an overturning part of height h [C8.7.1.2]: n = h/hb courses,
// Phi = hb/lb, F = 0.4 n (n + 1) Phi mu lb^2 ts w per side wall, applied at h/3 above the hinge.
struct AttritoAmmorsamento {
    double h = 0;
    double n = 0;
    double phi = 0;
    double F_parete = 0;  // one side wall's, kN
    double F = 0;         // all side walls', kN
    double braccio = 0;   // h/3, m
    double L_i = 0;       // F h/3 for a unit rotation, kN m
};
AttritoAmmorsamento attrito_ammorsamento(const Ammorsamento& a, double h, double w);

// The part of the wedge beside storey i, a trapezoid between the storey's base and top.
struct PezzoCuneo {
    int piano = 1;
    double base = 0, cima = 0;      // its heights above the hinge, m
    double largo_base = 0, largo_cima = 0;  // its widths from the wall's inner face, m
    double area = 0;                 // one side wall's, m2
    double W = 0;                    // all side walls', kN
    Punto baricentro;                // in the wall's section
};

// Storey tops above the wall's base: quote[i] is the top of storey i + 1, quote[-1] the base.
std::vector<double> quote_piani(const Parete& p);

// Storeys k..n turn as one block about the outer edge at the base of storey k (1-based); the
// interlock's friction, when the wall has one, is the internal work L_i.
Cinematismo ribaltamento_semplice(const Parete& p, int k);

// The wedge's pieces beside storeys k..n for the hinge at the base of storey k.
std::vector<PezzoCuneo> pezzi_cuneo(const Parete& p, int k);

// Storeys k..n and the wedge of the side walls beside them turn as one block about the outer
// edge at the base of storey k.
Cinematismo ribaltamento_composto(const Parete& p, int k);

// The one storey restrained at top and bottom folds outward at height h1: hinges at the base
// (outer face), at h1 (inner face) and at the top (outer face), the top free to rise.
Cinematismo flessione_verticale(const Parete& p, double h1);

// The blocks of a kind's mechanism at storey k (a bending storey's at h1): a free element
// overturns as a cantilever, or bends like a storey when held at its top too.
Cinematismo cinematismo_di(const Parete& p, TipoMeccanismo tipo, int k, double h1);

// Knowledge level and its confidence factor FC (Circolare 2019 C8.5.4): 1.35, 1.20, 1.00.
enum class LivelloConoscenza { LC1, LC2, LC3 };
double fattore_confidenza(LivelloConoscenza lc);

// The site's hazard at one limit state: return period, ag (fraction of g), S, F0, Tc*.
struct AzioneStato {
    double TR = 0;
    double ag = 0;
    double s = 1;
    double F0 = 0;
    double Tcstar = 0;
};

// What the checks read besides the wall: the floor formula and the building it needs, the
// subsoil, gravity (m/s2), the knowledge level and the behaviour factor q of the SLV check.
struct DatiVerificaMeccanismo {
    FormulaDomanda formula = FormulaDomanda::circolare_c7_2_5;
    double H = 0;   // building height above the foundation, m
    double T1 = 0;  // building period, s
    DatiEdificio edificio{};
    hazard::Suolo suolo = hazard::Suolo::A;
    double g = 9.81;
    LivelloConoscenza lc = LivelloConoscenza::LC1;
    double q = 2;
    AzioneStato SLD;
    AzioneStato SLV;
    // The nonlinear check besides [C8.7.1.2.1.8]: the SLC action and where the ties break (m; 0
    // when they hold to collapse).
    bool non_lineare = false;
    double d_rottura = 0;
    AzioneStato SLC;
};

// One mechanism checked: its geometry's virtual work, oscillator, demands and safety factors.
struct EsitoCinematismo {
    TipoMeccanismo tipo = TipoMeccanismo::ribaltamento;
    int piano = 1;      // storey of the base hinge (overturning) or the storey that bends
    double z = 0;       // base hinge above the foundation, m
    double h1 = 0;      // flexure: height of the middle hinge above the storey's base, m
    LavoroVirtuale lavoro;
    std::optional<AttritoAmmorsamento> ammorsamento;  // overturning held by the interlock
    std::vector<PezzoCuneo> cuneo;                     // composite overturning
    // A free element: kappa, T0 [C8.7.1.7] and the displacement d_y = a0* T0^2 / 4 pi^2 where
    // the elastic branch a = 4 pi^2 d / T0^2 [C8.7.1.6] reaches a0*; 0 for the others.
    double kappa = 0;
    double T0 = 0;
    double d_y = 0;
    double M_star = 0;      // e* sum(P + Q) / g, t
    double a0_star = 0;     // alpha0 g / (e* FC) [C8.7.1.3] at d = 0, m/s2
    double domanda_SLD = 0; // floor peak acceleration at z, fraction of g
    double domanda_SLV = 0;
    double zeta_SLD = 0;    // a0* / (demand g)
    double zeta_SLV = 0;    // q a0* / (demand g)
    double ag_cap_SLD = 0;  // zeta ag at the same limit state, fraction of g
    double ag_cap_SLV = 0;
    // alpha0 <= 0: the static loads alone turn the blocks. No capacity: zeta and ag,cap are 0.
    bool attivo_senza_sisma = false;
    std::optional<AnalisiNonLineare> non_lineare;  // when asked for
    // The SLV safety factor the verdict reads: the nonlinear one when there is one.
    double zeta_verifica() const { return non_lineare ? non_lineare->SLV.zeta : zeta_SLV; }
};

struct EsitoMeccanismi {
    std::vector<EsitoCinematismo> meccanismi;  // the governing one first, then by storey
    double FC = 1;
    bool ok = false;  // the governing zeta_verifica() >= 1
    bool ok_SLD = false;
    bool ok_SLC = false;  // nonlinear: every zeta at SLC >= 1
    const EsitoCinematismo& governante() const { return meccanismi.front(); }
};

// Refuses, with tv::Failure naming the field, a wall of no storey or more than kPianiMassimi, a
// height, thickness or B not above 0, a load or gamma below 0, dN outside 0..t of its storey,
// z0 below 0, and flexure of a wall of more than one storey; an interlock of other than 0, 1 or 2
// side walls, or with hb, lb, ts or mu not above 0, hb above the top storey's height, or on a
// mechanism other than simple overturning; a wedge of other than 1 or 2 sides, beta outside
// (0, 90) degrees or ts not above 0; a free element of more than one storey, with a floor load,
// a thrust or a tie, or with E not above 0.
void controlla_parete(const Parete& p, TipoMeccanismo tipo);

// Simple overturning at every storey's base, or vertical flexure minimised over h1 (to 1 mm),
// each checked at SLD and SLV on the floor peak acceleration at z (the formula at Ta = 0); a free
// element as a cantilever's overturning or a held storey's flexure, checked on the floor spectrum
// at its base at T0 (ξ 5 %), not below the site's Se(T0) [C8.7.1.9]. The formula must be C7.2.5
// or C7.2.11; the hinge must not lie above H. Asked for, each mechanism is checked by nonlinear
// kinematic analysis too, whose SLV verdict then governs.
EsitoMeccanismi verifica_meccanismi(const Parete& p, TipoMeccanismo tipo,
                                    const DatiVerificaMeccanismo& d);

}  // namespace tv::panel
