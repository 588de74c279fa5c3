#pragma once

#include <platform/ui/color.h>
#include <platform/ui/font.h>
#include <platform/ui/geometry.h>
#include <platform/ui/textattributes.h>

#include <QString>

#include <optional>

namespace olvane {

/// Attributes for drawing short texts (always a font, a colour and a paragraph style whose only
/// change from the default is its alignment), text measuring, and flags from region codes.
class TextUtilities {
public:
    TextUtilities() = delete;

    using Alignment = platform::ui::TextAlignment;

    /// The system font of `size` (bold when asked), the label colour.
    static platform::ui::TextAttributes labelAttributes(
        double size, bool bold = false, Alignment alignment = Alignment::center);
    /// The system font of `size` in `color`.
    static platform::ui::TextAttributes colorAttributes(
        const platform::ui::Color &color, double size, Alignment alignment = Alignment::center);
    static platform::ui::TextAttributes colorObjectAttributes(
        const platform::ui::Color &color, Alignment alignment, double size);
    static platform::ui::TextAttributes styledAttributes(
        Alignment alignment, const platform::ui::Color &color, bool bold, double size);
    /// The system font of `size` in the label colour.
    static platform::ui::TextAttributes alignedAttributes(Alignment alignment, double size);
    static platform::ui::TextAttributes fontAttributes(
        const platform::ui::Font &font, const platform::ui::Color &color, Alignment alignment);
    static platform::ui::TextAttributes fontAlignedAttributes(
        const platform::ui::Font &font, Alignment alignment, const platform::ui::Color &color);

    /// The size the text takes in the font, wrapped at the maximum width (0: no limit); zero for
    /// no text.
    static platform::ui::Size boundingSize(
        const std::optional<QString> &text, const platform::ui::Font &font, platform::ui::Size maximumSize);
    /// The height the text takes in the font with no limit; 0 for no text.
    static double textHeight(const std::optional<QString> &text, const platform::ui::Font &font);

    /// Each character moved up by 127397 (so "DE" becomes the two regional indicators of a flag);
    /// characters that would land beyond Unicode or on a surrogate are left out.
    static QString flag(const QString &text);
};

} // namespace olvane
