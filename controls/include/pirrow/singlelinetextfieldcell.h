#pragma once

#include <platform/ui/textfieldcell.h>

namespace pirrow {

/// A text-field cell drawn as a single hairline along the bottom of the field in place of the bezel,
/// with the text above it.
class SingleLineTextFieldCell : public platform::ui::TextFieldCell {
public:
    using TextFieldCell::TextFieldCell;

    /// Width of the bottom line.
    static constexpr double borderThickness = 1;

    /// The plain cell's size, one line taller.
    platform::ui::Size cellSize() const override;
    /// The line in the tertiary label colour, then the interior above it; no bezel, border or background.
    void drawWithFrame(platform::ui::GraphicsContext &context, const platform::ui::Rect &cellFrame,
        platform::ui::View *controlView) override;
};

} // namespace pirrow
