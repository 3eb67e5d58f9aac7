// Reading of the job's report data: key lines, continued values and unknown keys kept.
#include "form/dati_relazione.h"

#include "text/encoding.h"

namespace tv::form {

DatiRelazione leggi_dati_relazione(const std::vector<std::string>& righe) {
    DatiRelazione d;
    const std::pair<const char*, std::string DatiRelazione::*> chiavi[] = {
        {"committente", &DatiRelazione::committente}, {"opera", &DatiRelazione::opera},
        {"indirizzo", &DatiRelazione::indirizzo},     {"progettista", &DatiRelazione::progettista},
        {"ordine", &DatiRelazione::ordine},           {"giudizio", &DatiRelazione::giudizio},
        {"note", &DatiRelazione::note}};
    for (std::size_t i = 0; i < righe.size(); ++i) {
        const auto uguale = righe[i].find('=');
        if (uguale == std::string::npos) continue;
        const std::string chiave = text::to_lower(text::trim(righe[i].substr(0, uguale)));
        if (chiave.empty()) continue;
        std::string valore = text::trim(righe[i].substr(uguale + 1));
        // A trailing backslash carries the value on to the next line.
        while (!valore.empty() && valore.back() == '\\' && i + 1 < righe.size()) {
            valore.pop_back();
            valore = text::trim(valore) + "\n" + text::trim(righe[++i]);
        }
        if (!valore.empty() && valore.back() == '\\') valore = text::trim(valore.substr(0, valore.size() - 1));
        bool nota = false;
        for (const auto& [nome, campo] : chiavi)
            if (chiave == nome) {
                d.*campo = valore;
                nota = true;
            }
        if (!nota) d.altre.emplace_back(chiave, valore);
    }
    return d;
}

std::optional<DatiRelazione> leggi_file_relazione(const std::filesystem::path& dir_lavoro) {
    const auto righe = text::read_lines(text::find_nocase(dir_lavoro, kFileRelazione));
    if (!righe) return std::nullopt;
    return leggi_dati_relazione(*righe);
}

}  // namespace tv::form
