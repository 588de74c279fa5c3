#include "platform/ui/recordingcontext.h"

#include <QMetaEnum>

namespace platform::ui {

Rect DrawCall::baseRect() const
{
    const bool usesPath = kind == Kind::fillPath || kind == Kind::strokePath || kind == Kind::clip;
    return transform.mapRect(usesPath ? path.boundingBox() : rect);
}

RecordingContext::RecordingContext(double backingScale)
    : m_scale(backingScale)
{
}

std::vector<DrawCall> RecordingContext::calls(DrawCall::Kind kind) const
{
    std::vector<DrawCall> out;
    for (const DrawCall &c : m_calls)
        if (c.kind == kind)
            out.push_back(c);
    return out;
}

DrawCall &RecordingContext::record(DrawCall::Kind kind)
{
    DrawCall c;
    c.kind = kind;
    c.transform = transform();
    c.alpha = alpha();
    c.operation = compositeOperation();
    c.appearance = Appearance::current();
    m_calls.push_back(std::move(c));
    return m_calls.back();
}

void RecordingContext::fillRect(const Rect &r, const Color &color)
{
    DrawCall &c = record(DrawCall::Kind::fillRect);
    c.rect = r;
    c.color = color.resolved();
}

void RecordingContext::fillRoundedRect(const Rect &r, double radiusX, double radiusY, const Color &color)
{
    DrawCall &c = record(DrawCall::Kind::fillRoundedRect);
    c.rect = r;
    c.radiusX = radiusX;
    c.radiusY = radiusY;
    c.color = color.resolved();
}

void RecordingContext::fillPath(const Path &path, const Color &color, FillRule rule)
{
    DrawCall &c = record(DrawCall::Kind::fillPath);
    c.path = path;
    c.fillRule = rule;
    c.color = color.resolved();
}

void RecordingContext::strokePath(const Path &path, const StrokeStyle &style)
{
    DrawCall &c = record(DrawCall::Kind::strokePath);
    c.path = path;
    c.stroke = style;
    c.stroke.color = style.color.resolved();
    c.color = c.stroke.color;
}

void RecordingContext::clearRect(const Rect &r) { record(DrawCall::Kind::clearRect).rect = r; }

void RecordingContext::drawLinearGradient(const Gradient &gradient, Point start, Point end, GradientExtent extent)
{
    DrawCall &c = record(DrawCall::Kind::linearGradient);
    c.gradient = gradient;
    for (Color &col : c.gradient.colors)
        col = col.resolved();
    c.start = start;
    c.end = end;
    c.extent = extent;
}

void RecordingContext::drawRadialGradient(const Gradient &gradient, Point startCenter, double startRadius,
    Point endCenter, double endRadius, GradientExtent extent)
{
    DrawCall &c = record(DrawCall::Kind::radialGradient);
    c.gradient = gradient;
    for (Color &col : c.gradient.colors)
        col = col.resolved();
    c.start = startCenter;
    c.startRadius = startRadius;
    c.end = endCenter;
    c.endRadius = endRadius;
    c.extent = extent;
}

void RecordingContext::drawText(const QString &text, const Rect &rect, const TextAttributes &attributes)
{
    DrawCall &c = record(DrawCall::Kind::text);
    c.text = text;
    c.rect = rect;
    c.attributes = attributes;
    if (c.attributes.foregroundColor)
        c.attributes.foregroundColor = c.attributes.foregroundColor->resolved();
    c.color = attributes.effectiveColor().resolved();
}

void RecordingContext::drawImage(const Image &image, const Rect &destination, const std::optional<Rect> &source,
    CompositeOperation op, double fraction)
{
    DrawCall &c = record(DrawCall::Kind::image);
    c.image = image;
    c.rect = destination;
    c.sourceRect = source;
    c.operation = op;
    c.fraction = fraction;
}

void RecordingContext::drawWidget(QWidget *widget, const Rect &rect)
{
    DrawCall &c = record(DrawCall::Kind::widget);
    c.widget = widget;
    c.rect = rect;
}

void RecordingContext::beginTransparencyLayer(double opacity, const std::optional<Shadow> &shadow)
{
    DrawCall &c = record(DrawCall::Kind::beginTransparencyLayer);
    c.opacity = opacity;
    c.shadow = shadow;
    if (c.shadow)
        c.shadow->color = c.shadow->color.resolved();
    pushGroupState();
}

void RecordingContext::beginMaskContent() { record(DrawCall::Kind::beginMaskContent); }

void RecordingContext::endTransparencyLayer()
{
    popGroupState();
    record(DrawCall::Kind::endTransparencyLayer);
}

void RecordingContext::onClip(const Path &path, FillRule rule)
{
    DrawCall &c = record(DrawCall::Kind::clip);
    c.path = path;
    c.fillRule = rule;
}

void RecordingContext::drawBitmap(const QImage &, const Rect &destination, CompositeOperation op, double fraction)
{
    DrawCall &c = record(DrawCall::Kind::image);
    c.rect = destination;
    c.operation = op;
    c.fraction = fraction;
}

QDebug operator<<(QDebug d, const DrawCall &call)
{
    static const char *const names[]
        = { "fillRect", "fillRoundedRect", "fillPath", "strokePath", "clearRect", "linearGradient", "radialGradient",
              "text", "image", "widget", "clip", "beginTransparencyLayer", "beginMaskContent", "endTransparencyLayer" };
    QDebugStateSaver s(d);
    d.nospace() << "DrawCall(" << names[int(call.kind)] << ", " << call.baseRect();
    if (call.kind == DrawCall::Kind::text)
        d << ", " << call.text;
    d << ')';
    return d;
}

} // namespace platform::ui
