// Case-insensitive search over the lines of the locality list and the split of a picked line.
#include "hazard/localita.h"

#include "hazard/grid.h"
#include "text/encoding.h"
#include "text/error.h"

namespace tv::hazard {

std::optional<std::vector<std::string>> cerca_localita(const std::vector<std::string>& lines,
                                                       std::string_view typed) {
    if (text::char_count(typed) < kMinCaratteriRicerca) return std::nullopt;
    const std::string needle = text::to_lower(typed);
    std::vector<std::string> found;
    for (const std::string& line : lines)
        if (text::to_lower(line).find(needle) != std::string::npos) found.push_back(line);
    return found;
}

std::optional<std::vector<std::string>> cerca_localita(const std::filesystem::path& file,
                                                       std::string_view typed) {
    if (text::char_count(typed) < kMinCaratteriRicerca) return std::nullopt;
    auto lines = text::read_lines(file);
    if (!lines)
        throw Failure("Impossibile leggere il file delle località \"" + path_text(file) + "\".");
    // An empty list would only say "no match" for every text: say that the file is empty.
    if (lines->empty())
        throw Failure("Il file delle località \"" + path_text(file) + "\" è vuoto.");
    return cerca_localita(*lines, typed);
}

std::optional<std::pair<std::string, std::string>> scegli_localita(std::string_view line) {
    constexpr std::string_view kSeparatore = "   ";
    const auto first = line.find(kSeparatore);
    if (first == std::string_view::npos) return std::nullopt;
    const std::string_view rest = line.substr(first + kSeparatore.size());
    return std::pair{std::string(line.substr(0, first)),
                     std::string(rest.substr(0, rest.find(kSeparatore)))};
}

}  // namespace tv::hazard
