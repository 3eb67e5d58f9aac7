// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the suite's command line, settings files and job file at start-up.
#include "form/avvio.h"

#include <algorithm>
#include <cmath>

#include "text/encoding.h"
#include "text/error.h"
#include "text/number_text.h"

namespace tv::form {
namespace fs = std::filesystem;
using text::trim;

namespace {

// Suite files may carry Windows separators; here "/" separates folders.
std::string slashes(std::string s) {
    std::replace(s.begin(), s.end(), '\\', '/');
    return s;
}

std::string prima_riga(const fs::path& file) {
    auto lines = text::read_lines(file);
    std::string first = (lines && !lines->empty()) ? trim((*lines)[0]) : std::string();
    if (first.empty())
        throw Failure("Impossibile leggere il file " + file.string() +
                      ": il file manca o è vuoto. La suite non è configurata.");
    return first;
}

// The coordinate written right after a key such as "long.": sign, digits and one decimal
// separator ("," kept as written, so that validation refuses or reads it, never cuts it).
std::optional<std::string> numero_dopo(const std::string& line, std::size_t from) {
    std::size_t i = from;
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == ':' || line[i] == '='))
        ++i;
    std::size_t start = i;
    if (i < line.size() && (line[i] == '-' || line[i] == '+')) ++i;
    bool digits = false, point = false;
    while (i < line.size()) {
        char c = line[i];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if ((c == '.' || c == ',') && !point && i + 1 < line.size() &&
                   line[i + 1] >= '0' && line[i + 1] <= '9') {
            point = true;
        } else {
            break;
        }
        ++i;
    }
    if (!digits) return std::nullopt;
    // A control character right after the digits belongs to the number: kept, so that
    // validation refuses it instead of reading the digits before it.
    if (i < line.size() && (static_cast<unsigned char>(line[i]) < 0x20 || line[i] == 0x7f) &&
        line[i] != '\t')
        ++i;
    std::string n = line.substr(start, i - start);
    return n;
}

// The trimmed text after the "=", empty included: an empty value must reach the field and be
// refused there, never leave the design default standing in for a soil nobody chose.
std::string dopo_uguale(const std::string& line) { return trim(line.substr(line.find('=') + 1)); }

}  // namespace

fs::path trova_root(const std::vector<std::string>& args, const fs::path& current_dir) {
    std::string riga;
    for (const auto& a : args) riga += (riga.empty() ? "" : " ") + a;
    const std::string key = "|diroot=";
    auto pos = text::minuscole_ascii(riga).find(key);
    if (pos == std::string::npos) {
        fs::path cur = current_dir;
        if (!cur.has_filename()) cur = cur.parent_path();  // "/suite/progra/" is still progra
        return cur.parent_path();
    }
    std::string value = riga.substr(pos + key.size());
    if (auto bar = value.find('|'); bar != std::string::npos) value.erase(bar);
    return radice_indicata(value);
}

fs::path radice_indicata(std::string_view testo) {
    std::string value = slashes(trim(testo));
    while (value.size() > 1 && value.back() == '/') value.pop_back();
    if (value.empty() || value == "/")
        throw Failure("Cartella della suite non indicata: dopo |diroot= manca il percorso.");
    return fs::path(value);
}

Cartelle leggi_cartelle(const fs::path& root) {
    Cartelle c;
    c.dir_root = root;
    c.dir_driver = root / "driver";
    c.dir_progra = root / "progra";
    c.dir_custom = root / "custom";
    c.dir_help = root / "help";
    const fs::path impostazioni = text::find_nocase(root, "impostazioni");
    std::string dirlav = prima_riga(text::find_nocase(impostazioni, "dirlav"));
    c.nome_lavoro = prima_riga(text::find_nocase(impostazioni, "lavoro"));
    fs::path lavori(slashes(dirlav));
    if (lavori.is_relative()) lavori = root / lavori;
    c.dir_lavori = lavori;
    c.dir_lavoro = lavori / slashes(c.nome_lavoro);
    return c;
}

std::optional<fs::path> file_lavoro(const fs::path& dir_lavoro) {
    std::error_code ec;
    std::optional<fs::path> chosen;
    for (const char* name : {"sismica_2008.txt", "dinamica.txt"}) {
        fs::path p = text::find_nocase(dir_lavoro, name);
        if (fs::is_regular_file(p, ec)) chosen = p;  // dinamica.txt, tested last, wins
    }
    return chosen;
}

DatiLavoro analizza_lavoro(const std::vector<std::string>& lines) {
    DatiLavoro d;
    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string line = text::to_lower(lines[n]);
        auto has = [&](const char* s) { return line.find(s) != std::string::npos; };
        const bool uguale = has("=");
        if (has("long.") && has("lat.")) {
            const std::string a_grave = "à";
            auto a = line.find(a_grave);
            std::size_t name_from = a == std::string::npos ? 0 : a + a_grave.size();
            auto p = line.find('(');
            if (p != std::string::npos && p > name_from) {
                std::string name = trim(line.substr(name_from, p - name_from));
                if (!name.empty()) d.localita = name;
                // Lower case keeps the length of the letters the files hold.
                if (!name.empty() && line.size() == lines[n].size())
                    d.nome_localita = trim(lines[n].substr(name_from, p - name_from));
            }
            // Both coordinates or neither: a line cut before its ")" would give a cut number.
            const auto lon = numero_dopo(line, line.find("long.") + 5);
            const auto lat = numero_dopo(line, line.find("lat.") + 4);
            if (lon && lat && line.find(')', line.find("lat.")) != std::string::npos) {
                d.longitudine = lon;
                d.latitudine = lat;
            } else {
                d.localita_incompleta = true;
            }
        }
        if (has("fondazione") && uguale) d.suolo = text::to_upper(dopo_uguale(line));
        if (has("topografica") && uguale) d.St = dopo_uguale(line);
        if (has("vita nominale") && uguale) {
            auto e = line.find('=');
            auto anni = line.find("anni");
            if (anni != std::string::npos && anni > e + 1) {
                std::string v = trim(line.substr(e + 1, anni - e - 1));
                if (!v.empty()) d.VN = v;
            }
        }
        if (has("uso cu") && uguale) d.Cu = dopo_uguale(line);
        if (has("%x") && has("%y") && n + 1 < lines.size()) {
            const std::string& next = lines[++n];
            if (auto bar = next.find('|'); bar != std::string::npos) {
                // A control character in the period's cell would leave only the digits before
                // it: the period is then not taken, and start-up says so.
                const std::string cella = next.substr(bar + 1, next.find('|', bar + 1) - bar - 1);
                if (std::any_of(cella.begin(), cella.end(), [](char c) {
                        return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7f;
                    }))
                    d.T1_illeggibile = true;
                else if (double t = text::val(cella); std::isfinite(t))
                    d.T1 = t;
            }
        }
    }
    return d;
}

}  // namespace tv::form
