// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of a job, shared by the window and the command line, and what a job knows of its site.
#include "form/lavoro.h"
#include "form/pannelli.h"

#include <algorithm>

#include "text/encoding.h"
#include "text/errori_sistema.h"
#include "text/file_atomico.h"
#include "text/error.h"

namespace tv::form {
namespace fs = std::filesystem;

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
        return "Impossibile creare la cartella \"" + dir.string() + "\": " + text::messaggio_errore(ec) + ".";
    if (const auto parametri = units::trova_parametrilavoro(dir_da)) {
        const auto testo = text::read_bytes(*parametri);
        const fs::path copia = dir / parametri->filename();
        if (!testo) return "Impossibile leggere il file \"" + parametri->string() + "\".";
        if (const auto e = text::scrivi_file_intero(copia, *testo))
            return "Impossibile scrivere il file \"" + copia.string() + "\": " + *e + ".";
    }
    return std::nullopt;
}

bool Lavoro::sito_iniziale(const TestiCampi& testi) const {
    return coordinate_iniziali && (coordinate_iniziali->first == testi[Campo::lat] ||
                                   coordinate_iniziali->second == testi[Campo::lon]);
}

fs::path Lavoro::file_griglia() const {
    return text::find_nocase(cartelle.dir_progra, "parametri_per_spettro.txt");
}

fs::path Lavoro::file_localita() const {
    return text::find_nocase(cartelle.dir_progra, "coordinate_localita.txt");
}

std::optional<LocalitaNota> localita_nota(std::string nome, const std::string& lon,
                                          const std::string& lat, const text::NumberFormat& f) {
    const auto x = text::parse_dot_or_locale(lon, f);
    const auto y = text::parse_dot_or_locale(lat, f);
    if (nome.empty() || !x || !y) return std::nullopt;
    return LocalitaNota{std::move(nome), *x, *y};
}

namespace {

// The job file's site into the panel's texts, with its notices; the coordinates it gives are
// ED50, as the grid.
void applica_file_lavoro(Lavoro& lavoro, Pannello& p, Messaggi& messaggi,
                         const text::NumberFormat& formato,
                         const std::function<void(const std::string&)>& localita) {
    const auto mostra = [&](const std::string& testo) {
        messaggi.mostra(Messaggio{testo, kWindowCaption, Icona::stop});
    };
    const std::string nome = lavoro.file->string();
    const auto lines = text::read_lines(*lavoro.file);
    if (!lines) {
        mostra("Impossibile leggere il file " + nome);
        return;
    }
    lavoro.sito = analizza_lavoro(*lines);
    // A decimal comma in a coordinate is named with its field and the file, and neither
    // coordinate is taken, as for a cut locality line.
    for (auto [membro, campo] : {std::pair{&DatiLavoro::longitudine, "la longitudine"},
                                 std::pair{&DatiLavoro::latitudine, "la latitudine"}}) {
        const auto& v = lavoro.sito.*membro;
        if (!v || v->find(',') == std::string::npos) continue;
        mostra("Nel file " + nome + " " + campo + " \"" + *v +
               "\" ha la virgola decimale: va scritta con il punto. Longitudine e latitudine non "
               "sono state lette.");
        lavoro.sito.longitudine.reset();
        lavoro.sito.latitudine.reset();
        break;
    }
    const DatiLavoro& d = lavoro.sito;
    if (d.localita && localita) localita(*d.localita);
    if (d.localita && d.longitudine && d.latitudine)
        lavoro.localita = localita_nota(d.nome_localita.value_or(*d.localita), *d.longitudine,
                                        *d.latitudine, formato);
    if (d.longitudine || d.latitudine) p.datum = hazard::Datum::ed50;
    for (const auto& [c, membro] : kCampiLavoro)
        if (d.*membro) p.testi[c] = *(d.*membro);
    // An empty, cut or garbled job file must not pass for the job's site unnoticed.
    if (d.localita_incompleta)
        mostra("Nel file " + nome +
               " la riga della località è incompleta: longitudine e latitudine non sono state "
               "lette.");
    else if (d.vuoto())
        mostra("Nel file " + nome +
               " non ci sono dati del sito riconoscibili: i campi del sito restano quelli "
               "iniziali.");
    if (d.T1_illeggibile)
        mostra("Nel file " + nome +
               " il periodo T1 dell'edificio non è un numero: resta quello iniziale.");
}

}  // namespace

