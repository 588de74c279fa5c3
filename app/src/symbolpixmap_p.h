#pragma once

#include <platform/ui/image.h>

#include <QColor>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

namespace quenby {

/// A monochrome symbol as a pixmap of `side` points, drawn in `color` (the palette's text colour, so
/// symbols stay visible on light and dark palettes). A blank image gives a null pixmap.
inline QPixmap symbolPixmap(const platform::ui::Image &image, int side, const QColor &color)
{
    // Rendered at the size shown, not scaled afterwards: sharper, and no smooth scaling (which Qt
    // spreads over its thread pool).
    const double longer = std::max(image.size().width, image.size().height);
    if (!(longer > 0))
        return {};
    QImage bitmap = image.bitmap(2.0 * side / longer);
    if (bitmap.isNull())
        return {};
    bitmap = bitmap.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    bitmap.setDevicePixelRatio(1.0);
    QPainter painter(&bitmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(bitmap.rect(), color);
    painter.end();
    QPixmap pixmap = QPixmap::fromImage(bitmap);
    pixmap.setDevicePixelRatio(2.0);
    return pixmap;
}

} // namespace quenby
