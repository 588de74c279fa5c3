#pragma once

#include "platform/ui/color.h"

#include <vector>

namespace platform::ui {

/// Colours at locations 0…1 along a gradient. Without locations the colours are spread evenly.
struct Gradient {
    std::vector<Color> colors;
    std::vector<double> locations;

    /// The locations used for drawing: the given ones when there is one per colour, else evenly spaced.
    std::vector<double> effectiveLocations() const;

    friend bool operator==(const Gradient &, const Gradient &) = default;
};

/// Whether a gradient continues with its end colours before its start and after its end.
struct GradientExtent {
    bool beforeStart = false;
    bool afterEnd = false;

    friend bool operator==(const GradientExtent &, const GradientExtent &) = default;
};

} // namespace platform::ui
