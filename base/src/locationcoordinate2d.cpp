#include "tavrin/locationcoordinate2d.h"

#include <algorithm>
#include <cmath>

namespace tavrin {

double LocationCoordinate2D::distance(const LocationCoordinate2D &other) const
{
    constexpr double kEarthRadius = 6371008.8;
    constexpr double kRad = 3.14159265358979323846 / 180.0;
    const double dLat = (other.latitude - latitude) * kRad;
    const double dLon = (other.longitude - longitude) * kRad;
    const double a = std::sin(dLat / 2) * std::sin(dLat / 2)
        + std::cos(latitude * kRad) * std::cos(other.latitude * kRad) * std::sin(dLon / 2) * std::sin(dLon / 2);
    return 2 * kEarthRadius * std::asin(std::sqrt(std::clamp(a, 0.0, 1.0)));
}

} // namespace tavrin
