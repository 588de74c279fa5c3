#include "tavrin/dataprovidercontainer.h"
#include "tavrin/datastore.h"
#include "tavrin/numberidentifier.h"

#include <platform/core/clock.h>

#include <QTest>

using namespace std::chrono_literals;
using platform::Number;
using namespace tavrin;

namespace {
// A provider that counts up one numeric entry on every update and records what it was told.
class CountingProvider : public IDataProvider {
public:
    explicit CountingProvider(QString id)
        : m_id(std::move(id))
        , m_entry(std::make_shared<NumberIdentifier>(m_id))
    {
        m_store.add(m_entry);
    }
    IDataStore &store() override { return m_store; }
    std::int64_t historySize() const override { return m_historySize; }
    void setHistorySize(std::int64_t size) override { m_historySize = size; }
    void update(double elapsed) override
    {
        elapsedSeen.push_back(elapsed);
        m_entry->setValue(static_cast<long long>(elapsedSeen.size()));
    }
    std::optional<Number> value(const QString &id) const override { return m_store.value(id); }
    QString text(const QString &id) const override { return m_store.text(id); }

    std::vector<double> elapsedSeen;

private:
    QString m_id;
    DataStore m_store;
    std::shared_ptr<NumberIdentifier> m_entry;
    std::int64_t m_historySize = 60;
};

class RecordingDelegate : public DataProviderContainerDelegate {
public:
    void containerDidRefresh(double elapsed) override { calls.push_back(elapsed); }
    std::vector<double> calls;
};
}

class DataProviderContainerTest : public QObject {
    Q_OBJECT
private slots:
    void withoutIntervalThereIsNoTimer()
    {
        DataProviderContainer container;
        QVERIFY(!container.timer());
        container.startIfStopped();
        QVERIFY(!container.timer());
        auto provider = std::make_shared<CountingProvider>("p");
        container.addProvider(provider);
        container.refresh();
        QCOMPARE(provider->elapsedSeen.size(), 1u);
        QCOMPARE(container.value("p")->intValue(), 1);
        QCOMPARE(container.text("p"), QStringLiteral("1"));
        QCOMPARE(container.valueOf<double>("p"), 1.0);
        QCOMPARE(container.valueOf<std::uint8_t>("missing"), std::uint8_t(0));
    }

    void timerRefreshesWithElapsedSeconds()
    {
        platform::ManualClock clock;
        platform::ScopedClock guard(clock);
        DataProviderContainer container(2.0);
        QVERIFY(container.timer());
        QCOMPARE(container.timer()->interval(), 2000ms);
        QVERIFY(container.timer()->repeats());
        auto provider = std::make_shared<CountingProvider>("p");
        auto delegate = std::make_shared<RecordingDelegate>();
        container.addProvider(provider);
        container.setDelegate(delegate);
        clock.advance(2s);
        container.timer()->fire();
        clock.advance(2s);
        container.timer()->fire();
        QCOMPARE(provider->elapsedSeen, (std::vector<double> { 2.0, 2.0 }));
        QCOMPARE(delegate->calls, (std::vector<double> { 2.0, 2.0 }));
        QCOMPARE(container.value("p")->intValue(), 2);
    }

    void intervalChangesRestartTheTimer()
    {
        DataProviderContainer container(2.0);
        container.setInterval(std::nullopt);
        QVERIFY(!container.timer());
        container.startIfStopped();
        QVERIFY(!container.timer());
        container.setInterval(1.0);
        QVERIFY(container.timer());
        QCOMPARE(container.timer()->interval(), 1000ms);
        container.setInterval(-3.0); // no timer can run backwards
        QVERIFY(!container.timer());
    }

    void stopEmptiesProvidersAndKeepsTheMerge()
    {
        DataProviderContainer container(1.0);
        auto a = std::make_shared<CountingProvider>("a");
        auto b = std::make_shared<CountingProvider>("b");
        container.addProvider(a);
        container.addProvider(b);
        container.refresh();
        container.stop();
        QVERIFY(!container.timer());
        QVERIFY(container.providers().empty());
        QCOMPARE(a->store().data().count(), 0u);
        QCOMPARE(b->store().data().count(), 0u);
        QCOMPARE(container.value("a")->intValue(), 1);
        QCOMPARE(container.value("b")->intValue(), 1);
        container.startIfStopped();
        QVERIFY(container.timer());
    }

    void removeProviderTakesEveryOccurrence()
    {
        DataProviderContainer container;
        auto a = std::make_shared<CountingProvider>("a");
        auto b = std::make_shared<CountingProvider>("b");
        auto c = std::make_shared<CountingProvider>("c");
        container.addProvider(a);
        container.addProvider(b);
        container.addProvider(a);
        container.addProvider(c);
        container.refresh();
        QCOMPARE(a->elapsedSeen.size(), 2u); // added twice, updated twice
        container.removeProvider(a.get());
        QCOMPARE(container.providers(), (std::vector<std::shared_ptr<IDataProvider>> { b, c }));
    }

    void historySizeGoesToProvidersOnly()
    {
        DataProviderContainer container;
        auto a = std::make_shared<CountingProvider>("a");
        auto b = std::make_shared<CountingProvider>("b");
        container.addProvider(a);
        container.addProvider(b);
        container.setHistorySize(10);
        QCOMPARE(a->historySize(), 10);
        QCOMPARE(b->historySize(), 10);
        QCOMPARE(container.store().historySize(), 60);
    }

    void departedDelegateIsSkipped()
    {
        DataProviderContainer container;
        auto provider = std::make_shared<CountingProvider>("p");
        container.addProvider(provider);
        {
            auto delegate = std::make_shared<RecordingDelegate>();
            container.setDelegate(delegate);
        }
        container.refresh();
        container.refresh();
        QCOMPARE(provider->elapsedSeen.size(), 2u);
    }
};

QTEST_GUILESS_MAIN(DataProviderContainerTest)
#include "dataprovidercontainer_test.moc"
