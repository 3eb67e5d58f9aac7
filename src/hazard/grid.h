// SPDX-License-Identifier: GPL-3.0-or-later
// The hazard grid: one record per reference point (code, position, 27 values), read from the
// grid file record by record or whole into memory.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

namespace tv::hazard {

// Code steps of the grid's lattice: the east neighbour of point c is c + 1, its south one c + 222.
inline constexpr std::int64_t kPassoEst = 1;
inline constexpr std::int64_t kPassoSud = 222;

// Values per point: nine triples (ag in tenths of g, F0, Tc* in s), one per return period.
inline constexpr std::size_t kValoriPunto = 27;
// Numbers per record in the file: code, longitude, latitude and the values.
inline constexpr std::size_t kNumeriRecord = 3 + kValoriPunto;

// One grid point. dati[0] is the first value (ag at 30 years). The code is held in 64 bits so
// that code + 1 and code - 1 never overflow.
struct PuntoGriglia {
    std::int64_t cod = 0;
    double lon = 0, lat = 0;
    std::array<double, kValoriPunto> dati{};
};

// The whole grid in file order.
struct Griglia {
    std::vector<PuntoGriglia> points;
};

// Reads grid text record by record, in file order, as a sequential reading of the file does:
// the first line is a header and is discarded; then records of 30 numbers separated by any mix
// of commas, blanks, tabs and line ends. `name` names the source in messages. Throws
// tv::Failure on a short record, a token that is no finite number, or a code that is not a
// whole positive number. The text (or the stream) must outlive the reader.
class LettoreGriglia {
  public:
    LettoreGriglia(std::string_view bytes, std::string_view name);
    // Reads the text from `in` a piece at a time, each piece ending with a line end, so that
    // only a small buffer is held. Throws tv::Failure when the stream fails.
    LettoreGriglia(std::istream& in, std::string_view name);

    // The next record into `p`; false at the end of the text (nothing after the last record).
    bool prossimo(PuntoGriglia& p);
    // Records read so far.
    std::size_t letti() const { return letti_; }
    // Where the last record read lies, in bytes from the start of the text (or of the stream):
    // from its code to the end of its last number.
    std::uint64_t inizio_record() const { return inizio_record_; }
    std::uint64_t fine_record() const { return fine_record_; }

    // The one record that `testo` holds, with no header before it: a record read again where
    // inizio_record() and fine_record() found it. Throws tv::Failure as prossimo does, and when
    // the text holds no record or more than one.
    static PuntoGriglia record_solo(std::string_view testo, std::string_view name);

  private:
    bool ricarica();  // the next piece of the stream into bytes_; false at its end

    std::string_view bytes_;  // the text, or the piece of the stream being read
    std::string name_;
    std::istream* in_ = nullptr;
    std::string buffer_;  // the piece, then the unfinished line after it, in its first pieno_
    std::size_t pieno_ = 0;
    bool fine_ = false;     // the stream has nothing more
    std::size_t i_ = 0;     // next byte to read
    std::size_t line_ = 2;  // line of byte i_ (the header is line 1)
    std::size_t letti_ = 0;
    std::uint64_t gia_letti_ = 0;  // bytes of the stream before bytes_
    std::uint64_t inizio_record_ = 0, fine_record_ = 0;
};

// Gives every record of the reader to `ogni`, in file order; a text without records, or whose
// codes do not form the lattice of kPassoEst and kPassoSud, throws tv::Failure naming `name`.
void per_ogni_record(LettoreGriglia& lettore, std::string_view name,
                     const std::function<void(const PuntoGriglia&)>& ogni);

// The whole grid text read with LettoreGriglia; a text without records throws tv::Failure.
Griglia leggi_griglia(std::string_view bytes, std::string_view name);
// The same from a stream; `stima_bytes`, the expected length, sizes the grid beforehand.
Griglia leggi_griglia(std::istream& in, std::string_view name, std::size_t stima_bytes = 0);

// Reads and parses the grid file; a missing or unreadable file throws tv::Failure.
Griglia carica_griglia(const std::filesystem::path& file);

// Path as UTF-8 text, for messages.
std::string path_text(const std::filesystem::path& file);

}  // namespace tv::hazard
