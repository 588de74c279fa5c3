#include "../../core/tests/testsupport.h"
#include "platform/core/coding.h"
#include "platform/core/json.h"
#include "platform/registry/memorypowersources.h"
#include "platform/registry/sysfspowersources.h"

#include <QTest>

using platform::MemoryPowerSources;
using platform::PowerSources;
using platform::Value;

namespace {
Value battery(int percent)
{
    return Value(Value::Dictionary { { "Name", "InternalBattery-0" }, { "Current Capacity", percent } });
}

// Every description the snapshot hands out, following its list as a caller would.
std::vector<Value> describeAll(PowerSources &sources)
{
    auto info = sources.copyInfo();
    if (!info)
        return {};
    std::vector<Value> result;
    const Value list = sources.list(*info);
    for (const Value &source : *list.toArray())
        result.push_back(sources.description(*info, source));
    return result;
}
}

class PowerSourcesTest : public QObject {
    Q_OBJECT
private slots:
    void listFollowsSourcesInOrder()
    {
        MemoryPowerSources sources({ battery(80), Value(), Value("broken") });
        const auto described = describeAll(sources);
        QCOMPARE(described.size(), std::size_t(3));
        QCOMPARE(described[0], battery(80));
        QVERIFY(described[1].isNull());
        QCOMPARE(described[2], Value("broken"));
    }

    void snapshotKeepsItsState()
    {
        MemoryPowerSources sources({ battery(80) });
        auto info = sources.copyInfo();
        sources.setDescriptions({ battery(10), battery(20) });

        const Value list = sources.list(*info);
        QCOMPARE(list.toArray()->size(), std::size_t(1));
        QCOMPARE(sources.description(*info, list.toArray()->front()), battery(80));
        QCOMPARE(describeAll(sources).size(), std::size_t(2));
    }

    void unknownSourceHasNoDescription()
    {
        MemoryPowerSources sources({ battery(80) });
        auto info = sources.copyInfo();
        QVERIFY(sources.description(*info, Value("PowerSource-7")).isNull());
        QVERIFY(sources.description(*info, Value(0)).isNull());

        struct ForeignInfo : platform::PowerSourcesInfo { };
        const ForeignInfo foreign;
        QVERIFY(sources.list(foreign).isNull());
        QVERIFY(sources.description(foreign, Value("PowerSource-0")).isNull());
    }

    void failuresCanBeScripted()
    {
        MemoryPowerSources sources({ battery(80) });
        sources.setInfoAvailable(false);
        QVERIFY(!sources.copyInfo());

        sources.setInfoAvailable(true);
        sources.setListOverride(Value("not a list"));
        auto info = sources.copyInfo();
        QCOMPARE(sources.list(*info), Value("not a list"));

        sources.setListOverride(std::nullopt);
        QCOMPARE(describeAll(sources), std::vector<Value> { battery(80) });
    }

    void countsEveryCall()
    {
        MemoryPowerSources sources({ battery(80), battery(70) });
        describeAll(sources);
        QCOMPARE(sources.infoCalls(), 1);
        QCOMPARE(sources.listCalls(), 1);
        QCOMPARE(sources.descriptionCalls(), 2);
        QCOMPARE(sources.calls(), 4);

        sources.setInfoAvailable(false);
        describeAll(sources);
        QCOMPARE(sources.infoCalls(), 2);
        QCOMPARE(sources.calls(), 5);

        sources.resetCounters();
        QCOMPARE(sources.calls(), 0);
    }

    void loadsFixture()
    {
        MemoryPowerSources sources;
        sources.loadFixtureFile(QStringLiteral(QUENBY_TEST_DATA "/powersources.json"));
        const auto &d = sources.descriptions();
        QCOMPARE(d.size(), std::size_t(3));
        QCOMPARE(d[0]["Current Capacity"], Value(64));
        QCOMPARE(d[0]["Is Charging"], Value(false));
        QVERIFY(d[1].isNull());
        QVERIFY(d[2].isString());
    }

    void rejectsMalformedFixture_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("sourcesAfter");

        QTest::newRow("no section changes nothing") << QByteArray("{\"registry\": []}") << true << 1;
        QTest::newRow("empty section") << QByteArray("{\"powerSources\": []}") << true << 0;
        QTest::newRow("section is a dictionary") << QByteArray("{\"powerSources\": {\"Name\": \"x\"}}") << false << 1;
        QTest::newRow("section is text") << QByteArray("{\"powerSources\": \"battery\"}") << false << 1;
        QTest::newRow("document is an array") << QByteArray("[{\"Name\": \"x\"}]") << false << 1;
    }

    void rejectsMalformedFixture()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, valid);
        QFETCH(int, sourcesAfter);

        MemoryPowerSources sources({ battery(80) });
        bool threw = false;
        try {
            sources.loadFixture(platform::json::parse(json));
        } catch (const platform::DecodingError &) {
            threw = true;
        }
        QCOMPARE(threw, !valid);
        QCOMPARE(int(sources.descriptions().size()), sourcesAfter);
    }

    void scopedGuardInstallsAndRestores()
    {
        PowerSources &original = PowerSources::current();
        // Without a guard the process reads the machine's own power sources.
        QVERIFY(dynamic_cast<platform::SysfsPowerSources *>(&original));

        MemoryPowerSources outer({ battery(80) });
        MemoryPowerSources inner({ battery(10) });
        {
            platform::ScopedPowerSources installOuter(outer);
            QCOMPARE(&PowerSources::current(), &outer);
            {
                platform::ScopedPowerSources installInner(inner);
                QCOMPARE(&PowerSources::current(), &inner);
            }
            QCOMPARE(&PowerSources::current(), &outer);
        }
        QCOMPARE(&PowerSources::current(), &original);
    }
};

QTEST_GUILESS_MAIN(PowerSourcesTest)
#include "powersources_test.moc"
