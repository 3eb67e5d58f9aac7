// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the job files "sismica_2008.txt" and "dinamica.txt", read by a whole start-up of
// the window (site fields, locality search, building period), then "AGGIORNA". The first byte
// picks the file: "D" for dinamica.txt, anything else for sismica_2008.txt; the rest is its text.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "comune.h"
#include "form/avvio.h"
#include "text/number_text.h"

namespace {
using namespace tv;
using fuzz::ambiente;
using fuzz::richiedi;

void avvio(const form::DatiLavoro& dati, const text::NumberFormat& formato) {
    form::RaccoltaMessaggi m;
    form::Form1 f(m, formato);
    richiedi(ambiente().avvia(f), "un file di lavoro ha fermato l'avvio");
    const auto& t = f.stato.pannello.testi;
    // What the job file gave is in the fields, and the building period is a number; a
    // coordinate with a decimal comma is refused with both of them.
    const auto virgola = [](const std::optional<std::string>& v) {
        return v && v->find(',') != std::string::npos;
    };
    // A number is shown with the locale's decimal separator, digits as in the file.
    const auto mostrato = [&](const std::string& v) {
        if (!text::parse_number(v, text::dot_format())) return v;
        std::string out;
        for (char c : v) out += c == '.' ? formato.decimal : std::string(1, c);
        return out;
    };
    if (!virgola(dati.longitudine) && !virgola(dati.latitudine)) {
        if (dati.longitudine)
            richiedi(t[form::Campo::lon] == mostrato(*dati.longitudine), "longitudine non copiata");
        if (dati.latitudine) richiedi(t[form::Campo::lat] == mostrato(*dati.latitudine), "latitudine non copiata");
    }
    if (dati.localita) richiedi(f.stato.combo_text == *dati.localita, "località non copiata");
    richiedi(std::isfinite(f.T1) && f.T1 > 0, "T1 non valido dopo l'avvio");
    richiedi(fuzz::numero_finito(t[form::Campo::T1], formato), "T1 non numerico dopo l'avvio: \"" + t[form::Campo::T1] + "\"");
    fuzz::aggiorna(f, m);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool dinamica = data[0] == 'D';
    const std::string_view bytes = fuzz::come_testo(data + 1, size - 1);
    const auto dir = ambiente().suite().lavoro();
    std::error_code ec;
    std::filesystem::remove(dir / "sismica_2008.txt", ec);
    std::filesystem::remove(dir / "dinamica.txt", ec);
    form::prova::scrivi(dir / (dinamica ? "dinamica.txt" : "sismica_2008.txt"), bytes);

    const form::DatiLavoro dati = form::analizza_lavoro(text::split_lines(text::decode(bytes)));
    for (const auto* v : {&dati.localita, &dati.longitudine, &dati.latitudine, &dati.suolo,
                          &dati.St, &dati.VN, &dati.Cu})
        if (*v) richiedi(text::is_valid_utf8(**v), "testo non UTF-8 dal file di lavoro");
    avvio(dati, text::dot_format());
    avvio(dati, form::prova::formato_virgola());
    return 0;
}
