// SPDX-License-Identifier: GPL-3.0-or-later
// Conversion of design positions, given in twips (1440 to the inch), into screen pixels.
#pragma once

namespace tv::app {

inline constexpr int twips_per_pollice = 1440;

// A rectangle in twips: left and top relative to the container, then width and height.
struct Posizione {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Pixels covered by `twips` at `dpi` logical dots per inch, rounded to the nearest pixel
// (halves away from zero).
int twips_a_pixel(int twips, double dpi);

// The same rectangle in pixels: every edge length and offset is converted on its own, so that
// controls with equal design sizes keep equal pixel sizes wherever they sit.
Posizione posizione_in_pixel(const Posizione& twips, double dpi);

}  // namespace tv::app
