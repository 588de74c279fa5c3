#pragma once

#include "platform/ui/graphicscontext.h"

#include <QPainter>

#include <memory>
#include <vector>

namespace platform::ui {

/// A graphics context that paints with a QPainter onto a surface of `surface` points (a widget, an
/// image) at `backingScale` device pixels per point. The y-up base space has its origin at the
/// surface's bottom-left corner. The painter must stay active while the context is used; the
/// context changes its transform, opacity, clip and composition mode as it draws.
class PainterContext final : public GraphicsContext {
public:
    PainterContext(QPainter &painter, Size surface, double backingScale);
    ~PainterContext() override;

    void fillPath(const Path &path, const Color &color, FillRule rule = FillRule::nonZero) override;
    void strokePath(const Path &path, const StrokeStyle &style) override;
    void clearRect(const Rect &r) override;
    void drawLinearGradient(const Gradient &gradient, Point start, Point end, GradientExtent extent = {}) override;
    void drawRadialGradient(const Gradient &gradient, Point startCenter, double startRadius, Point endCenter,
        double endRadius, GradientExtent extent = {}) override;
    void drawText(const QString &text, const Rect &rect, const TextAttributes &attributes) override;
    void drawWidget(QWidget *widget, const Rect &rect) override;
    void beginTransparencyLayer(double opacity = 1.0, const std::optional<Shadow> &shadow = std::nullopt) override;
    void beginMaskContent() override;
    void endTransparencyLayer() override;
    double backingScale() const override { return m_scale; }

    /// The painter drawing goes to now (a transparency layer's while one is open).
    QPainter &painter() { return *m_painter; }

protected:
    void onSave() override;
    void onRestore() override;
    void onClip(const Path &path, FillRule rule) override;
    void drawBitmap(const QImage &bitmap, const Rect &destination, CompositeOperation op, double fraction) override;

private:
    struct Group;
    void apply();
    // Prepares the painter to draw `rect` upright: returns the rectangle in a y-down local space.
    QRectF uprightLocal(const Rect &rect);
    QBrush gradientBrush(const QGradient &g, const Gradient &gradient) const;

    QPainter *m_painter;
    Size m_surface;
    double m_scale;
    std::vector<std::unique_ptr<Group>> m_groups;
};

} // namespace platform::ui
