#pragma once

#include "pirrow/idataplotter.h"

#include <platform/ui/color.h>
#include <platform/ui/shapelayer.h>

namespace pirrow {

/// A single full-height span from `start` to `end`, fractions of the width, stroked in `color` and
/// filled in it at `fillAlpha`; a span narrower than `minDelta` shows nothing. Its values are not
/// kept: `setData` only tells the delegate, so a graph's automatic maximum never sees them.
class PercentageBarPlotter : public IDataPlotter {
public:
    explicit PercentageBarPlotter(const platform::ui::Color &color);

    PlotterData data() const override { return m_data; }
    PlotterDelegate *delegate() const override { return m_delegate; }
    void setDelegate(PlotterDelegate *delegate) override { m_delegate = delegate; }
    void setData(const PlotterData &values) override;
    /// Uses only the layer.
    void draw(const std::shared_ptr<platform::ui::Layer> &layer, double min, double max, double bottomInset) override;
    void clear() override;

    const std::shared_ptr<platform::ui::ShapeLayer> &barLayer() const { return m_barLayer; }
    double minDelta() const { return m_minDelta; }
    void setMinDelta(double d) { m_minDelta = d; }
    double fillAlpha() const { return m_fillAlpha; }
    void setFillAlpha(double a) { m_fillAlpha = a; }
    platform::ui::Color color() const { return m_color; }
    void setColor(const platform::ui::Color &c) { m_color = c; }
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double w) { m_lineWidth = w; }
    double start() const { return m_start; }
    void setStart(double s) { m_start = s; }
    double end() const { return m_end; }
    void setEnd(double e) { m_end = e; }

private:
    std::shared_ptr<platform::ui::ShapeLayer> m_barLayer = platform::ui::ShapeLayer::create();
    double m_minDelta = 0.001;
    PlotterDelegate *m_delegate = nullptr;
    PlotterData m_data;
    double m_fillAlpha = 0.75;
    platform::ui::Color m_color;
    double m_lineWidth;
    double m_start = 0;
    double m_end = 0;
};

} // namespace pirrow
