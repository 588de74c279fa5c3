#pragma once

#include <platform/ui/graphicscontext.h>
#include <platform/ui/textfieldcell.h>

namespace pirrow::detail {

/// Draws a single-line cell: a hairline of `thickness` along the bottom of a frame W by H (in the
/// flipped cell space, so at y = H − thickness / 2), then the cell's interior in the W by H − thickness
/// above it. The frame's origin is not used: the cell fills its control.
inline void drawBottomLineCell(platform::ui::TextFieldCell &cell, platform::ui::GraphicsContext &context,
    const platform::ui::Rect &cellFrame, platform::ui::View *controlView, double thickness)
{
    using namespace platform::ui;
    const double w = cellFrame.width(), h = cellFrame.height();
    context.setStrokeColor(Color::tertiaryLabel());
    StrokeStyle line;
    line.color = Color::tertiaryLabel();
    line.lineWidth = thickness;
    Path path;
    path.moveTo({ 0, h - thickness * 0.5 });
    path.lineTo({ w, h - thickness * 0.5 });
    context.strokePath(path, line);
    cell.drawInterior(context, Rect(0, 0, w, h - thickness), controlView);
}

} // namespace pirrow::detail
