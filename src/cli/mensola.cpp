// SPDX-License-Identifier: GPL-3.0-or-later
// The cantilever's outputs on the command line, written from its typed result.
#include "cli/mensola.h"

#include <string>
#include <vector>

#include "text/number_text.h"

namespace tv::cli {
namespace {

// "N = W = 450 [daN]   σ0 = N / (B·t) = 0.18 [daN/cm2]   0.85·fd = 2.55 [daN/cm2]" and
// "M_Rd = N·(t/2)·(1 − σ0 / (0.85·fd)) = 5227.94 [daN·cm]", in the job's work units.
std::vector<std::string> righe_mensola(const panel::Mensola& m, const units::Unita& u,
                                       const text::NumberFormat& fmt) {
    const auto n = [&](double x, int decimali) { return text::rounded(x, decimali, fmt); };
    const std::string forza = n(m.N * u.fattore_forze, 2) + " " + u.etichetta_forze;
    return {"N = W = " + forza + "   σ0 = N / (B·t) = " + n(m.sigma0 * u.fattore_tensioni, 4) +
                " " + u.etichetta_tensioni + "   0.85·fd = " +
                n(m.fd_blocco * u.fattore_tensioni, 4) + " " + u.etichetta_tensioni,
            "M_Rd = N·(t/2)·(1 − σ0 / (0.85·fd)) = " +
                n(m.M_Rd * u.fattore_forze * u.fattore_lunghezze, 2) + " [" + u.unita_forze + "·" +
                u.unita_lunghezze + "]"};
}

}  // namespace

void json_mensola(nlohmann::json& j) {
    for (const char* k : {"d_mm", "K1", "K2", "qd", "sigma_crit"}) j[k] = nullptr;
    j["span"] = "mensola";
}

void riassunto_mensola(const panel::Mensola& m, const units::Unita& u,
                       const form::TestiRisultato& x, std::ostream& out) {
    out << "Mensola - ribaltamento (NTC 2018 § 7.8.2.2.3):\n";
    for (const std::string& riga : righe_mensola(m, u, text::dot_format()))
        out << "  " << riga << "\n";
    out << "Resistenza laterale di progetto Rlat = 2·M_Rd / L = " << x.Rlat << " " << x.verdetto
        << "\n";
}

void colonne_mensola(form::TestiRisultato& t) {
    t.d.clear(), t.K1.clear(), t.K2.clear();
    t.campata = "mensola";
}

}  // namespace tv::cli
