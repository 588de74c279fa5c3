#pragma once

#include "platform/ui/textfieldcell.h"

namespace platform::ui {

/// The cell of a search field: a rounded bezel with a search button (a magnifying glass) at its left
/// end, the text between, and a cancel button (a cross in a circle) at its right end while there is
/// text. The placeholder is "Search" unless set otherwise.
class SearchFieldCell : public TextFieldCell {
public:
    explicit SearchFieldCell(const QString &text = {});

    /// The square at the left end of `bounds` (the bounds' height, at most their width).
    virtual Rect searchButtonRectForBounds(const Rect &bounds) const;
    /// The square at the right end of `bounds`.
    virtual Rect cancelButtonRectForBounds(const Rect &bounds) const;

    /// Room for both buttons besides the text.
    Size cellSize() const override;
    /// Between the two buttons, the height of the bounds.
    Rect titleRectForBounds(const Rect &bounds) const override;
    /// The rounded bezel, then the interior.
    void drawWithFrame(GraphicsContext &context, const Rect &cellFrame, View *controlView) override;
    /// The buttons and the text.
    void drawInterior(GraphicsContext &context, const Rect &cellFrame, View *controlView) override;
};

} // namespace platform::ui
