// SPDX-License-Identifier: GPL-3.0-or-later
// Texts and colours of a check result: rounded values in work units, the spanning symbol, the
// mass distribution, the verdict beside the resistance and the critical-stress label.
#include "form/testi.h"

#include <array>
#include <cmath>
#include <initializer_list>
#include <string_view>
#include <variant>

#include "panel/controlli.h"
#include "text/encoding.h"

namespace tv::form {

namespace {

constexpr Rgb kVerdeChiaro{128, 255, 128};
constexpr Rgb kVerde{0, 128, 0};
constexpr Rgb kRossoChiaro{255, 128, 128};
constexpr Rgb kRosso{255, 0, 0};
constexpr Rgb kGiallo{255, 255, 0};
constexpr Rgb kBianco{255, 255, 255};

using panel::richiedi_finito;

std::string tabella_2(const AzioneSito& a) {
    const auto* isola = std::get_if<OrigineIsola>(&a.origine);
    if (!isola) return {};
    return "Tabella 2, gruppo " + std::string(isola->gruppo) + " (" + std::string(isola->zona) +
           ")";
}

}  // namespace

std::string testo_fonte(const AzioneSito& a) {
    const std::string t = tabella_2(a);
    return t.empty() ? t : "Pericolosità: isole, " + t;
}

std::string didascalia_fonte(const AzioneSito& a) {
    const std::string t = tabella_2(a);
    return t.empty() ? t : "Isole, " + t;
}

std::string colonna_fonte(const AzioneSito& a) {
    const auto* isola = std::get_if<OrigineIsola>(&a.origine);
    if (!isola) return "griglia";
    return std::string(isola->gruppo) + " " + std::string(isola->zona);
}

std::string nota_VR(const AzioneSito& a, const text::NumberFormat& fmt) {
    if (!(a.VN_Cu < a.VR)) return {};
    return "VR = VN·Cu = " + text::rounded(a.VN_Cu, 4, fmt) + " anni; minimo " +
           text::general(a.VR, fmt) + " anni (Circolare 2019 Tab. C2.4.I)";
}

namespace {
// The pieces of a message joined with one allocation: a batch writes warnings on many rows.
std::string unisci(std::initializer_list<std::string_view> pezzi) {
    std::size_t n = 0;
    for (std::string_view p : pezzi) n += p.size();
    std::string out;
    out.reserve(n);
    for (std::string_view p : pezzi) out += p;
    return out;
}
}  // namespace

std::string testo_avviso(const Avviso& a, const text::NumberFormat& fmt) {
    const auto n = [&](double x) { return text::rounded(x, 4, fmt); };
    const auto s = [&](double x) { return text::rounded(x, 2, fmt); };
    switch (a.tipo) {
        case TipoAvviso::Z_sopra_H:
            return "Z (quota baricentro) maggiore di H (altezza edificio)";
        case TipoAvviso::t_L:
            return "t (spessore) non minore di L (altezza)";
        case TipoAvviso::t_B:
            return "t (spessore) non minore di B (lunghezza in pianta)";
        case TipoAvviso::snellezza:
            return unisci({"Snellezza l_a/t = ", s(a.valore), " maggiore di ", n(a.massimo)});
        case TipoAvviso::St:
            return unisci({"St = ", n(a.valore), " fuori dai valori usuali da ", n(a.minimo),
                           " a ", n(a.massimo), " (NTC 2018 Tab. 3.2.V)"});
        case TipoAvviso::Cu:
            return unisci({"Cu = ", n(a.valore), " diverso da ", n(0.7), ", ", n(1.0), ", ",
                           n(1.5), " e ", n(2.0), " (tab. 2.4.II)"});
        case TipoAvviso::qa:
            return unisci({"qa = ", n(a.valore), " diverso da 1 e da 2"});
        case TipoAvviso::qa_mensola:
            return unisci({"qa = ", n(a.valore),
                           " diverso da 1, il valore per le mensole (Circolare 2019, Tab. C7.2.I)"});
        case TipoAvviso::T1:
            return unisci({"T1 = ", n(a.valore), " s fuori da ", s(a.minimo), " a ", s(a.massimo),
                           " s (metà e doppio di ", n(0.05), "·H^", n(0.75), ", H in m)"});
        case TipoAvviso::fuori_maglia:
            if (!std::isfinite(a.valore))
                return "Sito fuori da ogni maglia completa del reticolo (nessuna entro tre nodi "
                       "dal più vicino): nodi scelti dal più vicino";
            return "Sito fuori da ogni maglia completa del reticolo, a " +
                   text::rounded(a.valore * 1000, 0, fmt) +
                   " m dalla più vicina: nodi scelti dal più vicino";
    }
    return {};
}

std::vector<std::string> testi_avvisi(const std::vector<Avviso>& avvisi,
                                      const text::NumberFormat& fmt) {
    std::vector<std::string> out;
    out.reserve(avvisi.size());
    for (const auto& a : avvisi) out.push_back(testo_avviso(a, fmt));
    return out;
}

TestiRisultato testi_risultato(const RisultatoVerifica& r, double fattore_forze,
                               double fattore_tensioni, const std::string& etichetta_forze,
                               const std::string& unita_tensioni, const text::NumberFormat& fmt,
                               Ampiezza ampiezza) {
    panel::richiedi_positivo(fattore_forze, "fattore delle forze");
    panel::richiedi_positivo(fattore_tensioni, "fattore delle tensioni");

    const auto forza = [&](double daN, const char* nome) {
        return text::rounded(richiedi_finito(daN * fattore_forze, nome), 2, fmt);
    };
    const auto numero = [&](double x, int decimali, const char* nome) {
        return text::rounded(richiedi_finito(x, nome), decimali, fmt);
    };
    const panel::EsitoPannello& e = r.pannello;

    TestiRisultato t;
    t.ag = text::rounded(r.azione.ag, 4, fmt);
    t.VR = text::general(r.azione.VR, fmt);
    t.Ss = text::rounded(r.azione.spettro.Ss, 3, fmt);
    t.S = text::rounded(r.azione.spettro.s, 3, fmt);
    t.W = forza(e.W, "peso totale del pannello");
    t.Sa = numero(e.Sa, 4, "Sa (accelerazione massima adimensionalizzata)");
    t.Ta = numero(e.Ta, 4, "Ta (periodo proprio del pannello)");
    t.Fa = forza(e.Fa, "Fa (forza totale baricentrica)");
    t.Wa = forza(e.Wa, "Wa (peso efficace del pannello)");
    t.Rlat = forza(e.Rlat, "resistenza laterale di progetto");

    // The arch's fields: the deflection in mm whatever the length unit; a cantilever has none.
    double sigma = 0.0;
    bool instabilita = false;
    std::visit(
        panel::Overloaded{
            [&](const panel::Freccia& a) {
                t.d = numero(a.deltafreccia * 10.0, 2,
                             "inflessione sotto carico laterale di progetto");
                t.K1 = text::fixed(
                    richiedi_finito(a.K1, "K1 (coefficiente di inflessione laterale)"), 3, fmt);
                t.K2 =
                    text::fixed(richiedi_finito(a.K2, "K2 (coefficiente di instabilità)"), 3, fmt);
                sigma = richiedi_finito(a.sigmacrit * fattore_tensioni,
                                        "tensione critica di instabilità");
                if (ampiezza == Ampiezza::tutto)
                    t.critica = " = " + text::fixed(sigma, 2, fmt) + " " + unita_tensioni + ")";
                instabilita = a.instabilita;
            },
            [&](const panel::Mensola&) {
                t.d = t.K1 = t.K2 = kNessunValore;
                t.critica = std::string(" = ") + kNessunValore + ")";
            }},
        e.resistenza);

    t.campata = e.direzione == panel::Direzione::verticale ? "L" : "B";
    if (ampiezza == Ampiezza::valori) {
        richiedi_finito(e.perc_verticale, "ripartizione verticale della massa");
        richiedi_finito(e.perc_orizzontale, "ripartizione orizzontale della massa");
        t.critica.clear();
        return t;
    }
    t.fonte = didascalia_fonte(r.azione);
    t.nota_VR = nota_VR(r.azione, fmt);
    t.avvisi = testi_avvisi(r.avvisi, fmt);
    t.sfondo_critica = instabilita ? kGiallo : kBianco;

    t.ripartizione =
        std::holds_alternative<panel::Mensola>(e.resistenza)
            ? std::string(kRipartizioneMensola)
            : "Ripartizione massa verticale / orizzontale = " +
                  numero(e.perc_verticale, 1, "ripartizione verticale della massa") + " / " +
                  numero(e.perc_orizzontale, 1, "ripartizione orizzontale della massa") + " [%]";

    t.verdetto = etichetta_forze + " " + (r.ok ? kVerdettoOk : kVerdettoNo);
    t.sfondo_Rlat = r.ok ? kVerdeChiaro : kRossoChiaro;
    t.colore_verdetto = r.ok ? kVerde : kRosso;
    return t;
}

TestiRisultato testi_risultato(const RisultatoVerifica& r, const units::Unita& u,
                               const text::NumberFormat& fmt, Ampiezza ampiezza) {
    return testi_risultato(r, u.fattore_forze, u.fattore_tensioni, u.etichetta_forze,
                           u.unita_tensioni, fmt, ampiezza);
}

void scrivi_campi(const TestiRisultato& t, TestiCampi& testi) {
    auto campo = [&](Campo c) -> std::string& { return testi[c]; };
    campo(Campo::ag) = t.ag;
    campo(Campo::W) = t.W;
    campo(Campo::d) = t.d;
    campo(Campo::K1) = t.K1;
    campo(Campo::K2) = t.K2;
    campo(Campo::Wa) = t.Wa;
    campo(Campo::Ta) = t.Ta;
    campo(Campo::Sa) = t.Sa;
    campo(Campo::Fa) = t.Fa;
    campo(Campo::Rlat) = t.Rlat;
}

}  // namespace tv::form
