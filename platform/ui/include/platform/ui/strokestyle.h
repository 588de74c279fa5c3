#pragma once

#include "platform/ui/color.h"

#include <vector>

namespace platform::ui {

enum class LineCap { butt, round, square };
enum class LineJoin { miter, round, bevel };

/// How a path is stroked.
struct StrokeStyle {
    Color color = Color::black();
    double lineWidth = 1;
    LineCap lineCap = LineCap::butt;
    LineJoin lineJoin = LineJoin::miter;
    double miterLimit = 10;
    std::vector<double> dashPattern;
    double dashPhase = 0;

    friend bool operator==(const StrokeStyle &, const StrokeStyle &) = default;
};

} // namespace platform::ui
