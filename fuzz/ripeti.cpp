// SPDX-License-Identifier: GPL-3.0-or-later
// Replays a fuzz target's corpus as a plain program (no libFuzzer): every file named, or every
// file of every folder named, goes once through the target; a broken promise aborts the run.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int ripeti(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "illeggibile: %s\n", file.string().c_str());
        return 1;
    }
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    std::fprintf(stderr, "%s\n", file.string().c_str());
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int errori = 0;
    std::size_t letti = 0;
    for (int i = 1; i < argc; ++i) {
        const std::filesystem::path p(argv[i]);
        if (!std::filesystem::is_directory(p)) {
            errori += ripeti(p);
            ++letti;
            continue;
        }
        std::vector<std::filesystem::path> files;
        for (const auto& e : std::filesystem::directory_iterator(p))
            if (e.is_regular_file()) files.push_back(e.path());
        std::sort(files.begin(), files.end());
        for (const auto& f : files) {
            errori += ripeti(f);
            ++letti;
        }
    }
    // An empty corpus would pass without testing anything.
    if (letti == 0) {
        std::fprintf(stderr, "nessun file da ripetere\n");
        return 1;
    }
    return errori == 0 ? 0 : 1;
}
