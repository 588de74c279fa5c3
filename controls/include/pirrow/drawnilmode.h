#pragma once

namespace pirrow {

/// How a line plotter draws a missing value.
enum class DrawNilMode {
    /// At the bottom of the plot area.
    drawMinValue,
    /// The line ends at the first missing value.
    stop,
    /// The line ends there and its last drawn point is highlighted.
    stopAndHighlightPreviousValue
};

} // namespace pirrow
