#include "platform/ui/graphicscontext.h"

#include "platform/ui/image.h"

#include <cmath>

namespace platform::ui {

namespace {
    GraphicsContext *s_current = nullptr;
}

GraphicsContext::~GraphicsContext() = default;

void GraphicsContext::save()
{
    m_stack.push_back(m_state);
    onSave();
}

void GraphicsContext::restore()
{
    if (m_stack.empty())
        return;
    m_state = m_stack.back();
    m_stack.pop_back();
    onRestore();
}

void GraphicsContext::pushGroupState()
{
    m_stack.push_back(m_state);
    m_state.alpha = 1;
    m_state.operation = CompositeOperation::sourceOver;
}

void GraphicsContext::popGroupState()
{
    if (m_stack.empty())
        return;
    m_state = m_stack.back();
    m_stack.pop_back();
}

void GraphicsContext::translate(double dx, double dy) { m_state.transform = m_state.transform.translated(dx, dy); }

void GraphicsContext::scale(double sx, double sy) { m_state.transform = m_state.transform.scaled(sx, sy); }

void GraphicsContext::rotate(double radians) { m_state.transform = m_state.transform.rotated(radians); }

void GraphicsContext::concat(const AffineTransform &t) { m_state.transform = m_state.transform.concatenated(t); }

void GraphicsContext::setTransform(const AffineTransform &t) { m_state.transform = t; }

void GraphicsContext::clipToRect(const Rect &r) { onClip(Path::rect(r), FillRule::nonZero); }

void GraphicsContext::clipToPath(const Path &p, FillRule rule) { onClip(p, rule); }

void GraphicsContext::setAlpha(double alpha) { m_state.alpha = std::clamp(alpha, 0.0, 1.0); }

void GraphicsContext::setCompositeOperation(CompositeOperation op) { m_state.operation = op; }

void GraphicsContext::fillRect(const Rect &r, const Color &color) { fillPath(Path::rect(r), color); }

void GraphicsContext::fillRoundedRect(const Rect &r, double radiusX, double radiusY, const Color &color)
{
    fillPath(Path::roundedRect(r, radiusX, radiusY), color);
}

void GraphicsContext::strokeRect(const Rect &r, const StrokeStyle &style) { strokePath(Path::rect(r), style); }

void GraphicsContext::drawImage(const Image &image, const Rect &destination, const std::optional<Rect> &source,
    CompositeOperation op, double fraction)
{
    if (image.size().isEmpty() || destination.isEmpty() || fraction <= 0)
        return;
    const Rect src = source.value_or(Rect(Point(), image.size())).standardized();
    if (src.isEmpty())
        return;
    // Enough device pixels for the destination as it lands on the device.
    const AffineTransform t = transform();
    const double userScale = std::sqrt(std::abs(t.determinant()));
    const double pixelsPerImagePoint
        = backingScale() * userScale * std::max(destination.width() / src.width(), destination.height() / src.height());
    const QImage bitmap = image.bitmap(std::max(pixelsPerImagePoint, 1.0 / 64));
    if (bitmap.isNull())
        return;
    if (src == Rect(Point(), image.size())) {
        drawBitmap(bitmap, destination, op, fraction);
        return;
    }
    // A part of the image: crop in pixels (image points are y-up, bitmap rows run downward).
    const double ppp = bitmap.devicePixelRatio();
    const Rect flippedSrc = src.flipped(image.size().height);
    const QRect pixels
        = QRectF(flippedSrc.x() * ppp, flippedSrc.y() * ppp, flippedSrc.width() * ppp, flippedSrc.height() * ppp)
              .toAlignedRect()
              .intersected(bitmap.rect());
    if (pixels.isEmpty())
        return;
    QImage part = bitmap.copy(pixels);
    part.setDevicePixelRatio(ppp);
    drawBitmap(part, destination, op, fraction);
}

GraphicsContext *GraphicsContext::current() { return s_current; }

ScopedCurrentContext::ScopedCurrentContext(GraphicsContext &context)
    : m_previous(s_current)
{
    s_current = &context;
}

ScopedCurrentContext::~ScopedCurrentContext() { s_current = m_previous; }

} // namespace platform::ui
