// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: what the user types into the input fields, then "AGGIORNA". The input's lines
// go to fields 1, 3 to 17 and 23 in turn (fields without a line keep their start-up text); the
// first byte also sets the three restraint toggles. Each field is validated as the window does;
// the run then either completes with finite results and an honest verdict, or stops with one
// message and leaves the window as it was. With bit 3 of the first byte set, the lines are the
// command line's instead: the first one the --demand word, the others --set texts, each after
// "NAME=" of its field when bit 4 is set and as written otherwise.
#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "cli/comandi.h"
#include "form/testi.h"
#include "comune.h"

namespace {
using namespace tv;
using fuzz::richiedi;


const form::Form1& avviata() {
    static const fuzz::Ambiente a;
    static form::RaccoltaMessaggi m;
    static const std::unique_ptr<form::Form1> f = [] {
        auto f = std::make_unique<form::Form1>(m, text::dot_format());
        richiedi(a.avvia(*f), "avvio della suite di prova");
        return f;
    }();
    return *f;
}

// The same suite started as the command line starts it, with the grid in memory.
const cli::Avvio& avvio_cli() {
    static const fuzz::Ambiente a;
    static const std::optional<cli::Avvio> v = [] {
        std::ostringstream err;
        auto v = cli::avvia_da_opzioni(std::nullopt, a.suite().args(), a.suite().root(), err);
        richiedi(v.has_value(), "avvio della suite di prova");
        v->griglia = a.griglia();
        return v;
    }();
    return *v;
}

// check --json on the started job: exit 0 with a completed run of the formula asked, 1 with a
// stopped one, 2 with a refused option, its message written both as text and as JSON.
void riga_di_comando(std::string_view input) {
    const auto bit = [&](int b) { return (static_cast<unsigned char>(input[0]) >> b & 1) != 0; };
    const auto righe = text::split_lines(input.substr(1));
    cli::OpzioniCheck o;
    o.json = true;
    if (!righe.empty()) o.demand = righe[0];
    for (std::size_t i = 1; i < righe.size() && i <= form::kCampiIngresso.size(); ++i)
        o.set.push_back(bit(4) ? std::string(form::dati_campo(form::kCampiIngresso[i - 1]).nome) +
                                     "=" + righe[i]
                               : righe[i]);
    std::ostringstream out, err;
    const int codice = cli::esegui_check_su(avvio_cli(), o, out, err);
    richiedi(codice >= 0 && codice <= 2, "codice d'uscita " + std::to_string(codice));
    richiedi(text::is_valid_utf8(err.str()), "messaggio non UTF-8");
    const auto j = nlohmann::json::parse(out.str());
    if (codice == 2) {
        // The refusal on the error stream, and the same text as the JSON object's one message.
        std::string testo = err.str();
        if (testo.ends_with("\n")) testo.pop_back();
        richiedi(!testo.empty(), "opzione rifiutata in silenzio");
        richiedi(j["refused"] == true && j["completed"] == false &&
                     j["messages"] == nlohmann::json::array({testo}),
                 "rifiuto diverso nel JSON: " + out.str());
        return;
    }
    richiedi(j["completed"] == (codice == 0), "\"completed\" contro il codice d'uscita");
    const auto formula = o.demand ? panel::formula_di_nome(*o.demand) : panel::FormulaDomanda::ec8;
    richiedi(formula && j["demand"] == std::string(panel::descrizione(*formula).parola), "\"demand\" diverso");
    if (codice == 0)
        richiedi(j["hazard_source"].is_string() && j["nodes"].size() ==
                                                       (j["hazard_source"] == "grid" ? 4u : 0u),
                 "fonte e nodi discordi");
}

void esegui_campi(std::string_view input, const text::NumberFormat& formato) {
    form::RaccoltaMessaggi m;
    form::Form1 f = avviata();
    f.imposta_messaggi(m);
    f.imposta_formato(formato);
    if (!input.empty()) {
        const auto bit = [&](int b) { return (static_cast<unsigned char>(input[0]) >> b & 1) != 0; };
        f.imposta_check(1, bit(0));
        f.imposta_check(3, bit(1));
        f.imposta_check(0, bit(2));
    }
    const auto righe = text::split_lines(input);
    for (std::size_t i = 0; i < righe.size() && i < form::kCampiIngresso.size(); ++i) {
        const int campo = form::indice(form::kCampiIngresso[i]);
        f.stato.pannello.testi[form::kCampiIngresso[i]] = righe[i];
        const std::size_t prima = m.elenco.size();
        const bool rifiutato = f.Text1_Validate(campo);
        richiedi(rifiutato == (m.elenco.size() == prima + 1), "rifiuto senza messaggio");
        if (rifiutato) {
            const auto& msg = m.elenco.back();
            richiedi(msg.titolo == "Input errato", "titolo del rifiuto: " + msg.titolo);
            // Not a number (or no soil letter), or a number out of the field's range.
            const std::string fuori = "Valore non valido: " +
                                      std::string(form::nome_esteso(form::kCampiIngresso[i])) +
                                      " deve essere ";
            richiedi(msg.testo == (campo == 4 ? "Accettati solo terreni tipo A, B, C, D, E"
                                              : "Richiesto valore numerico") ||
                         msg.testo.starts_with(fuori),
                     "testo del rifiuto: " + msg.testo);
        }
    }
    fuzz::aggiorna(f, m);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::come_testo(data, size);
    if (size > 0 && (data[0] & 8) != 0) {
        riga_di_comando(input);
        return 0;
    }
    esegui_campi(input, text::dot_format());
    esegui_campi(input, form::prova::formato_virgola());
    return 0;
}
