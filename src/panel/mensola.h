// SPDX-License-Identifier: GPL-3.0-or-later
// The cantilever kind of panel: fixed at its base only, it resists by overturning.
#pragma once

namespace tv::panel {

// A panel fixed at its base only (a cantilever): overturning about the base edge, no tensile
// strength, stress block 0.85 fd over the compressed depth.
struct Mensola {
    double N;          // axial force at the base, the panel's weight (daN)
    double sigma0;     // mean stress at the base N / (B t) (daN/cm2)
    double fd_blocco;  // stress of the block 0.85 fd (daN/cm2)
    double M_Rd;       // resisting moment N (t/2) (1 - sigma0 / (0.85 fd)) (daN cm)
};

// Throws tv::Failure naming sigma0 when it is not below 0.85 fd (the base crushes before it
// turns), and on a result that is not finite.
Mensola ribaltamento(double N, double B, double t, double fd);

}  // namespace tv::panel
