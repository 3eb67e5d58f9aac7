// SPDX-License-Identifier: GPL-3.0-or-later
// Locality search by part of a line of the locality list, and the pick of a line into its
// latitude and longitude texts.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tv::hazard {

// Fewest characters (not bytes) of typed text that start a search.
inline constexpr std::size_t kMinCaratteriRicerca = 3;

// Every line that contains `typed` regardless of letter case and accents (forli finds Forlì,
// citta finds Città): first the lines whose name (the piece after the coordinates) starts with
// it, then the others, each group in the order given. nullopt when `typed` (UTF-8) has fewer
// than 3 characters: no search, the list keeps its lines.
std::optional<std::vector<std::string>> cerca_localita(const std::vector<std::string>& lines,
                                                       std::string_view typed);

// The same over the locality file, decoded (UTF-8 where valid, else Windows-1252) and split at
// CR, LF or CR LF. The file is not read when `typed` is too short; a file that cannot be read,
// or holds no line, throws tv::Failure naming it.
std::optional<std::vector<std::string>> cerca_localita(const std::filesystem::path& file,
                                                       std::string_view typed);

// What the search over the file reads, without the search, for a front end that shows no list:
// throws as cerca_localita does for a file that cannot be read or holds no line; reads nothing
// when `typed` is too short.
void controlla_localita(const std::filesystem::path& file, std::string_view typed);

// (latitude text, longitude text): the first and second pieces of the line split at every
// three blanks, unchanged. nullopt when the line has no three blanks (no second piece).
std::optional<std::pair<std::string, std::string>> scegli_localita(std::string_view line);

// The name of the first line whose coordinates are exactly (lon, lat), as a pick of that line
// would give them; nullopt when no line has them or the file cannot be read.
std::optional<std::string> localita_alle_coordinate(const std::vector<std::string>& lines,
                                                    double lon, double lat);
std::optional<std::string> localita_alle_coordinate(const std::filesystem::path& file, double lon,
                                                    double lat);

}  // namespace tv::hazard
