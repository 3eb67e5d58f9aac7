// SPDX-License-Identifier: GPL-3.0-or-later
// Reading of the hazard grid file: record by record with the program's number parser, or whole
// into memory.
#include "hazard/grid.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <string>

#include "text/encoding.h"
#include "text/error.h"

namespace tv::hazard {
namespace {

constexpr std::array<bool, 256> kSeparatori = [] {
    std::array<bool, 256> t{};
    for (unsigned char c : {' ', '\t', ',', '\r', '\n'}) t[c] = true;
    return t;
}();

bool is_separator(char c) {
    return kSeparatori[static_cast<unsigned char>(c)];
}

// The plain decimals the grid file is made of ("-12.345": at most 15 digits, no exponent) read
// as a whole number of at most 15 digits divided by a power of ten, both exact: the division
// rounds once, to the same double as from_chars. Returns nullptr for any other token.
const char* read_plain_decimal(const char* p, const char* end, double& value) {
    static constexpr double kPotenze[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                          1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const bool negativo = p != end && *p == '-';
    if (negativo) ++p;
    std::uint64_t cifre = 0;
    const auto leggi_cifre = [&](const char* q) {
        for (unsigned c; q != end && (c = static_cast<unsigned char>(*q) - '0') < 10; ++q)
            cifre = cifre * 10 + c;
        return q;
    };
    const char* q = leggi_cifre(p);
    if (q == p) return nullptr;
    std::size_t n = static_cast<std::size_t>(q - p), decimali = 0;
    if (q != end && *q == '.') {
        const char* f = q + 1;
        q = leggi_cifre(f);
        decimali = static_cast<std::size_t>(q - f);
        if (decimali == 0) return nullptr;
        n += decimali;
    }
    if (n > 15 || (q != end && !is_separator(*q))) return nullptr;
    const double v = static_cast<double>(cifre) / kPotenze[decimali];
    value = negativo ? -v : v;
    return q;
}

// The number that starts at p when it fills its whole token (up to a separator or the end) and
// is finite: "." decimal point, optional sign and exponent. Returns the end of the number, or
// nullptr when the token is no such number.
const char* read_number(const char* p, const char* end, double& value) {
    if (*p == '+') {
        ++p;
        if (p != end && *p == '-') return nullptr;
    }
    if (const char* dopo = read_plain_decimal(p, end, value)) return dopo;
    const auto [ptr, ec] = std::from_chars(p, end, value, std::chars_format::general);
    if (ec != std::errc() || (ptr != end && !is_separator(*ptr)) || !std::isfinite(value))
        return nullptr;
    return ptr;
}

// Codes must be whole, positive and exactly representable.
bool read_code(double value, std::int64_t& cod) {
    constexpr double kMaxExact = 9007199254740992.0;  // 2^53
    if (value < 1 || value > kMaxExact || std::trunc(value) != value) return false;
    cod = static_cast<std::int64_t>(value);
    return true;
}

// A token as shown in a message: decoded for display, cut when very long.
std::string shown(std::string_view token) {
    constexpr std::size_t kMax = 32;
    if (token.size() <= kMax) return text::decode(token);
    return text::decode(token.substr(0, kMax)) + "...";
}

[[noreturn]] void fail_record(std::string_view name, std::size_t record, std::size_t line,
                              const std::string& what) {
    throw Failure("File della griglia \"" + std::string(name) + "\", record " +
                  std::to_string(record) + " (riga " + std::to_string(line) + "): " + what);
}

}  // namespace

std::string path_text(const std::filesystem::path& file) {
    std::u8string u = file.u8string();
    return std::string(u.begin(), u.end());
}

namespace {

// Header: the whole first line, whatever it holds. Returns where the records begin.
std::size_t dopo_intestazione(std::string_view bytes) {
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n && bytes[i] != '\r' && bytes[i] != '\n') ++i;
    if (i < n && bytes[i] == '\r' && i + 1 < n && bytes[i + 1] == '\n') ++i;
    if (i < n) ++i;
    return i;
}

}  // namespace

LettoreGriglia::LettoreGriglia(std::string_view bytes, std::string_view name)
    : bytes_(bytes), name_(name), i_(dopo_intestazione(bytes)) {}

LettoreGriglia::LettoreGriglia(std::istream& in, std::string_view name) : name_(name), in_(&in) {
    // A piece ends with a line end (or the stream), so it holds the header's whole first line.
    ricarica();
    i_ = dopo_intestazione(bytes_);
}

bool LettoreGriglia::ricarica() {
    if (!in_) return false;
    constexpr std::size_t kPezzo = 1 << 16;
    constexpr std::size_t kRigaMassima = std::size_t{16} << 20;  // a record's line is ~150 bytes
    // The unfinished line moves to the front; the buffer keeps its size, so that each piece is
    // read over the last instead of into new, cleared bytes.
    gia_letti_ += bytes_.size();
    pieno_ -= bytes_.size();
    std::copy_n(buffer_.data() + bytes_.size(), pieno_, buffer_.data());
    i_ = 0;
    // The unfinished line holds no line end: only the bytes read after it are searched, so that
    // a long line costs its length, not its square.
    std::size_t cercati = pieno_;
    while (true) {
        if (!fine_) {
            if (pieno_ > kRigaMassima)
                throw Failure("Impossibile leggere il file della griglia \"" + name_ +
                              "\": una riga supera " + std::to_string(kRigaMassima >> 20) +
                              " MiB.");
            if (buffer_.size() < pieno_ + kPezzo) buffer_.resize(pieno_ + kPezzo);
            in_->read(buffer_.data() + pieno_, static_cast<std::streamsize>(kPezzo));
            pieno_ += static_cast<std::size_t>(in_->gcount());
            if (in_->bad())
                throw Failure("Impossibile leggere il file della griglia \"" + name_ + "\".");
            fine_ = !*in_;
        }
        // Pieces end after a line end, so that no number and no CR LF is cut in two.
        const std::string_view letto(buffer_.data(), pieno_);
        std::size_t fine_riga = std::string_view::npos;
        if (!fine_) {
            fine_riga = letto.substr(cercati).rfind('\n');
            if (fine_riga != std::string_view::npos) fine_riga += cercati;
            cercati = pieno_;
        }
        if (fine_ || fine_riga != std::string_view::npos) {
            bytes_ = letto.substr(0, fine_ ? pieno_ : fine_riga + 1);
            return !bytes_.empty();
        }
    }
}

bool LettoreGriglia::prossimo(PuntoGriglia& p) {
    std::array<double, kNumeriRecord> numeri;
    std::size_t count = 0;        // numbers read into the current record
    std::size_t record_line = 0;  // line where the current record began
    std::uint64_t record_da = 0;  // byte where it began
    while (true) {
        const char* const inizio = bytes_.data();
        const char* const fine = inizio + bytes_.size();
        const char* q = inizio + i_;
        std::size_t riga = line_;
        // A token that is no number, or a first one that is no code, stops the reading there.
        const auto rifiuta = [&](const char* cosa, const char* perche) {
            const char* e = q;
            while (e != fine && !is_separator(*e)) ++e;
            line_ = riga;
            fail_record(name_, letti_ + 1, riga,
                        std::string(cosa) + " \"" +
                            shown(std::string_view(q, static_cast<std::size_t>(e - q))) + "\" " +
                            perche);
        };
        while (count < kNumeriRecord) {
            // Skip separators, counting line ends (CR LF is one end).
            while (q != fine && is_separator(*q)) {
                if (*q == '\n' || (*q == '\r' && !(q + 1 != fine && q[1] == '\n'))) ++riga;
                ++q;
            }
            if (q == fine) break;
            if (count == 0) {
                record_line = riga;
                record_da = gia_letti_ + static_cast<std::uint64_t>(q - inizio);
            }
            const char* dopo = read_number(q, fine, numeri[count]);
            if (!dopo) rifiuta("il valore", "non è un numero valido.");
            if (count == 0 && !read_code(numeri[0], p.cod))
                rifiuta("il codice", "non è un numero intero positivo.");
            q = dopo;
            ++count;
        }
        i_ = static_cast<std::size_t>(q - inizio);
        line_ = riga;
        if (count == kNumeriRecord) {
            inizio_record_ = record_da;
            fine_record_ = gia_letti_ + i_;
            p.lon = numeri[1];
            p.lat = numeri[2];
            std::copy(numeri.begin() + 3, numeri.end(), p.dati.begin());
            ++letti_;
            return true;
        }
        if (!ricarica()) break;
    }
    if (count != 0)
        fail_record(name_, letti_ + 1, record_line,
                    "il record ha " + std::to_string(count) + " numeri invece di " +
                        std::to_string(kNumeriRecord) + ".");
    return false;
}

PuntoGriglia LettoreGriglia::record_solo(std::string_view testo, std::string_view name) {
    LettoreGriglia lettore(testo, name);
    lettore.i_ = 0;  // no header
    PuntoGriglia p, altro;
    if (!lettore.prossimo(p) || lettore.prossimo(altro))
        throw Failure("Impossibile leggere il file della griglia \"" + std::string(name) + "\".");
    return p;
}

namespace {

struct PostoCodice {
    std::int64_t cod;
    double lon, lat;
    std::size_t riga;  // the record's number in the file, from 1
};

// The cell search relies on the codes forming a lattice: c + 1 lies east of c and c + 222 south
// of it, wherever both are on the grid. Sorted by code, each step is found by one forward sweep.
void verifica_reticolo(std::vector<PostoCodice>& posti, std::string_view name) {
    std::stable_sort(posti.begin(), posti.end(),
                     [](const PostoCodice& a, const PostoCodice& b) { return a.cod < b.cod; });
    const auto rifiuta = [&](const PostoCodice& p, const PostoCodice& q, const char* dove) {
        throw Failure("Il file della griglia \"" + std::string(name) + "\" non forma un reticolo: "
                      "il punto " + std::to_string(q.cod) + " (record " + std::to_string(q.riga) +
                      ") non è " + dove + " del punto " + std::to_string(p.cod) + " (record " +
                      std::to_string(p.riga) + ").");
    };
    std::size_t est = 0, sud = 0;
    for (const PostoCodice& p : posti) {
        while (est < posti.size() && posti[est].cod < p.cod + kPassoEst) ++est;
        while (sud < posti.size() && posti[sud].cod < p.cod + kPassoSud) ++sud;
        if (est < posti.size() && posti[est].cod == p.cod + kPassoEst && !(posti[est].lon > p.lon))
            rifiuta(p, posti[est], "a est");
        if (sud < posti.size() && posti[sud].cod == p.cod + kPassoSud && !(posti[sud].lat < p.lat))
            rifiuta(p, posti[sud], "a sud");
    }
}

}  // namespace

void per_ogni_record(LettoreGriglia& lettore, std::string_view name,
                     const std::function<void(const PuntoGriglia&)>& ogni) {
    PuntoGriglia p;
    std::vector<PostoCodice> posti;
    while (lettore.prossimo(p)) {
        posti.push_back({p.cod, p.lon, p.lat, lettore.letti()});
        ogni(p);
    }
    if (lettore.letti() == 0)
        throw Failure("Il file della griglia \"" + std::string(name) +
                      "\" non contiene alcun punto.");
    verifica_reticolo(posti, name);
}

namespace {

// Every record of the reader; `stima_bytes` (the text's length) sizes the grid beforehand, as a
// record of the grid file takes 130 to 170 bytes.
Griglia leggi_tutto(LettoreGriglia& lettore, std::string_view name, std::size_t stima_bytes) {
    Griglia grid;
    grid.points.reserve(stima_bytes / 128);
    per_ogni_record(lettore, name, [&](const PuntoGriglia& p) { grid.points.push_back(p); });
    return grid;
}

}  // namespace

Griglia leggi_griglia(std::string_view bytes, std::string_view name) {
    LettoreGriglia lettore(bytes, name);
    return leggi_tutto(lettore, name, bytes.size());
}

Griglia leggi_griglia(std::istream& in, std::string_view name, std::size_t stima_bytes) {
    LettoreGriglia lettore(in, name);
    return leggi_tutto(lettore, name, stima_bytes);
}

Griglia carica_griglia(const std::filesystem::path& file) {
    const std::string name = path_text(file);
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    std::ifstream in;
    if (!ec && std::filesystem::is_regular_file(file, ec)) in.open(file, std::ios::binary);
    if (ec || !in) throw Failure("Impossibile leggere il file della griglia \"" + name + "\".");
    return leggi_griglia(in, name, static_cast<std::size_t>(size));
}

}  // namespace tv::hazard
