#pragma once

#include <platform/ui/color.h>
#include <platform/ui/path.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/view.h>

#include <optional>

namespace pirrow::detail {

/// The 270-degree track of a speedometer gauge: counter-clockwise from -45 to -135 degrees (through
/// the top), leaving the gap at the bottom.
platform::ui::Path gaugeTrack(platform::ui::Point center, double radius);
/// The filled part of a speedometer gauge: `value` × 270 degrees clockwise from 225 degrees. Past
/// 0 degrees it is two clockwise arcs, 225 to 0 and 0 onwards, so the sweep never wraps short.
platform::ui::Path gaugeFill(platform::ui::Point center, double radius, double value);
/// A full ring counter-clockwise from 0 degrees.
platform::ui::Path ringTrack(platform::ui::Point center, double radius);
/// A full ring clockwise from the top, for filling with a stroke end.
platform::ui::Path ringFill(platform::ui::Point center, double radius);

/// Sets what every ring layer shares: scale, frame, line width, no fill, stroke colour, path, cap.
void configureRing(platform::ui::ShapeLayer &layer, const platform::ui::View &view, double lineWidth,
    const std::optional<platform::ui::Color> &stroke, const platform::ui::Path &path, platform::ui::LineCap cap);

} // namespace pirrow::detail
