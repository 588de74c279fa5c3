#include "tavrin/directoryobserver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <functional>
#include <thread>

using tavrin::DirectoryObserver;

namespace {
int openDescriptors()
{
    return static_cast<int>(QDir("/proc/self/fd").entryList(QDir::Files | QDir::System | QDir::NoDotAndDotDot).size());
}

void writeFile(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x");
}

using Change = std::function<void(const QDir &)>;
}

Q_DECLARE_METATYPE(Change)

class DirectoryObserverTest : public QObject {
    Q_OBJECT
private slots:
    void changesCallTheHandler_data()
    {
        QTest::addColumn<Change>("change");
        QTest::newRow("file created") << Change([](const QDir &d) { writeFile(d.filePath("new")); });
        QTest::newRow("entry renamed") << Change(
            [](const QDir &d) { QFile::rename(d.filePath("existing"), d.filePath("renamed")); });
        QTest::newRow("entry deleted") << Change([](const QDir &d) { QFile::remove(d.filePath("existing")); });
        QTest::newRow("folder made") << Change([](const QDir &d) { d.mkdir("sub"); });
    }
    void changesCallTheHandler()
    {
        QFETCH(Change, change);
        QTemporaryDir dir;
        writeFile(dir.filePath("existing"));
        std::atomic<int> calls { 0 };
        std::atomic<bool> onCallerThread { false };
        const auto caller = std::this_thread::get_id();
        DirectoryObserver observer(QUrl::fromLocalFile(dir.path()), [&] {
            if (std::this_thread::get_id() == caller)
                onCallerThread = true;
            ++calls;
        });
        QVERIFY(observer.isWatching());
        QCOMPARE(calls.load(), 0);
        change(QDir(dir.path()));
        QVERIFY(QTest::qWaitFor([&] { return calls.load() > 0; }, 5000));
        QVERIFY(!onCallerThread);
    }

    void releasedObserverStopsAndClosesItsDescriptors()
    {
        QTemporaryDir dir;
        const int before = openDescriptors();
        std::atomic<int> calls { 0 };
        {
            DirectoryObserver observer(QUrl::fromLocalFile(dir.path()), [&] { ++calls; });
            QVERIFY(openDescriptors() > before);
            writeFile(dir.filePath("a"));
            QVERIFY(QTest::qWaitFor([&] { return calls.load() > 0; }, 5000));
        }
        QCOMPARE(openDescriptors(), before);
        const int seen = calls.load();
        writeFile(dir.filePath("b"));
        // A second observer on the same folder proves the change was reported; the first one stays silent.
        std::atomic<int> witness { 0 };
        DirectoryObserver second(QUrl::fromLocalFile(dir.path()), [&] { ++witness; });
        writeFile(dir.filePath("c"));
        QVERIFY(QTest::qWaitFor([&] { return witness.load() > 0; }, 5000));
        QCOMPARE(calls.load(), seen);
    }

    void pathThatCannotBeWatched()
    {
        const int before = openDescriptors();
        std::atomic<int> calls { 0 };
        {
            DirectoryObserver observer(QUrl::fromLocalFile("/nonexistent/quenby-folder"), [&] { ++calls; });
            QVERIFY(!observer.isWatching());
        }
        QCOMPARE(openDescriptors(), before);
        QCOMPARE(calls.load(), 0);
    }

    void handlerMayEndItsOwnObserver()
    {
        QTemporaryDir dir;
        std::atomic<bool> ended { false };
        std::unique_ptr<DirectoryObserver> self;
        self = std::make_unique<DirectoryObserver>(QUrl::fromLocalFile(dir.path()), [&] {
            if (!ended.exchange(true))
                self.reset();
        });
        writeFile(dir.filePath("x"));
        QVERIFY(QTest::qWaitFor([&] { return ended.load(); }, 5000));
    }
};

QTEST_GUILESS_MAIN(DirectoryObserverTest)
#include "directoryobserver_test.moc"
