#pragma once

#include "platform/ui/color.h"
#include "platform/ui/font.h"
#include "platform/ui/geometry.h"

#include <optional>

namespace platform::ui {

enum class TextAlignment { natural, left, right, center, justified };

enum class LineBreakMode { wordWrapping, charWrapping, clipping, truncatingHead, truncatingTail, truncatingMiddle };

/// How lines of a text are laid out in their rectangle.
struct ParagraphStyle {
    TextAlignment alignment = TextAlignment::natural;
    LineBreakMode lineBreakMode = LineBreakMode::wordWrapping;

    /// The default style (natural alignment, word wrapping).
    static ParagraphStyle defaultStyle() { return {}; }

    friend bool operator==(const ParagraphStyle &, const ParagraphStyle &) = default;
};

/// The attributes a text is drawn with. Each is optional: an absent font is the system font at 12
/// points, an absent colour black, an absent paragraph style the default one.
struct TextAttributes {
    std::optional<Font> font;
    std::optional<Color> foregroundColor;
    std::optional<ParagraphStyle> paragraphStyle;

    /// How many attributes are set.
    int count() const
    {
        return int(font.has_value()) + int(foregroundColor.has_value()) + int(paragraphStyle.has_value());
    }
    Font effectiveFont() const { return font.value_or(Font::systemFont(12)); }
    Color effectiveColor() const { return foregroundColor.value_or(Color::black()); }
    ParagraphStyle effectiveParagraphStyle() const { return paragraphStyle.value_or(ParagraphStyle()); }

    friend bool operator==(const TextAttributes &, const TextAttributes &) = default;
};

} // namespace platform::ui
