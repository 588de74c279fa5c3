#include "platform/core/notificationcenter.h"
#include "testsupport.h"

#include <QTest>

#include <thread>

using platform::Notification;
using platform::NotificationCenter;
using platform::NotificationObject;
using platform::Value;

namespace {
struct Device {
    QString serial;
};

class Recorder : public QObject {
    Q_OBJECT
public:
    QStringList seen;
    int plainCalls = 0;
    void onNotification(const Notification &n) { seen << n.name; }
    void onPlain() { ++plainCalls; }
};

const auto s_deviceA = std::make_shared<Device>(Device { "A" });
const auto s_deviceB = std::make_shared<Device>(Device { "A" }); // same contents, another object
}

Q_DECLARE_METATYPE(NotificationObject)

namespace platform {
inline char *toString(const NotificationObject &o) { return QTest::toString(o.debugText()); }
}

class NotificationCenterTest : public QObject {
    Q_OBJECT
private slots:
    void objectFilter_data()
    {
        QTest::addColumn<NotificationObject>("filter");
        QTest::addColumn<NotificationObject>("posted");
        QTest::addColumn<bool>("delivered");

        QTest::newRow("no filter, no object") << NotificationObject() << NotificationObject() << true;
        QTest::newRow("no filter, integer") << NotificationObject() << NotificationObject(3) << true;
        QTest::newRow("no filter, device") << NotificationObject() << NotificationObject(s_deviceA) << true;
        QTest::newRow("same integer") << NotificationObject(3) << NotificationObject(3) << true;
        QTest::newRow("other integer") << NotificationObject(3) << NotificationObject(4) << false;
        QTest::newRow("integer filter, no object") << NotificationObject(3) << NotificationObject() << false;
        QTest::newRow("integer filter, text") << NotificationObject(3) << NotificationObject("3") << false;
        QTest::newRow("same text") << NotificationObject("com.example.app")
                                   << NotificationObject(QStringLiteral("com.example.app")) << true;
        QTest::newRow("same device") << NotificationObject(s_deviceA) << NotificationObject(s_deviceA) << true;
        QTest::newRow("device by plain pointer")
            << NotificationObject(s_deviceA) << NotificationObject(s_deviceA.get()) << true;
        QTest::newRow("equal but other device")
            << NotificationObject(s_deviceA) << NotificationObject(s_deviceB) << false;
        QTest::newRow("device filter, value") << NotificationObject(s_deviceA) << NotificationObject(1) << false;
        QTest::newRow("null value is no object") << NotificationObject() << NotificationObject(Value()) << true;
        QTest::newRow("null value filter is no filter") << NotificationObject(Value()) << NotificationObject(5) << true;
    }

    void objectFilter()
    {
        QFETCH(NotificationObject, filter);
        QFETCH(NotificationObject, posted);
        QFETCH(bool, delivered);
        NotificationCenter center;
        int calls = 0;
        center.addObserver(
            "DevicesChanged", [&](const Notification &) { ++calls; }, filter);
        center.post("DevicesChanged", posted);
        center.post("OtherName", posted);
        QCOMPARE(calls, delivered ? 1 : 0);
    }

    void objectReachesTheObserver()
    {
        NotificationCenter center;
        std::optional<qint64> clicked;
        std::shared_ptr<Device> device;
        Device *raw = nullptr;
        bool emptyReads = false;
        center.addObserver("MenuBarItemClicked", [&](const Notification &n) {
            clicked = n.object.value() ? n.object.value()->toInteger() : std::nullopt;
            emptyReads = !n.object.shared<Device>() && !n.object.pointer<QObject>();
        });
        center.addObserver("DeviceAdded", [&](const Notification &n) {
            device = n.object.shared<Device>();
            raw = n.object.pointer<Device>();
        });
        center.post("MenuBarItemClicked", 7);
        center.post("DeviceAdded", s_deviceA);
        QCOMPARE(clicked, std::optional<qint64>(7));
        QVERIFY(emptyReads);
        QCOMPARE(device, s_deviceA);
        QCOMPARE(raw, s_deviceA.get());
    }

    void postWithoutObjectIsLikePostWithAbsentObject()
    {
        NotificationCenter center;
        QList<bool> none;
        center.addObserver("ModeChanged", [&](const Notification &n) { none << n.object.isNone(); });
        center.post("ModeChanged");
        center.post("ModeChanged", std::optional<Value>());
        center.post("ModeChanged", std::shared_ptr<Device>());
        QCOMPARE(none, (QList<bool> { true, true, true }));
    }

