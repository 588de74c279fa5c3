#pragma once

namespace platform::ui {

/// The pacing of an animation: a cubic Bézier curve from (0, 0) to (1, 1) through two control
/// points, mapping elapsed time (0…1) to progress.
class TimingFunction {
public:
    enum class Name { linear, easeIn, easeOut, easeInEaseOut, defaultTiming };

    constexpr TimingFunction() = default;
    static TimingFunction named(Name name);
    static constexpr TimingFunction linear() { return {}; }
    static constexpr TimingFunction withControlPoints(double x1, double y1, double x2, double y2)
    {
        return TimingFunction(x1, y1, x2, y2);
    }

    /// Progress at elapsed fraction `t` (clamped to 0…1).
    double evaluate(double t) const;

    friend constexpr bool operator==(const TimingFunction &, const TimingFunction &) = default;

private:
    constexpr TimingFunction(double x1, double y1, double x2, double y2)
        : m_x1(x1)
        , m_y1(y1)
        , m_x2(x2)
        , m_y2(y2)
    {
    }
    double m_x1 = 0;
    double m_y1 = 0;
    double m_x2 = 1;
    double m_y2 = 1;
};

} // namespace platform::ui
