#pragma once

#include <platform/ui/securetextfieldcell.h>

namespace pirrow {

/// A password-field cell drawn as a single hairline along the bottom, like `SingleLineTextFieldCell`.
class SingleLineSecureTextFieldCell : public platform::ui::SecureTextFieldCell {
public:
    using SecureTextFieldCell::SecureTextFieldCell;

    static constexpr double borderThickness = 1;

    platform::ui::Size cellSize() const override;
    void drawWithFrame(platform::ui::GraphicsContext &context, const platform::ui::Rect &cellFrame,
        platform::ui::View *controlView) override;
};

} // namespace pirrow
