#pragma once

#include "pirrow/idataplotter.h"

#include <cmath>

namespace pirrow {

/// The values a line plotter draws when it thins its data to `width`: at most width / `distance`
/// values, taken at a whole-number stride from index 0. A width without room for a single value
/// keeps none; a distance that is not a positive number keeps all (no thinning is defined for it).
inline PlotterData thinnedPlotterData(const PlotterData &data, double width, double distance)
{
    if (!(distance > 0) || std::isnan(width))
        return data;
    const double room = width / distance;
    const size_t count = data.size();
    if (room >= double(count))
        return data;
    const size_t keep = room > 0 ? size_t(room) : 0;
    if (keep == 0)
        return {};
    const size_t stride = count / keep;
    PlotterData kept;
    kept.reserve(keep);
    for (size_t i = 0; i < keep; ++i)
        kept.push_back(data[i * stride]);
    return kept;
}

} // namespace pirrow
