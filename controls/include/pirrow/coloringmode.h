#pragma once

namespace pirrow {

/// How a multi-colour bar plotter colours its bars: by position in a colour list, or by value band.
enum class ColoringMode { array, ranges };

} // namespace pirrow
