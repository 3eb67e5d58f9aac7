// Reading and writing of the job's report data: key lines, continued values, unknown keys kept.
#include "form/dati_relazione.h"

#include "text/encoding.h"

namespace tv::form {

namespace {

using Campo = std::pair<const char*, std::string DatiRelazione::*>;
constexpr Campo kChiavi[] = {
    {"committente", &DatiRelazione::committente}, {"opera", &DatiRelazione::opera},
    {"indirizzo", &DatiRelazione::indirizzo},     {"progettista", &DatiRelazione::progettista},
    {"ordine", &DatiRelazione::ordine},           {"giudizio", &DatiRelazione::giudizio},
    {"note", &DatiRelazione::note}};

void riga(std::string& testo, const std::string& chiave, const std::string& valore) {
    testo += chiave + " =";
    std::size_t inizio = 0;
    for (;;) {
        const auto fine = valore.find('\n', inizio);
        const std::string parte = text::trim(valore.substr(inizio, fine - inizio));
        if (!parte.empty()) testo += (testo.back() == '\n' ? "" : " ") + parte;
        if (fine == std::string::npos) break;
        testo += testo.back() == '\n' ? "\\\n" : " \\\n";
        inizio = fine + 1;
    }
    testo += '\n';
}

}  // namespace

DatiRelazione leggi_dati_relazione(const std::vector<std::string>& righe) {
    DatiRelazione d;
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
        for (const auto& [nome, campo] : kChiavi)
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

std::string testo_dati_relazione(const DatiRelazione& d) {
    std::string testo;
    for (const auto& [nome, campo] : kChiavi) riga(testo, nome, d.*campo);
    for (const auto& [chiave, valore] : d.altre) riga(testo, chiave, valore);
    return testo;
}

}  // namespace tv::form
