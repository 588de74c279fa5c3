#pragma once

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace tavrin {

/// Any number of delegates of one interface `T`, held weakly: a delegate destroyed elsewhere simply
/// stops being called and never needs removing.
///
/// `invoke` walks a snapshot of the live delegates (holding them for the walk), so an action may add
/// or remove delegates while it runs: one added during a walk is first called by the next walk, one
/// removed during a walk is still called by that walk if it had not been reached. Delegates are
/// called from the most recently added to the first. One thread only; no locks.
template <typename T> class MulticastDelegate {
public:
    MulticastDelegate() = default;
    virtual ~MulticastDelegate() = default;
    MulticastDelegate(const MulticastDelegate &) = default;
    MulticastDelegate &operator=(const MulticastDelegate &) = default;

    /// Registers the delegate; one already present stays registered once.
    virtual void add(const std::shared_ptr<T> &delegate)
    {
        if (!delegate)
            return;
        prune();
        for (const std::weak_ptr<T> &entry : m_delegates)
            if (entry.lock().get() == delegate.get())
                return;
        m_delegates.push_back(delegate);
    }

    /// Unregisters every entry that is this very object (identity, not equality).
    virtual void remove(const T *delegate)
    {
        const std::vector<std::weak_ptr<T>> snapshot = m_delegates;
        for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it) {
            if (it->lock().get() != delegate)
                continue;
            const auto index = std::distance(snapshot.begin(), it.base()) - 1;
            m_delegates.erase(m_delegates.begin() + index);
        }
        prune();
    }

    /// Calls `action` once with each live delegate.
    virtual void invoke(const std::function<void(T &)> &action)
    {
        prune();
        std::vector<std::shared_ptr<T>> snapshot;
        snapshot.reserve(m_delegates.size());
        for (const std::weak_ptr<T> &entry : m_delegates)
            if (std::shared_ptr<T> d = entry.lock())
                snapshot.push_back(std::move(d));
        for (auto it = snapshot.rbegin(); it != snapshot.rend(); ++it)
            action(**it);
    }

    /// How many registered delegates are still alive.
    int count() const
    {
        return int(std::count_if(
            m_delegates.begin(), m_delegates.end(), [](const std::weak_ptr<T> &d) { return !d.expired(); }));
    }

private:
    void prune()
    {
        std::erase_if(m_delegates, [](const std::weak_ptr<T> &d) { return d.expired(); });
    }

    std::vector<std::weak_ptr<T>> m_delegates;
};

} // namespace tavrin
