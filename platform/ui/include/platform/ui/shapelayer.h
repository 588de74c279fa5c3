#pragma once

#include "platform/ui/layer.h"
#include "platform/ui/path.h"
#include "platform/ui/strokestyle.h"

namespace platform::ui {

/// A layer that fills and strokes a path (in its own coordinates) above its background. Only the
/// part from `strokeStart` to `strokeEnd` (fractions of the path's length) is stroked; the fill
/// always covers the whole path. Animatable keys: "path", "fillColor", "strokeColor", "lineWidth",
/// "strokeStart", "strokeEnd", "lineDashPhase", "miterLimit".
class ShapeLayer : public Layer {
public:
    ShapeLayer() = default;
    static std::shared_ptr<ShapeLayer> create() { return std::make_shared<ShapeLayer>(); }

    std::optional<Path> path() const { return m_path; }
    void setPath(std::optional<Path> p);
    /// Default opaque black; empty draws no fill.
    std::optional<Color> fillColor() const { return m_fillColor; }
    void setFillColor(std::optional<Color> c);
    FillRule fillRule() const { return m_fillRule; }
    void setFillRule(FillRule r);
    /// Default none.
    std::optional<Color> strokeColor() const { return m_strokeColor; }
    void setStrokeColor(std::optional<Color> c);
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double w);
    LineCap lineCap() const { return m_lineCap; }
    void setLineCap(LineCap c);
    LineJoin lineJoin() const { return m_lineJoin; }
    void setLineJoin(LineJoin j);
    double miterLimit() const { return m_miterLimit; }
    void setMiterLimit(double m);
    const std::vector<double> &lineDashPattern() const { return m_dash; }
    void setLineDashPattern(std::vector<double> pattern);
    double lineDashPhase() const { return m_dashPhase; }
    void setLineDashPhase(double phase);
    double strokeStart() const { return m_strokeStart; }
    void setStrokeStart(double s);
    double strokeEnd() const { return m_strokeEnd; }
    void setStrokeEnd(double e);

    void drawInContext(GraphicsContext &context) const override;
    std::optional<LayerValue> valueForKey(const QString &keyPath) const override;
    bool setValueForKey(const QString &keyPath, const LayerValue &value) override;

protected:
    ShapeLayer(const ShapeLayer &other, int copyTag);
    std::shared_ptr<Layer> makeCopy() const override;

private:
    std::optional<Path> m_path;
    std::optional<Color> m_fillColor = Color::black();
    FillRule m_fillRule = FillRule::nonZero;
    std::optional<Color> m_strokeColor;
    double m_lineWidth = 1;
    LineCap m_lineCap = LineCap::butt;
    LineJoin m_lineJoin = LineJoin::miter;
    double m_miterLimit = 10;
    std::vector<double> m_dash;
    double m_dashPhase = 0;
    double m_strokeStart = 0;
    double m_strokeEnd = 1;
};

} // namespace platform::ui
