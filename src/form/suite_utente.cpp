// SPDX-License-Identifier: GPL-3.0-or-later
// The user's own suite under the XDG data folder, made and refreshed from the installed data,
// and the "--root" option of both programs.
#include "form/suite_utente.h"

#include <cstdlib>
#include <fstream>
#include <map>
#include <random>

#include "form/avvio.h"
#include "text/encoding.h"
#include "text/errori_sistema.h"
#include "text/error.h"
#include "text/sha256.h"

#ifndef TV_DATI_DA_BIN
#define TV_DATI_DA_BIN "../share/torvelando"
#endif

namespace tv::form {
namespace fs = std::filesystem;

namespace {

// The program's own data in a suite: a package update may bring corrected ones.
constexpr const char* kDatiProgramma[] = {"progra/parametri_per_spettro.txt",
                                          "progra/coordinate_localita.txt",
                                          "help/torvelando.pdf"};

std::optional<std::string> variabile(const char* nome) {
    const char* v = std::getenv(nome);
    if (v == nullptr) return std::nullopt;
    return std::string(v);
}

// A name beside `p` that no other process starting at the same moment picks.
fs::path accanto(const fs::path& p) {
    std::random_device rd;
    return p.parent_path() /
           ("." + p.filename().string() + "." + std::to_string(rd()) + std::to_string(rd()));
}

// The manifest of the program's data a suite holds: for each file, the SHA-256 of the installed
// version last copied and of the newer installed one already pointed out to the user.
constexpr const char* kManifesto = ".dati_installati";

struct Voce {
    std::string copiata, segnalata;
};
using Manifesto = std::map<std::string, Voce>;

// "<copied> <pointed out or -> <file>" a line; a missing or odd line is a file never copied.
Manifesto leggi_manifesto(const fs::path& dest) {
    Manifesto m;
    std::ifstream in(dest / kManifesto);
    std::string copiata, segnalata, nome;
    while (in >> copiata >> segnalata && std::getline(in >> std::ws, nome))
        m[nome] = Voce{copiata, segnalata == "-" ? std::string() : segnalata};
    return m;
}

void scrivi_manifesto(const fs::path& dest, const Manifesto& m) {
    const fs::path nuovo = accanto(dest / kManifesto);
    {
        std::ofstream out(nuovo, std::ios::binary | std::ios::trunc);
        for (const auto& [nome, v] : m)
            out << v.copiata << ' ' << (v.segnalata.empty() ? "-" : v.segnalata) << ' ' << nome
                << '\n';
        out.flush();
        if (!out) {
            std::error_code ec;
            fs::remove(nuovo, ec);
            throw fs::filesystem_error("manifest", dest / kManifesto,
                                       std::make_error_code(std::errc::io_error));
        }
    }
    fs::rename(nuovo, dest / kManifesto);
}

// The installed tree is read-only to the user: the copy must be the user's to write.
void rendi_scrivibile(const fs::path& p) {
    const bool cartella = fs::is_directory(p);
    fs::permissions(p,
                    fs::perms::owner_read | fs::perms::owner_write |
                        (cartella ? fs::perms::owner_exec : fs::perms::none),
                    fs::perm_options::add);
    if (cartella)
        for (const auto& voce : fs::directory_iterator(p)) rendi_scrivibile(voce.path());
}

// True for `dest` and the hidden copies made beside it (`accanto`), by this program or by one
// started at the same moment: in the folder of `dest`, known by their names.
bool e_la_destinazione(const fs::directory_entry& voce, const fs::path& dest) {
    const std::string nome = voce.path().filename().string(), suite = dest.filename().string();
    if (nome != suite && !nome.starts_with("." + suite + ".")) return false;
    std::error_code ec;
    return fs::equivalent(voce.path().parent_path(), dest.parent_path(), ec);
}

// The tree `da` copied into `a`, without `dest` and its hidden copies: the user's suite may lie
// inside the installed data (`--prefix ~/.local` puts it in ~/.local/share/torvelando/suite), and
// a copy that took them in would copy itself without end.
void copia_senza_destinazione(const fs::path& da, const fs::path& a, const fs::path& dest) {
    fs::create_directory(a);
    for (const fs::directory_entry& voce : fs::directory_iterator(da)) {
        if (e_la_destinazione(voce, dest)) continue;
        const fs::path verso = a / voce.path().filename();
        if (voce.is_directory() && !voce.is_symlink())
            copia_senza_destinazione(voce.path(), verso, dest);
        else
            fs::copy(voce.path(), verso, fs::copy_options::recursive);
    }
}

// The whole installed suite, written beside `dest` and moved into place, so that a program
// started at the same moment never sees half of it.
void crea(const fs::path& dati, const fs::path& dest) {
    fs::create_directories(dest.parent_path());
    const fs::path nuova = accanto(dest);
    try {
        copia_senza_destinazione(dati, nuova, dest);
        rendi_scrivibile(nuova);
        Manifesto m;
        for (const char* nome : kDatiProgramma)
            if (auto h = text::sha256_file(nuova / nome)) m[nome].copiata = *h;
        scrivi_manifesto(nuova, m);
        std::error_code ec;
        if (!fs::exists(dest, ec)) fs::rename(nuova, dest, ec);
        if (fs::exists(nuova)) {
            // The folder was there already (made by hand, or by a program started with this
            // one): only what it lacks is added.
            fs::copy(nuova, dest, fs::copy_options::recursive | fs::copy_options::skip_existing);
            fs::remove_all(nuova);
        }
    } catch (...) {
        std::error_code ec;  // no half-made hidden suite left behind
        fs::remove_all(nuova, ec);
        throw;
    }
}

// The program's data copied again where the user's copy is missing or still the one copied
// last; a copy the user changed is kept, and a newer installed version pointed out once.
std::vector<std::string> aggiorna(const fs::path& dati, const fs::path& dest) {
    std::vector<std::string> avvisi;
    Manifesto m = leggi_manifesto(dest);
    const Manifesto prima = m;
    for (const char* nome : kDatiProgramma) {
        const fs::path da = dati / nome, a = dest / nome;
        const auto installata = fs::is_regular_file(da) ? text::sha256_file(da) : std::nullopt;
        if (!installata) continue;
        Voce& voce = m[nome];
        const auto attuale = fs::exists(a) ? text::sha256_file(a) : std::nullopt;
        if (attuale == installata) {
            voce.copiata = *installata;
            continue;
        }
        if (attuale && attuale != voce.copiata) {
            // The user's own version (or one of unknown origin): kept; a newer installed one
            // is pointed out once.
            if (*installata != voce.copiata && voce.segnalata != *installata) {
                avvisi.push_back("Il file " + a.string() +
                                 " è stato modificato e non è stato sostituito: la versione "
                                 "installata più recente è " +
                                 da.string() + ".");
                voce.segnalata = *installata;
            }
            continue;
        }
        fs::create_directories(a.parent_path());
        const fs::path nuovo = accanto(a);
        try {
            fs::copy_file(da, nuovo, fs::copy_options::overwrite_existing);
            rendi_scrivibile(nuovo);
            fs::rename(nuovo, a);
        } catch (...) {
            std::error_code ec;
            fs::remove(nuovo, ec);
            throw;
        }
        voce = Voce{*installata, {}};
    }
    bool cambiato = m.size() != prima.size();
    for (const auto& [nome, v] : m) {
        const auto p = prima.find(nome);
        cambiato = cambiato || p == prima.end() || p->second.copiata != v.copiata ||
                   p->second.segnalata != v.segnalata;
    }
    if (cambiato) scrivi_manifesto(dest, m);
    return avvisi;
}

}  // namespace

Ambiente Ambiente::del_processo() {
    Ambiente a;
    std::error_code ec;
    a.eseguibile = fs::read_symlink("/proc/self/exe", ec);
    a.xdg_data_home = variabile("XDG_DATA_HOME");
    a.home = variabile("HOME");
    return a;
}

fs::path dati_installati(const fs::path& eseguibile) {
    return (eseguibile.parent_path() / TV_DATI_DA_BIN).lexically_normal();
}

std::optional<fs::path> cartella_suite_utente(const Ambiente& ambiente) {
    // Relative values are invalid by the XDG rules and must be ignored.
    if (ambiente.xdg_data_home && fs::path(*ambiente.xdg_data_home).is_absolute())
        return fs::path(*ambiente.xdg_data_home) / "torvelando" / "suite";
    if (ambiente.home && fs::path(*ambiente.home).is_absolute())
        return fs::path(*ambiente.home) / ".local" / "share" / "torvelando" / "suite";
    return std::nullopt;
}

bool e_una_suite(const fs::path& root) {
    std::error_code ec;
    return fs::is_regular_file(
        text::find_nocase(text::find_nocase(root, "impostazioni"), "dirlav"), ec);
}

SuiteUtente prepara_suite_utente(const fs::path& dati, const fs::path& dest) {
    SuiteUtente s{dest, !e_una_suite(dest), {}};
    try {
        if (s.creata)
            crea(dati, dest);
        else
            s.avvisi = aggiorna(dati, dest);
    } catch (const fs::filesystem_error& e) {
        // Named in the user's suite: a file copied from the installed data, or the hidden copy
        // made beside it, is named where it was going.
        fs::path dove = e.path1().empty() ? dest : e.path1();
        const fs::path da_dati = dove.lexically_relative(dati);
        if (!da_dati.empty() && *da_dati.begin() != "..")
            dove = (dest / da_dati).lexically_normal();
        if (dove.parent_path() == dest.parent_path() &&
            dove.filename().string().starts_with("." + dest.filename().string() + "."))
            dove = dest;
        if (dove.filename().empty()) dove = dove.parent_path();
        throw Failure("Impossibile preparare la suite dell'utente in " + dest.string() + ": " +
                      dove.string() + " (" + text::messaggio_errore(e.code()) + ").");
    }
    return s;
}

std::optional<SuiteUtente> suite_di_ripiego(const std::vector<std::string>& args,
                                            const fs::path& current_dir,
                                            const Ambiente& ambiente) {
    // ASCII case only: an argument is any bytes, not always UTF-8.
    for (const std::string& a : args)
        if (text::minuscole_ascii(a).find("|diroot=") != std::string::npos) return std::nullopt;
    if (e_una_suite(trova_root(args, current_dir))) return std::nullopt;
    const fs::path dati = dati_installati(ambiente.eseguibile);
    const auto dest = cartella_suite_utente(ambiente);
    if (ambiente.eseguibile.empty() || !e_una_suite(dati) || !dest) return std::nullopt;
    return prepara_suite_utente(dati, *dest);
}

std::string avviso_suite_creata(const SuiteUtente& suite) {
    return "Creata la suite dell'utente in " + suite.root.string() +
           ": qui sono le impostazioni e i lavori.";
}

std::vector<std::string> opzione_root(const std::vector<std::string>& args,
                                      const fs::path& current_dir) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::optional<std::string> dir;
        if (args[i] == "--root")
            dir = i + 1 < args.size() ? args[++i] : std::string();
        else if (args[i].rfind("--root=", 0) == 0)
            dir = args[i].substr(7);
        if (!dir) {
            out.push_back(args[i]);
            continue;
        }
        if (text::trim(*dir).empty())
            throw Failure("Cartella della suite non indicata: dopo --root manca il percorso.");
        // Absolute, so that the manual's address handed to the desktop works too.
        out.push_back("|diroot=" + (current_dir / *dir).lexically_normal().string() + "|");
    }
    return out;
}

}  // namespace tv::form
