#include "platform/ui/gradient.h"

namespace platform::ui {

std::vector<double> Gradient::effectiveLocations() const
{
    if (locations.size() == colors.size())
        return locations;
    std::vector<double> out;
    const size_t n = colors.size();
    for (size_t i = 0; i < n; ++i)
        out.push_back(n == 1 ? 0.0 : double(i) / double(n - 1));
    return out;
}

} // namespace platform::ui
