#pragma once

#include <platform/ui/textattributes.h>

namespace pirrow {

/// Text attributes of the controls library.
class TextUtilities {
public:
    /// Exactly three attributes: the system font of `size` (bold when asked), the colour, and the
    /// default paragraph style with `alignment`.
    static platform::ui::TextAttributes attributes(
        platform::ui::TextAlignment alignment, const platform::ui::Color &color, bool bold, double size);

    TextUtilities() = delete;
};

} // namespace pirrow
