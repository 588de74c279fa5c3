#pragma once

#include <QString>

#include <functional>
#include <memory>

namespace platform {

/// A private queue of blocks, serial or concurrent, in the manner of the original platform's dispatch
/// queues.
///
/// Blocks start in submission order. On a serial queue every block runs alone. On a concurrent queue
/// plain blocks may run side by side, while a barrier block waits for every block submitted before it
/// and holds back every block submitted after it until it has finished.
///
/// `sync` and `syncBarrier` run the block on the calling thread once its turn has come and return
/// after it; `async` returns at once and the block runs later on a worker thread of the queue, never
/// inside the call. Blocks submitted with `async` keep the queue's state alive until they have run, so
/// the queue may be destroyed while work is pending. Any thread may submit. A `sync` call from a block
/// that this queue is running would wait for itself for ever; it stops the program with a message
/// instead.
class DispatchQueue {
public:
    enum class Attributes { Serial, Concurrent };

    explicit DispatchQueue(QString label, Attributes attributes = Attributes::Serial);
    ~DispatchQueue();
    DispatchQueue(const DispatchQueue &) = delete;
    DispatchQueue &operator=(const DispatchQueue &) = delete;

    const QString &label() const;
    Attributes attributes() const;

    void async(std::function<void()> block);
    void asyncBarrier(std::function<void()> block);
    void sync(const std::function<void()> &block);
    void syncBarrier(const std::function<void()> &block);

    /// The queue whose block the calling thread is running, or nullptr.
    static const DispatchQueue *currentQueue();

    struct State;

private:
    std::shared_ptr<State> m_state;
};

} // namespace platform
