#include "tavrin/threadedobject.h"
#include "tavrin/vzdictionary.h"

#include <QTest>

#include <map>
#include <thread>
#include <vector>

using tavrin::ThreadedObject;
using tavrin::ThreadingType;
using tavrin::VZDictionary;

using Dict = VZDictionary<QString, int, std::hash<QString>>;

namespace {
// Counts its copies, so a test can tell a read that hands out the value from one that copies it.
struct Counted {
    static inline int s_copies = 0;
    int value = 0;
    Counted() = default;
    explicit Counted(int v)
        : value(v)
    {
    }
    Counted(const Counted &other)
        : value(other.value)
    {
        ++s_copies;
    }
    Counted(Counted &&) = default;
    Counted &operator=(const Counted &other)
    {
        value = other.value;
        ++s_copies;
        return *this;
    }
    Counted &operator=(Counted &&) = default;
};
}

Q_DECLARE_METATYPE(ThreadingType)

class ThreadedObjectTest : public QObject {
    Q_OBJECT
private slots:
    void labelsCountUp()
    {
        ThreadedObject<int> a(0, ThreadingType::Serial);
        Dict b;
        const QString prefix = QStringLiteral("com.threading.dispatchqueue_");
        QVERIFY(a.queueLabel().startsWith(prefix));
        QVERIFY(b.queueLabel().startsWith(prefix));
        QCOMPARE(b.queueLabel().mid(prefix.size()).toLongLong(), a.queueLabel().mid(prefix.size()).toLongLong() + 1);
        QCOMPARE(a.threadingType(), ThreadingType::Serial);
        QCOMPARE(b.threadingType(), ThreadingType::Concurrent);
    }

    void readSeesOwnEarlierWrites_data()
    {
        QTest::addColumn<ThreadingType>("type");
        QTest::newRow("concurrent") << ThreadingType::Concurrent;
        QTest::newRow("serial") << ThreadingType::Serial;
    }
    void readSeesOwnEarlierWrites()
    {
        QFETCH(ThreadingType, type);
        ThreadedObject<std::vector<int>> object({}, type);
        for (int i = 0; i < 100; ++i)
            object.write([i](std::vector<int> &v) { v.push_back(i); });
        const auto seen = object.read([](const std::vector<int> &v) { return v; });
        QCOMPARE(seen.size(), 100u);
        for (int i = 0; i < 100; ++i)
            QCOMPARE(seen[i], i);
        QCOMPARE(object.syncWrite([](std::vector<int> &v) {
            v.clear();
            return 7;
        }),
            7);
        QCOMPARE(object.read([](const std::vector<int> &v) { return v.size(); }), 0u);
    }

