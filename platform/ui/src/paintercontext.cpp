#include "platform/ui/paintercontext.h"

#include "textengine_p.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace platform::ui {

struct PainterContext::Group {
    QImage content;
    QImage mask;
    std::unique_ptr<QPainter> contentPainter;
    std::unique_ptr<QPainter> maskPainter;
    QPainter *parent = nullptr;
    QPainterPath clip; // the clip when the group began, in the surface's y-down points
    bool clipped = false;
    double opacity = 1;
    std::optional<Shadow> shadow;
    double alpha = 1;
    CompositeOperation operation = CompositeOperation::sourceOver;
};

namespace {
    QPainter::CompositionMode qtMode(CompositeOperation op)
    {
        switch (op) {
        case CompositeOperation::sourceOver:
            return QPainter::CompositionMode_SourceOver;
        case CompositeOperation::copy:
            return QPainter::CompositionMode_Source;
        case CompositeOperation::clear:
            return QPainter::CompositionMode_Clear;
        case CompositeOperation::sourceIn:
            return QPainter::CompositionMode_SourceIn;
        case CompositeOperation::sourceOut:
            return QPainter::CompositionMode_SourceOut;
        case CompositeOperation::sourceAtop:
            return QPainter::CompositionMode_SourceAtop;
        case CompositeOperation::destinationOver:
            return QPainter::CompositionMode_DestinationOver;
        case CompositeOperation::destinationIn:
            return QPainter::CompositionMode_DestinationIn;
        case CompositeOperation::destinationOut:
            return QPainter::CompositionMode_DestinationOut;
        case CompositeOperation::destinationAtop:
            return QPainter::CompositionMode_DestinationAtop;
        case CompositeOperation::xorOperation:
            return QPainter::CompositionMode_Xor;
        case CompositeOperation::plusLighter:
            return QPainter::CompositionMode_Plus;
        case CompositeOperation::multiply:
            return QPainter::CompositionMode_Multiply;
        }
        return QPainter::CompositionMode_SourceOver;
    }

    Qt::PenCapStyle qtCap(LineCap c)
    {
        switch (c) {
        case LineCap::butt:
            return Qt::FlatCap;
        case LineCap::round:
            return Qt::RoundCap;
        case LineCap::square:
            return Qt::SquareCap;
        }
        return Qt::FlatCap;
    }

    Qt::PenJoinStyle qtJoin(LineJoin j)
    {
        switch (j) {
        case LineJoin::miter:
            return Qt::SvgMiterJoin;
        case LineJoin::round:
            return Qt::RoundJoin;
        case LineJoin::bevel:
            return Qt::BevelJoin;
        }
        return Qt::SvgMiterJoin;
    }

    // Three box blurs approximate a gaussian; premultiplied pixels blur channel by channel.
    void boxBlur(QImage &img, int radius)
    {
        if (radius <= 0)
            return;
        const int w = img.width(), h = img.height();
        std::vector<uint32_t> line(size_t(std::max(w, h)));
        auto pass = [&](bool horizontal) {
            const int n = horizontal ? w : h;
            const int lines = horizontal ? h : w;
            for (int l = 0; l < lines; ++l) {
                auto px = [&](int i) -> uint32_t & {
                    return horizontal ? reinterpret_cast<uint32_t *>(img.scanLine(l))[i]
                                      : reinterpret_cast<uint32_t *>(img.scanLine(i))[l];
                };
                for (int i = 0; i < n; ++i)
                    line[size_t(i)] = px(i);
                long sum[4] = { 0, 0, 0, 0 };
                const int window = 2 * radius + 1;
                auto add = [&](int i, int sign) {
                    if (i < 0 || i >= n)
                        return;
                    const uint32_t v = line[size_t(i)];
                    for (int c = 0; c < 4; ++c)
                        sum[c] += sign * long((v >> (8 * c)) & 0xff);
                };
                for (int i = -radius; i <= radius; ++i)
                    add(i, 1);
                for (int i = 0; i < n; ++i) {
                    uint32_t v = 0;
                    for (int c = 0; c < 4; ++c)
                        v |= uint32_t(std::clamp(sum[c] / window, 0L, 255L)) << (8 * c);
                    px(i) = v;
                    add(i - radius, -1);
                    add(i + radius + 1, 1);
                }
            }
        };
        for (int k = 0; k < 3; ++k) {
            pass(true);
            pass(false);
        }
    }
} // namespace

PainterContext::PainterContext(QPainter &painter, Size surface, double backingScale)
    : m_painter(&painter)
    , m_surface(surface)
    , m_scale(backingScale > 0 ? backingScale : 1.0)
{
}

PainterContext::~PainterContext()
{
    while (!m_groups.empty())
        endTransparencyLayer();
}

void PainterContext::apply()
{
    // y-up points → the surface's y-down points; the device-pixel ratio is the painter's business.
    const QTransform flip(1, 0, 0, -1, 0, m_surface.height);
    m_painter->setWorldTransform(transform().toQTransform() * flip);
    m_painter->setOpacity(alpha());
    m_painter->setCompositionMode(qtMode(compositeOperation()));
    m_painter->setRenderHint(QPainter::Antialiasing, shouldAntialias());
    m_painter->setRenderHint(QPainter::SmoothPixmapTransform, imageInterpolation() != ImageInterpolation::none);
}

