// SPDX-License-Identifier: GPL-3.0-or-later
// Reading of the job's "parametrilavoro" file and the start-up unit set-up: unit texts, captions,
// gravity and the factors of lengths, forces, specific weights and stresses.
#include "units/unita.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <system_error>

#include "text/encoding.h"
#include "text/error.h"
#include "text/number_text.h"
#include "units/factors.h"

namespace tv::units {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kNomeFile = "parametrilavoro";
constexpr std::string_view kChiaveGravita = "accelerazione_g";

bool contiene(std::string_view testo, std::string_view parte) {
    return testo.find(parte) != std::string_view::npos;
}

std::string sostituisci(std::string testo, char da, char a) {
    std::replace(testo.begin(), testo.end(), da, a);
    return testo;
}

std::string tra_virgolette(std::string_view testo) {
    return "\"" + std::string(testo) + "\"";
}

// One family of the settings file: its key, where its text, caption and factor go, the kind of
// unit it needs and the formula of its factor.
struct ChiaveUnita {
    std::string_view chiave;
    std::string Unita::*unita;
    std::string Unita::*etichetta;
    double Unita::*fattore;
    Famiglia famiglia;
    std::string_view attesa;  // what the unit must be, for the message
};

// In the order the keys are tested on a line.
const std::array<ChiaveUnita, 4> kFamiglie{{
    {"lunghezze", &Unita::unita_lunghezze, &Unita::etichetta_lunghezze, &Unita::fattore_lunghezze,
     Famiglia::lunghezza, "una lunghezza (mm, cm, m)"},
    {"forze", &Unita::unita_forze, &Unita::etichetta_forze, &Unita::fattore_forze, Famiglia::forza,
     "una forza (daN, N, kN, kgf, t)"},
    {"pesi_specifici", &Unita::unita_pesi_specifici, &Unita::etichetta_pesi_specifici,
     &Unita::fattore_pesi_specifici, Famiglia::peso_specifico,
     "un peso specifico (forza/lunghezza3, per esempio kN/m3)"},
    {"tensioni", &Unita::unita_tensioni, &Unita::etichetta_tensioni, &Unita::fattore_tensioni,
     Famiglia::tensione, "una tensione (forza/lunghezza2, KPa o MPa)"},
}};

std::string nel_file(const std::string& file) {
    return "Nel file " + file + " ";
}

// The gravity in either notation, "9.81" or "9,81", whatever the user's locale.
std::optional<double> leggi_gravita(std::string_view testo) {
    static const tv::text::NumberFormat virgola{",", "."};
    if (auto g = tv::text::parse_number(testo, tv::text::dot_format())) return g;
    return tv::text::parse_number(testo, virgola);
}

// A gravity is usable when every unit the editor offers gets a finite factor above 0 with it
// (kgf and t divide by it).
// The gravity in m/s², within what the Earth has and its usual round values (9.81, 10), so that
// a mistyped 1e30 does not make every force nothing.
constexpr double kGravitaMinima = 9.5, kGravitaMassima = 10.0;

bool gravita_utilizzabile(double g) {
    if (!(g >= kGravitaMinima && g <= kGravitaMassima)) return false;
    for (Famiglia f : ordine_famiglie_editor())
        for (const std::string& u : unita_editor(f))
            if (!(fattore_famiglia(f, u, g) > 0)) return false;
    return true;
}

enum class Pezzo { lunghezza, forza, pressione, barra, due, tre };

// The parts a unit text may be made of, longer texts first where one begins another.
struct PezzoNoto {
    std::string_view testo;
    Pezzo pezzo;
};
constexpr std::array<PezzoNoto, 13> kPezzi{{
    {"kgf", Pezzo::forza},
    {"dan", Pezzo::forza},
    {"kpa", Pezzo::pressione},
    {"mpa", Pezzo::pressione},
    {"mm", Pezzo::lunghezza},
    {"cm", Pezzo::lunghezza},
    {"kn", Pezzo::forza},
    {"m", Pezzo::lunghezza},
    {"n", Pezzo::forza},
    {"t", Pezzo::forza},
    {"/", Pezzo::barra},
    {"2", Pezzo::due},
    {"3", Pezzo::tre},
}};

}  // namespace

