#pragma once

#include <platform/core/dispatchqueue.h>

#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

namespace tavrin {

/// The kind of queue that guards a `ThreadedObject`: parallel readers with exclusive writers, or
/// one block at a time.
enum class ThreadingType { Concurrent, Serial };

namespace detail {
    /// Next number of the process-wide queue labels; starts at 0.
    std::int64_t nextQueueLabelNumber();
}

/// One value guarded by a private queue of its own, so that any thread may use it without locks of
/// its own. Reads run synchronously on the queue and see the value itself, read-only, so a lookup in
/// a large value costs only the lookup; writes are queued (barrier
/// blocks on a concurrent queue) and return at once, yet a thread always sees its own earlier writes,
/// since its later reads queue behind them.
///
/// Pending writes keep the value alive after the object is destroyed, until they have run. Blocks
/// passed to `read` and `syncWrite` must not call `read` or `syncWrite` of the same object.
template <typename T> class ThreadedObject {
public:
    ThreadedObject(T value, ThreadingType threadingType)
        : m_shared(std::make_shared<Shared>(std::move(value), threadingType))
        , m_threadingType(threadingType)
    {
    }
    virtual ~ThreadedObject() = default;
    ThreadedObject(const ThreadedObject &) = delete;
    ThreadedObject &operator=(const ThreadedObject &) = delete;

    ThreadingType threadingType() const { return m_threadingType; }
    /// "com.threading.dispatchqueue_<n>", n counting the objects made in this process from 0.
    const QString &queueLabel() const { return m_shared->queue.label(); }

    /// Runs `block` with the value, synchronously on the queue, and returns its result. The reference
    /// is good only inside the block: whatever the caller keeps must be copied out of it.
    template <typename F> auto read(F &&block) const -> std::invoke_result_t<F, const T &>
    {
        using R = std::invoke_result_t<F, const T &>;
        const auto shared = m_shared;
        if constexpr (std::is_void_v<R>) {
            shared->queue.sync([&] { block(std::as_const(shared->value)); });
        } else {
            std::optional<R> result;
            shared->queue.sync([&] { result.emplace(block(std::as_const(shared->value))); });
            return std::move(*result);
        }
    }

    /// Queues `block` to change the value and returns at once.
    void write(std::function<void(T &)> block)
    {
        auto shared = m_shared;
        auto run = [shared, block = std::move(block)] { block(shared->value); };
        if (m_threadingType == ThreadingType::Concurrent)
            shared->queue.asyncBarrier(std::move(run));
        else
            shared->queue.async(std::move(run));
    }

    /// Changes the value as a barrier block, synchronously, and returns the block's result.
    template <typename F> auto syncWrite(F &&block) -> std::invoke_result_t<F, T &>
    {
        using R = std::invoke_result_t<F, T &>;
        const auto shared = m_shared;
        if constexpr (std::is_void_v<R>) {
            shared->queue.syncBarrier([&] { block(shared->value); });
        } else {
            std::optional<R> result;
            shared->queue.syncBarrier([&] { result.emplace(block(shared->value)); });
            return std::move(*result);
        }
    }

private:
    struct Shared {
        Shared(T v, ThreadingType type)
            : value(std::move(v))
            , queue(QStringLiteral("com.threading.dispatchqueue_%1").arg(detail::nextQueueLabelNumber()),
                  type == ThreadingType::Concurrent ? platform::DispatchQueue::Attributes::Concurrent
                                                    : platform::DispatchQueue::Attributes::Serial)
        {
        }
        T value;
        platform::DispatchQueue queue;
    };

    std::shared_ptr<Shared> m_shared;
    ThreadingType m_threadingType;
};

} // namespace tavrin
