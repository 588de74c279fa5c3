#include "dbusmock.h"
#include "platform/desktop/dbusdistributednotificationcenter.h"
#include "platform/desktop/memorydistributednotificationcenter.h"

#include <QDBusConnection>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include <memory>

using platform::DBusDistributedNotificationCenter;
using platform::DistributedNotification;
using platform::DistributedNotificationCenter;
using platform::MemoryDistributedNotificationCenter;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {
const QString kTool = QStringLiteral(QUENBY_BIN_DIR "/distnote_tool");

// Records what one observer received.
struct Recorder {
    QObject observer;
    QList<DistributedNotification> received;

    DistributedNotificationCenter::Handler handler()
    {
        return [this](const DistributedNotification &n) { received.append(n); };
    }
};

// Drains the event loop until `done` holds; the bound keeps a lost notification from hanging the test.
template <typename Pred> bool settle(Pred done) { return QTest::qWaitFor(done, 5000); }
}

class DistributedNotificationCenterTest : public QObject {
    Q_OBJECT

    std::unique_ptr<DistributedNotificationCenter> makeCenter(const QString &backend)
    {
        if (backend == QLatin1String("memory"))
            return std::make_unique<MemoryDistributedNotificationCenter>();
        if (!m_bus)
            return nullptr;
        auto center = std::make_unique<DBusDistributedNotificationCenter>(m_bus->bus());
        if (!center->isConnected())
            return nullptr;
        // The bus hands our own probe back only once our match rule is in place.
        QObject probe;
        bool back = false;
        center->addObserver(
            &probe, QStringLiteral("probe"), std::nullopt, [&](const DistributedNotification &) { back = true; });
        center->post(QStringLiteral("probe"));
        if (!settle([&] { return back; }))
            return nullptr;
        return center;
    }

    // A bus of our own: other tests post the same names on the shared session bus at the same time.
    std::unique_ptr<DBusMock> m_bus;

    QProcessEnvironment onOurBus() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_bus->address());
        return env;
    }

