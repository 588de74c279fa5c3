#pragma once

#include "pirrow/ianimatable.h"
#include "pirrow/idataplotter.h"

#include <platform/ui/color.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/timingfunction.h>

namespace pirrow {

/// One rectangular bar per value, side by side across the width, stroked in `color` and filled in it
/// at `fillAlpha`. A value of 0 gets no bar; a missing one a bar 1 high on the baseline. With an
/// `animationDuration` the bars are first drawn collapsed and `animate` (given a `timingFunction`)
/// grows them once. Setters only store; the graph draws.
class BarPlotter : public IDataPlotter, public IAnimatable {
public:
    explicit BarPlotter(const platform::ui::Color &color);

    PlotterData data() const override { return m_data; }
    PlotterDelegate *delegate() const override { return m_delegate; }
    void setDelegate(PlotterDelegate *delegate) override { m_delegate = delegate; }
    void setData(const PlotterData &values) override;
    /// `min` is not used: bars always start at the baseline.
    void draw(const std::shared_ptr<platform::ui::Layer> &layer, double min, double max, double bottomInset) override;
    void clear() override;
    void animate(const std::shared_ptr<platform::ui::Layer> &layer, double max, double bottomInset) override;

    /// One entry per value of the last drawing; empty where no bar was made.
    const std::vector<std::shared_ptr<platform::ui::ShapeLayer>> &barLayers() const { return m_barLayers; }
    bool alreadyAnimated() const { return m_alreadyAnimated; }
    std::optional<double> animationDuration() const { return m_animationDuration; }
    void setAnimationDuration(std::optional<double> seconds) { m_animationDuration = seconds; }
    std::optional<platform::ui::TimingFunction::Name> timingFunction() const { return m_timingFunction; }
    void setTimingFunction(std::optional<platform::ui::TimingFunction::Name> f) { m_timingFunction = f; }
    double fillAlpha() const { return m_fillAlpha; }
    void setFillAlpha(double a) { m_fillAlpha = a; }
    platform::ui::Color color() const { return m_color; }
    void setColor(const platform::ui::Color &c) { m_color = c; }
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double w) { m_lineWidth = w; }

    /// The next drawing shows full bars and `animate` does nothing.
    void skipAnimation() { m_alreadyAnimated = true; }
    /// The layer of value `index`, or none (value 0, no layer, an index outside the values).
    std::shared_ptr<platform::ui::ShapeLayer> makeBar(
        const platform::ui::Layer *layer, size_t index, double max, bool collapsed, double bottomInset) const;
    platform::ui::Path barPath(
        const platform::ui::Layer &layer, size_t index, double max, bool collapsed, double bottomInset) const;

private:
    void removeBars();

    std::vector<std::shared_ptr<platform::ui::ShapeLayer>> m_barLayers;
    bool m_alreadyAnimated = false;
    PlotterDelegate *m_delegate = nullptr;
    PlotterData m_data;
    std::optional<double> m_animationDuration;
    std::optional<platform::ui::TimingFunction::Name> m_timingFunction;
    double m_fillAlpha = 0.75;
    platform::ui::Color m_color;
    double m_lineWidth;
};

} // namespace pirrow