std::optional<double> scala_lunghezza(std::string_view unit) {
    const std::string u = tv::text::to_lower(unit);
    if (contiene(u, "mm")) return 10.0;
    if (contiene(u, "cm")) return 1.0;
    if (contiene(u, "kpa") || contiene(u, "mpa") || contiene(u, "m")) return 0.01;
    return std::nullopt;
}

std::optional<double> scala_forza(std::string_view unit, double accelerazione_g) {
    const std::string u = tv::text::to_lower(unit);
    if (contiene(u, "dan")) return 1.0;
    if (contiene(u, "kn")) return 1.0 / 100.0;
    if (contiene(u, "n")) return 10.0;
    if (contiene(u, "kgf")) return 10.0 / accelerazione_g;
    if (contiene(u, "t")) return (1.0 / 100.0) / accelerazione_g;
    if (contiene(u, "kpa")) return 1.0 / 100.0;
    if (contiene(u, "mpa")) return 1.0 / 100000.0;
    return std::nullopt;
}

Famiglia famiglia_unita(std::string_view unit) {
    const std::string u = tv::text::to_lower(unit);
    std::vector<Pezzo> pezzi;
    std::size_t pos = 0;
    while (pos < u.size()) {
        if (u[pos] == ' ' || u[pos] == '\t') {
            ++pos;
            continue;
        }
        // Blanks separate parts but never split one: "da N" is not "daN".
        const auto noto = std::find_if(kPezzi.begin(), kPezzi.end(), [&](const PezzoNoto& p) {
            return std::string_view(u).substr(pos).starts_with(p.testo);
        });
        if (noto == kPezzi.end()) return Famiglia::nessuna;
        pezzi.push_back(noto->pezzo);
        pos += noto->testo.size();
    }
    using P = Pezzo;
    if (pezzi == std::vector<P>{P::lunghezza}) return Famiglia::lunghezza;
    if (pezzi == std::vector<P>{P::forza}) return Famiglia::forza;
    if (pezzi == std::vector<P>{P::pressione}) return Famiglia::tensione;
    if (pezzi == std::vector<P>{P::forza, P::barra, P::lunghezza, P::due}) return Famiglia::tensione;
    if (pezzi == std::vector<P>{P::forza, P::barra, P::lunghezza, P::tre})
        return Famiglia::peso_specifico;
    return Famiglia::nessuna;
}

void Unita::leggi_testo(const std::vector<std::string>& lines,
                        const std::string& file_name_for_messages) {
    Unita letta;
    // The first line is a header and never interpreted.
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& come_letta = lines[i];
        if (contiene(come_letta, "[commento")) continue;
        std::string riga = sostituisci(come_letta, '&', '/');
        // The gravity line keeps its digit 8; everywhere else 8 stands for "/".
        if (!contiene(come_letta, kChiaveGravita)) riga = sostituisci(riga, '8', '/');
        const std::size_t parentesi = riga.find('[');
        if (parentesi == std::string::npos) continue;  // no key without brackets (empty lines)
        const std::string valore = tv::text::trim(std::string_view(riga).substr(0, parentesi));
        const std::string minuscola = tv::text::to_lower(riga);

        const auto famiglia =
            std::find_if(kFamiglie.begin(), kFamiglie.end(),
                         [&](const ChiaveUnita& f) { return contiene(minuscola, f.chiave); });
        if (famiglia != kFamiglie.end()) {
            letta.*(famiglia->unita) = valore;
            letta.*(famiglia->etichetta) = "[" + valore + "]";
        } else if (contiene(minuscola, kChiaveGravita)) {
            const std::optional<double> g = leggi_gravita(valore);
            if (!g)
                throw tv::Failure(nel_file(file_name_for_messages) + "il valore " +
                                  tra_virgolette(valore) + " di [accelerazione_g] non è un numero");
            if (!gravita_utilizzabile(*g))
                throw tv::Failure(nel_file(file_name_for_messages) + "il valore " +
                                  tra_virgolette(valore) +
                                  " di [accelerazione_g] non è valido: l'accelerazione di gravità "
                                  "deve essere tra 9,5 e 10 m/s²");
            letta.accelerazione_g = *g;
            letta.valore_accelerazione_g = valore;
        }
    }
    *this = std::move(letta);
}

