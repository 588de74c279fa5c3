// Lookups in a data store of 10, 1,000 and 100,000 entries: a lookup must not grow with the store.
#include <tavrin/datastore.h>
#include <tavrin/numberidentifier.h>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>
#include <vector>

namespace {

tavrin::DataStore &storeOf(std::int64_t size)
{
    static std::map<std::int64_t, std::unique_ptr<tavrin::DataStore>> s_stores;
    auto &store = s_stores[size];
    if (!store) {
        store = std::make_unique<tavrin::DataStore>();
        store->setHistorySize(4);
        for (std::int64_t i = 0; i < size; ++i) {
            store->add(std::make_shared<tavrin::NumberIdentifier>(QStringLiteral("entry.%1").arg(i)));
            store->setValue(QStringLiteral("entry.%1").arg(i), static_cast<double>(i));
        }
    }
    return *store;
}

// The keys looked up are spread over the whole store.
QString keyFor(std::int64_t size, std::int64_t step) { return QStringLiteral("entry.%1").arg((step * 7919) % size); }

void BM_Identifier(benchmark::State &state)
{
    const auto size = state.range(0);
    auto &store = storeOf(size);
    std::vector<QString> keys;
    for (std::int64_t step = 0; step < 64; ++step)
        keys.push_back(keyFor(size, step));
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(store.identifier(keys[next]));
        next = (next + 1) % keys.size();
    }
}

void BM_Contains(benchmark::State &state)
{
    const auto size = state.range(0);
    auto &store = storeOf(size);
    const QString key = keyFor(size, 1);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.contains(key));
}

void BM_Value(benchmark::State &state)
{
    const auto size = state.range(0);
    auto &store = storeOf(size);
    const QString key = keyFor(size, 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.value(key));
}

} // namespace

BENCHMARK(BM_Identifier)->Arg(10)->Arg(1000)->Arg(100000);
BENCHMARK(BM_Contains)->Arg(10)->Arg(1000)->Arg(100000);
BENCHMARK(BM_Value)->Arg(10)->Arg(1000)->Arg(100000);

BENCHMARK_MAIN();
