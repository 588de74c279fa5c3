#pragma once

#include "pirrow/screenextensions.h"

#include <platform/ui/color.h>

#include <optional>
#include <vector>

namespace pirrow {

/// Look of a graph's grid. A plain value: a graph holds its own copy.
struct GridOptions {
    /// Width of the grid, the top and the bottom line (two device pixels); also handed to the x axis.
    double gridLineWidth = 2.0 / ScreenExtensions::mainScale();
    bool drawBottomLine = true;
    bool drawTopLine = true;
    double lineDashPhase = 0;
    /// Dashes of the top line and the dividing lines; none draws them solid. The bottom line is
    /// always solid.
    std::optional<std::vector<double>> lineDashPattern;
    platform::ui::Color color = platform::ui::Color::separator();
    /// m columns give m − 1 vertical dividing lines.
    int verticalSegments = 4;
    /// n rows give n − 1 horizontal dividing lines.
    int horizontalSegments = 4;
};

} // namespace pirrow
