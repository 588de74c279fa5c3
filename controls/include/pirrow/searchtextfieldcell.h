#pragma once

#include <platform/ui/searchfieldcell.h>

namespace pirrow {

/// A search-field cell without the rounded bezel: only the text, placeholder and buttons show.
class SearchTextFieldCell : public platform::ui::SearchFieldCell {
public:
    using SearchFieldCell::SearchFieldCell;

    /// The interior in (0, 0, W, H) of the frame, and nothing else.
    void drawWithFrame(platform::ui::GraphicsContext &context, const platform::ui::Rect &cellFrame,
        platform::ui::View *controlView) override;
};

} // namespace pirrow
