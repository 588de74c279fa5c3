#pragma once

#include <platform/ui/font.h>

namespace pirrow {

/// Look of a graph's value labels. A plain value: a graph holds its own copy.
struct FontOptions {
    bool showMinValue = true;
    bool showHalfValue = true;
    bool showMaxValue = true;
    /// Its point size is also the height of a label.
    platform::ui::Font font = platform::ui::Font::systemFont(13, platform::ui::FontWeight::semibold);
};

} // namespace pirrow
