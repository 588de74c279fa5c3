#include "platform/ui/timingfunction.h"

#include <algorithm>
#include <cmath>

namespace platform::ui {

TimingFunction TimingFunction::named(Name name)
{
    switch (name) {
    case Name::linear:
        return linear();
    case Name::easeIn:
        return withControlPoints(0.42, 0, 1, 1);
    case Name::easeOut:
        return withControlPoints(0, 0, 0.58, 1);
    case Name::easeInEaseOut:
        return withControlPoints(0.42, 0, 0.58, 1);
    case Name::defaultTiming:
        return withControlPoints(0.25, 0.1, 0.25, 1);
    }
    return linear();
}

double TimingFunction::evaluate(double t) const
{
    t = std::clamp(t, 0.0, 1.0);
    if (m_x1 == m_y1 && m_x2 == m_y2)
        return t; // a straight line
    // Bézier coordinate along one axis with control values p1, p2 at parameter s.
    auto bez = [](double p1, double p2, double s) {
        const double u = 1 - s;
        return 3 * u * u * s * p1 + 3 * u * s * s * p2 + s * s * s;
    };
    auto bezDerivative = [](double p1, double p2, double s) {
        const double u = 1 - s;
        return 3 * u * u * p1 + 6 * u * s * (p2 - p1) + 3 * s * s * (1 - p2);
    };
    // Solve x(s) = t: Newton steps, then bisection when the slope is too flat.
    double s = t;
    for (int i = 0; i < 8; ++i) {
        const double x = bez(m_x1, m_x2, s) - t;
        if (std::abs(x) < 1e-7)
            return bez(m_y1, m_y2, s);
        const double dx = bezDerivative(m_x1, m_x2, s);
        if (std::abs(dx) < 1e-6)
            break;
        s -= x / dx;
    }
    double lo = 0, hi = 1;
    s = t;
    for (int i = 0; i < 60; ++i) {
        const double x = bez(m_x1, m_x2, s);
        if (std::abs(x - t) < 1e-9)
            break;
        if (x < t)
            lo = s;
        else
            hi = s;
        s = (lo + hi) / 2;
    }
    return bez(m_y1, m_y2, s);
}

} // namespace platform::ui
