// Texts and colours of the panel results: rounded values in work units, the spanning symbol, the
// mass distribution, the verdict beside the resistance and the critical-stress label.
#include "panel/testi.h"

#include "panel/controlli.h"

namespace tv::panel {

namespace {

constexpr Rgb kVerdeChiaro{128, 255, 128};
constexpr Rgb kVerde{0, 128, 0};
constexpr Rgb kRossoChiaro{255, 128, 128};
constexpr Rgb kRosso{255, 0, 0};
constexpr Rgb kGiallo{255, 255, 0};
constexpr Rgb kBianco{255, 255, 255};

}  // namespace

TestiPannello testi_pannello(const EsitoPannello& e, double fattore_forze, double fattore_tensioni,
                             const std::string& etichetta_forze, const std::string& unita_tensioni,
                             const text::NumberFormat& fmt) {
    richiedi_positivo(fattore_forze, "fattore delle forze");
    richiedi_positivo(fattore_tensioni, "fattore delle tensioni");

    const auto forza = [&](double daN, const char* nome) {
        return text::rounded(richiedi_finito(daN * fattore_forze, nome), 2, fmt);
    };
    const auto numero = [&](double x, int decimali, const char* nome) {
        return text::rounded(richiedi_finito(x, nome), decimali, fmt);
    };

    TestiPannello t;
    t.campo2 = forza(e.W, "peso totale del pannello");
    t.campo18 = numero(e.Sa, 4, "Sa (accelerazione massima adimensionalizzata)");
    t.campo19 = numero(e.Ta, 4, "Ta (periodo proprio del pannello)");
    t.campo20 = forza(e.Fa, "Fa (forza totale baricentrica)");
    t.campo21 = forza(e.Wa, "Wa (peso efficace del pannello)");
    t.campo22 = forza(e.Rlat, "resistenza laterale di progetto");

    // The deflection is shown in mm whatever the length unit.
    t.campo24 =
        numero(e.arco.deltafreccia * 10.0, 2, "inflessione sotto carico laterale di progetto");
    t.campo25 = text::fixed(richiedi_finito(e.arco.K1, "K1 (coefficiente di inflessione laterale)"),
                            3, fmt);
    t.campo26 = text::fixed(richiedi_finito(e.arco.K2, "K2 (coefficiente di instabilità)"), 3, fmt);

    const double sigma =
        richiedi_finito(e.arco.sigmacrit * fattore_tensioni, "tensione critica di instabilità");
    t.label34 = " = " + text::fixed(sigma, 2, fmt) + " " + unita_tensioni + ")";
    t.label34_sfondo = e.arco.instabilita ? kGiallo : kBianco;

    t.label8 = e.direzione == Direzione::verticale ? "L" : "B";
    t.label3 = "Ripartizione massa verticale / orizzontale = " +
               numero(e.perc_verticale, 1, "ripartizione verticale della massa") + " / " +
               numero(e.perc_orizzontale, 1, "ripartizione orizzontale della massa") + " [%]";

    if (e.ok) {
        t.label28 = etichetta_forze + " > Fa : OK";
        t.campo22_sfondo = kVerdeChiaro;
        t.label28_testo = kVerde;
    } else {
        t.label28 = etichetta_forze + " < Fa : !!!";
        t.campo22_sfondo = kRossoChiaro;
        t.label28_testo = kRosso;
    }
    return t;
}

}  // namespace tv::panel
