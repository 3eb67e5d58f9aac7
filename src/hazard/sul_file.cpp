// SPDX-License-Identifier: GPL-3.0-or-later
// The grid file read for its records' codes and positions, and each record given by a search read
// back from where it lies in the file.
#include "hazard/sul_file.h"

#include <fstream>
#include <system_error>

#include "text/error.h"

namespace tv::hazard {
namespace fs = std::filesystem;

GrigliaSulFile::GrigliaSulFile(const fs::path& file) : file_(file) {
    std::error_code ec;
    const auto size = fs::file_size(file, ec);
    std::ifstream in;
    if (!ec && fs::is_regular_file(file, ec)) in.open(file, std::ios::binary);
    if (ec || !in) griglia_illeggibile(file);
    const std::string nome = path_text(file);
    LettoreGriglia lettore(in, nome);
    std::vector<Posto> posti;
    posti.reserve(static_cast<std::size_t>(size / 128));  // 130 to 170 bytes a record
    tratti_.reserve(2 * posti.capacity());
    per_ogni_record(lettore, nome, [&](const PuntoGriglia& p) {
        posti.push_back({p.cod, p.lon, p.lat});
        tratti_.push_back(lettore.inizio_record());
        tratti_.push_back(lettore.fine_record());
    });
    indice_ = std::make_unique<IndicePosti>(std::move(posti));
}

const PuntoGriglia* GrigliaSulFile::punto(std::size_t i) const {
    if (i == IndicePosti::kNessuno) return nullptr;
    std::lock_guard<std::mutex> lock(mutex_);
    if (const auto it = letti_.find(i); it != letti_.end()) return &it->second;
    const std::uint64_t da = tratti_[2 * i], a = tratti_[2 * i + 1];
    std::string testo(static_cast<std::size_t>(a - da), '\0');
    std::ifstream in(file_, std::ios::binary);
    if (!in.seekg(static_cast<std::streamoff>(da)) ||
        !in.read(testo.data(), static_cast<std::streamsize>(testo.size())))
        griglia_illeggibile(file_);
    PuntoGriglia p;
    try {
        p = LettoreGriglia::record_solo(testo, path_text(file_));
    } catch (const Failure&) {
        griglia_illeggibile(file_);
    }
    const Posto& atteso = indice_->posti()[i];
    if (p.cod != atteso.cod || p.lon != atteso.lon || p.lat != atteso.lat)
        griglia_illeggibile(file_);
    return &letti_.emplace(i, p).first->second;
}

const PuntoGriglia* GrigliaSulFile::nearest(double lon, double lat) const {
    return punto(indice_->nearest(lon, lat));
}

const PuntoGriglia* GrigliaSulFile::by_code(std::int64_t cod) const {
    return punto(indice_->by_code(cod));
}

std::shared_ptr<const RicercaGriglia> FonteSulFile::ricerca(const PercorsoGriglia& file) {
    const fs::path percorso = file();
    std::lock_guard<std::mutex> lock(mutex_);
    if (!griglia_ || percorso != path_) {
        griglia_ = std::make_shared<const GrigliaSulFile>(percorso);
        path_ = percorso;
    }
    return griglia_;
}

}  // namespace tv::hazard
