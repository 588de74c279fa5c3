#pragma once

#include "pirrow/constants.h"
#include "pirrow/ianimatable.h"
#include "pirrow/idataplotter.h"

#include <platform/ui/color.h>
#include <platform/ui/gradientlayer.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/timingfunction.h>

namespace pirrow {

/// One rectangular bar per value, showing the part of one full-height vertical gradient of `colors` behind it. A
/// value of 0 gets no bar; a missing one a bar 1 high. With an `animationDuration` the bars are first drawn
/// collapsed and `animate` grows them once.
class GradientBarPlotter : public IDataPlotter, public IAnimatable {
public:
    explicit GradientBarPlotter(std::vector<platform::ui::Color> colors);

    PlotterData data() const override { return m_data; }
    PlotterDelegate *delegate() const override { return m_delegate; }
    void setDelegate(PlotterDelegate *delegate) override { m_delegate = delegate; }
    void setData(const PlotterData &values) override;
    /// `min` is not used: bars always start at the baseline.
    void draw(const std::shared_ptr<platform::ui::Layer> &layer, double min, double max, double bottomInset) override;
    void clear() override;
    /// Grows the collapsed bars once (needs `animationDuration` and `timingFunction`).
    void animate(const std::shared_ptr<platform::ui::Layer> &layer, double max, double bottomInset) override;

    /// Per value of the last drawing the bar's mask and its gradient; empty where no bar was made.
    const std::vector<std::shared_ptr<platform::ui::ShapeLayer>> &maskingLayers() const { return m_maskingLayers; }
    const std::vector<std::shared_ptr<platform::ui::GradientLayer>> &gradientLayers() const { return m_gradientLayers; }
    bool alreadyAnimated() const { return m_alreadyAnimated; }
    std::optional<double> animationDuration() const { return m_animationDuration; }
    void setAnimationDuration(std::optional<double> seconds) { m_animationDuration = seconds; }
    std::optional<platform::ui::TimingFunction::Name> timingFunction() const { return m_timingFunction; }
    void setTimingFunction(std::optional<platform::ui::TimingFunction::Name> f) { m_timingFunction = f; }
    /// Kept for callers; the bars do not read it.
    double fillAlpha() const { return m_fillAlpha; }
    void setFillAlpha(double a) { m_fillAlpha = a; }
    const std::vector<platform::ui::Color> &colors() const { return m_colors; }
    void setColors(std::vector<platform::ui::Color> c) { m_colors = std::move(c); }
    /// Kept for callers; the bars do not read it.
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double w) { m_lineWidth = w; }
    void skipAnimation() { m_alreadyAnimated = true; }
    void drawBars(const std::shared_ptr<platform::ui::Layer> &layer, double max, bool collapsed, double bottomInset);
    /// The mask and the gradient of value `index`; none for both where no bar is made.
    std::pair<std::shared_ptr<platform::ui::ShapeLayer>, std::shared_ptr<platform::ui::GradientLayer>> makeBar(
        const platform::ui::Layer *layer, size_t index, double max, bool collapsed, double bottomInset) const;
    platform::ui::Path barPath(
        const platform::ui::Layer &layer, size_t index, double max, bool collapsed, double bottomInset) const;
    void removeBars();

private:
    std::vector<std::shared_ptr<platform::ui::ShapeLayer>> m_maskingLayers;
    std::vector<std::shared_ptr<platform::ui::GradientLayer>> m_gradientLayers;
    bool m_alreadyAnimated = false;
    PlotterDelegate *m_delegate = nullptr;
    PlotterData m_data;
    std::optional<double> m_animationDuration;
    std::optional<platform::ui::TimingFunction::Name> m_timingFunction;
    double m_fillAlpha = 0.75;
    std::vector<platform::ui::Color> m_colors;
    double m_lineWidth = 2 * Constants::onePixel();
};

} // namespace pirrow
