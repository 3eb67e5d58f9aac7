// The subcommands of torvelando-cli as functions over streams, so tests run them in-process.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tv::cli {

struct OpzioniCheck {
    std::optional<std::string> root;
    std::vector<std::string> set;  // "N=TEXT", in order
    std::optional<int> top, left, right;
    bool json = false;
    std::vector<std::string> extra;  // other arguments, e.g. "|diroot=DIR|"
};

struct OpzioniSearch {
    std::string testo;
    std::optional<std::string> root;
    std::vector<std::string> extra;
};

// Exit codes: 0 the run completed; 1 start-up or the run stopped with a message; 2 a --set text
// or the restraints were refused.
int esegui_check(const OpzioniCheck& o, const std::filesystem::path& cwd, std::ostream& out,
                 std::ostream& err);
int esegui_search(const OpzioniSearch& o, const std::filesystem::path& cwd, std::ostream& out,
                  std::ostream& err);

}  // namespace tv::cli
