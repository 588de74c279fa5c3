#pragma once

#include "pirrow/idataplotter.h"

#include <platform/ui/animation.h>
#include <platform/ui/basicanimation.h>
#include <platform/ui/timingfunction.h>

#include <cmath>

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

} // namespace pirrow