void Unita::calcola_fattori(const std::string& file_name_for_messages) {
    const std::string nel = nel_file(file_name_for_messages);
    if (valore_accelerazione_g.empty()) throw tv::Failure(nel + "manca la riga [accelerazione_g]");
    std::array<double, kFamiglie.size()> fattori{};
    for (std::size_t i = 0; i < kFamiglie.size(); ++i) {
        const ChiaveUnita& f = kFamiglie[i];
        const std::string chiave = "[" + std::string(f.chiave) + "]";
        // A key that was read always leaves a caption, "[]" at least.
        if ((this->*(f.etichetta)).empty()) throw tv::Failure(nel + "manca la riga " + chiave);
        const std::string& unita = this->*(f.unita);
        const Famiglia genere = famiglia_unita(unita);
        if (genere == Famiglia::nessuna)
            throw tv::Failure(nel + "l'unità " + tra_virgolette(unita) + " di " + chiave +
                              " non è riconosciuta");
        if (genere != f.famiglia)
            throw tv::Failure(nel + "l'unità " + tra_virgolette(unita) + " di " + chiave +
                              " non è " + std::string(f.attesa));
        fattori[i] = fattore_famiglia(f.famiglia, unita, accelerazione_g);
        if (!(fattori[i] > 0) || !std::isfinite(fattori[i]))
            throw tv::Failure(nel + "l'unità " + tra_virgolette(unita) + " di " + chiave +
                              " non dà un fattore di conversione valido");
    }
    for (std::size_t i = 0; i < kFamiglie.size(); ++i) this->*(kFamiglie[i].fattore) = fattori[i];
}

void Unita::leggi_parametrilavoro(const fs::path& file) {
    const auto lines = tv::text::read_lines(file);
    if (!lines) {
        std::error_code ec;
        if (!fs::exists(file, ec))
            throw tv::Failure("File delle impostazioni di lavoro non trovato: " + file.string());
        throw tv::Failure("Impossibile leggere il file delle impostazioni di lavoro: " +
                          file.string());
    }
    leggi_testo(*lines, file.string());
}

void Unita::imposta_unita(const fs::path& dir_lavoro) {
    const std::optional<fs::path> file = trova_parametrilavoro(dir_lavoro);
    if (!file)
        throw tv::Failure("File delle impostazioni di lavoro non trovato: " +
                          (dir_lavoro / kNomeFile).string());
    // Work on a copy so that a refused file leaves the units as they were.
    Unita nuova;
    nuova.leggi_parametrilavoro(*file);
    nuova.calcola_fattori(file->string());
    *this = std::move(nuova);
}

std::optional<fs::path> trova_parametrilavoro(const fs::path& dir_lavoro) {
    // A suite written on Windows may have used another letter case ("ParametriLavoro").
    const fs::path file = tv::text::find_nocase(dir_lavoro, kNomeFile);
    std::error_code ec;
    if (fs::exists(file, ec)) return file;
    return std::nullopt;
}

double Unita::fattore(Famiglia f) const {
    switch (f) {
        case Famiglia::lunghezza: return fattore_lunghezze;
        case Famiglia::forza: return fattore_forze;
        case Famiglia::tensione: return fattore_tensioni;
        case Famiglia::peso_specifico: return fattore_pesi_specifici;
        case Famiglia::nessuna: case Famiglia::volume: case Famiglia::momento: return 1.0;
    }
    return 1.0;
}

std::string Unita::unita(Famiglia f) const {
    switch (f) {
        case Famiglia::lunghezza: return unita_lunghezze;
        case Famiglia::forza: return unita_forze;
        case Famiglia::tensione: return unita_tensioni;
        case Famiglia::peso_specifico: return unita_pesi_specifici;
        case Famiglia::nessuna: case Famiglia::volume: case Famiglia::momento: return {};
    }
    return {};
}

std::string Unita::etichetta(Famiglia f) const {
    switch (f) {
        case Famiglia::lunghezza: return etichetta_lunghezze;
        case Famiglia::forza: return etichetta_forze;
        case Famiglia::tensione: return etichetta_tensioni;
        case Famiglia::peso_specifico: return etichetta_pesi_specifici;
        case Famiglia::nessuna: case Famiglia::volume: case Famiglia::momento: return {};
    }
    return {};
}

}  // namespace tv::units
