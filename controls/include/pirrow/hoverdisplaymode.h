#pragma once

#include <optional>

namespace pirrow {

/// The hover effect of a selectable tile.
enum class HoverDisplayMode { rectangle = 0, shift = 1, shadow = 2 };

/// The mode of a raw value, or none for an unknown one.
std::optional<HoverDisplayMode> hoverDisplayModeFromRawValue(int raw);

} // namespace pirrow