private slots:
    void initTestCase()
    {
        m_bus = std::make_unique<DBusMock>();
        if (!m_bus->startBus()) {
            qWarning("%s", qPrintable(m_bus->error()));
            m_bus.reset();
        }
    }

    void cleanupTestCase() { m_bus.reset(); }

    void objectFilter_data()
    {
        QTest::addColumn<QString>("backend");
        QTest::addColumn<std::optional<QString>>("observed");
        QTest::addColumn<std::optional<QString>>("posted");
        QTest::addColumn<bool>("delivered");
        const std::optional<QString> none;
        const auto text = [](const char *s) { return std::optional<QString>(QString::fromUtf8(s)); };
        for (const char *backend : { "memory", "dbus" }) {
            const auto row = [&](const char *what) -> QTestData & {
                return QTest::addRow("%s: %s", backend, what) << QString::fromLatin1(backend);
            };
            row("any object hears a post without one") << none << none << true;
            row("any object hears a post with one") << none << text("com.velmorn.quenby") << true;
            row("equal object") << text("com.velmorn.quenby") << text("com.velmorn.quenby") << true;
            row("other object") << text("com.velmorn.quenby") << text("com.velmorn.other") << false;
            row("object differs in case") << text("com.velmorn.quenby") << text("com.velmorn.Quenby") << false;
            row("post without object skips a narrowed observer") << text("com.velmorn.quenby") << none << false;
            row("empty object is an object") << text("") << text("") << true;
            row("empty object is not a missing one") << text("") << none << false;
        }
    }

    void objectFilter()
    {
        QFETCH(QString, backend);
        QFETCH(std::optional<QString>, observed);
        QFETCH(std::optional<QString>, posted);
        QFETCH(bool, delivered);
        auto center = makeCenter(backend);
        if (!center)
            QSKIP("no bus daemon");

        Recorder narrowed;
        Recorder fence; // hears everything named "fence"; its arrival means earlier posts were handled
        center->addObserver(&narrowed.observer, QStringLiteral("killme"), observed, narrowed.handler());
        center->addObserver(&fence.observer, QStringLiteral("fence"), std::nullopt, fence.handler());
        center->post(QStringLiteral("killme"), posted);
        QVERIFY2(narrowed.received.isEmpty(), "delivered inside post");
        center->post(QStringLiteral("fence"));
        QVERIFY(settle([&] { return !fence.received.isEmpty(); }));

        if (delivered) {
            QCOMPARE(narrowed.received.size(), 1);
            QCOMPARE(narrowed.received.first(), (DistributedNotification { QStringLiteral("killme"), posted }));
        } else {
            QCOMPARE(narrowed.received.size(), 0);
        }
    }

    void removingOneNameKeepsTheOthers()
    {
        MemoryDistributedNotificationCenter center;
        Recorder r;
        center.addObserver(&r.observer, QStringLiteral("RequestFans"), std::nullopt, r.handler());
        center.addObserver(&r.observer, QStringLiteral("RequestFans"), QStringLiteral("x"), r.handler());
        center.addObserver(&r.observer, QStringLiteral("RequestSensors"), std::nullopt, r.handler());
        center.removeObserver(&r.observer, QStringLiteral("RequestFans"));
        center.post(QStringLiteral("RequestFans"), QStringLiteral("x"));
        center.post(QStringLiteral("RequestSensors"));
        QVERIFY(settle([&] { return !r.received.isEmpty(); }));
        QCOMPARE(r.received.size(), 1);
        QCOMPARE(r.received.first().name, QStringLiteral("RequestSensors"));
    }

    void destroyedObserverIsNotCalled()
    {
        MemoryDistributedNotificationCenter center;
        int calls = 0;
        auto doomed = std::make_unique<QObject>();
        Recorder fence;
        center.addObserver(
            doomed.get(), QStringLiteral("n"), std::nullopt, [&](const DistributedNotification &) { ++calls; });
        center.addObserver(&fence.observer, QStringLiteral("n"), std::nullopt, fence.handler());
        center.post(QStringLiteral("n"));
        doomed.reset();
        QVERIFY(settle([&] { return !fence.received.isEmpty(); }));
        QCOMPARE(calls, 0);
    }

    void observerRemovedDuringDeliveryIsSkipped()
    {
        MemoryDistributedNotificationCenter center;
        Recorder first;
        Recorder second;
        center.addObserver(&first.observer, QStringLiteral("n"), std::nullopt, [&](const DistributedNotification &n) {
            first.received.append(n);
            center.removeObserver(&second.observer);
        });
        center.addObserver(&second.observer, QStringLiteral("n"), std::nullopt, second.handler());
        center.post(QStringLiteral("n"));
        QVERIFY(settle([&] { return !first.received.isEmpty(); }));
        QCOMPARE(second.received.size(), 0);
    }

    void memoryCenterRecordsPosts()
    {
        MemoryDistributedNotificationCenter center;
        center.post(QStringLiteral("TerminateHelper"));
        center.post(QStringLiteral("killme"), QStringLiteral("com.velmorn.quenby"));
        const QList<DistributedNotification> expected {
            { QStringLiteral("TerminateHelper"), std::nullopt },
            { QStringLiteral("killme"), QStringLiteral("com.velmorn.quenby") },
        };
        QCOMPARE(center.posted(), expected);
    }

    void currentIsTheInstalledCenter()
    {
        MemoryDistributedNotificationCenter center;
        DistributedNotificationCenter *before = &DistributedNotificationCenter::current();
        {
            platform::ScopedDistributedNotificationCenter guard(center);
            QCOMPARE(&DistributedNotificationCenter::current(), &center);
        }
        QCOMPARE(&DistributedNotificationCenter::current(), before);
    }

    void anotherProcessHearsOnlyItsObject()
    {
        auto center = makeCenter(QStringLiteral("dbus"));
        if (!center)
            QSKIP("no bus daemon");
        QProcess child;
        child.setProcessEnvironment(onOurBus());
        child.start(kTool,
            { QStringLiteral("observe"), QStringLiteral("mine=killme:com.velmorn.quenby"),
                QStringLiteral("other=killme:com.velmorn.other"), QStringLiteral("any=killme") });
        QVERIFY(child.waitForStarted());
        QVERIFY(child.waitForReadyRead(10000));
        QCOMPARE(child.readLine().trimmed(), QByteArray("ready"));

        center->post(QStringLiteral("killme"), QStringLiteral("com.velmorn.quenby"));
        center->post(QStringLiteral("distnote.quit"));
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitCode(), 0);
        QStringList lines
            = QString::fromUtf8(child.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        lines.sort();
        QCOMPARE(lines,
            (QStringList {
                QStringLiteral("any killme com.velmorn.quenby"), QStringLiteral("mine killme com.velmorn.quenby") }));
    }

    void postFromAnotherProcessArrives()
    {
        auto center = makeCenter(QStringLiteral("dbus"));
        if (!center)
            QSKIP("no bus daemon");
        Recorder mine;
        Recorder other;
        center->addObserver(
            &mine.observer, QStringLiteral("killme"), QStringLiteral("com.velmorn.quenby"), mine.handler());
        center->addObserver(
            &other.observer, QStringLiteral("killme"), QStringLiteral("com.velmorn.other"), other.handler());
        for (const QString &object : { QStringLiteral("com.velmorn.quenby"), QStringLiteral("com.velmorn.other") }) {
            QProcess poster;
            poster.setProcessEnvironment(onOurBus());
            poster.start(kTool, { QStringLiteral("post"), QStringLiteral("killme"), object });
            QVERIFY(poster.waitForFinished(10000));
            QCOMPARE(poster.exitCode(), 0);
        }
        QVERIFY(settle([&] { return !other.received.isEmpty(); }));
        QCOMPARE(mine.received,
            (QList<DistributedNotification> { { QStringLiteral("killme"), QStringLiteral("com.velmorn.quenby") } }));
        QCOMPARE(other.received.size(), 1);
    }

    void withoutBusPostsStayInProcessAndSaySoOnce()
    {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/quenby-no-bus"));
        child.setProcessEnvironment(env);
        child.start(kTool, { QStringLiteral("loopback"), QStringLiteral("RequestBatteries") });
        QVERIFY(child.waitForFinished(10000));
        QCOMPARE(child.exitCode(), 0);
        QCOMPARE(child.readAllStandardOutput().trimmed(), QByteArray("delivered 2"));
        const QString err = QString::fromUtf8(child.readAllStandardError());
        QCOMPARE(err.count(QStringLiteral("no session bus")), 1);
    }
};

QTEST_GUILESS_MAIN(DistributedNotificationCenterTest)
#include "distributednotificationcenter_test.moc"
