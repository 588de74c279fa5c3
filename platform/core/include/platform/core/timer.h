#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

namespace platform {

/// A timer on the Qt event loop of the thread that creates it (the main thread, in this program).
///
/// Runs its block every `interval` (repeating) or once. `fire()` runs the block at once without
/// moving the schedule of a repeating timer, and ends a one-shot timer, as if it had fired. A timer
/// stops for good on `invalidate()` or when destroyed. Code driven by a timer keeps its work in a
/// method of its own so tests can call that directly instead of waiting.
class Timer : public QObject {
    Q_OBJECT
public:
    using Block = std::function<void()>;

    /// A started timer.
    static std::unique_ptr<Timer> scheduled(std::chrono::milliseconds interval, bool repeats, Block block);

    /// A timer that waits for start().
    Timer(std::chrono::milliseconds interval, bool repeats, Block block, QObject *parent = nullptr);
    ~Timer() override;

    void start();
    void fire();
    void invalidate();
    /// Started and neither invalidated nor, for a one-shot timer, fired.
    bool isValid() const;

    std::chrono::milliseconds interval() const { return m_interval; }
    bool repeats() const { return m_repeats; }

private:
    void timeout();

    std::chrono::milliseconds m_interval;
    bool m_repeats;
    Block m_block;
    QTimer m_timer;
    bool m_valid = false;
};

} // namespace platform