    void deliveryIsSynchronousOnThePostingThreadInOrder()
    {
        NotificationCenter center;
        QStringList order;
        std::thread::id handlerThread;
        center.addObserver("N", [&](const Notification &) {
            order << "first";
            handlerThread = std::this_thread::get_id();
        });
        center.addObserver("N", [&](const Notification &) { order << "second"; });
        std::thread::id poster;
        std::thread t([&] {
            poster = std::this_thread::get_id();
            center.post("N");
        });
        t.join();
        QCOMPARE(order, (QStringList { "first", "second" }));
        QVERIFY(handlerThread == poster);
    }

    void memberFunctionObservers()
    {
        NotificationCenter center;
        Recorder r;
        center.addObserver(&r, &Recorder::onNotification, "A");
        center.addObserver(&r, &Recorder::onPlain, "B");
        center.post("A");
        center.post("B");
        QCOMPARE(r.seen, QStringList { "A" });
        QCOMPARE(r.plainCalls, 1);
    }

    void removal_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<QStringList>("expected"); // what the observer still sees of A(1), A(2), B
        QTest::newRow("by observer") << 0 << QStringList {};
        QTest::newRow("by observer and name") << 1 << QStringList { "B" };
        QTest::newRow("by observer, name and object") << 2 << QStringList { "A2", "B" };
        QTest::newRow("by token") << 3 << QStringList { "A2", "B" };
        QTest::newRow("other observer") << 4 << QStringList { "A1", "A2", "B" };
        QTest::newRow("other name") << 5 << QStringList { "A1", "A2", "B" };
    }

    void removal()
    {
        QFETCH(int, how);
        QFETCH(QStringList, expected);
        NotificationCenter center;
        QObject observer;
        QObject other;
        QStringList seen;
        const auto a1 = center.addObserver(
            &observer, "A", [&](const Notification &) { seen << "A1"; }, 1);
        center.addObserver(
            &observer, "A", [&](const Notification &) { seen << "A2"; }, 2);
        center.addObserver(&observer, "B", [&](const Notification &) { seen << "B"; });
        switch (how) {
        case 0:
            center.removeObserver(&observer);
            break;
        case 1:
            center.removeObserver(&observer, "A");
            break;
        case 2:
            center.removeObserver(&observer, "A", 1);
            break;
        case 3:
            center.removeObserver(a1);
            break;
        case 4:
            center.removeObserver(&other);
            break;
        case 5:
            center.removeObserver(&observer, "C");
            break;
        }
        center.post("A", 1);
        center.post("A", 2);
        center.post("B");
        QCOMPARE(seen, expected);
    }

    void destroyedObserverIsSkipped()
    {
        NotificationCenter center;
        auto *observer = new Recorder;
        center.addObserver(observer, &Recorder::onPlain, "DevicesChanged");
        int others = 0;
        center.addObserver("DevicesChanged", [&](const Notification &) { ++others; });
        QCOMPARE(center.observerCount(), size_t(2));
        delete observer; // never removed
        center.post("DevicesChanged");
        QCOMPARE(others, 1);
        QCOMPARE(center.observerCount(), size_t(1));
    }

    void observerDestroyedByAnEarlierObserverDuringAPost()
    {
        NotificationCenter center;
        auto *victim = new Recorder;
        center.addObserver("N", [&](const Notification &) { delete victim; });
        center.addObserver(victim, &Recorder::onPlain, "N");
        center.post("N"); // must not call into the deleted observer
        QCOMPARE(center.observerCount(), size_t(1));
    }

    void changesDuringAPost()
    {
        NotificationCenter center;
        QStringList seen;
        NotificationCenter::Token later;
        center.addObserver("N", [&](const Notification &) {
            seen << "remover";
            center.removeObserver(later);
            center.addObserver("N", [&](const Notification &) { seen << "added"; });
            center.post("Nested");
        });
        later = center.addObserver("N", [&](const Notification &) { seen << "later"; });
        center.addObserver("Nested", [&](const Notification &) { seen << "nested"; });
        center.post("N");
        QCOMPARE(seen, (QStringList { "remover", "nested" }));
        seen.clear();
        center.post("N");
        QCOMPARE(seen.first(), QStringLiteral("remover"));
        QVERIFY(seen.contains("added"));
        QVERIFY(!seen.contains("later"));
    }

    void defaultCenterIsOneObject()
    {
        QCOMPARE(&NotificationCenter::defaultCenter(), &NotificationCenter::defaultCenter());
    }
};

QTEST_GUILESS_MAIN(NotificationCenterTest)
#include "notificationcenter_test.moc"
