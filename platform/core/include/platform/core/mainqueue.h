#pragma once

#include <chrono>
#include <functional>

namespace platform {

/// Work handed to the main thread's Qt event loop.
///
/// `async` never runs the block inside the call: it runs later, on the main thread, in the order of
/// the calls, once the event loop gets to it. Safe to call from any thread. Needs the application
/// object; without one the block is dropped with a message on stderr.
class MainQueue {
public:
    static void async(std::function<void()> block);
    /// Runs the block on the main thread once `delay` of real time has passed.
    static void asyncAfter(std::chrono::milliseconds delay, std::function<void()> block);
    static bool isMainThread();
    /// Blocks handed to `async` that have not run yet.
    static int pendingCount();

    /// For tests, on the main thread: runs posted events, deferred deletions, due timers and
    /// main-queue blocks (also those that blocks post) until no block is pending, for at most
    /// `maxRounds` passes of the event loop.
    static void drain(int maxRounds = 1000);
};

} // namespace platform
