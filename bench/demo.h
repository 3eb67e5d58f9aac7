// SPDX-License-Identifier: GPL-3.0-or-later
// The demo suite of the repository as the benchmarks use it: its root, and a window started
// from it as the program starts.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "app/modello/form1.h"
#include "form/messaggi.h"
#include "hazard/fonte.h"
#include "text/number_text.h"

namespace tv::bench {

inline std::filesystem::path radice_demo() {
    return std::filesystem::path(TV_SOURCE_DIR) / "examples" / "suite";
}

// The window after start-up on the demo job, with "." numbers as the command line has them.
struct FinestraDemo {
    FinestraDemo() {
        avviata = form.Form_Load({"|diroot=" + radice_demo().string() + "|"}, radice_demo());
    }
    form::RaccoltaMessaggi messaggi;
    form::Form1 form{messaggi, text::dot_format()};
    bool avviata = false;
};

// A grid file written moments ago has its bytes compared at every run until it is older than
// the cache's window: the figures are taken on a settled file, as in everyday use.
inline void attendi_griglia_stabile(const std::filesystem::path& file) {
    std::error_code ec;
    const auto mtime = std::filesystem::last_write_time(file, ec);
    if (ec) return;
    const auto eta = std::filesystem::file_time_type::clock::now() - mtime;
    const auto attesa = hazard::CacheGriglia::kFinestraRecente + std::chrono::milliseconds(100) - eta;
    if (attesa > std::chrono::nanoseconds(0)) std::this_thread::sleep_for(attesa);
}

}  // namespace tv::bench
