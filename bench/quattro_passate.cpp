// SPDX-License-Identifier: GPL-3.0-or-later
// Scans of the grid file for the nearest point and for a code, as the check run made them
// before the grid was held in memory.
#include "quattro_passate.h"

#include <fstream>
#include <limits>

#include "hazard/grid.h"
#include "text/error.h"

namespace tv::bench {

std::string_view RicercaFile::leggi() const {
    ++passate_;
    std::error_code ec;
    const auto size = std::filesystem::file_size(file_, ec);
    std::ifstream in(file_, std::ios::binary);
    if (ec || !in) throw Failure("Impossibile leggere il file della griglia.");
    buffer_.resize(static_cast<std::size_t>(size));
    in.read(buffer_.data(), static_cast<std::streamsize>(size));
    return std::string_view(buffer_.data(), static_cast<std::size_t>(in.gcount()));
}

const hazard::PuntoGriglia* RicercaFile::nearest(double lon, double lat) const {
    const std::string_view bytes = leggi();
    hazard::LettoreGriglia lettore(bytes, "griglia");
    hazard::PuntoGriglia p, best;
    double best_d = std::numeric_limits<double>::infinity();
    bool trovato = false;
    while (lettore.prossimo(p)) {
        const double d = hazard::dist_geo(p.lon, p.lat, lon, lat);
        if (d < best_d) {
            best_d = d;
            best = p;
            trovato = true;
        }
    }
    if (!trovato) return nullptr;
    return &trovati_.emplace_back(best);
}

const hazard::PuntoGriglia* RicercaFile::by_code(std::int64_t cod) const {
    const std::string_view bytes = leggi();
    hazard::LettoreGriglia lettore(bytes, "griglia");
    hazard::PuntoGriglia p;
    while (lettore.prossimo(p))
        if (p.cod == cod) return &trovati_.emplace_back(p);
    return nullptr;
}

std::shared_ptr<const hazard::RicercaGriglia> FonteFile::ricerca(
    const hazard::PercorsoGriglia& file) {
    if (ultima_) passate_finite_ += ultima_->passate();
    ultima_ = std::make_shared<const RicercaFile>(file(), buffer_);
    return ultima_;
}

int FonteFile::passate() const {
    return passate_finite_ + (ultima_ ? ultima_->passate() : 0);
}

}  // namespace tv::bench
