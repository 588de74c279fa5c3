#include "tavrin/ramerdouglaspeucker.h"

#include <cmath>
#include <utility>
#include <vector>

namespace tavrin {

QList<Point> RamerDouglasPeucker::simplify(const QList<Point> &points, double epsilon)
{
    if (points.isEmpty() || !(epsilon >= 0))
        return {};
    QList<Point> result { points.first() };
    simplifyRange(0, points.size() - 1, points, result, epsilon);
    return result;
}

void RamerDouglasPeucker::simplifyRange(
    qsizetype first, qsizetype last, const QList<Point> &points, QList<Point> &result, double epsilon)
{
    if (!(epsilon >= 0) || first < 0 || last >= points.size())
        return;
    // An explicit stack instead of recursion: a long line that splits next to one end every time
    // would otherwise nest as deep as it has points. Ranges come off in the order recursion visits them.
    std::vector<std::pair<qsizetype, qsizetype>> pending { { first, last } };
    while (!pending.empty()) {
        const auto [from, to] = pending.back();
        pending.pop_back();
        if (from >= to)
            continue;
        if (to == from + 1) {
            result.append(points[to]);
            continue;
        }
        const Point &a = points[from];
        const Point &b = points[to];
        const double dx = b.x - a.x;
        const double dy = b.y - a.y;
        const double length = std::sqrt(dx * dx + dy * dy);
        double largest = 0;
        qsizetype index = from;
        for (qsizetype k = from + 1; k < to; ++k) {
            const double distance = std::abs(dy * points[k].x - dx * points[k].y + b.x * a.y - b.y * a.x) / length;
            if (distance > largest) {
                largest = distance;
                index = k;
            }
        }
        if (!(largest > epsilon)) {
            result.append(b);
            continue;
        }
        pending.emplace_back(index, to);
        pending.emplace_back(from, index);
    }
}

} // namespace tavrin
