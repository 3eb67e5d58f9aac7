// SPDX-License-Identifier: GPL-3.0-or-later
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

// The backslashes ending a line: an odd count carries the value on to the next line (the last
// one and the blanks before it go), and each pair left stands for one backslash of the value.
bool continua(std::string& v) {
    const auto coda = [&v] {
        std::size_t n = 0;
        while (n < v.size() && v[v.size() - 1 - n] == '\\') ++n;
        return n;
    };
    std::size_t n = coda();
    const bool segue = n % 2 == 1;
    if (segue) {
        v = text::trim(v.substr(0, v.size() - 1));
        n = coda();
    }
    v.resize(v.size() - n / 2);
    return segue;
}

void riga(std::string& testo, const std::string& chiave, const std::string& valore) {
    testo += chiave + " =";
    std::size_t inizio = 0;
    for (;;) {
        const auto fine = valore.find('\n', inizio);
        std::string parte = text::trim(valore.substr(inizio, fine - inizio));
        std::size_t n = 0;  // its ending backslashes doubled: no continuation when read
        while (n < parte.size() && parte[parte.size() - 1 - n] == '\\') ++n;
        parte.append(n, '\\');
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
        // An unknown key is kept as written; the program's keys are found in any letter case.
        const std::string chiave = text::trim(righe[i].substr(0, uguale));
        if (chiave.empty()) continue;
        std::string valore = text::trim(righe[i].substr(uguale + 1));
        for (bool segue = continua(valore); segue;) {
            if (i + 1 == righe.size()) break;
            std::string dopo = text::trim(righe[++i]);
            segue = continua(dopo);
            valore += "\n" + dopo;
        }
        bool nota = false;
        for (const auto& [nome, campo] : kChiavi)
            if (text::to_lower(chiave) == nome) {
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
