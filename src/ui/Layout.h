// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Control.h"

#include <vector>

namespace kvz {

// One band of the window's background, in twips.
struct Band {
    int top = 0;
    int bottom = 0;
    int right = 0; // bands start at the left edge and reach past the right one
    Colour colour = 0;
};

// The background: bands 36 twips high shading from black at the top to navy at 4608
// twips and back towards black, for a window of the given inner size.
std::vector<Band> backgroundBands(int width, int height, double gap);

} // namespace kvz
