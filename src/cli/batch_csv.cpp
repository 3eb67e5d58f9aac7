// SPDX-License-Identifier: GPL-3.0-or-later
// The batch file's reading through the fast-cpp-csv-parser library (named columns, quoted
// fields) and the writing of the results as CSV.
#include <algorithm>
#include <array>
#include <bitset>
#include <optional>
#include <string_view>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "cli/batch.h"
#include "form/pannelli.h"
#include "text/encoding.h"
#include "text/error.h"

// Reading on the calling thread: the batch spreads the checks, not the reading. The library's
// bounded copies of file names into its error messages are meant to cut long names.
#define CSV_IO_NO_THREAD
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wstringop-truncation"
#include <libfccp/csv.h>
#pragma GCC diagnostic pop
#else
#include <libfccp/csv.h>
#endif

namespace tv::cli {
namespace fs = std::filesystem;

namespace {

// The name of a column the batch reads: today's, the mechanism's, then the choices.
constexpr std::string_view nome_letto(std::size_t i) {
    if (i < kColonneIngresso) return kNomiIngresso[i];
    if (i < kColonneIngresso + kColonneMeccanismo) return kNomiMeccanismo[i - kColonneIngresso];
    return form::kNomiScelte[i - kColonneIngresso - kColonneMeccanismo];
}

template <char Sep>
using LettoreSep =
    io::CSVReader<kColonneLette, io::trim_chars<' ', '\t'>, io::double_quote_escape<Sep, '"'>,
                  io::throw_on_overflow, io::empty_line_comment>;
using Lettore = LettoreSep<','>;
using LettorePV = LettoreSep<';'>;

// The header's names and the first line, or a message in the user's language. Columns the batch
// does not know are read past (controlla_intestazione names them).
template <class L>
void leggi_intestazione(L& csv, const std::string& nome) {
    std::array<std::string, kColonneLette> nomi;
    for (std::size_t i = 0; i < kColonneLette; ++i) nomi[i] = std::string(nome_letto(i));
    try {
        std::apply(
            [&](const auto&... n) {
                csv.read_header(io::ignore_missing_column | io::ignore_extra_column, n...);
            },
            nomi);
    } catch (const io::error::duplicated_column_in_header& e) {
        throw Failure("Colonna \"" + text::decode(e.column_name) +
                      "\" ripetuta nell'intestazione del file \"" + nome + "\".");
    } catch (const io::error::header_missing&) {
        throw Failure("Il file \"" + nome + "\" è vuoto: manca la riga d'intestazione.");
    } catch (const io::error::escaped_string_not_closed&) {
        throw Failure("Virgolette non chiuse nell'intestazione del file \"" + nome + "\".");
    } catch (const io::error::line_length_limit_exceeded&) {
        // A header longer than the reader's 16 MiB window: it used to escape as the library's
        // own exception and end the program.
        throw Failure("Riga d'intestazione del file \"" + nome + "\" troppo lunga.");
    }
}

// One cell of the header as the library splits it: at a separator outside quotes, blanks and
// tabs trimmed, a quoted cell unquoted ("" for a quote).
struct CellaIntestazione {
    std::size_t inizio = 0, fine = 0;  // its bytes in the line split
    std::string nome;
};

// The cells of a header line; nullopt when a quote is left open (the library then refuses it).
std::optional<std::vector<CellaIntestazione>> celle_intestazione(std::string_view linea, char sep) {
    std::vector<CellaIntestazione> celle;
    for (std::size_t i = 0;; ++i) {
        CellaIntestazione c;
        c.inizio = i;
        while (i < linea.size() && linea[i] != sep) {
            if (linea[i] != '"') {
                ++i;
                continue;
            }
            do {
                i = linea.find('"', i + 1);
                if (i == std::string_view::npos) return std::nullopt;
                ++i;
            } while (i < linea.size() && linea[i] == '"');
        }
        c.fine = i;
        std::string_view v = linea.substr(c.inizio, c.fine - c.inizio);
        while (!v.empty() && (v.front() == ' ' || v.front() == '\t')) v.remove_prefix(1);
        while (!v.empty() && (v.back() == ' ' || v.back() == '\t')) v.remove_suffix(1);
        if (v.size() >= 2 && v.front() == '"' && v.back() == '"') {
            v = v.substr(1, v.size() - 2);
            for (std::size_t k = 0; k < v.size(); ++k) {
                c.nome += v[k];
                if (v[k] == '"' && k + 1 < v.size() && v[k + 1] == '"') ++k;
            }
        } else {
            c.nome = std::string(v);
        }
        celle.push_back(std::move(c));
        if (i >= linea.size()) return celle;
    }
}

// The input column a header name means, whatever its letter case and the blanks around it.
std::optional<std::size_t> colonna_di_nome(std::string_view nome) {
    // A name written as the batch writes it first: the mechanism's t1 is not the period T1.
    const std::string esatto = text::trim(nome);
    for (std::size_t i = 0; i < kColonneLette; ++i)
        if (nome_letto(i) == esatto) return i;
    const std::string chiave = text::to_lower(esatto);
    for (std::size_t i = 0; i < kColonneLette; ++i)
        if (text::minuscole_ascii(nome_letto(i)) == chiave) return i;
    return std::nullopt;
}

// The input column an unknown name looks like a misspelling of: one character away (inserted,
// removed, changed, or two swapped), two when both names have five or more, letter case aside.
// Names of one or two characters are near too many to tell; the result columns, which a batch
// reading its own output meets, are only noted.
std::optional<std::string_view> colonna_simile(std::string_view nome) {
    const std::string chiave = text::to_lower(text::trim(nome));
    const std::size_t lunghezza = text::char_count(chiave);
    if (lunghezza < 3) return std::nullopt;
    for (auto n : kNomiRisultato)
        if (text::minuscole_ascii(n) == chiave) return std::nullopt;
    for (auto n : kNomiRisultatoMeccanismo)
        if (text::minuscole_ascii(n) == chiave) return std::nullopt;
    std::optional<std::string_view> simile;
    std::size_t migliore = 3;
    for (std::size_t i = 0; i < kColonneLette; ++i) {
        const std::string_view n = nome_letto(i);
        const std::size_t soglia = std::min(lunghezza, n.size()) <= 4 ? 1 : 2;
        // Names that differ in length by more are farther apart: a long note is never compared.
        if (lunghezza > n.size() + soglia || n.size() > lunghezza + soglia) continue;
        const std::size_t d = text::edit_distance(chiave, text::minuscole_ascii(n));
        if (d <= soglia && d < migliore) simile = n, migliore = d;
    }
    return simile;
}

// The header checked and given the batch's own names: a name holding the other separator means
// the file mixes them, a column named twice (in any letter case) or a near miss of a column's
// name stops the file; other unknown names are noted in `ignorate`. Returns the header line for
// the library, `linea` itself when every known name is already written as the batch writes it.
std::string intestazione_letta(const std::string& linea, form::Separatore sep,
                               const std::string& nome, std::vector<std::string>& ignorate,
                               bool& meccanismi) {
    const char s = sep == form::Separatore::punto_e_virgola ? ';' : ',';
    // The BOM the library skips; the names are read as the whole line decodes.
    const std::string_view grezza =
        std::string_view(linea).substr(linea.starts_with("\xEF\xBB\xBF") ? 3 : 0);
    const auto celle = celle_intestazione(grezza, s);
    const auto nomi = celle_intestazione(text::decode(grezza), s);
    if (!celle || !nomi || celle->size() != nomi->size()) return linea;
    std::string uscita;
    std::size_t copiati = 0;
    std::bitset<kColonneLette> viste;
    for (std::size_t k = 0; k < celle->size(); ++k) {
        const std::string& colonna = (*nomi)[k].nome;
        if (colonna.find(';') != std::string::npos)
            throw Failure("La colonna \"" + text::printable(colonna) +
                          "\" dell'intestazione del file \"" + nome +
                          "\" contiene \";\": il separatore delle colonne è \",\" quando "
                          "l'intestazione contiene una virgola, altrimenti \";\" (con la virgola "
                          "decimale).");
        if (const auto i = colonna_di_nome(colonna)) {
            if (viste[*i])
                throw Failure("Colonna \"" + text::printable(text::trim(colonna)) +
                              "\" ripetuta nell'intestazione del file \"" + nome + "\".");
            viste.set(*i);
            if (colonna == nome_letto(*i)) continue;
            const CellaIntestazione& c = (*celle)[k];
            uscita.append(grezza.substr(copiati, c.inizio - copiati)).append(nome_letto(*i));
            copiati = c.fine;
        } else if (const auto simile = colonna_simile(colonna)) {
            throw Failure("Colonna \"" + text::printable(text::trim(colonna)) + "\" del file \"" +
                          nome + "\" non riconosciuta: forse \"" + std::string(*simile) + "\"?");
        } else if (!colonna.empty()) {
            ignorate.push_back(text::printable(colonna));
        }
    }
    meccanismi = viste[kColonneIngresso];  // the column `verifica`
    if (copiati == 0) return linea;
    return uscita.append(grezza.substr(copiati));
}

// The first line of a stream, its line end dropped (a BOM is dropped by the caller's decode).
std::string prima_linea(std::istream& in) {
    std::string linea;
    for (int c; (c = in.get()) != std::char_traits<char>::eof();) {
        if (c == '\n') break;
        if (c == '\r') {
            if (in.peek() == '\n') in.get();
            break;
        }
        linea += static_cast<char>(c);
        if (linea.size() > (16u << 20)) break;
    }
    return linea;
}

// The length of a C string when it is all ASCII; nullopt when it holds another byte.
std::optional<std::size_t> lunghezza_ascii(const char* s) {
    const char* p = s;
    for (; *p; ++p)
        if (static_cast<unsigned char>(*p) >= 0x80) return std::nullopt;
    return static_cast<std::size_t>(p - s);
}

// A number as the results write it ("-1.5e-05"): written with a decimal comma for a spreadsheet.
bool numero(std::string_view s) {
    bool cifra = false;
    for (char c : s) {
        if (c >= '0' && c <= '9')
            cifra = true;
        else if (c != '.' && c != '-' && c != '+' && c != 'e' && c != 'E')
            return false;
    }
    return cifra;
}

// A first character that makes a spreadsheet run the cell as a formula.
bool inizio_formula(char c) {
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

// A number in "." notation, whole: a sign, digits with at most one ".", an exponent.
bool numero_rigoroso(std::string_view s) {
    std::size_t i = s.starts_with('+') || s.starts_with('-') ? 1 : 0;
    std::size_t cifre = 0;
    bool punto = false;
    for (; i < s.size(); ++i) {
        if (s[i] >= '0' && s[i] <= '9') ++cifre;
        else if (s[i] == '.' && !punto) punto = true;
        else break;
    }
    if (cifre == 0) return false;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        if (++i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
        const std::size_t esponente = i;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        if (i == esponente) return false;
    }
    return i == s.size();
}

// The bytes of a stream with every lone CR made a LF: the library ends lines at LF only (and drops
// the CR of CR LF), while the suite's files may end them with CR alone. NUL becomes SUB.
class SorgenteRighe : public io::ByteSourceBase {
  public:
    // `inizio`: the bytes already taken from the stream (its header line), read first.
    SorgenteRighe(std::istream& in, std::string inizio) : inizio_(std::move(inizio)), in_(&in) {}
    SorgenteRighe(std::unique_ptr<std::ifstream> file, std::string inizio)
        : file_(std::move(file)), inizio_(std::move(inizio)), in_(file_.get()) {}

    // The library takes a short read for the end of the data: the buffer is filled whole.
    int read(char* buffer, int size) override {
        int primi = 0;
        if (dati_ < inizio_.size()) {
            const auto n = std::min(inizio_.size() - dati_, static_cast<std::size_t>(size));
            std::copy_n(inizio_.data() + dati_, n, buffer);
            for (std::size_t i = 0; i < n; ++i)
                if (buffer[i] == '\0') buffer[i] = '\x1a';
            dati_ += n;
            primi = static_cast<int>(n);
            if (primi == size) return primi;
        }
        return primi + leggi(buffer + primi, size - primi);
    }

  private:
    int leggi(char* buffer, int size) {
        in_->read(buffer, size);
        const auto n = static_cast<int>(in_->gcount());
        for (int i = 0; i < n; ++i) {
            // The library hands cells over as C strings, which a NUL byte would cut: "7\0 50"
            // would read as 7. The substitute character keeps the cell whole, and refused.
            if (buffer[i] == '\0') buffer[i] = '\x1a';
            if (buffer[i] != '\r') continue;
            const bool lf = i + 1 < n ? buffer[i + 1] == '\n'
                                      : in_->peek() == std::char_traits<char>::to_int_type('\n');
            if (!lf) buffer[i] = '\n';
        }
        return n;
    }

    std::unique_ptr<std::ifstream> file_;
    std::string inizio_;
    std::size_t dati_ = 0;
    std::istream* in_;
};

}  // namespace

// The reader of the separator the header shows: "," or ";".
struct LettoreLotto::Csv {
    std::variant<std::unique_ptr<Lettore>, std::unique_ptr<LettorePV>> lettore;
};

namespace {
template <class S>
std::unique_ptr<LettoreLotto::Csv> apri_csv(const std::string& nome, form::Separatore sep,
                                            std::unique_ptr<S> sorgente) {
    auto csv = std::make_unique<LettoreLotto::Csv>();
    switch (sep) {
        case form::Separatore::virgola:
            csv->lettore = std::make_unique<Lettore>(nome, std::move(sorgente));
            break;
        case form::Separatore::punto_e_virgola:
            csv->lettore = std::make_unique<LettorePV>(nome, std::move(sorgente));
            break;
    }
    return csv;
}
}  // namespace

std::string LettoreLotto::inizia(const std::string& linea) {
    separatore_ = form::separatore_di_intestazione(text::decode(linea));
    return intestazione_letta(linea, separatore_, nome_, ignorate_, meccanismi_);
}

LettoreLotto::LettoreLotto(const std::string& nome, std::istream& in) : nome_(nome) {
    const std::string linea = inizia(prima_linea(in));
    csv_ = apri_csv(nome, separatore_, std::make_unique<SorgenteRighe>(in, linea + "\n"));
    std::visit([&](auto& l) { leggi_intestazione(*l, nome_); }, csv_->lettore);
}

LettoreLotto::LettoreLotto(const fs::path& file) : nome_(text::decode(file.string())) {
    // A folder opens as a stream that reads nothing: said for what it is.
    if (std::error_code ec; fs::is_directory(file, ec))
        throw Failure("Impossibile leggere il file \"" + nome_ + "\": è una cartella.");
    auto in = std::make_unique<std::ifstream>(file, std::ios::binary);
    if (!*in) throw Failure("Impossibile leggere il file \"" + nome_ + "\".");
    const std::string linea = inizia(prima_linea(*in));
    csv_ = apri_csv(nome_, separatore_,
                    std::make_unique<SorgenteRighe>(std::move(in), linea + "\n"));
    std::visit([&](auto& l) { leggi_intestazione(*l, nome_); }, csv_->lettore);
}

LettoreLotto::~LettoreLotto() = default;

bool LettoreLotto::prossima(RigaIngresso& riga) {
    std::array<char*, kColonneLette> celle{};  // stays null for a column the file lacks
    riga.errore.clear();
    try {
        const bool letta =
            std::visit([&](auto& l) {
                return std::apply([&](auto&... c) { return l->read_row(c...); }, celle);
            }, csv_->lettore);
        if (!letta) return false;
    } catch (const io::error::too_few_columns& e) {
        riga.errore =
            "Riga " + std::to_string(e.file_line) + " del file: meno colonne dell'intestazione";
    } catch (const io::error::too_many_columns& e) {
        riga.errore =
            "Riga " + std::to_string(e.file_line) + " del file: più colonne dell'intestazione";
    } catch (const io::error::escaped_string_not_closed& e) {
        riga.errore = "Riga " + std::to_string(e.file_line) + " del file: virgolette non chiuse";
    } catch (const io::error::line_length_limit_exceeded& e) {
        throw Failure("Riga " + std::to_string(e.file_line) + " del file \"" + nome_ +
                      "\" troppo lunga.");
    }
    riga.numero = ++numero_;
    riga.con_punto.reset();
    riga.meccanismo_con_punto.reset();
    riga.con_scelte = false;
    for (std::size_t i = 0; i < kColonneLette; ++i) {
        const bool base = i < kColonneIngresso;
        if (i >= kColonneIngresso + kColonneMeccanismo) {
            // A choice's word, or h/H and fk (numbers: with a decimal comma in a ";" file).
            auto& scelta = riga.scelte[i - kColonneIngresso - kColonneMeccanismo];
            scelta.reset();
            if (!riga.errore.empty() || !celle[i]) continue;
            scelta = text::decode(celle[i]);
            riga.con_scelte = true;
            if (separatore_ == form::Separatore::punto_e_virgola &&
                (nome_letto(i) == "h_su_H" || nome_letto(i) == "fk"))
                if (auto v = form::punto_decimale(*scelta)) *scelta = std::move(*v);
            continue;
        }
        auto& cella = base ? riga.celle[i] : riga.meccanismo[i - kColonneIngresso];
        if (!riga.errore.empty() || !celle[i]) {
            cella.reset();
        } else if (const auto n = lunghezza_ascii(celle[i])) {
            cella.emplace(celle[i], *n);
        } else {
            cella = text::decode(celle[i]);
        }
        // A spreadsheet's ";" file writes its numbers with decimal commas (every mechanism
        // column but the kind and the analysis holds a number).
        if (cella && separatore_ == form::Separatore::punto_e_virgola &&
            (base ? form::colonna_numerica(kNomiIngresso[i])
                  : i > kColonneIngresso &&
                        form::campo_numerico(
                            static_cast<form::CampoMeccanismo>(i - kColonneIngresso - 1)))) {
            if (auto v = form::punto_decimale(*cella)) *cella = std::move(*v);
            else if (base) riga.con_punto.set(i);
            else riga.meccanismo_con_punto.set(i - kColonneIngresso);
        }
    }
    return true;
}

constexpr std::size_t kDescrizione = colonna_ingresso("descrizione");

std::string intestazione_csv(bool excel, bool meccanismi) {
    const char sep = excel ? ';' : ',';
    std::string out;
    for (auto n : kNomiIngresso) out += std::string(n) + sep;
    for (auto n : kNomiRisultato) out += std::string(n) + sep;
    if (meccanismi) {
        for (auto n : kNomiMeccanismo) out += std::string(n) + sep;
        for (auto n : kNomiRisultatoMeccanismo) out += std::string(n) + sep;
    }
    out.back() = '\n';
    return out;
}

void aggiungi_riga_csv(std::string& out, const RigaEsito& riga, bool excel, bool meccanismi) {
    const char sep = excel ? ';' : ',';
    std::string cella;
    const std::size_t colonne = riga.celle.size() + (meccanismi ? riga.meccanismo.size() : 0);
    for (std::size_t i = 0; i < colonne; ++i) {
        if (i > 0) out += sep;
        const bool propria = i >= riga.celle.size();  // a mechanism column
        const std::string& c = propria ? riga.meccanismo[i - riga.celle.size()] : riga.celle[i];
        // The id, the description and cells echoed as read are texts, never numbers to convert;
        // so are the mechanism's kind and name.
        const bool testo = i == 0 || i == kDescrizione ||
                           (i < kColonneIngresso && riga.come_lette[i]) ||
                           (propria && (i == riga.celle.size() ||
                                        i == riga.celle.size() + kColonneMeccanismo));
        // A spreadsheet runs a cell starting with "=", "+", "-", "@", a tab or a CR as a formula:
        // a text so written gets an apostrophe before it, which the spreadsheet shows as text.
        // A number ("-5", a negative longitude) stays a number.
        const bool formula = !c.empty() && inizio_formula(c.front());
        if (formula && (testo || !numero_rigoroso(c))) {
            cella.assign(1, '\'').append(c);
            form::aggiungi_cella_csv(out, cella, sep, false);
        } else if (excel && !testo && numero(c)) {
            form::aggiungi_cella_csv(out, form::virgola_decimale(c), sep, false);
        } else {
            form::aggiungi_cella_csv(out, c, sep, false);
        }
    }
    out += '\n';
}

std::string riga_csv(const RigaEsito& riga) {
    std::string out;
    aggiungi_riga_csv(out, riga);
    return out;
}

}  // namespace tv::cli
