#pragma once

#include <platform/ui/color.h>
#include <platform/ui/geometry.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/view.h>

#include <memory>

namespace pirrow::detail {

/// Attaches the track and the fill of a flat single-value bar to `view`'s clipping root layer.
void prepareBar(platform::ui::View &view, const std::shared_ptr<platform::ui::ShapeLayer> &track,
    const std::shared_ptr<platform::ui::ShapeLayer> &fill);

/// Lays a flat bar out without animation: the track stroked as wide as the view over the bounds'
/// rectangle (so it covers the whole view) and the fill as a line from `from` to `to` whose stroke
/// end is `value`. Both lines are as wide as the view is high.
void layoutBar(platform::ui::View &view, platform::ui::ShapeLayer &track, platform::ui::ShapeLayer &fill,
    double cornerRadius, const platform::ui::Color &trackColor, const platform::ui::Color &fillColor,
    platform::ui::Point from, platform::ui::Point to, double value);

} // namespace pirrow::detail
