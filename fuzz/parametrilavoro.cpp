// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the job's work settings file "parametrilavoro", read in memory and then by a
// whole start-up of the window. Either the units are refused with a message naming the file,
// or every factor is finite and above 0 and the check run keeps its rules.
#include <cmath>
#include <cstdint>
#include <string>

#include "comune.h"
#include "text/error.h"
#include "units/unita.h"

namespace {
using namespace tv;
using fuzz::ambiente;
using fuzz::richiedi;

// In memory: true when the units were taken.
bool in_memoria(std::string_view bytes) {
    units::Unita u;
    try {
        u.leggi_testo(text::split_lines(text::decode(bytes)), "parametrilavoro");
        u.calcola_fattori("parametrilavoro");
    } catch (const Failure& e) {
        const std::string m = e.what();
        richiedi(m.starts_with("Nel file parametrilavoro "), "messaggio senza il file: " + m);
        richiedi(text::is_valid_utf8(m), "messaggio non UTF-8");
        return false;
    }
    for (double f : {u.fattore_lunghezze, u.fattore_forze, u.fattore_pesi_specifici,
                     u.fattore_tensioni, u.accelerazione_g})
        richiedi(std::isfinite(f) && f > 0, "fattore non finito o non positivo");
    richiedi(u.etichetta_lunghezze == "[" + u.unita_lunghezze + "]", "etichetta delle lunghezze");
    richiedi(u.etichetta_tensioni == "[" + u.unita_tensioni + "]", "etichetta delle tensioni");
    return true;
}

void avvio(bool prese, const text::NumberFormat& formato) {
    form::RaccoltaMessaggi m;
    form::Form1 f(m, formato);
    const bool avviato = ambiente().avvia(f);
    richiedi(avviato == prese, "avvio e lettura in memoria in disaccordo");
    if (!avviato) {
        richiedi(m.elenco.size() == 1 &&
                     m.elenco[0].testo.find("parametrilavoro") != std::string::npos,
                 "avvio fermato senza nominare parametrilavoro");
        return;
    }
    // The fields start-up writes in work units.
    for (const auto& d : form::kTabellaCampi)
        if (d.famiglia != units::Famiglia::nessuna && (d.ingresso || d.campo == form::Campo::W))
            richiedi(fuzz::numero_finito(f.stato.pannello.testi[d.campo], formato),
                     "valore iniziale non numerico nel campo " + std::string(d.nome));
    fuzz::aggiorna(f, m);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes = fuzz::come_testo(data, size);
    const bool prese = in_memoria(bytes);
    form::prova::scrivi(ambiente().suite().lavoro() / "parametrilavoro", bytes);
    avvio(prese, text::dot_format());
    avvio(prese, form::prova::formato_virgola());
    return 0;
}
