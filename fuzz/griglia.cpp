// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the hazard grid file, read whole and as a stream whose first piece ends inside the
// records, each record read again alone; then the indexed searches against the linear scans, and
// the site interpolation.
// A grid is refused with a message naming the file, or every answer is the scan's answer and
// every site value is finite.
#include <cmath>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>

#include "comune.h"
#include "hazard/indice.h"
#include "hazard/ricerca.h"
#include "hazard/sito.h"
#include "text/error.h"

namespace {
using namespace tv;
using fuzz::richiedi;
using hazard::Griglia;
using hazard::PuntoGriglia;

constexpr std::size_t kPezzo = 1 << 16;  // the stream reader's piece

struct Lettura {
    std::optional<Griglia> grid;
    std::string errore;
};

template <class F>
Lettura leggi(F&& f) {
    Lettura l;
    try {
        l.grid = f();
    } catch (const Failure& e) {
        l.errore = e.what();
        richiedi(l.errore.find("\"griglia\"") != std::string::npos,
                 "messaggio senza il nome del file: " + l.errore);
        richiedi(text::is_valid_utf8(l.errore), "messaggio non UTF-8");
    }
    return l;
}

bool stessi_punti(const Griglia& a, const Griglia& b) {
    if (a.points.size() != b.points.size()) return false;
    for (std::size_t i = 0; i < a.points.size(); ++i) {
        const PuntoGriglia& p = a.points[i];
        const PuntoGriglia& q = b.points[i];
        if (p.cod != q.cod || p.lon != q.lon || p.lat != q.lat || p.dati != q.dati) return false;
    }
    return true;
}

// Position of an answer in its grid, -1 for none.
std::ptrdiff_t posizione(const PuntoGriglia* p, const Griglia& g) {
    return p ? p - g.points.data() : -1;
}

void confronta_ricerche(const hazard::GrigliaIndicizzata& idx, const hazard::RicercaLineare& lin,
                        double lon, double lat, std::int64_t cod) {
    richiedi(posizione(idx.nearest(lon, lat), idx.grid()) ==
                 posizione(lin.nearest(lon, lat), lin.grid()),
             "punto più vicino diverso dalla scansione");
    richiedi(posizione(idx.by_code(cod), idx.grid()) == posizione(lin.by_code(cod), lin.grid()),
             "punto per codice diverso dalla scansione");
}

void confronta_sito(const hazard::GrigliaIndicizzata& idx, const hazard::RicercaLineare& lin,
                    const hazard::DatiSito& sito) {
    std::optional<hazard::RisultatoSito> a, b;
    std::string ea, eb;
    try {
        a = hazard::interpola_sito(idx, sito);
    } catch (const Failure& e) {
        ea = e.what();
    }
    try {
        b = hazard::interpola_sito(lin, sito);
    } catch (const Failure& e) {
        eb = e.what();
    }
    richiedi(ea == eb, "interpolazione: messaggi diversi \"" + ea + "\" e \"" + eb + "\"");
    if (!a) return;
    richiedi(b && a->ag == b->ag && a->F0 == b->F0, "interpolazione diversa dalla scansione");
    richiedi(std::isfinite(a->ag) && a->ag > 0 && std::isfinite(a->F0) && a->F0 > 0,
             "ag o F0 del sito non finiti o non positivi");
    richiedi(a->TR >= 30 && a->TR <= 2475, "periodo di ritorno fuori dai limiti");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::come_testo(data, size);
    const Lettura intera = leggi([&] { return hazard::leggi_griglia(bytes, "griglia"); });

    // The same records behind a longer header, so that the stream's first piece ends halfway.
    std::string lungo(kPezzo - 1 - size / 2, 'H');
    lungo += bytes;
    std::istringstream in(lungo);
    const Lettura flusso = leggi([&] { return hazard::leggi_griglia(in, "griglia", lungo.size()); });
    richiedi(intera.errore == flusso.errore,
             "lettura intera e a pezzi in disaccordo: \"" + intera.errore + "\" e \"" +
                 flusso.errore + "\"");
    if (!intera.grid) return 0;
    richiedi(flusso.grid && stessi_punti(*intera.grid, *flusso.grid),
             "lettura intera e a pezzi danno punti diversi");

    // Each record read again alone, from where the reader found it, is the same record.
    hazard::LettoreGriglia lettore(bytes, "griglia");
    for (PuntoGriglia p; lettore.prossimo(p);) {
        const PuntoGriglia q = hazard::LettoreGriglia::record_solo(
            bytes.substr(lettore.inizio_record(), lettore.fine_record() - lettore.inizio_record()),
            "griglia");
        richiedi(q.cod == p.cod && q.lon == p.lon && q.lat == p.lat && q.dati == p.dati,
                 "record letto di nuovo diverso");
    }

    const Griglia& g = *intera.grid;
    const hazard::RicercaLineare lin(g);
    // Searches by the bands of latitude, then by the tree.
    for (const std::size_t a_bande : {std::size_t{1000}, std::size_t{0}}) {
        const hazard::GrigliaIndicizzata idx(g, a_bande);
        const std::size_t n = std::min<std::size_t>(g.points.size(), 16);
        for (std::size_t i = 0; i < n; ++i) {
            const PuntoGriglia& p = g.points[i];
            confronta_ricerche(idx, lin, p.lon, p.lat, p.cod);
            confronta_ricerche(idx, lin, p.lon + 0.031, p.lat - 0.017, p.cod + 1);
            confronta_ricerche(idx, lin, -p.lon, p.lat + 90, p.cod - 1);
            if (i < 6) {
                hazard::DatiSito sito;
                sito.lon = p.lon + 0.02;
                sito.lat = p.lat + 0.01 * static_cast<double>(i % 3);
                sito.PVR = 2.0 + 13.0 * static_cast<double>(i);
                confronta_sito(idx, lin, sito);
            }
        }
    }
    return 0;
}