void PainterContext::onSave() { m_painter->save(); }

void PainterContext::onRestore() { m_painter->restore(); }

void PainterContext::onClip(const Path &path, FillRule rule)
{
    apply();
    m_painter->setClipPath(path.toQPainterPath(rule), Qt::IntersectClip);
}

void PainterContext::fillPath(const Path &path, const Color &color, FillRule rule)
{
    apply();
    m_painter->fillPath(path.toQPainterPath(rule), color.toQColor());
}

void PainterContext::strokePath(const Path &path, const StrokeStyle &style)
{
    apply();
    QPen pen(style.color.toQColor());
    pen.setWidthF(style.lineWidth);
    pen.setCapStyle(qtCap(style.lineCap));
    pen.setJoinStyle(qtJoin(style.lineJoin));
    pen.setMiterLimit(style.miterLimit / 2); // Qt measures the miter from the line's centre
    if (!style.dashPattern.empty() && style.lineWidth > 0) {
        // Qt's dashes are in line widths; ours are in points.
        QList<qreal> dashes;
        for (double v : style.dashPattern)
            dashes << std::max(v, 0.0) / style.lineWidth;
        if (dashes.size() % 2)
            dashes += dashes; // an odd pattern repeats with on and off swapped
        pen.setDashPattern(dashes);
        pen.setDashOffset(style.dashPhase / style.lineWidth);
    }
    m_painter->strokePath(path.toQPainterPath(), pen);
}

void PainterContext::clearRect(const Rect &r)
{
    apply();
    m_painter->setCompositionMode(QPainter::CompositionMode_Clear);
    m_painter->fillRect(r.toQRectF(), Qt::transparent);
}

QBrush PainterContext::gradientBrush(const QGradient &g0, const Gradient &gradient) const
{
    QGradient g = g0;
    const std::vector<double> locations = gradient.effectiveLocations();
    QGradientStops stops;
    for (size_t i = 0; i < gradient.colors.size(); ++i)
        stops.append({ std::clamp(locations[i], 0.0, 1.0), gradient.colors[i].toQColor() });
    std::stable_sort(
        stops.begin(), stops.end(), [](const QGradientStop &a, const QGradientStop &b) { return a.first < b.first; });
    g.setStops(stops);
    g.setSpread(QGradient::PadSpread);
    return QBrush(g);
}

void PainterContext::drawLinearGradient(const Gradient &gradient, Point start, Point end, GradientExtent extent)
{
    if (gradient.colors.empty())
        return;
    apply();
    const double dx = end.x - start.x, dy = end.y - start.y;
    const double len = std::hypot(dx, dy);
    constexpr double far = 1e5;
    QPainterPath area;
    if (len <= 0) {
        area.addRect(QRectF(-far, -far, 2 * far, 2 * far));
    } else {
        // The band between the two perpendicular lines, extended where asked.
        const double ux = dx / len, uy = dy / len;
        const double nx = -uy * far, ny = ux * far;
        const Point a = extent.beforeStart ? Point { start.x - ux * far, start.y - uy * far } : start;
        const Point b = extent.afterEnd ? Point { end.x + ux * far, end.y + uy * far } : end;
        QPolygonF band;
        band << QPointF(a.x + nx, a.y + ny) << QPointF(b.x + nx, b.y + ny) << QPointF(b.x - nx, b.y - ny)
             << QPointF(a.x - nx, a.y - ny);
        area.addPolygon(band);
    }
    m_painter->fillPath(area, gradientBrush(QLinearGradient(start.toQPointF(), end.toQPointF()), gradient));
}

void PainterContext::drawRadialGradient(const Gradient &gradient, Point startCenter, double startRadius,
    Point endCenter, double endRadius, GradientExtent extent)
{
    if (gradient.colors.empty())
        return;
    apply();
    QRadialGradient g(endCenter.toQPointF(), endRadius, startCenter.toQPointF(), startRadius);
    QPainterPath area;
    if (extent.afterEnd)
        area.addRect(QRectF(-1e5, -1e5, 2e5, 2e5));
    else
        area.addEllipse(endCenter.toQPointF(), endRadius, endRadius);
    m_painter->fillPath(area, gradientBrush(g, gradient));
}

QRectF PainterContext::uprightLocal(const Rect &rect)
{
    apply();
    const QTransform world = m_painter->worldTransform();
    // Does the user space's y axis point up on the device (the usual case) or down (a flipped view)?
    const QPointF o = world.map(QPointF(0, 0));
    const QPointF up = world.map(QPointF(0, 1));
    const bool yUp = up.y() < o.y();
    const Rect r = rect.standardized();
    if (yUp)
        m_painter->setWorldTransform(QTransform(1, 0, 0, -1, r.x(), r.maxY()) * world);
    else
        m_painter->setWorldTransform(QTransform(1, 0, 0, 1, r.x(), r.y()) * world);
    return QRectF(0, 0, r.width(), r.height());
}

