#pragma once

#include "tavrin/idatastore.h"

#include <platform/core/timer.h>

#include <memory>
#include <optional>
#include <vector>

namespace tavrin {

/// A source of sampled values with a data store of its own, which it fills in `update`.
class IDataProvider : public InfoProvider {
public:
    virtual IDataStore &store() = 0;
    virtual std::int64_t historySize() const = 0;
    virtual void setHistorySize(std::int64_t size) = 0;
    /// Called with the seconds since the previous refresh.
    virtual void update(double elapsedSeconds) = 0;
};

/// Told after every refresh of a container, with the seconds since the previous one.
class DataProviderContainerDelegate {
public:
    virtual ~DataProviderContainerDelegate() = default;
    virtual void containerDidRefresh(double elapsedSeconds) = 0;
};

/// Drives data providers and gathers their stores into one.
class IDataProviderContainer : public InfoProvider {
public:
    virtual IDataStore &store() = 0;
    virtual std::int64_t historySize() const = 0;
    virtual void setHistorySize(std::int64_t size) = 0;
    virtual std::optional<double> interval() const = 0;
    virtual void setInterval(std::optional<double> seconds) = 0;
    virtual std::weak_ptr<DataProviderContainerDelegate> delegate() const = 0;
    virtual void setDelegate(std::weak_ptr<DataProviderContainerDelegate> delegate) = 0;
    virtual void refresh() = 0;
    virtual void addProvider(std::shared_ptr<IDataProvider> provider) = 0;
    virtual void removeProvider(const IDataProvider *provider) = 0;
    virtual void stop() = 0;
    virtual void startIfStopped() = 0;
};

/// Refreshes its providers on a repeating timer of the main thread's event loop: each refresh tells
/// every provider, in the order they were added, the seconds since the last refresh, merges the
/// provider's store into the container's, then tells the delegate (held weakly). Without an interval
/// there is no timer; `refresh()` may always be called directly. `stop()` ends the timer, empties the
/// providers' stores and forgets the providers; the container's own store keeps what was merged.
class DataProviderContainer : public IDataProviderContainer {
public:
    explicit DataProviderContainer(std::optional<double> interval = std::nullopt);
    ~DataProviderContainer() override;

    IDataStore &store() override { return *m_store; }
    /// Replaces the store; the old one is let go.
    void setStore(std::shared_ptr<IDataStore> store);
    std::int64_t historySize() const override { return m_historySize; }
    /// Hands the size to every provider; the container's own store keeps its own.
    void setHistorySize(std::int64_t size) override;
    std::optional<double> interval() const override { return m_interval; }
    /// Stores the interval and starts anew (no timer for none).
    void setInterval(std::optional<double> seconds) override;
    std::weak_ptr<DataProviderContainerDelegate> delegate() const override { return m_delegate; }
    void setDelegate(std::weak_ptr<DataProviderContainerDelegate> delegate) override
    {
        m_delegate = std::move(delegate);
    }

    void refresh() override;
    void addProvider(std::shared_ptr<IDataProvider> provider) override;
    /// Removes every occurrence of that very provider.
    void removeProvider(const IDataProvider *provider) override;
    void stop() override;
    void startIfStopped() override;
    void start();

    const std::vector<std::shared_ptr<IDataProvider>> &providers() const { return m_providers; }
    /// The running timer, or nullptr when stopped.
    platform::Timer *timer() const { return m_timer.get(); }
    double lastRefresh() const { return m_lastRefresh; }

    std::optional<platform::Number> value(const QString &id) const override { return m_store->value(id); }
    QString text(const QString &id) const override { return m_store->text(id); }
    /// The store's number converted to T; 0 when absent.
    template <typename T> T valueOf(const QString &id) const { return m_store->valueOf<T>(id); }

private:
    std::vector<std::shared_ptr<IDataProvider>> m_providers;
    std::unique_ptr<platform::Timer> m_timer;
    double m_lastRefresh;
    std::optional<double> m_interval;
    std::int64_t m_historySize = 60;
    std::shared_ptr<IDataStore> m_store;
    std::weak_ptr<DataProviderContainerDelegate> m_delegate;
};

} // namespace tavrin
