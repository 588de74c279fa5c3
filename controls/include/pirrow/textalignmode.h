#pragma once

namespace pirrow {

/// How axis texts of a graph are spread: evenly over the axis, or centred under their values.
enum class TextAlignMode { evenly, centered };

} // namespace pirrow
