#pragma once

namespace tavrin {

/// A place on the earth in degrees (latitude north positive, longitude east positive).
struct LocationCoordinate2D {
    double latitude = 0;
    double longitude = 0;

    /// The great-circle distance to `other` in metres (haversine on a sphere of the earth's mean
    /// radius, 6371008.8 m).
    double distance(const LocationCoordinate2D &other) const;

    friend bool operator==(const LocationCoordinate2D &, const LocationCoordinate2D &) = default;
};

} // namespace tavrin
