#pragma once

#include <platform/ui/color.h>

#include <vector>

namespace pirrow {

/// Tick circles along the bottom of a graph's plot area. A plain value: a graph holds its own copy.
struct TickOptions {
    /// Number of large circles; not negative.
    int numberOfTicks = 0;
    /// Also a small circle midway between neighbouring large ones.
    bool enableSmallTicks = true;
    /// Gradient colours seen through the large circles.
    std::vector<platform::ui::Color> fillColors { platform::ui::Color::separator() };
    /// Draw circles at all; with at least one tick and no axis the graph keeps 4 points free below
    /// its plot area.
    bool showTickMarks = false;
    double smallRadius = 1;
    double largeRadius = 2;
};

} // namespace pirrow
