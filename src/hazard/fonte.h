// SPDX-License-Identifier: GPL-3.0-or-later
// Where a check run takes the hazard grid from: the grid file kept in memory with its index
// while the file stays the same, or one grid fixed for a whole batch of checks.
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "hazard/indice.h"
#include "hazard/ricerca.h"

namespace tv::hazard {

// Throws tv::Failure "Impossibile leggere il file della griglia "F"." for a grid file that could
// not be read, or that changed while it was read.
[[noreturn]] void griglia_illeggibile(const std::filesystem::path& file);

// The path of the grid file, found only when a source reads the file.
using PercorsoGriglia = std::function<std::filesystem::path()>;

class FonteGriglia {
  public:
    virtual ~FonteGriglia() = default;
    // The searches of one check run, valid while the pointer is held. Throws tv::Failure when
    // the grid cannot be read.
    virtual std::shared_ptr<const RicercaGriglia> ricerca(const PercorsoGriglia& file) = 0;
};

// Keeps the last grid read, with its index, and reads the file again when its path, size or
// modification time changed, so that a run sees the file as if it had read it anew. A file
// written so recently that a rewrite within the same tick of the file system's clock could keep
// its size and time (see kFinestraRecente) has its bytes compared at every call until it is
// older than that. A replacement that keeps both size and time of an old file is taken as the
// same file, as make and rsync do. Safe to share between threads.
class CacheGriglia : public FonteGriglia {
  public:
    // Longer than the coarsest time stamps in use (2 s on FAT).
    static constexpr std::chrono::seconds kFinestraRecente{3};

    std::shared_ptr<const GrigliaIndicizzata> get(const std::filesystem::path& file);
    std::shared_ptr<const RicercaGriglia> ricerca(const PercorsoGriglia& file) override {
        return get(file());
    }

    // How many times a grid was parsed (and indexed) so far.
    std::size_t letture() const;

  private:
    std::shared_ptr<const GrigliaIndicizzata> tieni(const std::filesystem::path& file, Griglia grid,
                                                    std::string bytes, std::uintmax_t size,
                                                    std::filesystem::file_time_type mtime,
                                                    bool recente);

    mutable std::mutex mutex_;
    std::filesystem::path path_;
    std::uintmax_t size_ = 0;
    std::filesystem::file_time_type mtime_{};
    std::string bytes_recenti_;  // the bytes read, kept while the file counts as recent
    bool recente_ = false;
    std::shared_ptr<const GrigliaIndicizzata> griglia_;
    std::size_t letture_ = 0;
};

// One grid for every run, without looking at any file: a batch checks all its rows against the
// grid read when it started.
class GrigliaFissa : public FonteGriglia {
  public:
    explicit GrigliaFissa(std::shared_ptr<const RicercaGriglia> griglia)
        : griglia_(std::move(griglia)) {}
    std::shared_ptr<const RicercaGriglia> ricerca(const PercorsoGriglia&) override {
        return griglia_;
    }

  private:
    std::shared_ptr<const RicercaGriglia> griglia_;
};

}  // namespace tv::hazard
