#pragma once

#include "pirrow/coloringmode.h"
#include "pirrow/colorrange.h"
#include "pirrow/ianimatable.h"
#include "pirrow/idataplotter.h"

#include <platform/ui/shapelayer.h>
#include <platform/ui/timingfunction.h>

namespace pirrow {

/// One rectangular bar per value, `offset` points apart whatever the slot, coloured by position
/// (`array`: colour i when there are as many colours as values, else the first colour) or by value
/// band (`ranges`: the first band holding the value, system blue outside all bands). A value of 0
/// gets no bar. Grows once like the other bar plotters, and can be re-armed with `resetAnimation`.
class MultiColorBarPlotter : public IDataPlotter, public IAnimatable {
public:
    explicit MultiColorBarPlotter(std::vector<platform::ui::Color> colors);
    explicit MultiColorBarPlotter(std::vector<std::shared_ptr<ColorRange>> ranges);

    PlotterData data() const override { return m_data; }
    PlotterDelegate *delegate() const override { return m_delegate; }
    void setDelegate(PlotterDelegate *delegate) override { m_delegate = delegate; }
    void setData(const PlotterData &values) override;
    void draw(const std::shared_ptr<platform::ui::Layer> &layer, double min, double max, double bottomInset) override;
    void clear() override;
    void animate(const std::shared_ptr<platform::ui::Layer> &layer, double max, double bottomInset) override;

    const std::vector<std::shared_ptr<platform::ui::ShapeLayer>> &barLayers() const { return m_barLayers; }
    bool alreadyAnimated() const { return m_alreadyAnimated; }
    std::optional<double> animationDuration() const { return m_animationDuration; }
    void setAnimationDuration(std::optional<double> seconds) { m_animationDuration = seconds; }
    std::optional<platform::ui::TimingFunction::Name> timingFunction() const { return m_timingFunction; }
    void setTimingFunction(std::optional<platform::ui::TimingFunction::Name> f) { m_timingFunction = f; }
    double offset() const { return m_offset; }
    void setOffset(double o) { m_offset = o; }
    double fillAlpha() const { return m_fillAlpha; }
    void setFillAlpha(double a) { m_fillAlpha = a; }
    const std::vector<platform::ui::Color> &colors() const { return m_colors; }
    void setColors(std::vector<platform::ui::Color> c) { m_colors = std::move(c); }
    const std::vector<std::shared_ptr<ColorRange>> &colorRanges() const { return m_colorRanges; }
    void setColorRanges(std::vector<std::shared_ptr<ColorRange>> r) { m_colorRanges = std::move(r); }
    double lineWidth() const { return m_lineWidth; }
    void setLineWidth(double w) { m_lineWidth = w; }
    ColoringMode coloringMode() const { return m_coloringMode; }
    void setColoringMode(ColoringMode m) { m_coloringMode = m; }

    /// The next drawing is collapsed again and the next `animate` runs again.
    void resetAnimation() { m_alreadyAnimated = false; }
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
    double m_offset = 4.0;
    double m_fillAlpha = 0.75;
    std::vector<platform::ui::Color> m_colors;
    std::vector<std::shared_ptr<ColorRange>> m_colorRanges;
    double m_lineWidth;
    ColoringMode m_coloringMode;
};

} // namespace pirrow
