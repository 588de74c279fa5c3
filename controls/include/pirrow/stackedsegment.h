#pragma once

#include <platform/ui/color.h>

namespace pirrow {

/// One coloured part of a `StackedSegmentView`: its share of the full width (0 to 1) and its colour.
struct StackedSegment {
    double value = 0;
    platform::ui::Color color;
};

} // namespace pirrow
