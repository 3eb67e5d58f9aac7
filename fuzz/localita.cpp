// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the locality list and the pick of one of its lines into latitude and longitude,
// then "AGGIORNA". The input's first line is the text typed into the search box, the rest is the
// list file. The search finds the lines holding the text (accents aside), in the file and in
// memory alike.
#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "comune.h"
#include "hazard/localita.h"
#include "text/error.h"

namespace {
using namespace tv;
using fuzz::ambiente;
using fuzz::richiedi;

// The window after start-up, copied for every input.
const form::Form1& avviata() {
    static form::RaccoltaMessaggi m;
    static const std::unique_ptr<form::Form1> f = [] {
        auto f = std::make_unique<form::Form1>(m, text::dot_format());
        richiedi(ambiente().avvia(*f), "avvio della suite di prova");
        return f;
    }();
    return *f;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::come_testo(data, size);
    const std::size_t a_capo = std::min(input.find('\n'), input.size());
    const std::string digitato(input.substr(0, a_capo));
    const std::string_view file = input.substr(std::min(a_capo + 1, input.size()));

    const std::vector<std::string> righe = text::split_lines(text::decode(file));
    const auto trovate = hazard::cerca_localita(righe, digitato);
    // Typed bytes that are not UTF-8 are searched for as Windows-1252 text.
    const std::string cercato = text::decode(digitato);
    richiedi(trovate.has_value() == (text::char_count(cercato) >= 3), "ricerca con meno di 3 caratteri");
    if (trovate) {
        // Folding accents only widens the match: every line holding the text as typed (letter
        // case aside) is found, and every line found is a line of the list, once.
        std::size_t attese = 0;
        for (const auto& r : righe) attese += text::contains_nocase(r, cercato) ? 1 : 0;
        richiedi(trovate->size() >= attese, "righe che contengono il testo non trovate");
        std::multiset<std::string> restanti(righe.begin(), righe.end());
        for (const auto& t : *trovate) {
            const auto it = restanti.find(t);
            richiedi(it != restanti.end(), "riga trovata che non è nella lista");
            if (it != restanti.end()) restanti.erase(it);
        }
    }

    // A file without lines is reported by name instead of matching nothing.
    const bool vuoto = trovate && righe.empty();
    const auto percorso = ambiente().suite().progra() / "coordinate_localita.txt";
    form::prova::scrivi(percorso, file);
    try {
        richiedi(hazard::cerca_localita(percorso, digitato) == trovate,
                 "file e memoria in disaccordo");
        richiedi(!vuoto, "file vuoto senza messaggio");
    } catch (const Failure& e) {
        richiedi(vuoto && std::string(e.what()).find(percorso.string()) != std::string::npos,
                 std::string("ricerca fermata: ") + e.what());
    }

    form::RaccoltaMessaggi m;
    form::Form1 f = avviata();
    f.imposta_messaggi(m);
    const auto lista_prima = f.stato.combo_list;
    f.imposta_testo_combo(digitato);
    richiedi(m.elenco.size() == (vuoto ? 1u : 0u), "messaggi della ricerca");
    richiedi(f.stato.combo_list == (vuoto ? std::vector<std::string>{} : trovate.value_or(lista_prima)),
             "lista della ricerca");
    m.elenco.clear();
    if (!f.stato.combo_list.empty()) {
        const std::size_t scelta = size % f.stato.combo_list.size();
        const auto campi = hazard::scegli_localita(f.stato.combo_list[scelta]);
        const auto prima = f.stato.pannello.testi;
        f.Combo1_Click(static_cast<int>(scelta));
        constexpr auto lat = form::Campo::lat;
        constexpr auto lon = form::Campo::lon;
        richiedi(f.stato.pannello.testi[lat] == (campi ? campi->first : prima[lat]) &&
                     f.stato.pannello.testi[lon] == (campi ? campi->second : prima[lon]),
                 "scelta della località");
    }
    fuzz::aggiorna(f, m);
    f.imposta_formato(form::prova::formato_virgola());
    fuzz::aggiorna(f, m);
    return 0;
}
