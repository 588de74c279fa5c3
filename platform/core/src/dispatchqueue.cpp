#include "platform/core/dispatchqueue.h"

#include <QtGlobal>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

namespace platform {

namespace {
    struct Item {
        std::function<void()> block;
        bool barrier = false;
        bool isSync = false;
        bool granted = false; // a sync item whose turn has come
    };

    thread_local const DispatchQueue *t_currentQueue = nullptr;
    thread_local const DispatchQueue::State *t_currentState = nullptr;

    // Restores the thread's notion of "the queue I am running" after a block, also when it throws.
    class CurrentQueueScope {
    public:
        CurrentQueueScope(const DispatchQueue *queue, const DispatchQueue::State *state)
            : m_queue(t_currentQueue)
            , m_state(t_currentState)
        {
            t_currentQueue = queue;
            t_currentState = state;
        }
        ~CurrentQueueScope()
        {
            t_currentQueue = m_queue;
            t_currentState = m_state;
        }
        CurrentQueueScope(const CurrentQueueScope &) = delete;
        CurrentQueueScope &operator=(const CurrentQueueScope &) = delete;

    private:
        const DispatchQueue *m_queue;
        const DispatchQueue::State *m_state;
    };
}

struct DispatchQueue::State : std::enable_shared_from_this<DispatchQueue::State> {
    QString label;
    Attributes attributes;
    std::atomic<const DispatchQueue *> owner
        = nullptr; // cleared when the queue object goes; pending work keeps the state

    std::mutex mutex;
    std::condition_variable turn;
    std::deque<std::shared_ptr<Item>> pending; // not started, in submission order
    std::deque<std::shared_ptr<Item>> ready; // async blocks whose turn has come, for the worker
    int runningShared = 0;
    bool runningExclusive = false;
    bool workerActive = false;

    bool isExclusive(const Item &item) const { return attributes == Attributes::Serial || item.barrier; }

    // Starts every block at the front whose turn has come. Called with the mutex held.
    void pump()
    {
        while (!pending.empty()) {
            const auto &front = pending.front();
            const bool exclusive = isExclusive(*front);
            if (runningExclusive || (exclusive && runningShared > 0))
                break;
            if (exclusive)
                runningExclusive = true;
            else
                ++runningShared;
            auto item = front;
            pending.pop_front();
            if (item->isSync) {
                item->granted = true;
                turn.notify_all();
            } else {
                ready.push_back(std::move(item));
            }
        }
        if (!ready.empty() && !workerActive) {
            workerActive = true;
            std::thread([self = shared_from_this()] { self->work(); }).detach();
        }
    }

    void finished(const Item &item)
    {
        if (isExclusive(item))
            runningExclusive = false;
        else
            --runningShared;
        pump();
    }

    void work()
    {
        std::unique_lock lock(mutex);
        while (!ready.empty()) {
            auto item = std::move(ready.front());
            ready.pop_front();
            lock.unlock();
            {
                CurrentQueueScope scope(owner.load(), this);
                item->block();
            }
            item->block = nullptr; // let go of what the block captured before the next one runs
            lock.lock();
            finished(*item);
        }
        workerActive = false;
    }

    void submitAsync(std::function<void()> block, bool barrier)
    {
        auto item = std::make_shared<Item>();
        item->block = std::move(block);
        item->barrier = barrier;
        std::lock_guard lock(mutex);
        pending.push_back(std::move(item));
        pump();
    }

    void runSync(const std::function<void()> &block, bool barrier)
    {
        if (t_currentState == this)
            qFatal(
                "DispatchQueue %s: a synchronous call from a block of the same queue can never run", qPrintable(label));
        auto item = std::make_shared<Item>();
        item->barrier = barrier;
        item->isSync = true;
        {
            std::unique_lock lock(mutex);
            pending.push_back(item);
            pump();
            turn.wait(lock, [&] { return item->granted; });
        }
        struct Finish {
            State *state;
            Item *item;
            ~Finish()
            {
                std::lock_guard lock(state->mutex);
                state->finished(*item);
            }
        } finish { this, item.get() };
        CurrentQueueScope scope(owner.load(), this);
        block();
    }
};

DispatchQueue::DispatchQueue(QString label, Attributes attributes)
    : m_state(std::make_shared<State>())
{
    m_state->label = std::move(label);
    m_state->attributes = attributes;
    m_state->owner = this;
}

DispatchQueue::~DispatchQueue() { m_state->owner = nullptr; }

const QString &DispatchQueue::label() const { return m_state->label; }

DispatchQueue::Attributes DispatchQueue::attributes() const { return m_state->attributes; }

void DispatchQueue::async(std::function<void()> block) { m_state->submitAsync(std::move(block), false); }

void DispatchQueue::asyncBarrier(std::function<void()> block) { m_state->submitAsync(std::move(block), true); }

void DispatchQueue::sync(const std::function<void()> &block) { m_state->runSync(block, false); }

void DispatchQueue::syncBarrier(const std::function<void()> &block) { m_state->runSync(block, true); }

const DispatchQueue *DispatchQueue::currentQueue() { return t_currentQueue; }

} // namespace platform
