#pragma once

#include "platform/ui/appearance.h"
#include "platform/ui/graphicscontext.h"
#include "platform/ui/image.h"

#include <QPointer>
#include <QWidget>

#include <vector>

namespace platform::ui {

/// One call made on a RecordingContext, with its arguments and the state it was made in.
struct DrawCall {
    enum class Kind {
        fillRect,
        fillRoundedRect,
        fillPath,
        strokePath,
        clearRect,
        linearGradient,
        radialGradient,
        text,
        image,
        widget,
        clip,
        beginTransparencyLayer,
        beginMaskContent,
        endTransparencyLayer
    };

    Kind kind = Kind::fillRect;
    /// fillRect, fillRoundedRect, clearRect, text, image (destination), widget.
    Rect rect;
    double radiusX = 0;
    double radiusY = 0;
    /// fillPath, strokePath, clip (fillRect and fillRoundedRect leave it empty).
    Path path;
    FillRule fillRule = FillRule::nonZero;
    /// The fill colour, resolved against the appearance current at the call.
    Color color;
    StrokeStyle stroke;
    QString text;
    TextAttributes attributes;
    Image image;
    std::optional<Rect> sourceRect;
    double fraction = 1;
    CompositeOperation operation = CompositeOperation::sourceOver;
    Gradient gradient;
    Point start;
    Point end;
    double startRadius = 0;
    double endRadius = 0;
    GradientExtent extent;
    QPointer<QWidget> widget;
    double opacity = 1;
    std::optional<Shadow> shadow;

    /// The state at the call: user space to the recorder's base space, alpha, appearance.
    AffineTransform transform;
    double alpha = 1;
    Appearance appearance;

    /// `rect` (or the path's bounding box) in the base space.
    Rect baseRect() const;
};

/// A graphics context that draws nothing and keeps every call, for tests. Its base space is y-up
/// points; `backingScale` is what it reports to drawing code (default 1).
class RecordingContext final : public GraphicsContext {
public:
    explicit RecordingContext(double backingScale = 1.0);

    const std::vector<DrawCall> &calls() const { return m_calls; }
    std::vector<DrawCall> calls(DrawCall::Kind kind) const;
    void clear() { m_calls.clear(); }

    void fillRect(const Rect &r, const Color &color) override;
    void fillRoundedRect(const Rect &r, double radiusX, double radiusY, const Color &color) override;
    void fillPath(const Path &path, const Color &color, FillRule rule = FillRule::nonZero) override;
    void strokePath(const Path &path, const StrokeStyle &style) override;
    void clearRect(const Rect &r) override;
    void drawLinearGradient(const Gradient &gradient, Point start, Point end, GradientExtent extent = {}) override;
    void drawRadialGradient(const Gradient &gradient, Point startCenter, double startRadius, Point endCenter,
        double endRadius, GradientExtent extent = {}) override;
    void drawText(const QString &text, const Rect &rect, const TextAttributes &attributes) override;
    void drawImage(const Image &image, const Rect &destination, const std::optional<Rect> &source = std::nullopt,
        CompositeOperation op = CompositeOperation::sourceOver, double fraction = 1.0) override;
    void drawWidget(QWidget *widget, const Rect &rect) override;
    void beginTransparencyLayer(double opacity = 1.0, const std::optional<Shadow> &shadow = std::nullopt) override;
    void beginMaskContent() override;
    void endTransparencyLayer() override;
    double backingScale() const override { return m_scale; }

protected:
    void onSave() override { }
    void onRestore() override { }
    void onClip(const Path &path, FillRule rule) override;
    void drawBitmap(const QImage &bitmap, const Rect &destination, CompositeOperation op, double fraction) override;

private:
    DrawCall &record(DrawCall::Kind kind);

    double m_scale;
    std::vector<DrawCall> m_calls;
};

QDebug operator<<(QDebug d, const DrawCall &call);

} // namespace platform::ui
