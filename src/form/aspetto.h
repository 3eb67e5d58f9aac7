// SPDX-License-Identifier: GPL-3.0-or-later
// How the front ends draw a value: its colour and its alignment, one type each for the window
// and the report.
#pragma once

namespace tv::form {

// A colour, 0 to 255 a channel.
struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kBlack{0, 0, 0};

// Where a text sits in its box or column.
enum class Allineamento { sinistra, centro, destra };

}  // namespace tv::form
