// SPDX-License-Identifier: GPL-3.0-or-later
// The job's panels file: its rows split by the separator its header shows, damaged rows kept as
// they were, and the whole text composed again for the one writer.
#include "form/pannelli.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

#include "form/campi.h"
#include "form/lavoro.h"
#include "form/lettura_pannello.h"
#include "text/encoding.h"
#include "text/error.h"
#include "text/file_atomico.h"

namespace tv::form {
namespace fs = std::filesystem;

bool colonna_sito(std::string_view colonna) {
    for (Campo c : {Campo::lat, Campo::lon, Campo::VN, Campo::PVR, Campo::Cu, Campo::suolo,
                    Campo::St, Campo::T1})
        if (dati_campo(c).colonna == colonna) return true;
    return colonna == "datum" || colonna == "classe_uso" || colonna == "stato_limite" ||
           colonna == "tipo_costruzione" || colonna == "categoria_topografica" ||
           colonna == "h_su_H";
}

bool colonna_numerica(std::string_view colonna) {
    for (Campo c : kCampiIngresso)
        if (dati_campo(c).colonna == colonna) return dati_campo(c).lettura != Lettura::lettera_suolo;
    if (colonna == "h_su_H") return true;
    const auto c = campo_meccanismo_di_nome(colonna);
    return c && campo_numerico(*c);
}

namespace {

char carattere(Separatore s) {
    switch (s) {
        case Separatore::virgola: return ',';
        case Separatore::punto_e_virgola: return ';';
    }
    return ',';
}

// The cells of one line; nullopt with `errore` set when a quote is left open.
std::optional<std::vector<std::string>> dividi(std::string_view linea, char sep,
                                               std::string& errore) {
    std::vector<std::string> celle;
    std::string cella;
    bool tra_virgolette = false, citata = false;
    for (std::size_t i = 0; i < linea.size(); ++i) {
        const char c = linea[i];
        if (tra_virgolette) {
            if (c != '"') {
                cella += c;
            } else if (i + 1 < linea.size() && linea[i + 1] == '"') {
                cella += '"';
                ++i;
            } else {
                tra_virgolette = false;
            }
        } else if (c == sep) {
            celle.push_back(citata ? cella : text::trim(cella));
            cella.clear();
            citata = false;
        } else if (c == '"' && text::trim(cella).empty()) {
            cella.clear();
            tra_virgolette = citata = true;
        } else {
            cella += c;
        }
    }
    if (tra_virgolette) {
        errore = "virgolette non chiuse";
        return std::nullopt;
    }
    celle.push_back(citata ? cella : text::trim(cella));
    return celle;
}

}  // namespace

void aggiungi_cella_csv(std::string& out, std::string_view s, char sep, bool una_riga) {
    // Short cells (numbers) in one pass over the bytes, long ones (messages) by the library's
    // search for each character: the batch writes dozens of cells a row.
    const auto da_quotare = [sep](char c) { return c == sep || c == '"' || c == '\r' || c == '\n'; };
    const auto contiene = [&] {
        if (s.size() < 24) return std::any_of(s.begin(), s.end(), da_quotare);
        for (char c : {sep, '"', '\r', '\n'})
            if (s.find(c) != std::string_view::npos) return true;
        return false;
    };
    const bool quotare = !s.empty() && (s.front() == ' ' || s.front() == '\t' || s.back() == ' ' ||
                                        s.back() == '\t' || contiene());
    if (!quotare) {
        out += s;
        return;
    }
    out += '"';
    for (char c : s) {
        if (c == '"') out += '"';
        out += una_riga && (c == '\r' || c == '\n') ? ' ' : c;
    }
    out += '"';
}

Separatore separatore_di_intestazione(std::string_view intestazione) {
    bool virgola = false, punto_e_virgola = false, tra_virgolette = false;
    for (char c : intestazione) {
        if (c == '"') tra_virgolette = !tra_virgolette;
        if (tra_virgolette) continue;
        virgola = virgola || c == ',';
        punto_e_virgola = punto_e_virgola || c == ';';
    }
    return punto_e_virgola && !virgola ? Separatore::punto_e_virgola : Separatore::virgola;
}

std::optional<std::string> punto_decimale(std::string_view testo) {
    if (testo.find('.') != std::string_view::npos) return std::nullopt;
    std::string s(testo);
    std::replace(s.begin(), s.end(), ',', '.');
    return s;
}

std::string motivo_punto(std::string_view cella) {
    return "Richiesto valore numerico con la virgola decimale e senza punti: \"" +
           std::string(cella) + "\"";
}

std::string virgola_decimale(std::string_view testo) {
    std::string s(testo);
    std::replace(s.begin(), s.end(), '.', ',');
    return s;
}

std::optional<std::size_t> FilePannelli::colonna(std::string_view nome) const {
    for (std::size_t i = 0; i < colonne.size(); ++i)
        if (colonne[i] == nome) return i;
    return std::nullopt;
}

const RigaPannello* FilePannelli::pannello(std::string_view id) const {
    const auto c = colonna("id");
    if (!c) return nullptr;
    if (indicizzate_ == righe.size()) {
        const auto it = indice_.find(id);
        if (it == indice_.end()) return nullptr;
        const RigaPannello& r = righe[it->second];
        if (r.leggibile() && r.celle[*c] == id) return &r;
    }
    // Rows changed from outside: the index no longer tells.
    for (const auto& r : righe)
        if (r.leggibile() && r.celle[*c] == id) return &r;
    return nullptr;
}

void FilePannelli::ricostruisci_indice() {
    indice_.clear();
    indicizzate_ = righe.size();
    const auto c = colonna("id");
    if (!c) return;
    // The first readable row of an id is the panel, as a look-up in file order finds it.
    for (std::size_t i = 0; i < righe.size(); ++i)
        if (righe[i].leggibile()) indice_.emplace(righe[i].celle[*c], i);
}

std::string_view FilePannelli::originale(const RigaPannello& r) const {
    if (r.inizio + r.lunghezza > testo_.size()) return {};
    return std::string_view(testo_).substr(r.inizio, r.lunghezza);
}

RigaPannello* FilePannelli::pannello(std::string_view id) {
    return const_cast<RigaPannello*>(std::as_const(*this).pannello(id));
}

std::string FilePannelli::cella(const RigaPannello& r, std::string_view nome) const {
    const auto c = colonna(nome);
    return c && r.leggibile() ? r.celle[*c] : std::string();
}

std::optional<std::string> FilePannelli::rifiuto_di_cella(const RigaPannello& r,
                                                          std::string_view nome) const {
    const auto c = colonna(nome);
    if (!c || std::find(r.con_punto.begin(), r.con_punto.end(), *c) == r.con_punto.end())
        return std::nullopt;
    return motivo_punto(r.celle[*c]);
}

void FilePannelli::imposta(RigaPannello& r, std::string_view nome, std::string testo) {
    auto c = colonna(nome);
    if (!c) {
        if (testo.empty()) return;
        colonne.emplace_back(nome);
        for (auto& riga : righe)
            if (riga.leggibile()) riga.celle.emplace_back();
        c = colonne.size() - 1;
    }
    const bool id = nome == "id" && r.celle[*c] != testo;
    r.celle[*c] = std::move(testo);
    std::erase(r.con_punto, *c);
    if (id) ricostruisci_indice();
}

RigaPannello& FilePannelli::aggiungi(std::string id) {
    if (!colonna("id")) colonne.insert(colonne.begin(), "id");
    for (int n = 1; id.empty(); ++n)
        if (!pannello(std::to_string(n))) id = std::to_string(n);
    RigaPannello r;
    r.celle.resize(colonne.size());
    r.celle[*colonna("id")] = id;
    const bool in_passo = indicizzate_ == righe.size();
    righe.push_back(std::move(r));
    if (in_passo) {
        indice_.emplace(std::move(id), righe.size() - 1);
        indicizzate_ = righe.size();
    }
    return righe.back();
}

bool FilePannelli::rimuovi(std::string_view id) {
    const RigaPannello* r = pannello(id);
    if (!r) return false;
    righe.erase(righe.begin() + (r - righe.data()));
    ricostruisci_indice();  // the rows after it moved up
    return true;
}

std::vector<std::string> FilePannelli::ids() const {
    std::vector<std::string> out;
    const auto c = colonna("id");
    for (const auto& r : righe)
        if (c && r.leggibile()) out.push_back(r.celle[*c]);
    return out;
}

FilePannelli nuovo_file_pannelli() {
    FilePannelli f;
    f.colonne.assign(kNomiColonnePannello.begin(), kNomiColonnePannello.end());
    return f;
}

std::string FilePannelli::errore(const RigaPannello& r) const {
    switch (r.guasto) {
        case Guasto::nessuno: return {};
        case Guasto::virgolette: return "virgolette non chiuse";
        case Guasto::meno_colonne: return "meno colonne dell'intestazione";
        case Guasto::piu_colonne: return "più colonne dell'intestazione";
        case Guasto::senza_id: return "manca l'id del pannello";
        case Guasto::id_ripetuto: {
            // The id read again from the line: a damaged row keeps no cells.
            std::string e;
            const auto celle = dividi(originale(r), carattere(separatore), e);
            const auto c = colonna("id");
            const std::string id = celle && c && *c < celle->size() ? (*celle)[*c] : std::string();
            return "id \"" + id + "\" già usato da un'altra riga";
        }
    }
    return {};
}

namespace {

// The lines of a text one by one, as text::split_lines cuts them: CR LF, LF and a lone CR each
// end a line; a last line without an end counts, an empty tail after the last end does not.
class Linee {
  public:
    explicit Linee(std::string_view t, std::size_t da = 0) : t_(t), pos_(da) {}
    // The next line and where it starts in the text; false after the last.
    bool prossima(std::string_view& linea, std::size_t& inizio) {
        if (pos_ >= t_.size()) return false;
        inizio = pos_;
        std::size_t i = t_.find_first_of("\r\n", pos_);
        if (i == std::string_view::npos) i = t_.size();
        linea = t_.substr(pos_, i - pos_);
        pos_ = i + 1;
        if (i < t_.size() && t_[i] == '\r' && pos_ < t_.size() && t_[pos_] == '\n') ++pos_;
        return true;
    }

