#pragma once

#include <QString>

namespace tavrin {

/// A plain pair of coordinates.
struct Point {
    double x = 0;
    double y = 0;

    Point() = default;
    Point(double px, double py)
        : x(px)
        , y(py)
    {
    }

    /// "(x, y)", each coordinate in the shortest form that reads back to the same number and always
    /// with a fractional part: "(1.0, 2.5)".
    QString description() const;

    friend bool operator==(const Point &, const Point &) = default;
};

} // namespace tavrin
