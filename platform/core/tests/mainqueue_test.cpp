#include "platform/core/mainqueue.h"
#include "platform/core/timer.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>

#include <thread>

using platform::MainQueue;
using platform::Timer;
using namespace std::chrono_literals;

class MainQueueTest : public QObject {
    Q_OBJECT
private slots:
    void asyncRunsLaterInOrder()
    {
        QStringList order;
        MainQueue::async([&] {
            order << "first";
            MainQueue::async([&] { order << "posted by a block"; });
        });
        MainQueue::async([&] { order << "second"; });
        QVERIFY(order.isEmpty()); // never inside the call
        QCOMPARE(MainQueue::pendingCount(), 2);
        MainQueue::drain();
        QCOMPARE(order, (QStringList { "first", "second", "posted by a block" }));
        QCOMPARE(MainQueue::pendingCount(), 0);
    }

    void asyncFromAnotherThreadRunsOnTheMainThread()
    {
        bool onMain = false;
        bool ran = false;
        std::thread t([&] {
            MainQueue::async([&] {
                ran = true;
                onMain = MainQueue::isMainThread();
            });
        });
        t.join();
        QVERIFY(!MainQueue::isMainThread() || !ran);
        MainQueue::drain();
        QVERIFY(ran);
        QVERIFY(onMain);
    }

    void drainDeletesLater()
    {
        QPointer<QObject> object = new QObject;
        object->deleteLater();
        MainQueue::drain();
        QVERIFY(object.isNull());
    }

    void asyncAfterWaitsForTheDelay_data()
    {
        QTest::addColumn<bool>("fromOtherThread");
        QTest::newRow("main thread") << false;
        QTest::newRow("other thread") << true;
    }

    void asyncAfterWaitsForTheDelay()
    {
        QFETCH(bool, fromOtherThread);
        QElapsedTimer clock;
        clock.start();
        qint64 ranAfter = -1;
        bool onMain = false;
        auto schedule = [&] {
            MainQueue::asyncAfter(30ms, [&] {
                ranAfter = clock.elapsed();
                onMain = MainQueue::isMainThread();
            });
        };
        if (fromOtherThread) {
            std::thread t(schedule);
            t.join();
        } else {
            schedule();
        }
        MainQueue::drain();
        QCOMPARE(ranAfter, qint64(-1));
        QTRY_VERIFY_WITH_TIMEOUT(ranAfter >= 0, 5000);
        QVERIFY(ranAfter >= 25);
        QVERIFY(onMain);
    }

    void repeatingTimerKeepsFiring()
    {
        int ticks = 0;
        auto timer = Timer::scheduled(5ms, true, [&] { ++ticks; });
        QVERIFY(timer->isValid());
        QTRY_VERIFY_WITH_TIMEOUT(ticks >= 3, 5000);
        QVERIFY(timer->isValid());
    }

    void fireRunsAtOnce_data()
    {
        QTest::addColumn<bool>("repeats");
        QTest::addColumn<bool>("validAfter");
        QTest::newRow("repeating keeps going") << true << true;
        QTest::newRow("one-shot is spent") << false << false;
    }

    void fireRunsAtOnce()
    {
        QFETCH(bool, repeats);
        QFETCH(bool, validAfter);
        int ticks = 0;
        auto timer = Timer::scheduled(1h, repeats, [&] { ++ticks; });
        timer->fire();
        QCOMPARE(ticks, 1);
        QCOMPARE(timer->isValid(), validAfter);
        timer->fire();
        QCOMPARE(ticks, validAfter ? 2 : 1);
    }

    // A stopped timer whose deadline comes first must stay silent while a later one fires.
    void stoppedTimersNeverFire()
    {
        int invalidated = 0;
        int spent = 0;
        int later = 0;
        auto a = Timer::scheduled(1ms, true, [&] { ++invalidated; });
        a->invalidate();
        auto b = Timer::scheduled(1ms, false, [&] { ++spent; });
        b->fire();
        auto c = Timer::scheduled(1ms, true, [&] { ++later; });
        auto d = Timer::scheduled(1ms, true, [&] { ++later; });
        d.reset(); // destroyed
        auto e = Timer::scheduled(20ms, false, [&] { ++later; });
        QTRY_VERIFY_WITH_TIMEOUT(!e->isValid(), 5000);
        QCOMPARE(invalidated, 0);
        QCOMPARE(spent, 1);
        QVERIFY(!a->isValid());
    }

    void blockMayDestroyItsTimer()
    {
        std::unique_ptr<Timer> timer;
        int ticks = 0;
        timer = Timer::scheduled(1ms, true, [&] {
            ++ticks;
            timer.reset();
        });
        QTRY_VERIFY_WITH_TIMEOUT(!timer, 5000);
        QCOMPARE(ticks, 1);
    }

    void timerWaitsForStart()
    {
        int ticks = 0;
        Timer timer(1ms, true, [&] { ++ticks; });
        QVERIFY(!timer.isValid());
        timer.fire(); // an unstarted timer does nothing
        QCOMPARE(ticks, 0);
        timer.start();
        QTRY_VERIFY_WITH_TIMEOUT(ticks > 0, 5000);
    }
};

QTEST_GUILESS_MAIN(MainQueueTest)
#include "mainqueue_test.moc"