  private:
    std::string_view t_;
    std::size_t pos_;
};

bool vuota(std::string_view linea) {
    return linea.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

FilePannelli FilePannelli::da_testo(std::string testo, const std::string& nome) {
    // UTF-8 is kept as read (a byte-order mark skipped), anything else read as Windows-1252.
    std::size_t da = testo.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    if (!text::is_valid_utf8(std::string_view(testo).substr(da))) {
        testo = text::decode(std::string_view(testo).substr(da));
        da = 0;
    }
    FilePannelli f;
    f.testo_ = std::move(testo);
    const std::string_view t = f.testo_;
    Linee linee(t, da);
    std::string_view linea;
    std::size_t inizio = 0, numero = 0;
    bool intestata = false;
    while (linee.prossima(linea, inizio)) {
        ++numero;
        if (!vuota(linea)) {
            intestata = true;
            break;
        }
    }
    if (!intestata)
        throw Failure("Il file \"" + nome + "\" è vuoto: manca la riga d'intestazione.");
    f.separatore = separatore_di_intestazione(linea);
    const char sep = carattere(f.separatore);
    std::string errore;
    auto intestazione = dividi(linea, sep, errore);
    if (!intestazione)
        throw Failure("Virgolette non chiuse nell'intestazione del file \"" + nome + "\".");
    f.colonne = std::move(*intestazione);
    {
        std::unordered_map<std::string_view, std::size_t> viste;
        for (const std::string& c : f.colonne)
            if (!viste.emplace(c, 0).second)
                throw Failure("Colonna \"" + c + "\" ripetuta nell'intestazione del file \"" +
                              nome + "\".");
    }
    const auto id = f.colonna("id");
    if (!id) throw Failure("Manca la colonna \"id\" nell'intestazione del file \"" + nome + "\".");

    // The rows counted first, so that their vector is made once at its size.
    std::size_t piene = 0;
    {
        Linee conta = linee;
        std::string_view l;
        std::size_t i = 0;
        while (conta.prossima(l, i)) piene += !vuota(l);
    }
    f.righe.reserve(piene);
    std::vector<bool> numeriche(f.colonne.size());
    for (std::size_t c = 0; c < f.colonne.size(); ++c) numeriche[c] = colonna_numerica(f.colonne[c]);
    while (linee.prossima(linea, inizio)) {
        ++numero;
        if (vuota(linea)) continue;
        RigaPannello r;
        r.linea = numero;
        r.inizio = inizio;
        r.lunghezza = linea.size();
        auto celle = dividi(linea, sep, errore);
        if (!celle)
            r.guasto = Guasto::virgolette;
        else if (celle->size() < f.colonne.size())
            r.guasto = Guasto::meno_colonne;
        else if (celle->size() > f.colonne.size())
            r.guasto = Guasto::piu_colonne;
        else if ((*celle)[*id].empty())
            r.guasto = Guasto::senza_id;
        else if (!f.indice_.emplace((*celle)[*id], f.righe.size()).second)
            r.guasto = Guasto::id_ripetuto;
        if (r.leggibile()) {
            r.celle = std::move(*celle);
            if (f.separatore == Separatore::punto_e_virgola)
                for (std::size_t c = 0; c < f.colonne.size(); ++c) {
                    if (!numeriche[c]) continue;
                    if (auto v = punto_decimale(r.celle[c])) r.celle[c] = std::move(*v);
                    else r.con_punto.push_back(c);
                }
        }
        f.righe.push_back(std::move(r));
    }
    f.indicizzate_ = f.righe.size();
    return f;
}

FilePannelli leggi_pannelli(std::string_view testo, const std::string& nome) {
    return FilePannelli::da_testo(std::string(testo), nome);
}

std::optional<FilePannelli> carica_pannelli(const fs::path& dir_lavoro) {
    const fs::path file = dir_lavoro / kFilePannelli;
    std::error_code ec;
    if (!fs::exists(file, ec)) return std::nullopt;
    auto testo = text::read_bytes(file);
    if (!testo) throw Failure("Impossibile leggere il file \"" + file.string() + "\".");
    return FilePannelli::da_testo(std::move(*testo), file.string());
}

std::string messaggio_riga(const FilePannelli& f, const RigaPannello& r) {
    return std::string(kFilePannelli) + ", riga " + std::to_string(r.linea) + ": " + f.errore(r) +
           "; la riga resta nel file com'era.";
}

std::vector<std::string> messaggi_righe(const FilePannelli& f) {
    std::vector<std::string> out;
    for (const auto& r : f.righe)
        if (!r.leggibile()) out.push_back(messaggio_riga(f, r));
    return out;
}

std::string nome_relazione_tutti(std::string_view lavoro) {
    return std::string(lavoro) + "_tutti";
}

std::string nome_relazione_pannello(std::string_view lavoro, std::string_view id) {
    const auto minuscolo = [](std::string_view t) {
        std::string out(t);
        for (char& c : out)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return out;
    };
    const std::string m = minuscolo(id);
    const bool scontro = m == "tutti" || m.starts_with("pannello_");
    return std::string(lavoro) + (scontro ? "_pannello_" : "_") + std::string(id);
}

std::string testo_pannelli(const FilePannelli& f) {
    const char sep = carattere(f.separatore);
    const bool virgola = f.separatore == Separatore::punto_e_virgola;
    std::string out;
    const auto riga = [&](const std::vector<std::string>& celle, bool intestazione,
                          const std::vector<std::size_t>& con_punto) {
        for (std::size_t c = 0; c < celle.size(); ++c) {
            if (c > 0) out += sep;
            const bool numero = !intestazione && virgola && colonna_numerica(f.colonne[c]) &&
                                std::find(con_punto.begin(), con_punto.end(), c) == con_punto.end();
            aggiungi_cella_csv(out, numero ? virgola_decimale(celle[c]) : celle[c], sep, true);
        }
        out += '\n';
    };
    riga(f.colonne, true, {});
    for (const auto& r : f.righe) {
        if (r.leggibile()) {
            riga(r.celle, false, r.con_punto);
        } else {
            out += f.originale(r);
            out += '\n';
        }
    }
    return out;
}

std::string testo_di_cella(Campo c, std::string_view cella, const text::NumberFormat& formato) {
    if (dati_campo(c).lettura == Lettura::lettera_suolo) return std::string(cella);
    const auto v = text::parse_number(cella, text::dot_format());
    return v ? text::general(*v, formato) : std::string(cella);
}

std::string separatore_locale(std::string_view punto, const text::NumberFormat& formato) {
    std::string out(punto);
    const auto p = out.find('.');
    if (formato.decimal == "." || p == std::string::npos || out.find(',') != std::string::npos ||
        !text::parse_number(out, text::dot_format()))
        return out;
    return out.replace(p, 1, formato.decimal);
}

std::string cella_di_testo(Campo c, std::string_view testo, const text::NumberFormat& formato) {
    if (dati_campo(c).lettura == Lettura::lettera_suolo) return text::trim(testo);
    const auto v = numero_di_testo(c, testo, formato);
    return v ? text::general(*v, text::dot_format()) : std::string(testo);
}

std::optional<std::string> salva_pannelli(const fs::path& dir_lavoro, const FilePannelli& f) {
    text::FileAtomico file(dir_lavoro / kFilePannelli);
    if (!file.aperto()) return file.messaggio_apertura();
    file.stream() << testo_pannelli(f);
    if (!file.conferma()) return file.messaggio_scrittura();
    return std::nullopt;
}

std::optional<std::string> applica_riga(const FilePannelli& f, const RigaPannello& r, Pannello& p,
                                        const units::Unita& unita,
                                        const text::NumberFormat& formato) {
    const auto rifiuto = leggi_celle(celle_di_riga(f, r), p, unita, formato);
    if (!rifiuto) return std::nullopt;
    return messaggio_rifiuto(p.id, *rifiuto);
}

}  // namespace tv::form
