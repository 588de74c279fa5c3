#pragma once

#include <QDateTime>

#include <chrono>

namespace platform {

/// Where the current time comes from. The process uses the system clock; tests install a
/// ManualClock with ScopedClock and advance it by hand. Main thread only for installing.
class Clock {
public:
    virtual ~Clock() = default;
    /// Wall-clock time in milliseconds since 1970-01-01 UTC.
    virtual std::chrono::milliseconds sinceEpoch() const = 0;
    /// The same to the microsecond, for measuring short spans; defaults to the millisecond value.
    virtual std::chrono::microseconds preciseSinceEpoch() const { return sinceEpoch(); }

    QDateTime now() const;
    /// Seconds since 1970 as a real (to the microsecond): the timestamp form the base library's date
    /// helpers take.
    double timestamp() const;

    static Clock &current();
};

/// The real clock.
class SystemClock final : public Clock {
public:
    std::chrono::milliseconds sinceEpoch() const override;
    std::chrono::microseconds preciseSinceEpoch() const override;
};

/// A clock that moves only when told (to the microsecond; `sinceEpoch` truncates to milliseconds).
class ManualClock final : public Clock {
public:
    explicit ManualClock(std::chrono::microseconds start = std::chrono::milliseconds(1'700'000'000'000));
    std::chrono::milliseconds sinceEpoch() const override
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(m_now);
    }
    std::chrono::microseconds preciseSinceEpoch() const override { return m_now; }
    void advance(std::chrono::microseconds by) { m_now += by; }
    void set(std::chrono::microseconds to) { m_now = to; }
    void set(const QDateTime &to) { m_now = std::chrono::milliseconds(to.toMSecsSinceEpoch()); }

private:
    std::chrono::microseconds m_now;
};

/// Installs a clock for the lifetime of the guard, then restores the previous one.
class ScopedClock {
public:
    explicit ScopedClock(Clock &clock);
    ~ScopedClock();
    ScopedClock(const ScopedClock &) = delete;
    ScopedClock &operator=(const ScopedClock &) = delete;

private:
    Clock *m_previous;
};

} // namespace platform
