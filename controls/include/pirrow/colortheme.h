#pragma once

#include <optional>

namespace pirrow {

/// The theme that selects a card gradient (see `Gradients::forTheme`).
enum class ColorTheme { custom = 0, cardOne = 1, cardTwo = 2, cardThree = 3, cardFull = 4 };

/// The theme of a raw value, or none for an unknown one.
std::optional<ColorTheme> colorThemeFromRawValue(int raw);

} // namespace pirrow
