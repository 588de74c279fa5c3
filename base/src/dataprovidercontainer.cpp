#include "tavrin/dataprovidercontainer.h"

#include "tavrin/datastore.h"

#include <platform/core/clock.h>

#include <algorithm>
#include <cmath>

namespace tavrin {

namespace {
    double now() { return platform::Clock::current().timestamp(); }
}

DataProviderContainer::DataProviderContainer(std::optional<double> interval)
    : m_lastRefresh(now())
    , m_interval(interval)
    , m_store(std::make_shared<DataStore>())
{
    start();
}

DataProviderContainer::~DataProviderContainer() = default;

void DataProviderContainer::setStore(std::shared_ptr<IDataStore> store)
{
    if (store)
        m_store = std::move(store);
}

void DataProviderContainer::setHistorySize(std::int64_t size)
{
    m_historySize = size;
    for (const auto &provider : m_providers)
        provider->setHistorySize(size);
}

void DataProviderContainer::setInterval(std::optional<double> seconds)
{
    m_interval = seconds;
    start();
}

void DataProviderContainer::start()
{
    if (m_timer)
        m_timer->invalidate();
    m_timer.reset();
    // A period that is not a finite positive number cannot drive a timer.
    if (!m_interval || !std::isfinite(*m_interval) || *m_interval <= 0)
        return;
    m_lastRefresh = now();
    const auto period = std::max<long long>(1, std::llround(std::min(*m_interval, 1e9) * 1000.0));
    m_timer = platform::Timer::scheduled(std::chrono::milliseconds(period), true, [this] { refresh(); });
}

void DataProviderContainer::startIfStopped()
{
    if (!m_timer)
        start();
}

void DataProviderContainer::stop()
{
    if (m_timer)
        m_timer->invalidate();
    m_timer.reset();
    for (const auto &provider : m_providers)
        provider->store().removeAll();
    m_providers.clear();
}

void DataProviderContainer::refresh()
{
    const double elapsed = now() - m_lastRefresh;
    // A provider's update may add or remove providers; the refresh walks the list as it began.
    const auto providers = m_providers;
    for (const auto &provider : providers) {
        provider->update(elapsed);
        m_store->merge(provider->store());
    }
    if (auto delegate = m_delegate.lock())
        delegate->containerDidRefresh(elapsed);
    m_lastRefresh = now();
}

void DataProviderContainer::addProvider(std::shared_ptr<IDataProvider> provider)
{
    if (provider)
        m_providers.push_back(std::move(provider));
}

void DataProviderContainer::removeProvider(const IDataProvider *provider)
{
    std::erase_if(m_providers, [provider](const auto &p) { return p.get() == provider; });
}

} // namespace tavrin
