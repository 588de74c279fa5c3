#pragma once

#include "platform/ui/timingfunction.h"

#include <QString>

#include <limits>
#include <memory>
#include <optional>

namespace platform::ui {

/// What an animation shows outside its active time: nothing (`removed`), its end value afterwards
/// (`forwards`), its start value before it begins (`backwards`), or both.
enum class FillMode { removed, forwards, backwards, both };

/// Timing shared by every animation of a layer. Times are seconds of `Animation::mediaTime()`, which
/// follows `platform::Clock::current()`, so tests move animations by advancing a ManualClock.
///
/// A layer copies an animation when it is added; changing the original afterwards has no effect.
class Animation {
public:
    virtual ~Animation();
    virtual std::unique_ptr<Animation> clone() const = 0;

    /// Seconds of one cycle; 0 means the default of 0.25 seconds.
    double duration() const { return m_duration; }
    void setDuration(double seconds) { m_duration = seconds; }
    double effectiveDuration() const { return m_duration > 0 ? m_duration : 0.25; }
    TimingFunction timingFunction() const { return m_timing; }
    void setTimingFunction(TimingFunction f) { m_timing = f; }
    /// The media time at which it starts; 0 means when it is added to a layer.
    double beginTime() const { return m_beginTime; }
    void setBeginTime(double t) { m_beginTime = t; }
    /// Cycles to run (fractions allowed, infinity for ever); 0 means one.
    double repeatCount() const { return m_repeatCount; }
    void setRepeatCount(double n) { m_repeatCount = n; }
    bool autoreverses() const { return m_autoreverses; }
    void setAutoreverses(bool on) { m_autoreverses = on; }
    FillMode fillMode() const { return m_fillMode; }
    void setFillMode(FillMode m) { m_fillMode = m; }
    /// Whether the layer drops the animation once it has finished (default true).
    bool isRemovedOnCompletion() const { return m_removedOnCompletion; }
    void setRemovedOnCompletion(bool on) { m_removedOnCompletion = on; }

    /// Seconds from its start to the end of its last cycle (infinity when it repeats for ever).
    double activeDuration() const;
    /// The eased progress (0…1) at `elapsed` seconds since its start, or empty when the animation
    /// shows nothing then (before its start without backwards fill, after its end without forwards fill).
    std::optional<double> progressAt(double elapsed) const;
    bool isFinishedAt(double elapsed) const { return elapsed >= activeDuration(); }

    /// Now, in seconds, from the process's clock.
    static double mediaTime();

protected:
    Animation() = default;
    Animation(const Animation &) = default;
    Animation &operator=(const Animation &) = default;

private:
    double m_duration = 0;
    TimingFunction m_timing;
    double m_beginTime = 0;
    double m_repeatCount = 0;
    bool m_autoreverses = false;
    FillMode m_fillMode = FillMode::removed;
    bool m_removedOnCompletion = true;
};

} // namespace platform::ui
