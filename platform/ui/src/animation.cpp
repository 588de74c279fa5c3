#include "platform/ui/animation.h"

#include "platform/core/clock.h"

#include <cmath>

namespace platform::ui {

Animation::~Animation() = default;

double Animation::activeDuration() const
{
    const double cycle = effectiveDuration() * (m_autoreverses ? 2 : 1);
    const double repeats = m_repeatCount > 0 ? m_repeatCount : 1;
    if (std::isinf(repeats))
        return std::numeric_limits<double>::infinity();
    return cycle * repeats;
}

std::optional<double> Animation::progressAt(double elapsed) const
{
    const double d = effectiveDuration();
    const double cycle = d * (m_autoreverses ? 2 : 1);
    // Position within one cycle (0…cycle) mapped to the un-eased fraction of the value range.
    auto fractionAt = [&](double local) {
        if (m_autoreverses && local > d)
            return (cycle - local) / d;
        return local / d;
    };
    if (elapsed < 0) {
        if (m_fillMode == FillMode::backwards || m_fillMode == FillMode::both)
            return m_timing.evaluate(0);
        return std::nullopt;
    }
    const double active = activeDuration();
    if (elapsed >= active) {
        if (m_removedOnCompletion)
            return std::nullopt;
        if (m_fillMode != FillMode::forwards && m_fillMode != FillMode::both)
            return std::nullopt;
        const double repeats = m_repeatCount > 0 ? m_repeatCount : 1;
        const double endLocal = std::fmod(repeats, 1.0) == 0 ? cycle : std::fmod(repeats, 1.0) * cycle;
        return m_timing.evaluate(fractionAt(endLocal));
    }
    return m_timing.evaluate(fractionAt(std::fmod(elapsed, cycle)));
}

double Animation::mediaTime() { return double(platform::Clock::current().sinceEpoch().count()) / 1000.0; }

} // namespace platform::ui