void PainterContext::drawText(const QString &text, const Rect &rect, const TextAttributes &attributes)
{
    if (text.isEmpty())
        return;
    m_painter->save();
    const QRectF local = uprightLocal(rect);
    TextEngine::draw(*m_painter, text, local, attributes, m_painter->device()->logicalDpiY());
    m_painter->restore();
}

void PainterContext::drawBitmap(const QImage &bitmap, const Rect &destination, CompositeOperation op, double fraction)
{
    m_painter->save();
    const QRectF local = uprightLocal(destination);
    m_painter->setCompositionMode(qtMode(op));
    m_painter->setOpacity(alpha() * std::clamp(fraction, 0.0, 1.0));
    m_painter->drawImage(local, bitmap, QRectF(bitmap.rect()));
    m_painter->restore();
}

void PainterContext::drawWidget(QWidget *widget, const Rect &rect)
{
    if (!widget)
        return;
    m_painter->save();
    uprightLocal(rect);
    widget->render(m_painter, QPoint(), QRegion(), QWidget::DrawChildren);
    m_painter->restore();
}

void PainterContext::beginTransparencyLayer(double opacity, const std::optional<Shadow> &shadow)
{
    auto g = std::make_unique<Group>();
    const QSize pixels(std::max(1, int(std::ceil(m_surface.width * m_scale))),
        std::max(1, int(std::ceil(m_surface.height * m_scale))));
    g->content = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
    g->content.fill(Qt::transparent);
    g->content.setDevicePixelRatio(m_scale);
    g->parent = m_painter;
    g->opacity = std::clamp(opacity, 0.0, 1.0);
    g->shadow = shadow;
    g->alpha = alpha();
    g->operation = compositeOperation();
    if (m_painter->hasClipping()) {
        g->clip = m_painter->worldTransform().map(m_painter->clipPath());
        g->clipped = true;
    }
    g->contentPainter = std::make_unique<QPainter>(&g->content);
    if (g->clipped)
        g->contentPainter->setClipPath(g->clip);
    m_painter = g->contentPainter.get();
    m_groups.push_back(std::move(g));
    pushGroupState();
}

void PainterContext::beginMaskContent()
{
    if (m_groups.empty())
        return;
    Group &g = *m_groups.back();
    if (g.maskPainter)
        return;
    g.mask = QImage(g.content.size(), QImage::Format_ARGB32_Premultiplied);
    g.mask.fill(Qt::transparent);
    g.mask.setDevicePixelRatio(m_scale);
    g.maskPainter = std::make_unique<QPainter>(&g.mask);
    if (g.clipped)
        g.maskPainter->setClipPath(g.clip);
    m_painter = g.maskPainter.get();
}

void PainterContext::endTransparencyLayer()
{
    if (m_groups.empty())
        return;
    std::unique_ptr<Group> g = std::move(m_groups.back());
    m_groups.pop_back();
    g->contentPainter->end();
    if (g->maskPainter) {
        g->maskPainter->end();
        QPainter p(&g->content);
        p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        p.drawImage(QPointF(0, 0), g->mask);
    }
    m_painter = g->parent;
    popGroupState();

    m_painter->save();
    m_painter->resetTransform();
    if (g->shadow && g->shadow->color.alphaComponent() > 0) {
        QImage shade(g->content.size(), QImage::Format_ARGB32_Premultiplied);
        shade.fill(Qt::transparent);
        shade.setDevicePixelRatio(m_scale);
        {
            QPainter sp(&shade);
            sp.drawImage(0, 0, g->content);
            sp.setCompositionMode(QPainter::CompositionMode_SourceIn);
            sp.fillRect(shade.rect(), g->shadow->color.toQColor());
        }
        boxBlur(shade, int(std::lround(g->shadow->blurRadius * m_scale / 2)));
        m_painter->setOpacity(g->alpha * g->opacity);
        m_painter->setCompositionMode(qtMode(g->operation));
        m_painter->drawImage(QPointF(g->shadow->offset.width, -g->shadow->offset.height), shade);
    }
    const double opacity = g->alpha * g->opacity;
    if (g->operation == CompositeOperation::plusLighter && opacity < 1) {
        // Qt's additive mode mixes its opacity in unevenly; add a picture already faded instead.
        QImage faded(g->content.size(), QImage::Format_ARGB32_Premultiplied);
        faded.fill(Qt::transparent);
        faded.setDevicePixelRatio(m_scale);
        {
            QPainter fp(&faded);
            fp.setOpacity(opacity);
            fp.drawImage(QPointF(0, 0), g->content);
        }
        m_painter->setOpacity(1);
        m_painter->setCompositionMode(QPainter::CompositionMode_Plus);
        m_painter->drawImage(QPointF(0, 0), faded);
    } else {
        m_painter->setOpacity(opacity);
        m_painter->setCompositionMode(qtMode(g->operation));
        m_painter->drawImage(QPointF(0, 0), g->content);
    }
    m_painter->restore();
}

} // namespace platform::ui
