// SPDX-License-Identifier: GPL-3.0-or-later
// The grid file read for one command: the codes and positions of its records in memory, the
// values of a record read back from the file when a search gives that record.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "hazard/fonte.h"
#include "hazard/indice.h"

namespace tv::hazard {

// Reads the whole file record by record as CacheGriglia does, with the same refusals, and keeps
// of each record its code, its position and where it lies in the file: the answers are those of
// GrigliaIndicizzata over the same file, with no copy of all the values in memory. A record read
// back that is no longer the one read first (the file changed meanwhile) throws tv::Failure.
class GrigliaSulFile : public RicercaGriglia {
  public:
    explicit GrigliaSulFile(const std::filesystem::path& file);

    const PuntoGriglia* nearest(double lon, double lat) const override;
    const PuntoGriglia* by_code(std::int64_t cod) const override;
    std::optional<Posizione> posizione(std::int64_t cod) const override {
        return indice_->posizione(cod);
    }

  private:
    const PuntoGriglia* punto(std::size_t i) const;

    std::filesystem::path file_;
    std::vector<std::uint64_t> tratti_;  // first and last byte + 1 of each record, in turn
    std::unique_ptr<IndicePosti> indice_;
    mutable std::mutex mutex_;
    mutable std::map<std::size_t, PuntoGriglia> letti_;  // the records read back so far
};

// The grid of one command's check runs: the file read once, by GrigliaSulFile, and kept while
// the runs name the same file. A refused file is read again at the next run.
class FonteSulFile : public FonteGriglia {
  public:
    std::shared_ptr<const RicercaGriglia> ricerca(const PercorsoGriglia& file) override;

  private:
    std::mutex mutex_;
    std::filesystem::path path_;
    std::shared_ptr<const GrigliaSulFile> griglia_;
};

}  // namespace tv::hazard
