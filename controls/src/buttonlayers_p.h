#pragma once

#include <platform/ui/button.h>
#include <platform/ui/color.h>
#include <platform/ui/layer.h>
#include <platform/ui/shapelayer.h>
#include <platform/ui/textlayer.h>

#include <optional>

namespace pirrow::detail {

/// Puts a rounded rectangle over `button`'s bounds (both radii `radius`) into `background`, filled
/// with `fill` (none: no fill), and adds it to the button's layer.
void placeBackground(platform::ui::Button &button, platform::ui::ShapeLayer &background, double radius,
    const std::optional<platform::ui::Color> &fill);

/// Measures the title in the button's font against the frame's size, centres it in the bounds and
/// adds `textLayer` (unwrapped, centred, in `color`) to the button's layer.
void placeTitle(platform::ui::Button &button, platform::ui::TextLayer &textLayer, const platform::ui::Color &color);

/// Installs a fresh enter-and-exit tracking area over the bounds, removing `area` first.
void replaceTrackingArea(platform::ui::View &view, std::shared_ptr<platform::ui::TrackingArea> &area);

/// Shrinks (`scale` 0.95) or restores (1) the view about its centre over 0.2 seconds.
void applyPressScale(platform::ui::View &view, double scale);

} // namespace pirrow::detail
