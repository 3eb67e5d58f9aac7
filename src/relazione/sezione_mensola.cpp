// SPDX-License-Identifier: GPL-3.0-or-later
// The cantilever kind in the report: its section 5, overturning about the base edge.
#include "relazione/redazione.h"

namespace tv::relazione::redazione {

Sezione sezione_mensola(const RisultatoVerifica& d, const panel::Mensola& k, const Misure& m) {
    const panel::DatiPannello& p = d.ingressi.pannello;
    Sezione s{"5. Resistenza a ribaltamento della mensola (NTC 2018 § 7.8.2.2.3)", {}};
    s.blocchi.push_back(Paragrafo{
        "Pannello incastrato alla sola base (mensola): ruota attorno allo spigolo di base senza "
        "resistenza a trazione, con la zona compressa a tensione 0,85 · fd. Il momento resistente "
        "è dato come forza a metà altezza."});
    const std::string M = n(k.M_Rd * m.ff * m.fl, 2) + " " + m.uf + "·" + m.ul;
    s.blocchi.push_back(Formula{"N = W    σ0 = N / (B · t)",
                                "N = " + m.F(k.N) + " " + m.uf + "    σ0 = " + m.F(k.N) + " / (" +
                                    m.L(p.B) + " · " + m.L(p.t) + ") = " + m.Sq(k.sigma0) + " " +
                                    m.ft_unita});
    s.blocchi.push_back(Formula{"M_Rd = N · (t/2) · (1 − σ0 / (0,85 · fd))",
                                "M_Rd = " + m.F(k.N) + " · (" + m.L(p.t) + "/2) · (1 − " +
                                    m.Sq(k.sigma0) + " / (0,85 · " + m.S(p.fd) + ")) = " + M});
    s.blocchi.push_back(Formula{"Rlat = 2 · M_Rd / L",
                                "Rlat = 2 · " + n(k.M_Rd * m.ff * m.fl, 2) + " / " + m.L(p.L) +
                                    " = " + m.F(d.pannello.Rlat) + " " + m.uf});
    s.blocchi.push_back(tabella_valori({
        {"Sforzo normale alla base", "N", m.forza(k.N), m.uf},
        {"Tensione media alla base", "σ0", m.tensione(k.sigma0, 6), m.ut},
        {"Tensione del blocco compresso", "0,85 fd", m.tensione(k.fd_blocco, 4), m.ut},
        {"Momento resistente alla base", "M_Rd", n(k.M_Rd * m.ff * m.fl, 2), m.uf + "·" + m.ul},
        {"Resistenza laterale a metà altezza", "Rlat", m.forza(d.pannello.Rlat), m.uf},
    }));
    return s;
}

}  // namespace tv::relazione::redazione
