#include "platform/core/timer.h"

namespace platform {

std::unique_ptr<Timer> Timer::scheduled(std::chrono::milliseconds interval, bool repeats, Block block)
{
    auto timer = std::make_unique<Timer>(interval, repeats, std::move(block));
    timer->start();
    return timer;
}

Timer::Timer(std::chrono::milliseconds interval, bool repeats, Block block, QObject *parent)
    : QObject(parent)
    , m_interval(interval)
    , m_repeats(repeats)
    , m_block(std::move(block))
{
    m_timer.setInterval(interval);
    m_timer.setSingleShot(!repeats);
    connect(&m_timer, &QTimer::timeout, this, &Timer::timeout);
}

Timer::~Timer() = default;

void Timer::start()
{
    m_valid = true;
    m_timer.start();
}

void Timer::fire()
{
    if (!m_valid)
        return;
    if (!m_repeats)
        invalidate();
    if (m_block)
        m_block();
}

void Timer::invalidate()
{
    m_valid = false;
    m_timer.stop();
}

bool Timer::isValid() const { return m_valid; }

void Timer::timeout()
{
    if (!m_valid)
        return;
    if (!m_repeats)
        m_valid = false;
    // The block may destroy this timer; nothing touches members after it.
    if (m_block) {
        Block block = m_block;
        block();
    }
}

} // namespace platform
