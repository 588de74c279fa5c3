#include "platform/core/dispatchqueue.h"

#include <QTest>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

using platform::DispatchQueue;
using namespace std::chrono_literals;

namespace {
// A gate that blocks until opened, so tests hold a block running without sleeping.
class Gate {
public:
    void open()
    {
        std::lock_guard lock(m_mutex);
        m_open = true;
        m_cv.notify_all();
    }
    bool wait(std::chrono::milliseconds bound = 5s)
    {
        std::unique_lock lock(m_mutex);
        return m_cv.wait_for(lock, bound, [&] { return m_open; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_cv;
    bool m_open = false;
};
}

class DispatchQueueTest : public QObject {
    Q_OBJECT
private slots:
    void asyncRunsLaterOnAnotherThreadInOrder_data()
    {
        QTest::addColumn<bool>("concurrent");
        QTest::newRow("serial") << false;
        QTest::newRow("concurrent barrier") << true;
    }
    void asyncRunsLaterOnAnotherThreadInOrder()
    {
        QFETCH(bool, concurrent);
        DispatchQueue queue(
            "q", concurrent ? DispatchQueue::Attributes::Concurrent : DispatchQueue::Attributes::Serial);
        Gate hold;
        std::vector<int> order;
        std::atomic<bool> otherThread { true };
        const auto caller = std::this_thread::get_id();
        auto submit = [&](std::function<void()> b) {
            if (concurrent)
                queue.asyncBarrier(std::move(b));
            else
                queue.async(std::move(b));
        };
        submit([&] { hold.wait(); });
        for (int i = 0; i < 50; ++i)
            submit([&, i] {
                order.push_back(i);
                if (std::this_thread::get_id() == caller)
                    otherThread = false;
            });
        QVERIFY(order.empty()); // nothing ran inside the calls
        hold.open();
        std::vector<int> seen;
        queue.sync([&] { seen = order; }); // queued behind every write
        QCOMPARE(seen.size(), 50u);
        for (int i = 0; i < 50; ++i)
            QCOMPARE(seen[i], i);
        QVERIFY(otherThread);
    }

    void concurrentReadsRunSideBySide()
    {
        DispatchQueue queue("q", DispatchQueue::Attributes::Concurrent);
        Gate bothIn;
        std::atomic<int> inside { 0 };
        std::atomic<int> sawOther { 0 };
        auto reader = [&] {
            queue.sync([&] {
                if (++inside == 2)
                    bothIn.open();
                if (bothIn.wait()) // true only when the other read is inside at the same time
                    ++sawOther;
            });
        };
        std::thread a(reader), b(reader);
        a.join();
        b.join();
        QCOMPARE(sawOther.load(), 2);
    }

    void serialQueueNeverOverlaps()
    {
        DispatchQueue queue("q", DispatchQueue::Attributes::Serial);
        std::atomic<int> inside { 0 };
        std::atomic<int> most { 0 };
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&] {
                for (int i = 0; i < 200; ++i)
                    queue.sync([&] {
                        const int now = ++inside;
                        most = std::max(most.load(), now);
                        std::this_thread::yield();
                        --inside;
                    });
            });
        for (auto &t : threads)
            t.join();
        QCOMPARE(most.load(), 1);
    }

    void barrierWaitsForEarlierReadsAndHoldsBackLaterOnes()
    {
        DispatchQueue queue("q", DispatchQueue::Attributes::Concurrent);
        Gate readerIn, releaseReader;
        std::vector<QString> log;
        std::mutex logMutex;
        auto note = [&](const QString &s) {
            std::lock_guard lock(logMutex);
            log.push_back(s);
        };
        std::thread reader([&] {
            queue.sync([&] {
                readerIn.open();
                releaseReader.wait();
                note("read 1");
            });
        });
        QVERIFY(readerIn.wait());
        queue.asyncBarrier([&] { note("write"); });
        std::thread later([&] { queue.sync([&] { note("read 2"); }); });
        releaseReader.open();
        reader.join();
        later.join();
        QCOMPARE(log, (std::vector<QString> { "read 1", "write", "read 2" }));
    }

    void pendingWorkOutlivesTheQueue()
    {
        auto flag = std::make_shared<std::atomic<bool>>(false);
        Gate hold, done;
        {
            DispatchQueue queue("q");
            queue.async([&] { hold.wait(); });
            queue.async([flag, &done] {
                *flag = true;
                done.open();
            });
        }
        hold.open();
        QVERIFY(done.wait());
        QVERIFY(flag->load());
    }

    void currentQueueInsideBlocks()
    {
        DispatchQueue queue("q");
        const DispatchQueue *seen = nullptr;
        queue.sync([&] { seen = DispatchQueue::currentQueue(); });
        QCOMPARE(seen, &queue);
        QCOMPARE(DispatchQueue::currentQueue(), nullptr);
    }
};

QTEST_APPLESS_MAIN(DispatchQueueTest)
#include "dispatchqueue_test.moc"
