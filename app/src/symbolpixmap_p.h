#pragma once

#include <platform/ui/image.h>

#include <QColor>
#include <QPainter>
#include <QPixmap>

namespace quenby {

/// A monochrome symbol as a pixmap of `side` points, drawn in `color` (the palette's text colour, so
/// symbols stay visible on light and dark palettes). A blank image gives a null pixmap.
inline QPixmap symbolPixmap(const platform::ui::Image &image, int side, const QColor &color)
{
    QImage bitmap = image.bitmap(2.0);
    if (bitmap.isNull())
        return {};
    bitmap = bitmap.scaled(side * 2, side * 2, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&bitmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(bitmap.rect(), color);
    painter.end();
    QPixmap pixmap = QPixmap::fromImage(bitmap);
    pixmap.setDevicePixelRatio(2.0);
    return pixmap;
}

} // namespace quenby
