#pragma once

#include "pirrow/axispoint.h"
#include "pirrow/iaxis.h"

#include <platform/ui/color.h>
#include <platform/ui/font.h>
#include <platform/ui/shapelayer.h>

#include <vector>

namespace pirrow {

/// Labelled points on a scale from 0 to `max`, with short tick lines. A point beyond `max` ends the
/// drawing there: labels already placed stay, and no tick line is drawn.
class PointAxis : public IAxis {
public:
    PointAxis(std::vector<AxisPoint> points, double max);

    double height() const override { return 24; }
    void draw(const std::shared_ptr<platform::ui::Layer> &layer, double lineWidth) override;
    /// Also forgets the points.
    void clear() override;

    const std::shared_ptr<platform::ui::ShapeLayer> &tickLayer() const { return m_tickLayer; }
    const std::vector<std::shared_ptr<platform::ui::Layer>> &layers() const { return m_layers; }
    const std::vector<AxisPoint> &points() const { return m_points; }
    void setPoints(std::vector<AxisPoint> p) { m_points = std::move(p); }
    double max() const { return m_max; }
    void setMax(double m) { m_max = m; }
    /// Kept for callers; the drawing does not use it.
    platform::ui::Color lineColor() const { return m_lineColor; }
    void setLineColor(const platform::ui::Color &c) { m_lineColor = c; }
    double tickRadius() const { return m_tickRadius; }
    void setTickRadius(double r) { m_tickRadius = r; }
    double fontSize() const { return m_fontSize; }
    void setFontSize(double s) { m_fontSize = s; }
    double fontWeight() const { return m_fontWeight; }
    void setFontWeight(double w) { m_fontWeight = w; }

private:
    void removeLayers();

    std::shared_ptr<platform::ui::ShapeLayer> m_tickLayer = platform::ui::ShapeLayer::create();
    std::vector<std::shared_ptr<platform::ui::Layer>> m_layers;
    std::vector<AxisPoint> m_points;
    double m_max;
    platform::ui::Color m_lineColor = platform::ui::Color::separator();
    double m_tickRadius = 2;
    double m_fontSize = 12;
    double m_fontWeight = platform::ui::FontWeight::regular;
};

} // namespace pirrow
