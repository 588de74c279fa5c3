#pragma once

namespace pirrow {

/// Markers a line plotter draws at its points.
enum class LineJoinMarker { none, circle };

} // namespace pirrow