bool avvia_lavoro(const fs::path& root, const std::optional<std::string>& nome, Lavoro& lavoro,
                  Pannello& p, Messaggi& messaggi, const text::NumberFormat& formato,
                  const std::function<void(const std::string&)>& localita) {
    lavoro = Lavoro{};
    auto& cartelle = lavoro.cartelle;
    const auto ferma = [&](const std::string& testo, const std::string& titolo) {
        messaggi.mostra(Messaggio{testo, titolo, Icona::stop});
        return false;
    };
    try {
        cartelle = leggi_cartelle(root);
    } catch (const Failure& f) {
        return ferma(f.what(), f.title());
    }
    if (nome) {
        cartelle.nome_lavoro = *nome;
        cartelle.dir_lavoro = cartelle.dir_lavori / *nome;
        if (std::error_code ec; nome->empty() || !fs::is_directory(cartelle.dir_lavoro, ec))
            return ferma("Cartella del lavoro non trovata: " + cartelle.dir_lavoro.string() + ".",
                         kWindowCaption);
    }
    // A damaged dirlav or lavoro names a folder that is not there: say where the name came from.
    if (std::error_code ec; !fs::is_directory(cartelle.dir_lavoro, ec)) {
        const fs::path impostazioni = text::find_nocase(cartelle.dir_root, "impostazioni");
        return ferma("Cartella del lavoro non trovata: " + cartelle.dir_lavoro.string() +
                         ". Il suo nome viene dai file " + (impostazioni / "dirlav").string() +
                         " e " + (impostazioni / "lavoro").string() + ".",
                     kWindowCaption);
    }

    lavoro.file = file_lavoro(cartelle.dir_lavoro);
    if (lavoro.file) applica_file_lavoro(lavoro, p, messaggi, formato, localita);
    // The site fields in the locale's notation, like every other field.
    for (const DatiCampoForm& d : kTabellaCampi)
        if (d.lettura == Lettura::punto_o_locale || d.lettura == Lettura::coordinata)
            p.testi[d.campo] = separatore_locale(p.testi[d.campo], formato);
    // Without the job's coordinates the run would silently use the initial ones: remember them,
    // so that every result of that site says so.
    if (!(lavoro.sito.longitudine && lavoro.sito.latitudine))
        lavoro.coordinate_iniziali = {p.testi[Campo::lat],
                                      p.testi[Campo::lon]};

    auto& unita = lavoro.unita;
    try {
        unita.imposta_unita(cartelle.dir_lavoro);
    } catch (const Failure& f) {
        return ferma(f.what(), f.title());
    }

    // The field table's start-up values, in the job's work units; T1 is the job file's when it
    // gives a positive one.
    const auto scrivi = [&](const DatiCampoForm& d, double valore) {
        p.testi[d.campo] = d.predefinito->decimali < 0
                                          ? text::general(valore, formato)
                                          : text::fixed(valore, d.predefinito->decimali, formato);
    };
    for (const DatiCampoForm& d : kTabellaCampi) {
        if (!d.predefinito || d.campo == Campo::T1) continue;
        scrivi(d, d.predefinito->valore * unita.fattore(d.famiglia));
    }
    const auto base = [](Campo c) { return dati_campo(c).predefinito->valore; };
    p.testi[Campo::W] = text::general(panel::peso_totale(base(Campo::L), base(Campo::B),
                                                         base(Campo::t), base(Campo::gamma)) *
                                          unita.fattore_forze,
                                      formato);
    if (const auto& T1 = lavoro.sito.T1; T1 && *T1 > 0)
        p.testi[Campo::T1] = text::rounded(*T1, 4, formato);
    else
        scrivi(dati_campo(Campo::T1), base(Campo::T1));
    return true;
}

}  // namespace tv::form