    void writesFromManyThreadsAreNotLost()
    {
        ThreadedObject<int> counter(0, ThreadingType::Concurrent);
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&] {
                for (int i = 0; i < 500; ++i)
                    counter.write([](int &v) { ++v; });
            });
        for (auto &t : threads)
            t.join();
        QCOMPARE(counter.read([](int v) { return v; }), 2000);
    }

    void emptyDictionary()
    {
        Dict d;
        QCOMPARE(d.startIndex(), d.endIndex());
        QCOMPARE(d.count(), 0u);
        QVERIFY(d.isEmpty());
        QVERIFY(!d.first());
        int steps = 0;
        for ([[maybe_unused]] const auto &e : d)
            ++steps;
        QCOMPARE(steps, 0);
    }

    void setGetRemove()
    {
        Dict d;
        d.setValue("a", 1);
        QCOMPARE(d.value("a"), std::optional<int>(1)); // the queued set is seen by the next read
        d.setValue("a", 2);
        d.setValue("b", 3);
        QCOMPARE(d.value("a"), std::optional<int>(2));
        d.setValue("a", std::nullopt);
        QVERIFY(!d.value("a"));
        QCOMPARE(d.count(), 1u);
        d.modify("b", [](std::optional<int> &v) { *v += 10; });
        QCOMPARE(d.value("b"), std::optional<int>(13));
        d.setValue("c", 4);
        d.removeAll();
        QVERIFY(!d.value("b"));
        QVERIFY(!d.value("c"));
        QVERIFY(d.isEmpty());
    }

    // Removals move entries about inside; every key must stay reachable and the walk must see each once.
    void walkSeesEveryEntryOnceAfterRemovals()
    {
        Dict d;
        std::map<QString, int> expected;
        for (int i = 0; i < 20; ++i) {
            d.setValue(QString::number(i), i);
            expected[QString::number(i)] = i;
        }
        for (int i = 0; i < 20; i += 3) {
            d.removeValue(QString::number(i));
            expected.erase(QString::number(i));
        }
        std::map<QString, int> walked;
        for (const auto &[key, value] : d)
            QVERIFY(walked.emplace(key, value).second);
        QCOMPARE(walked, expected);
        for (const auto &[key, value] : expected)
            QCOMPARE(d.value(key), std::optional<int>(value));
        auto values = d.values();
        QCOMPARE(values.size(), expected.size());
    }

    // A write between two steps of a walk may shorten the dictionary: a stale position gives none.
    void stalePositionGivesNone()
    {
        Dict d { { "a", 1 }, { "b", 2 } };
        const auto last = d.indexAfter(d.startIndex());
        QVERIFY(d.element(last));
        d.removeValue("a");
        QVERIFY(!d.element(last));
        QCOMPARE(d.endIndex(), 1u);
    }

    void literalKeepsTheFirstOfARepeatedKey()
    {
        Dict d { { "a", 1 }, { "a", 2 } };
        QCOMPARE(d.count(), 1u);
        QCOMPARE(d.value("a"), std::optional<int>(1));
    }

    // A lookup must cost the lookup, not a copy of everything stored.
    void readsDoNotCopyTheValue()
    {
        ThreadedObject<std::vector<Counted>> object(std::vector<Counted>(1000), ThreadingType::Concurrent);
        Counted::s_copies = 0;
        QCOMPARE(object.read([](const std::vector<Counted> &v) { return v[500].value; }), 0);
        QCOMPARE(Counted::s_copies, 0);

        VZDictionary<QString, Counted, std::hash<QString>> dict;
        for (int i = 0; i < 1000; ++i)
            dict.setValue(QString::number(i), Counted(i));
        QCOMPARE(dict.count(), 1000u);
        Counted::s_copies = 0;
        QCOMPARE(dict.value(QStringLiteral("742"))->value, 742);
        QVERIFY(dict.contains(QStringLiteral("999")));
        QVERIFY(dict.element(3));
        QCOMPARE(Counted::s_copies, 2); // the one value handed out and the one element
    }

    void dictionaryFromAnExistingOne()
    {
        const std::unordered_map<QString, int, std::hash<QString>> source { { "a", 1 }, { "b", 2 }, { "c", 3 } };
        Dict serial(source, ThreadingType::Serial);
        Dict concurrent(source);
        QCOMPARE(serial.threadingType(), ThreadingType::Serial);
        QCOMPARE(concurrent.threadingType(), ThreadingType::Concurrent);
        for (Dict *d : { &serial, &concurrent }) {
            std::map<QString, int> walked;
            for (const auto &[key, value] : *d)
                walked.emplace(key, value);
            QCOMPARE(walked, (std::map<QString, int>(source.begin(), source.end())));
            d->setValue("a", std::nullopt);
            QVERIFY(!d->value("a"));
            QCOMPARE(d->value("c"), std::optional<int>(3));
        }
        QCOMPARE(source.size(), 3u); // the source is not the guarded value
    }

    void pendingWritesOutliveTheObject()
    {
        auto seen = std::make_shared<std::atomic<int>>(0);
        {
            ThreadedObject<int> o(0, ThreadingType::Serial);
            for (int i = 0; i < 10; ++i)
                o.write([seen](int &v) { *seen = ++v; });
        }
        QVERIFY(QTest::qWaitFor([&] { return seen->load() == 10; }, 5000));
    }
};

QTEST_APPLESS_MAIN(ThreadedObjectTest)
#include "threadedobject_test.moc"
