#pragma once

#include "pirrow/idataplotter.h"
#include "pirrow/screenextensions.h"

#include <platform/ui/animation.h>
#include <platform/ui/basicanimation.h>
#include <platform/ui/layer.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/timingfunction.h>

#include <cmath>
#include <cstddef>
#include <memory>
#include <vector>

namespace pirrow {

/// Height of a bar in its full form: value / max of the plot height for a positive value, else 1.
/// A zero maximum would make it unbounded; such a bar fills the plot height.
inline double fullBarHeight(double value, double max, double plotHeight)
{
    if (!(value > 0 && max >= 0))
        return 1;
    const double h = value / max * plotHeight;
    return std::isfinite(h) ? h : plotHeight;
}

/// The rectangle of a bar at `x` with `width` whose lower edge lies on the line H − inset (y down).
inline platform::ui::Rect barRect(
    double x, double width, double H, double inset, std::optional<double> value, double max, bool collapsed)
{
    if (collapsed || !value)
        return platform::ui::Rect(x, H - inset - 1, width, 1);
    const double h = fullBarHeight(*value, max, H - inset);
    return platform::ui::Rect(x, H - inset - h, width, h);
}

/// The grow animation of one bar: its "path" to the full form, held when done.
inline platform::ui::BasicAnimation growAnimation(
    const platform::ui::Path &full, double duration, platform::ui::TimingFunction::Name timing)
{
    platform::ui::BasicAnimation a(QStringLiteral("path"));
    a.setToValue(full);
    a.setDuration(duration);
    a.setTimingFunction(platform::ui::TimingFunction::named(timing));
    a.setFillMode(platform::ui::FillMode::forwards);
    a.setRemovedOnCompletion(false);
    return a;
}

/// A bar's shape layer as large as `layer`, on the screen's scale, outlined `lineWidth` wide along `path`;
/// colouring is left to the plotter.
inline std::shared_ptr<platform::ui::ShapeLayer> strokedBar(
    const platform::ui::Layer &layer, const platform::ui::Path &path, double lineWidth)
{
    auto bar = platform::ui::ShapeLayer::create();
    bar->setFrame(layer.bounds());
    bar->setContentsScale(ScreenExtensions::mainScale());
    bar->setPath(path);
    bar->setLineWidth(lineWidth);
    return bar;
}

/// Takes the bars of the last drawing off their layer and forgets them.
inline void removeBarLayers(std::vector<std::shared_ptr<platform::ui::ShapeLayer>> &bars)
{
    for (const auto &bar : bars)
        if (bar)
            bar->removeFromSuperlayer();
    bars.clear();
}

/// Makes the bars 0..count-1 with `makeBar` and puts those made on `layer`; every index keeps its slot in `bars`,
/// empty where no bar was made.
template <typename BarLayer, typename MakeBar>
void addBars(
    platform::ui::Layer *layer, std::size_t count, MakeBar &&makeBar, std::vector<std::shared_ptr<BarLayer>> &bars)
{
    for (std::size_t i = 0; i < count; ++i) {
        auto bar = makeBar(i);
        bars.push_back(bar);
        if (bar)
            layer->addSublayer(bar);
    }
}

/// Grows the shape of each of the first `count` bars to the path `fullPath(i)` gives.
template <typename FullPath>
void growBars(const std::vector<std::shared_ptr<platform::ui::ShapeLayer>> &bars, std::size_t count,
    FullPath &&fullPath, double duration, platform::ui::TimingFunction::Name timing)
{
    for (std::size_t i = 0; i < bars.size() && i < count; ++i)
        if (const auto &bar = bars[i])
            bar->addAnimation(growAnimation(fullPath(i), duration, timing), QStringLiteral("path"));
}

} // namespace pirrow
