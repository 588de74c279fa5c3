#include "platform/core/clock.h"

namespace platform {

namespace {
    SystemClock s_systemClock;
    Clock *s_current = &s_systemClock;
}

QDateTime Clock::now() const
{
    return QDateTime::fromMSecsSinceEpoch(sinceEpoch().count(), Qt::UTC);
}

double Clock::timestamp() const
{
    return static_cast<double>(preciseSinceEpoch().count()) / 1'000'000.0;
}

Clock &Clock::current()
{
    return *s_current;
}

std::chrono::milliseconds SystemClock::sinceEpoch() const
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::system_clock::now().time_since_epoch());
}

std::chrono::microseconds SystemClock::preciseSinceEpoch() const
{
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::system_clock::now().time_since_epoch());
}

ManualClock::ManualClock(std::chrono::microseconds start)
    : m_now(start)
{
}

ScopedClock::ScopedClock(Clock &clock)
    : m_previous(s_current)
{
    s_current = &clock;
}

ScopedClock::~ScopedClock()
{
    s_current = m_previous;
}

} // namespace platform
