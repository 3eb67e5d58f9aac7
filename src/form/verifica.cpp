// The check run behind "AGGIORNA": site hazard, site factors, panel demand and resistance.
// Everything is computed first and written to the window only when the whole run succeeded.
#include <cmath>

#include "form/form1.h"
#include "hazard/ricerca.h"
#include "hazard/sito.h"
#include "hazard/spettro.h"
#include "panel/domanda.h"
#include "panel/testi.h"
#include "text/error.h"

namespace tv::form {

namespace {

// A locale number from a field already accepted by validation.
double campo_locale(const StatoFinestra& s, int i, const text::NumberFormat& f) {
    return *text::parse_number(s.text1[static_cast<std::size_t>(i)], f);
}

double campo_punto(const StatoFinestra& s, int i, const text::NumberFormat& f) {
    return *text::parse_dot_or_locale(s.text1[static_cast<std::size_t>(i)], f);
}

}  // namespace

bool Form1::Command1_Click(int index) {
    if (index != 0) return false;
    campo_rifiutato_ = -1;
    // Only texts that validation accepts are computed from: a job file or a pick can put a
    // text there that the user never had to confirm.
    for (int i : kCampiIngresso) {
        if (auto motivo = motivo_rifiuto(i)) {
            campo_rifiutato_ = i;
            mostra(*motivo, "Input errato");
            return false;
        }
    }
    try {
        const auto& f = formato_;
        const double t1 = campo_locale(stato, 1, f);

        hazard::DatiSito sito;
        sito.lon = campo_punto(stato, 6, f);
        sito.lat = campo_punto(stato, 7, f);
        sito.VN = campo_punto(stato, 8, f);
        sito.PVR = campo_punto(stato, 9, f);
        sito.Cu = campo_punto(stato, 10, f);
        const auto griglia = griglia_->ricerca([this] { return file_griglia(); });
        const hazard::RisultatoSito h = hazard::interpola_sito(*griglia, sito);
        const hazard::Spettro sp = hazard::spettro(stato.text1[5], stato.text1[4], h.ag, h.F0, f);

        panel::DatiPannello p{};
        p.L = campo_locale(stato, 12, f) / unita.fattore_lunghezze;
        p.B = campo_locale(stato, 11, f) / unita.fattore_lunghezze;
        p.t = campo_locale(stato, 13, f) / unita.fattore_lunghezze;
        p.gamma = campo_locale(stato, 14, f) / unita.fattore_pesi_specifici;
        p.fd = campo_locale(stato, 15, f) / unita.fattore_tensioni;
        p.E = campo_locale(stato, 23, f) / unita.fattore_tensioni;
        p.Z = campo_locale(stato, 16, f) / unita.fattore_lunghezze;
        p.qa = campo_locale(stato, 3, f);
        p.vincoli = panel::Vincoli{stato.check1[0], stato.check1[1], stato.check1[3]};
        p.H = campo_locale(stato, 17, f) / unita.fattore_lunghezze;
        const panel::EsitoPannello e = panel::verifica_pannello(p, panel::DatiSito{h.ag, sp.s, t1});
        const panel::TestiPannello tx =
            panel::testi_pannello(e, unita.fattore_forze, unita.fattore_tensioni,
                                  unita.etichetta_forze, unita.unita_tensioni, f);

        // The whole run succeeded: write it.
        T1 = t1;
        ag = h.ag;
        auto& v = variabili;
        v.SW_lon = h.cella.SW.lon, v.SW_lat = h.cella.SW.lat;
        v.SE_lon = h.cella.SE.lon, v.SE_lat = h.cella.SE.lat;
        v.NW_lon = h.cella.NW.lon, v.NW_lat = h.cella.NW.lat;
        v.NE_lon = h.cella.NE.lon, v.NE_lat = h.cella.NE.lat;
        v.Dsw = h.Dsw, v.Dse = h.Dse, v.Dnw = h.Dnw, v.Dne = h.Dne;
        v.TR = h.TR, v.F0 = h.F0;
        v.St = sp.St, v.Ss = sp.Ss, v.s = sp.s, v.suolo = sp.suolo;

        auto& t = stato.text1;
        t[0] = text::rounded(h.ag, 4, f);
        stato.label2_6 = text::general(h.VR, f);
        stato.label2_0 = sp.testo_Ss;
        stato.label2_1 = sp.testo_s;
        t[2] = tx.campo2;
        t[24] = tx.campo24;
        t[25] = tx.campo25;
        t[26] = tx.campo26;
        stato.label1[34] = tx.label34;
        stato.label34_sfondo = tx.label34_sfondo;
        stato.label1[8] = tx.label8;
        stato.label3 = tx.label3;
        t[21] = tx.campo21;
        t[19] = tx.campo19;
        t[18] = tx.campo18;
        t[20] = tx.campo20;
        t[22] = tx.campo22;
        stato.text22_sfondo = tx.campo22_sfondo;
        stato.label1[28] = tx.label28;
        stato.label28_testo = tx.label28_testo;
        return true;
    } catch (const Failure& err) {
        mostra(err.what(), err.title());
        return false;
    }
}

}  // namespace tv::form
