// Fuzz target: what the user types into the input fields, then "AGGIORNA". The input's lines
// go to fields 1, 3 to 17 and 23 in turn (fields without a line keep their start-up text); the
// first byte also sets the three restraint toggles. Each field is validated as the window does;
// the run then either completes with finite results and an honest verdict, or stops with one
// message and leaves the window as it was.
#include <cstdint>
#include <memory>
#include <string>

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

void prova(std::string_view input, const text::NumberFormat& formato) {
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
        f.stato.text1[static_cast<std::size_t>(campo)] = righe[i];
        const std::size_t prima = m.elenco.size();
        const bool rifiutato = f.Text1_Validate(campo);
        richiedi(rifiutato == (m.elenco.size() == prima + 1), "rifiuto senza messaggio");
        if (rifiutato) {
            const auto& msg = m.elenco.back();
            richiedi(msg.titolo == "Input errato", "titolo del rifiuto: " + msg.titolo);
            richiedi(msg.testo == (campo == 4 ? "Accettati solo terreni tipo A, B, C, D, E"
                                              : "Richiesto valore numerico"),
                     "testo del rifiuto: " + msg.testo);
        }
    }
    fuzz::aggiorna(f, m);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = fuzz::come_testo(data, size);
    prova(input, text::dot_format());
    prova(input, form::prova::formato_virgola());
    return 0;
}
