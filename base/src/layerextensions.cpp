#include "tavrin/layerextensions.h"

#include <platform/ui/paintercontext.h>

#include <QPainter>

#include <cmath>

namespace tavrin {

using namespace platform::ui;

Image LayerExtensions::image(const Layer &layer)
{
    const Rect frame = layer.frame();
    constexpr double kLargest = 16384;
    if (!std::isfinite(frame.width()) || !std::isfinite(frame.height()) || frame.width() >= kLargest + 1
        || frame.height() >= kLargest + 1)
        return Image();
    const int w = int(frame.width()); // truncation toward zero
    const int h = int(frame.height());
    if (w <= 0 || h <= 0)
        return Image();
    QImage bitmap(w, h, QImage::Format_ARGB32_Premultiplied);
    bitmap.fill(Qt::transparent);
    {
        QPainter p(&bitmap);
        p.setRenderHint(QPainter::Antialiasing);
        PainterContext ctx(p, { double(w), double(h) }, 1);
        ctx.translate(-layer.bounds().x(), -layer.bounds().y());
        layer.renderInContext(ctx);
    }
    return Image::fromQImage(bitmap, frame.size);
}

Color LayerExtensions::colorAt(const Layer &layer, Point point)
{
    QImage pixel(1, 1, QImage::Format_RGBA8888_Premultiplied);
    pixel.fill(Qt::transparent);
    {
        QPainter p(&pixel);
        p.setRenderHint(QPainter::Antialiasing);
        PainterContext ctx(p, { 1, 1 }, 1);
        ctx.translate(-point.x, -point.y);
        layer.renderInContext(ctx);
    }
    const uchar *bytes = pixel.constScanLine(0);
    return Color::fromRGBA(bytes[0] / 255.0, bytes[1] / 255.0, bytes[2] / 255.0, bytes[3] / 255.0);
}

} // namespace tavrin
