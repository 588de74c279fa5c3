#include "platform/ui/searchfieldcell.h"

#include "platform/ui/graphicscontext.h"
#include "platform/ui/view.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace platform::ui {

namespace {
    constexpr double kButtonWidth = 22;

    Color glyphColor(View *controlView)
    {
        const Color c = Color::secondaryLabel();
        return controlView ? c.resolved(controlView->effectiveAppearance()) : c.resolved();
    }
} // namespace

SearchFieldCell::SearchFieldCell(const QString &text)
    : TextFieldCell(text)
{
    setPlaceholderString(QCoreApplication::translate("SearchFieldCell", "Search"));
    setEditable(true);
}

Rect SearchFieldCell::searchButtonRectForBounds(const Rect &bounds) const
{
    const double side = std::min({ kButtonWidth, bounds.height(), bounds.width() / 2 });
    return Rect(bounds.x(), bounds.y() + (bounds.height() - side) / 2, side, side);
}

Rect SearchFieldCell::cancelButtonRectForBounds(const Rect &bounds) const
{
    const double side = std::min({ kButtonWidth, bounds.height(), bounds.width() / 2 });
    return Rect(bounds.maxX() - side, bounds.y() + (bounds.height() - side) / 2, side, side);
}

Size SearchFieldCell::cellSize() const
{
    const Size text = attributedStringSize();
    return { std::ceil(text.width) + 2 * kButtonWidth + 4, std::max(kButtonWidth, std::ceil(text.height) + 4) };
}

Rect SearchFieldCell::titleRectForBounds(const Rect &bounds) const
{
    const Rect search = searchButtonRectForBounds(bounds);
    const Rect cancel = cancelButtonRectForBounds(bounds);
    // Text lines start at the top: put one line in the middle of the field.
    const double line = std::ceil(attributedStringSize().height);
    const double top = bounds.y() + std::max(0.0, (bounds.height() - line) / 2);
    return Rect(search.maxX(), top, std::max(0.0, cancel.minX() - search.maxX()), std::min(line, bounds.height()));
}

void SearchFieldCell::drawWithFrame(GraphicsContext &context, const Rect &cellFrame, View *controlView)
{
    const Rect r = cellFrame.insetBy(0.5, 0.5);
    const double radius = r.height() / 2;
    context.fillRoundedRect(r, radius, radius, Color::textBackground());
    StrokeStyle line;
    line.color = Color::separator();
    line.lineWidth = 1;
    context.strokePath(Path::roundedRect(r, radius, radius), line);
    drawInterior(context, cellFrame, controlView);
}

void SearchFieldCell::drawInterior(GraphicsContext &context, const Rect &cellFrame, View *controlView)
{
    StrokeStyle glyph;
    glyph.color = glyphColor(controlView);
    glyph.lineWidth = 1.5;
    glyph.lineCap = LineCap::round;

    // Magnifying glass: a ring and a handle to the lower right (y runs down in the cell space).
    const Rect s = searchButtonRectForBounds(cellFrame);
    const double ring = s.width() * 0.3;
    const Point c { s.midX() - ring * 0.25, s.midY() - ring * 0.25 };
    context.strokePath(Path::ellipse(Rect(c.x - ring / 2, c.y - ring / 2, ring, ring)), glyph);
    Path handle;
    const double d = ring / 2 * M_SQRT1_2;
    handle.moveTo({ c.x + d, c.y + d });
    handle.lineTo({ c.x + d + ring * 0.45, c.y + d + ring * 0.45 });
    context.strokePath(handle, glyph);

    if (!stringValue().isEmpty()) {
        const Rect x = cancelButtonRectForBounds(cellFrame);
        const double disc = x.width() * 0.55;
        const Rect circle(x.midX() - disc / 2, x.midY() - disc / 2, disc, disc);
        context.fillPath(Path::ellipse(circle), glyphColor(controlView));
        StrokeStyle cross = glyph;
        cross.color = Color::textBackground();
        cross.lineWidth = 1.2;
        const double a = disc * 0.2;
        Path p;
        p.moveTo({ x.midX() - a, x.midY() - a });
        p.lineTo({ x.midX() + a, x.midY() + a });
        p.moveTo({ x.midX() + a, x.midY() - a });
        p.lineTo({ x.midX() - a, x.midY() + a });
        context.strokePath(p, cross);
    }
    TextFieldCell::drawInterior(context, cellFrame, controlView);
}

} // namespace platform::ui
