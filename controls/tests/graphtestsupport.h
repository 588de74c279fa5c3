#pragma once

#include "pirrow/idataplotter.h"
#include "pirrow/plotterdelegate.h"

#include <platform/ui/path.h>

#include <QTest>

#include <vector>

namespace pirrowtest {

/// A delegate that writes down what plotters told it.
class RecordingDelegate : public pirrow::PlotterDelegate {
public:
    int redraws = 0;
    int dataChanges = 0;
    void plotterNeedsRedraw(pirrow::IDataPlotter &) override { ++redraws; }
    void plotterDataChanged(pirrow::IDataPlotter &) override { ++dataChanges; }
};

/// The end points of a path's elements, in order (closes give none).
inline std::vector<platform::ui::Point> pathPoints(const platform::ui::Path &path)
{
    using Kind = platform::ui::PathElement::Kind;
    std::vector<platform::ui::Point> points;
    for (const auto &e : path.elements()) {
        switch (e.kind) {
        case Kind::moveTo:
        case Kind::lineTo:
            points.push_back(e.points[0]);
            break;
        case Kind::quadCurveTo:
            points.push_back(e.points[1]);
            break;
        case Kind::curveTo:
            points.push_back(e.points[2]);
            break;
        case Kind::closeSubpath:
            break;
        }
    }
    return points;
}

inline bool fuzzyPoint(platform::ui::Point a, platform::ui::Point b, double tolerance = 1e-9)
{
    return std::abs(a.x - b.x) <= tolerance && std::abs(a.y - b.y) <= tolerance;
}

} // namespace pirrowtest
