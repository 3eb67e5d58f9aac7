// SPDX-License-Identifier: GPL-3.0-or-later
// SHA-256 (FIPS 180-4) of bytes and of a file, written as 64 lower-case hex digits: the report
// names the exact data files a check used.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tv::text {

std::string sha256_hex(std::string_view bytes);
// nullopt when the file cannot be read.
std::optional<std::string> sha256_file(const std::filesystem::path& file);

}  // namespace tv::text
