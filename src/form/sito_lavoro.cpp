// SPDX-License-Identifier: GPL-3.0-or-later
// The job file of a job's own site, in the format start-up reads: Windows-1252, CR LF.
#include "form/sito_lavoro.h"

#include <system_error>

#include "form/avvio.h"
#include "form/campi.h"
#include "form/lavoro.h"
#include "hazard/spettro.h"
#include "text/encoding.h"
#include "text/file_atomico.h"

namespace tv::form {
namespace fs = std::filesystem;

bool sito_lavoro_scrivibile(const fs::path& dir_lavoro) {
    const auto file = file_lavoro(dir_lavoro);
    if (!file) return true;
    // dinamica.txt, or a sismica_2008.txt of another program, stays as its program wrote it.
    if (text::to_lower(file->filename().string()) != kFileSitoLavoro) return false;
    const auto righe = text::read_lines(*file);
    return righe && !righe->empty() && text::trim((*righe)[0]) == kIntestazioneSitoLavoro;
}

std::optional<std::string> testo_sito_lavoro(const TestiCampi& testi,
                                             hazard::Datum datum, const std::string& localita,
                                             const text::NumberFormat& formato) {
    const auto numero = [&](Campo c) { return numero_di_testo(c, testi[c], formato); };
    const auto lat = numero(Campo::lat), lon = numero(Campo::lon);
    const auto St = numero(Campo::St), VN = numero(Campo::VN), Cu = numero(Campo::Cu);
    const auto suolo = suolo_di_testo(testi[Campo::suolo]);
    if (!lat || !lon || !St || !VN || !Cu || !suolo) return std::nullopt;
    // The job file is in ED50, the grid's system, with six decimals (about 0.1 m).
    const hazard::Geografiche ed50 = hazard::in_ed50({*lat, *lon}, datum);
    const text::NumberFormat& punto = text::dot_format();
    std::string out = std::string(kIntestazioneSitoLavoro) + "\r\n\r\n";
    out += "Località " + localita + (localita.empty() ? "" : " ") + "(long. " +
           text::fixed(ed50.lon, 6, punto) + "  lat. " + text::fixed(ed50.lat, 6, punto) + " )\r\n";
    out += std::string("Categoria di sottosuolo di fondazione = ") +
           hazard::lettera(*suolo) + "\r\n";
    out += "Categoria topografica - coefficiente di amplificazione topografica = " +
           text::general(*St, punto) + "\r\n";
    out += "Vita nominale VN = " + text::general(*VN, punto) + " anni\r\n";
    out += "Classe d'uso - coefficiente d'uso Cu = " + text::general(*Cu, punto) + "\r\n";
    return text::encode_cp1252(out);
}

std::optional<std::string> scrivi_sito_lavoro(const fs::path& dir_lavoro,
                                              const TestiCampi& testi,
                                              hazard::Datum datum, const std::string& localita,
                                              const text::NumberFormat& formato) {
    if (!sito_lavoro_scrivibile(dir_lavoro))
        return "Il file della commessa \"" + file_lavoro(dir_lavoro)->string() +
               "\" è stato scritto da un altro programma: il sito del lavoro non viene cambiato.";
    const auto testo = testo_sito_lavoro(testi, datum, localita, formato);
    if (!testo) return std::string("Dati del sito non validi: correggere i campi del sito.");
    const fs::path file = dir_lavoro / kFileSitoLavoro;
    if (const auto e = text::scrivi_file_intero(file, *testo))
        return "Impossibile scrivere il file \"" + file.string() + "\": " + *e + ".";
    return std::nullopt;
}

}  // namespace tv::form
