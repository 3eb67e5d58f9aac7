// SPDX-License-Identifier: GPL-3.0-or-later
// The grid searches of a check run as scans of the grid file, one for every search: the design
// that read the file four times a run, kept as the reference of the benchmarks.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "hazard/fonte.h"
#include "hazard/ricerca.h"

namespace tv::bench {

// Every call opens the file, reads it and parses it record by record with the program's own
// reader: a full pass for the nearest point, a pass up to the match for a code.
class RicercaFile : public hazard::RicercaGriglia {
  public:
    // `buffer` holds the bytes of one pass; its memory is reused from pass to pass.
    RicercaFile(std::filesystem::path file, std::string& buffer)
        : file_(std::move(file)), buffer_(buffer) {}

    const hazard::PuntoGriglia* nearest(double lon, double lat) const override;
    const hazard::PuntoGriglia* by_code(std::int64_t cod) const override;

    int passate() const { return passate_; }

  private:
    std::string_view leggi() const;

    std::filesystem::path file_;
    std::string& buffer_;
    mutable std::deque<hazard::PuntoGriglia> trovati_;  // the points handed out stay where they are
    mutable int passate_ = 0;
};

// A new RicercaFile for every run; counts the passes of all runs.
class FonteFile : public hazard::FonteGriglia {
  public:
    std::shared_ptr<const hazard::RicercaGriglia> ricerca(
        const hazard::PercorsoGriglia& file) override;
    int passate() const;

  private:
    std::string buffer_;
    std::shared_ptr<const RicercaFile> ultima_;
    int passate_finite_ = 0;
};

}  // namespace tv::bench
