#include "tavrin/multicastdelegate.h"

#include <QStringList>
#include <QTest>

#include <functional>
#include <memory>

using tavrin::MulticastDelegate;

namespace {

class Listener {
public:
    virtual ~Listener() = default;
    virtual void heard() = 0;
};

class Recorder : public Listener {
public:
    Recorder(QString name, QStringList &log)
        : m_name(std::move(name))
        , m_log(log)
    {
    }
    void heard() override
    {
        m_log << m_name;
        if (onHeard)
            onHeard();
    }
    std::function<void()> onHeard;

private:
    QString m_name;
    QStringList &m_log;
};

} // namespace

class MulticastDelegateTest : public QObject {
    Q_OBJECT
private slots:
    void callsEachLiveDelegateOnceNewestFirst()
    {
        QStringList log;
        MulticastDelegate<Listener> multicast;
        auto a = std::make_shared<Recorder>("a", log);
        auto b = std::make_shared<Recorder>("b", log);
        multicast.add(a);
        multicast.add(b);
        multicast.add(a);
        multicast.invoke([](Listener &l) { l.heard(); });
        QCOMPARE(log, QStringList({ "b", "a" }));
        QCOMPARE(multicast.count(), 2);
    }

    void destroyedDelegateIsSkippedWithoutRemoval()
    {
        QStringList log;
        MulticastDelegate<Listener> multicast;
        auto a = std::make_shared<Recorder>("a", log);
        auto b = std::make_shared<Recorder>("b", log);
        multicast.add(a);
        multicast.add(b);
        b.reset();
        QCOMPARE(multicast.count(), 1);
        multicast.invoke([](Listener &l) { l.heard(); });
        QCOMPARE(log, QStringList({ "a" }));
    }

    void removeGoesByIdentity()
    {
        QStringList log;
        MulticastDelegate<Listener> multicast;
        auto a = std::make_shared<Recorder>("a", log);
        auto b = std::make_shared<Recorder>("b", log);
        auto stranger = std::make_shared<Recorder>("a", log); // same name, other object
        multicast.add(a);
        multicast.add(b);
        multicast.remove(stranger.get());
        QCOMPARE(multicast.count(), 2);
        multicast.remove(a.get());
        multicast.invoke([](Listener &l) { l.heard(); });
        QCOMPARE(log, QStringList({ "b" }));
    }

    void delegateAddedDuringWalkWaitsForTheNextWalk()
    {
        QStringList log;
        MulticastDelegate<Listener> multicast;
        auto a = std::make_shared<Recorder>("a", log);
        auto late = std::make_shared<Recorder>("late", log);
        a->onHeard = [&] { multicast.add(late); };
        multicast.add(a);
        multicast.invoke([](Listener &l) { l.heard(); });
        QCOMPARE(log, QStringList({ "a" }));
        log.clear();
        a->onHeard = nullptr;
        multicast.invoke([](Listener &l) { l.heard(); });
        QCOMPARE(log, QStringList({ "late", "a" }));
    }

    void delegateRemovedDuringWalkFinishesThatWalkOnly()
    {
        QStringList log;
        MulticastDelegate<Listener> multicast;
        auto first = std::make_shared<Recorder>("first", log);
        auto second = std::make_shared<Recorder>("second", log);
        multicast.add(first);
        multicast.add(second); // called first
        second->onHeard = [&] { multicast.remove(first.get()); };
        multicast.invoke([](Listener &l) { l.heard(); });
        QCOMPARE(log, QStringList({ "second", "first" }));
        log.clear();
        multicast.invoke([](Listener &l) { l.heard(); });
        QCOMPARE(log, QStringList({ "second" }));
    }

    void delegateThatReleasesItselfDuringWalkStaysValid()
    {
        QStringList log;
        MulticastDelegate<Listener> multicast;
        auto a = std::make_shared<Recorder>("a", log);
        auto b = std::make_shared<Recorder>("b", log);
        multicast.add(a);
        multicast.add(b);
        // The last outside owner of `a` lets go while the walk has yet to reach it.
        b->onHeard = [&] { a.reset(); };
        multicast.invoke([](Listener &l) { l.heard(); });
        QCOMPARE(log, QStringList({ "b", "a" }));
        QCOMPARE(multicast.count(), 1);
    }
};

QTEST_GUILESS_MAIN(MulticastDelegateTest)
#include "multicastdelegate_test.moc"
