#pragma once

#include <platform/ui/color.h>

namespace pirrow {

using platform::ui::Color;

/// The shared colours of the controls library. Fixed colours are made once and shared; the
/// appearance-dependent ones are computed on every read from `isDark()`, so a control that redraws
/// after a change of appearance reads them again.
class Colors {
public:
    /// A nested type kept for the names of the drawing code; it has no members.
    struct Gradient { };

    /// Whether the current drawing appearance (the view being drawn, else the application's) is dark:
    /// its name, lower-cased, contains "dark".
    static bool isDark();

    static const Color &plum();
    static const Color &coral();
    static const Color &raspberry();
    static const Color &peach();
    static const Color &teal();
    static const Color &cyan();

    static Color accentBlue();
    /// Hover background of hover labels and toggle buttons.
    static Color hover();
    /// Fill of a tile that is not hovered.
    static Color background();
    /// Background of cards.
    static Color warmBackground();
    /// Fill of a hovered tile.
    static Color secondaryBackground();

    Colors() = delete;
};

} // namespace pirrow
