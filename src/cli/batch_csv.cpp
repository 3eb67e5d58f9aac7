// The batch file's reading through the fast-cpp-csv-parser library (named columns, quoted
// fields) and the writing of the results as CSV.
#include <array>
#include <fstream>
#include <memory>
#include <string>
#include <tuple>

#include "cli/batch.h"
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

using Lettore =
    io::CSVReader<kColonneIngresso, io::trim_chars<' ', '\t'>, io::double_quote_escape<',', '"'>,
                  io::throw_on_overflow, io::empty_line_comment>;

std::string elenco_colonne() {
    std::string out;
    for (auto n : kNomiIngresso) out += (out.empty() ? "" : ", ") + std::string(n);
    return out;
}

// The header's names and the first line, or a message in the user's language.
void leggi_intestazione(Lettore& csv, const std::string& nome) {
    std::array<std::string, kColonneIngresso> nomi;
    for (std::size_t i = 0; i < kColonneIngresso; ++i) nomi[i] = std::string(kNomiIngresso[i]);
    try {
        std::apply([&](const auto&... n) { csv.read_header(io::ignore_missing_column, n...); },
                   nomi);
    } catch (const io::error::extra_column_in_header& e) {
        throw Failure("Colonna sconosciuta \"" + text::decode(e.column_name) +
                      "\" nell'intestazione del file \"" + nome +
                      "\". Colonne ammesse: " + elenco_colonne() + ".");
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

bool ascii(const char* s) {
    for (; *s; ++s)
        if (static_cast<unsigned char>(*s) >= 0x80) return false;
    return true;
}

constexpr std::array<bool, 256> kSpeciali = [] {
    std::array<bool, 256> t{};
    for (unsigned char c : {',', '"', '\r', '\n'}) t[c] = true;
    return t;
}();

bool da_quotare(std::string_view s) {
    if (s.empty()) return false;
    if (s.front() == ' ' || s.front() == '\t' || s.back() == ' ' || s.back() == '\t') return true;
    for (char c : s)
        if (kSpeciali[static_cast<unsigned char>(c)]) return true;
    return false;
}

void aggiungi_campo(std::string& out, std::string_view s) {
    if (!da_quotare(s)) {
        out += s;
        return;
    }
    out += '"';
    for (char c : s) {
        if (c == '"') out += '"';
        out += c;
    }
    out += '"';
}

// The bytes of a stream with every lone CR made a LF: the library ends lines at LF only (and drops
// the CR of CR LF), while the suite's files may end them with CR alone. NUL becomes SUB.
class SorgenteRighe : public io::ByteSourceBase {
  public:
    explicit SorgenteRighe(std::istream& in) : in_(&in) {}
    explicit SorgenteRighe(std::unique_ptr<std::ifstream> file)
        : file_(std::move(file)), in_(file_.get()) {}

    int read(char* buffer, int size) override {
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

  private:
    std::unique_ptr<std::ifstream> file_;
    std::istream* in_;
};

}  // namespace

struct LettoreLotto::Csv {
    template <class... Args>
    explicit Csv(Args&&... args) : lettore(std::forward<Args>(args)...) {}
    Lettore lettore;
};

LettoreLotto::LettoreLotto(const std::string& nome, std::istream& in)
    : csv_(std::make_unique<Csv>(nome, std::make_unique<SorgenteRighe>(in))), nome_(nome) {
    leggi_intestazione(csv_->lettore, nome);
}

LettoreLotto::LettoreLotto(const fs::path& file) : nome_(text::decode(file.string())) {
    auto in = std::make_unique<std::ifstream>(file, std::ios::binary);
    if (!*in) throw Failure("Impossibile leggere il file \"" + nome_ + "\".");
    csv_ = std::make_unique<Csv>(nome_, std::make_unique<SorgenteRighe>(std::move(in)));
    leggi_intestazione(csv_->lettore, nome_);
}

LettoreLotto::~LettoreLotto() = default;

bool LettoreLotto::prossima(RigaIngresso& riga) {
    std::array<char*, kColonneIngresso> celle{};  // stays null for a column the file lacks
    riga.errore.clear();
    try {
        const bool letta =
            std::apply([&](auto&... c) { return csv_->lettore.read_row(c...); }, celle);
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
    for (std::size_t i = 0; i < kColonneIngresso; ++i) {
        if (!riga.errore.empty() || !celle[i]) {
            riga.celle[i].reset();
        } else if (ascii(celle[i])) {
            riga.celle[i].emplace(celle[i]);
        } else {
            riga.celle[i] = text::decode(celle[i]);
        }
    }
    return true;
}

std::string intestazione_csv() {
    std::string out;
    for (auto n : kNomiIngresso) out += std::string(n) + ",";
    for (auto n : kNomiRisultato) out += std::string(n) + ",";
    out.back() = '\n';
    return out;
}

void aggiungi_riga_csv(std::string& out, const RigaEsito& riga) {
    for (std::size_t i = 0; i < riga.celle.size(); ++i) {
        if (i > 0) out += ',';
        aggiungi_campo(out, riga.celle[i]);
    }
    out += '\n';
}

std::string riga_csv(const RigaEsito& riga) {
    std::string out;
    aggiungi_riga_csv(out, riga);
    return out;
}

}  // namespace tv::cli
