#pragma once

#include <platform/ui/geometry.h>
#include <platform/ui/graphicscontext.h>
#include <platform/ui/textattributes.h>

#include <QString>

namespace pirrow {

/// The text cell of a text field, drawing its one line in the vertical middle of the cell instead of
/// at the top. Rectangles are in the control view's coordinates, which are flipped (y down) as text
/// fields' are: the title rectangle's y is its top edge.
class CenteredTextCell {
public:
    explicit CenteredTextCell(const QString &text = {}, const platform::ui::TextAttributes &attributes = {});
    virtual ~CenteredTextCell();

    QString stringValue() const { return m_text; }
    void setStringValue(const QString &text) { m_text = text; }
    const platform::ui::TextAttributes &attributes() const { return m_attributes; }
    void setAttributes(const platform::ui::TextAttributes &attributes) { m_attributes = attributes; }

    /// The plain cell's title rectangle with its top moved so that the text's height is centred in
    /// `bounds` (above it when the text is taller).
    virtual platform::ui::Rect titleRectForBounds(const platform::ui::Rect &bounds) const;
    /// Draws the text into the title rectangle of `cellFrame`, and nothing else.
    void drawInterior(platform::ui::GraphicsContext &context, const platform::ui::Rect &cellFrame) const;

protected:
    /// Where a text field's cell puts its title: the bounds inset by 2 points on the left and right.
    virtual platform::ui::Rect plainTitleRectForBounds(const platform::ui::Rect &bounds) const;

private:
    QString m_text;
    platform::ui::TextAttributes m_attributes;
};

} // namespace pirrow
