#pragma once

#include <platform/ui/textfieldcell.h>

namespace pirrow {

/// A text-field cell that draws its one line in the vertical middle of the cell instead of at the
/// top. Rectangles are in the control's flipped cell space: a title rectangle's y is its top edge.
class CenteredTextCell : public platform::ui::TextFieldCell {
public:
    using TextFieldCell::TextFieldCell;

    /// The plain cell's title rectangle with its top moved so that the value's height is centred in
    /// `bounds` (above the bounds' top when the text is taller).
    platform::ui::Rect titleRectForBounds(const platform::ui::Rect &bounds) const override;
    /// Draws the value into `titleRectForBounds` of `cellFrame` (as the cell's class gives it), and
    /// nothing else.
    void drawInterior(platform::ui::GraphicsContext &context, const platform::ui::Rect &cellFrame,
        platform::ui::View *controlView) override;
};

} // namespace pirrow
