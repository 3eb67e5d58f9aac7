// Where each value of a job's site came from.
#include "form/lavoro.h"

#include <algorithm>

#include "text/encoding.h"
#include "text/file_atomico.h"

namespace tv::form {

Provenienza Lavoro::provenienza(Campo c) const {
    bool dal_file = c == Campo::T1 && sito.T1.has_value();
    for (const auto& [campo, membro] : kCampiLavoro)
        if (campo == c) dal_file = (sito.*membro).has_value();
    return dal_file ? Provenienza::file_lavoro : Provenienza::predefinito;
}

std::vector<std::string> elenco_lavori(const std::filesystem::path& dir_lavori) {
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& voce : std::filesystem::directory_iterator(dir_lavori, ec))
        if (voce.is_directory(ec)) out.push_back(voce.path().filename().string());
    std::sort(out.begin(), out.end());
    return out;
}

std::optional<std::string> crea_lavoro(const std::filesystem::path& dir_lavori,
                                       const std::string& nome,
                                       const std::filesystem::path& dir_da) {
    namespace fs = std::filesystem;
    const std::string n = text::trim(nome);
    if (n.empty() || n == "." || n == ".." ||
        n.find_first_of("/\\:*?\"<>|") != std::string::npos)
        return "Nome di lavoro non valido: \"" + n +
               "\" (non può essere vuoto né contenere / \\ : * ? \" < > |).";
    const fs::path dir = dir_lavori / n;
    std::error_code ec;
    if (fs::exists(dir, ec)) return "Il lavoro \"" + n + "\" esiste già.";
    if (!fs::create_directory(dir, ec))
        return "Impossibile creare la cartella \"" + dir.string() + "\": " + ec.message() + ".";
    if (const auto parametri = units::trova_parametrilavoro(dir_da)) {
        const auto testo = text::read_bytes(*parametri);
        const fs::path copia = dir / parametri->filename();
        if (!testo) return "Impossibile leggere il file \"" + parametri->string() + "\".";
        if (const auto e = text::scrivi_file_intero(copia, *testo))
            return "Impossibile scrivere il file \"" + copia.string() + "\": " + *e + ".";
    }
    return std::nullopt;
}

}  // namespace tv::form
