// Reading of the hazard grid file: record by record with the program's number parser, or whole
// into memory.
#include "hazard/grid.h"

#include <array>
#include <charconv>
#include <cmath>
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

// The number that starts at p when it fills its whole token (up to a separator or the end) and
// is finite: "." decimal point, optional sign and exponent. Returns the end of the number, or
// nullptr when the token is no such number.
const char* read_number(const char* p, const char* end, double& value) {
    if (*p == '+') {
        ++p;
        if (p != end && *p == '-') return nullptr;
    }
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
    buffer_.erase(0, bytes_.size());  // keeps the unfinished line
    i_ = 0;
    while (true) {
        const std::size_t prima = buffer_.size();
        if (!fine_) {
            buffer_.resize(prima + kPezzo);
            in_->read(buffer_.data() + prima, static_cast<std::streamsize>(kPezzo));
            buffer_.resize(prima + static_cast<std::size_t>(in_->gcount()));
            if (in_->bad())
                throw Failure("Impossibile leggere il file della griglia \"" + name_ + "\".");
            fine_ = !*in_;
        }
        // Pieces end after a line end, so that no number and no CR LF is cut in two.
        const std::size_t fine_riga = fine_ ? std::string::npos : buffer_.rfind('\n');
        if (fine_ || fine_riga != std::string::npos) {
            bytes_ = std::string_view(buffer_.data(), fine_ ? buffer_.size() : fine_riga + 1);
            return !bytes_.empty();
        }
    }
}

bool LettoreGriglia::prossimo(PuntoGriglia& p) {
    std::size_t n = bytes_.size();
    std::size_t count = 0;        // numbers read into the current record
    std::size_t record_line = 0;  // line where the current record began
    while (true) {
        // Skip separators, counting line ends (CR LF is one end).
        while (i_ < n && is_separator(bytes_[i_])) {
            if (bytes_[i_] == '\n' ||
                (bytes_[i_] == '\r' && !(i_ + 1 < n && bytes_[i_ + 1] == '\n')))
                ++line_;
            ++i_;
        }
        if (i_ >= n) {
            if (!ricarica()) break;
            n = bytes_.size();
            continue;
        }
        const std::size_t start = i_;
        const auto token = [&] {
            std::size_t e = start;
            while (e < n && !is_separator(bytes_[e])) ++e;
            return bytes_.substr(start, e - start);
        };

        const std::size_t record = letti_ + 1;
        if (count == 0) record_line = line_;
        double value = 0;
        const char* dopo = read_number(bytes_.data() + start, bytes_.data() + n, value);
        if (!dopo)
            fail_record(name_, record, line_,
                        "il valore \"" + shown(token()) + "\" non è un numero valido.");
        i_ = static_cast<std::size_t>(dopo - bytes_.data());
        if (count == 0) {
            if (!read_code(value, p.cod))
                fail_record(
                    name_, record, line_,
                    "il codice \"" + shown(token()) + "\" non è un numero intero positivo.");
        } else if (count == 1) {
            p.lon = value;
        } else if (count == 2) {
            p.lat = value;
        } else {
            p.dati[count - 3] = value;
        }
        if (++count == kNumeriRecord) {
            ++letti_;
            return true;
        }
    }
    if (count != 0)
        fail_record(name_, letti_ + 1, record_line,
                    "il record ha " + std::to_string(count) + " numeri invece di " +
                        std::to_string(kNumeriRecord) + ".");
    return false;
}

namespace {

// Every record of the reader; `stima_bytes` (the text's length) sizes the grid beforehand, as a
// record of the grid file takes 130 to 170 bytes.
Griglia leggi_tutto(LettoreGriglia& lettore, std::string_view name, std::size_t stima_bytes) {
    Griglia grid;
    grid.points.reserve(stima_bytes / 128);
    PuntoGriglia p;
    while (lettore.prossimo(p)) grid.points.push_back(p);
    if (grid.points.empty())
        throw Failure("Il file della griglia \"" + std::string(name) +
                      "\" non contiene alcun punto.");
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
