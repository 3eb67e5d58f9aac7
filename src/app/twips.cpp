// SPDX-License-Identifier: GPL-3.0-or-later
// Twips to pixels at a given logical resolution.
#include "app/twips.h"

#include <cmath>

namespace tv::app {

int twips_a_pixel(int twips, double dpi)
{
    return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / twips_per_pollice));
}

Posizione posizione_in_pixel(const Posizione& twips, double dpi)
{
    return {twips_a_pixel(twips.left, dpi), twips_a_pixel(twips.top, dpi),
            twips_a_pixel(twips.width, dpi), twips_a_pixel(twips.height, dpi)};
}

}  // namespace tv::app
