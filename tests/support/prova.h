// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers every test folder shares: the message of a refusal, a temporary folder that removes
// itself, and files written byte for byte.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>

#include "text/error.h"

namespace tv::prova {
namespace fs = std::filesystem;

// The message of the tv::Failure thrown by f, or "(nessun errore)"; with `titolo`, its title too.
template <class F>
std::string messaggio(F&& f, const char* titolo = nullptr) {
    try {
        f();
    } catch (const Failure& e) {
        if (titolo) { EXPECT_EQ(e.title(), titolo); }
        return e.what();
    }
    return "(nessun errore)";
}

// Writes the bytes as they are, creating the folders on the way.
inline void scrivi(const fs::path& file, std::string_view bytes) {
    if (file.has_parent_path()) fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A fresh folder under the system's temporary folder, removed with its content at the end.
class CartellaTemp {
  public:
    CartellaTemp() {
        std::random_device rd;
        dir_ = fs::temp_directory_path() /
               ("tv_prova_" + std::to_string(rd()) + "_" + std::to_string(rd()));
        fs::create_directories(dir_);
    }
    ~CartellaTemp() { std::error_code ec; fs::remove_all(dir_, ec); }
    CartellaTemp(const CartellaTemp&) = delete;
    CartellaTemp& operator=(const CartellaTemp&) = delete;
    const fs::path& path() const { return dir_; }
    // Writes a file of this folder and returns its path.
    fs::path scrivi(const std::string& nome, std::string_view bytes) const {
        prova::scrivi(dir_ / nome, bytes);
        return dir_ / nome;
    }

  private:
    fs::path dir_;
};

}  // namespace tv::prova
