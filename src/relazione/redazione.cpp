// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers, unit texts and value tables of the report, the work units of its tables and
// formulas, the EC6 comparison and the plot axes' round ticks.
#include "relazione/redazione.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "text/number_text.h"

namespace tv::relazione::redazione {

namespace {
const text::NumberFormat kItaliano{",", "."};

bool circa(double a, double b) { return std::abs(a - b) <= 1e-9 * std::max(std::abs(a), std::abs(b)); }
}  // namespace

const text::NumberFormat& italiano() { return kItaliano; }

std::string n(double x, int decimali) { return text::rounded(x, decimali, kItaliano); }
std::string fx(double x, int decimali) { return text::fixed(x, decimali, kItaliano); }

std::string sig(double x, int cifre) {
    if (x == 0.0 || !std::isfinite(x)) return n(x, 0);
    const int d = cifre - 1 - static_cast<int>(std::floor(std::log10(std::abs(x))));
    return n(x, std::max(d, 0));
}

std::string apici(const std::string& unita) {
    std::string r;
    for (std::size_t i = 0; i < unita.size(); ++i) {
        const char c = unita[i];
        const bool dopo_lettera =
            i > 0 && std::isalpha(static_cast<unsigned char>(unita[i - 1])) != 0;
        if (dopo_lettera && c == '2')
            r += "²";
        else if (dopo_lettera && c == '3')
            r += "³";
        else
            r += c;
    }
    return r;
}

Tabella tabella_valori(std::vector<std::vector<std::string>> righe) {
    Tabella t;
    t.intestazioni = {"Grandezza", "Simbolo", "Valore", "Unità"};
    t.allineamenti = {Allineamento::sinistra, Allineamento::sinistra, Allineamento::destra,
                      Allineamento::sinistra};
    t.larghezze = {0.52, 0.14, 0.16, 0.18};
    t.righe = std::move(righe);
    return t;
}

std::string lettera_suolo(const RisultatoVerifica& r) {
    return std::string(1, hazard::lettera(r.azione.spettro.suolo));
}

bool orizzontale(const RisultatoVerifica& r) {
    return r.pannello.direzione == panel::Direzione::orizzontale;
}

ConfrontoEC6 confronto_ec6(const RisultatoVerifica& d, const panel::Freccia& arco) {
    const auto& p = d.ingressi.pannello;
    ConfrontoEC6 c;
    c.la = orizzontale(d) ? p.B : p.L;
    c.snellezza = c.la / p.t;
    c.qlat = p.fd * (p.t / c.la) * (p.t / c.la);
    c.Nad = 1.5 * p.fd * p.t / 10.0;
    c.rapporto = arco.qd / c.qlat;
    return c;
}

Misure::Misure(const units::Unita& unita)
    : u(unita),
      ul(apici(unita.unita_lunghezze)),
      uf(apici(unita.unita_forze)),
      ut(apici(unita.unita_tensioni)),
      ug(apici(unita.unita_pesi_specifici)),
      fl(unita.fattore_lunghezze),
      ff(unita.fattore_forze),
      ft(unita.fattore_tensioni),
      fg(unita.fattore_pesi_specifici) {
    ft_formula = ff / (fl * fl);
    fg_formula = ff / (fl * fl * fl);
    coerenti = circa(ft, ft_formula) && circa(fg, fg_formula);
    ft_unita = circa(ft, ft_formula) ? ut : uf + "/" + ul + "²";
    fg_unita = circa(fg, fg_formula) ? ug : uf + "/" + ul + "³";
    if (circa(ft, ft_formula)) ft_formula = ft;
    if (circa(fg, fg_formula)) fg_formula = fg;
}

}  // namespace tv::relazione::redazione

namespace tv::relazione {

Asse asse_con_tacche(std::string titolo, double minimo, double massimo, int circa) {
    if (!(massimo > minimo)) massimo = minimo + 1.0;
    const double grezzo = (massimo - minimo) / std::max(circa, 1);
    const double decade = std::pow(10.0, std::floor(std::log10(grezzo)));
    double passo = 10.0 * decade;
    for (double m : {1.0, 2.0, 2.5, 5.0})
        if (grezzo <= m * decade * (1 + 1e-9)) {
            passo = m * decade;
            break;
        }
    int decimali = std::max(0, -static_cast<int>(std::floor(std::log10(passo) + 1e-9)));
    if (std::abs(passo / std::pow(10.0, -decimali) - 2.5) < 1e-9) ++decimali;
    const auto primo = static_cast<long>(std::floor(minimo / passo + 1e-9));
    const auto ultimo = static_cast<long>(std::ceil(massimo / passo - 1e-9));
    Asse a;
    a.titolo = std::move(titolo);
    a.minimo = static_cast<double>(primo) * passo;
    a.massimo = static_cast<double>(ultimo) * passo;
    for (long k = primo; k <= ultimo; ++k) {
        const double v = k == 0 ? 0.0 : static_cast<double>(k) * passo;
        a.tacche.push_back({v, redazione::fx(v, decimali)});
    }
    return a;
}

}  // namespace tv::relazione

