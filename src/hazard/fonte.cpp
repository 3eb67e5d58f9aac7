// SPDX-License-Identifier: GPL-3.0-or-later
// The grid file kept in memory with its index: reading again on a changed identity, and the
// byte comparison that covers rewrites too quick for the file's time stamp.
#include "hazard/fonte.h"

#include <fstream>
#include <system_error>
#include <utility>

#include "text/encoding.h"
#include "text/error.h"

namespace tv::hazard {
namespace fs = std::filesystem;

void griglia_illeggibile(const fs::path& file) {
    throw Failure("Impossibile leggere il file della griglia \"" + path_text(file) + "\".");
}

std::shared_ptr<const GrigliaIndicizzata> CacheGriglia::get(const fs::path& file) {
    // The clock is read before the file: a write after this moment gets a later time stamp.
    const auto adesso = fs::file_time_type::clock::now();
    std::error_code ec_size, ec_time;
    const auto size = fs::file_size(file, ec_size);
    const auto mtime = fs::last_write_time(file, ec_time);
    if (ec_size || ec_time) griglia_illeggibile(file);

    std::lock_guard<std::mutex> lock(mutex_);
    const bool stessa_identita = griglia_ && file == path_ && size == size_ && mtime == mtime_;
    if (stessa_identita && !recente_) return griglia_;
    const bool recente = mtime > adesso - kFinestraRecente;

    // Identity taken before reading: a change during the reading shows at the next call.
    if (!stessa_identita && !recente) {
        // The usual case: read piece by piece, nothing of the text kept.
        std::error_code ec;
        std::ifstream in;
        if (fs::is_regular_file(file, ec)) in.open(file, std::ios::binary);
        if (!in) griglia_illeggibile(file);
        return tieni(file, leggi_griglia(in, path_text(file), static_cast<std::size_t>(size)), {},
                     size, mtime, false);
    }
    // A file written moments ago: its bytes are kept to be compared at the next call.
    auto bytes = text::read_bytes(file);
    if (!bytes) griglia_illeggibile(file);
    if (stessa_identita && *bytes == bytes_recenti_) {
        recente_ = recente;
        if (!recente_) std::string().swap(bytes_recenti_);
        return griglia_;
    }
    Griglia grid = leggi_griglia(*bytes, path_text(file));
    return tieni(file, std::move(grid), std::move(*bytes), size, mtime, recente);
}

std::shared_ptr<const GrigliaIndicizzata> CacheGriglia::tieni(const fs::path& file, Griglia grid,
                                                           std::string bytes, std::uintmax_t size,
                                                           fs::file_time_type mtime, bool recente) {
    // Reached only with a grid read whole: a refused file left the cache as it was, so it is
    // read again at the next call.
    griglia_ = std::make_shared<const GrigliaIndicizzata>(std::move(grid));
    path_ = file;
    size_ = size;
    mtime_ = mtime;
    recente_ = recente;
    bytes_recenti_ = recente ? std::move(bytes) : std::string();
    ++letture_;
    return griglia_;
}

std::size_t CacheGriglia::letture() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return letture_;
}

}  // namespace tv::hazard
