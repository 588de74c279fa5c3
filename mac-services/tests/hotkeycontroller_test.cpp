#include "olvane/carbonhotkeycontroller.h"
#include "olvane/hotkeycontroller.h"
#include "platform/core/mainqueue.h"
#include "platform/desktop/memoryhotkeys.h"

#include <QTest>

using olvane::CarbonHotkeyController;
using olvane::Hotkey;
using olvane::HotkeyController;
using olvane::Key;
using olvane::ModifierFlags;

namespace {

class RecordingDelegate : public olvane::HotkeyDelegate {
public:
    explicit RecordingDelegate(QStringList &log)
        : m_log(log)
    {
    }
    void hotkeyPressed(const Hotkey &hotkey) override { m_log << QStringLiteral("delegate ") + hotkey.description(); }

private:
    QStringList &m_log;
};

const Hotkey kQuit(std::nullopt, Key::q, ModifierFlags { ModifierFlags::command });
const quint32 kQ = quint32(Key::q.rawValue);
const quint32 kCommand = platform::kHotKeyCommand;

} // namespace

class HotkeyControllerTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_hotKeys = std::make_unique<platform::MemoryHotKeys>();
        m_guard = std::make_unique<platform::ScopedHotKeys>(*m_hotKeys);
        m_log.clear();
    }

    void cleanup()
    {
        CarbonHotkeyController::unregisterAll();
        platform::MainQueue::drain();
        m_guard.reset();
        m_hotKeys.reset();
    }

    void pressRunsDelegateThenHandlersReleaseOnlyHandlers()
    {
        auto controller = HotkeyController::create();
        controller->setDelegate(std::make_shared<RecordingDelegate>(m_log));
        controller->keyDownHandlers[kQuit] = { [this] { m_log << "down 1"; }, [this] { m_log << "down 2"; } };
        controller->keyUpHandlers[kQuit] = { [this] { m_log << "up"; } };
        controller->registerHotkey(kQuit);

        m_hotKeys->press(kQ, kCommand);
        platform::MainQueue::drain();
        QCOMPARE(m_log, (QStringList { QStringLiteral("delegate \u2318Q"), "down 1", "down 2" }));

        m_log.clear();
        m_hotKeys->release(kQ, kCommand);
        platform::MainQueue::drain();
        QCOMPARE(m_log, QStringList { "up" });
        QCOMPARE(m_hotKeys->dispatchResults(), (QList<int> { platform::kHotKeyNoError, platform::kHotKeyNoError }));
    }

    void registeringTwiceRegistersOnce()
    {
        auto controller = HotkeyController::create();
        controller->registerHotkey(kQuit);
        controller->registerHotkey(kQuit);
        QCOMPARE(m_hotKeys->registerCalls(), 1);
        QCOMPARE(controller->registeredShortcuts.size(), 1);
    }

    void valuesDifferingInIdAreTwoRegistrations()
    {
        auto controller = HotkeyController::create();
        Hotkey tagged = kQuit;
        tagged.id = QStringLiteral("quit");
        const qint64 before = CarbonHotkeyController::lastHotKeyId();
        controller->registerHotkey(kQuit);
        controller->registerHotkey(tagged);

        const auto registrations = m_hotKeys->registrations();
        QCOMPARE(registrations.size(), 2);
        QCOMPARE(registrations[0].identifier.id, quint32(before + 1));
        QCOMPARE(registrations[1].identifier.id, quint32(before + 2));
        QCOMPARE(registrations[0].identifier.signature, quint32(0x5651484B)); // "VQHK"
        QCOMPARE(registrations[0].keyCode, kQ);
        QCOMPARE(registrations[0].modifiers, kCommand);

        // Each registration hears the press, with its own value.
        controller->setDelegate(std::make_shared<RecordingDelegate>(m_log));
        controller->keyDownHandlers[tagged] = { [this] { m_log << "tagged"; } };
        m_hotKeys->press(kQ, kCommand);
        platform::MainQueue::drain();
        QCOMPARE(
            m_log, (QStringList { QStringLiteral("delegate \u2318Q"), QStringLiteral("delegate \u2318Q"), "tagged" }));
    }

    void refusedRegistrationIsNotCountedAndIsRetried_data()
    {
        QTest::addColumn<bool>("available");
        QTest::newRow("combination taken") << true;
        QTest::newRow("no display server") << false;
    }

    void refusedRegistrationIsNotCountedAndIsRetried()
    {
        QFETCH(bool, available);
        m_hotKeys->setAvailable(available);
        m_hotKeys->setTaken(kQ, kCommand);
        auto controller = HotkeyController::create();
        controller->setDelegate(std::make_shared<RecordingDelegate>(m_log));
        const qint64 before = CarbonHotkeyController::lastHotKeyId();

        controller->registerHotkey(kQuit);
        QCOMPARE(CarbonHotkeyController::lastHotKeyId(), before + 1); // the id is used up
        QCOMPARE(CarbonHotkeyController::registrationCount(), 0);
        QVERIFY(!controller->registeredShortcuts.contains(kQuit));

        // The other program lets go of the combination: the next attempt grabs it.
        m_hotKeys->setAvailable(true);
        m_hotKeys->setTaken(kQ, kCommand, false);
        controller->registerHotkey(kQuit);
        QCOMPARE(m_hotKeys->registerCalls(), 2);
        QVERIFY(controller->registeredShortcuts.contains(kQuit));
        m_hotKeys->press(kQ, kCommand);
        platform::MainQueue::drain();
        QCOMPARE(m_log, QStringList { QStringLiteral("delegate \u2318Q") });
    }

    void unregisterAllTouchesOnlyItsOwnKeys()
    {
        auto first = HotkeyController::create();
        auto second = HotkeyController::create();
        const Hotkey escape(std::nullopt, Key::escape, {});
        const quint32 kEscape = quint32(Key::escape.rawValue);
        second->setDelegate(std::make_shared<RecordingDelegate>(m_log));
        first->registerHotkey(kQuit);
        second->registerHotkey(escape);
        second->registerHotkey(kQuit);
        QCOMPARE(m_hotKeys->registrations().size(), 3);

        first->unregisterAll();
        QVERIFY(first->registeredShortcuts.isEmpty());
        QCOMPARE(m_hotKeys->registrations().size(), 2);
        QCOMPARE(CarbonHotkeyController::registrationCount(), 2);
        QCOMPARE(second->registeredShortcuts, (QSet<Hotkey> { escape, kQuit }));

        // The other controller's keys still work, and its list still matches them.
        m_hotKeys->press(kEscape, 0);
        m_hotKeys->press(kQ, kCommand);
        platform::MainQueue::drain();
        QCOMPARE(m_log.size(), 2);
        second->unregisterAll();
        QVERIFY(m_hotKeys->registrations().isEmpty());
    }

    void unregisterRemovesOnlyItsOwnRegistration()
    {
        auto first = HotkeyController::create();
        auto second = HotkeyController::create();
        second->setDelegate(std::make_shared<RecordingDelegate>(m_log));
        first->registerHotkey(kQuit);
        second->registerHotkey(kQuit);
        QCOMPARE(m_hotKeys->registrations().size(), 2);

        first->unregisterHotkey(kQuit);
        QCOMPARE(m_hotKeys->registrations().size(), 1);
        QVERIFY(!first->registeredShortcuts.contains(kQuit));
        QVERIFY(second->registeredShortcuts.contains(kQuit));
        m_hotKeys->press(kQ, kCommand);
        platform::MainQueue::drain();
        QCOMPARE(m_log, QStringList { QStringLiteral("delegate \u2318Q") });
    }

    void resetForgetsRegistrationsAndHandlers()
    {
        auto controller = HotkeyController::create();
        auto other = HotkeyController::create();
        controller->keyDownHandlers[kQuit] = { [this] { m_log << "down"; } };
        controller->registerHotkey(kQuit);
        other->registerHotkey(kQuit);
        controller->reset();

        QCOMPARE(m_hotKeys->registrations().size(), 1); // the other controller's
        QVERIFY(controller->keyDownHandlers.isEmpty());
        QVERIFY(controller->registeredShortcuts.isEmpty());
        controller->registerHotkey(kQuit); // nothing is held any more: registered anew
        QCOMPARE(m_hotKeys->registrations().size(), 2);
        QVERIFY(controller->registeredShortcuts.contains(kQuit));
    }

    void registrationsKeepTheControllerAlive()
    {
        std::weak_ptr<HotkeyController> weak;
        {
            auto controller = HotkeyController::create();
            controller->registerHotkey(kQuit);
            weak = controller;
        }
        QVERIFY(!weak.expired());
        CarbonHotkeyController::unregisterAll();
        QVERIFY(weak.expired());
    }

    void eventRouting_data()
    {
        QTest::addColumn<std::optional<platform::HotKeyIdentifier>>("identifier");
        QTest::addColumn<quint32>("kind");
        QTest::addColumn<int>("status");
        QTest::addColumn<QStringList>("log");
        const quint32 signature = CarbonHotkeyController::kSignature;
        using Id = std::optional<platform::HotKeyIdentifier>;
        QTest::newRow("press") << Id({ signature, 0 }) << platform::kHotKeyPressed << platform::kHotKeyNoError
                               << QStringList { "down" };
        QTest::newRow("release") << Id({ signature, 0 }) << platform::kHotKeyReleased << platform::kHotKeyNoError
                                 << QStringList { "up" };
        QTest::newRow("foreign signature passed on")
            << Id({ 0x41424344, 0 }) << platform::kHotKeyPressed << platform::kEventNotHandled << QStringList();
        QTest::newRow("unknown id") << Id({ signature, 999999 }) << platform::kHotKeyPressed
                                    << platform::kEventNotHandled << QStringList();
        QTest::newRow("other kind") << Id({ signature, 0 }) << quint32(7) << platform::kEventNotHandled
                                    << QStringList();
        QTest::newRow("no identifier") << Id() << platform::kHotKeyPressed << platform::kEventParameterNotFound
                                       << QStringList();
    }

    void eventRouting()
    {
        QFETCH(std::optional<platform::HotKeyIdentifier>, identifier);
        QFETCH(quint32, kind);
        QFETCH(int, status);
        QFETCH(QStringList, log);
        CarbonHotkeyController::registerHotkey(
            kQuit, [this](const Hotkey &) { m_log << "down"; }, [this](const Hotkey &) { m_log << "up"; });
        // Row ids of 0 stand for the id just handed out.
        if (identifier && identifier->id == 0)
            identifier->id = quint32(CarbonHotkeyController::lastHotKeyId());

        m_hotKeys->post(platform::HotKeyEvent { identifier, kind });
        platform::MainQueue::drain();
        QCOMPARE(m_hotKeys->dispatchResults(), QList<int> { status });
        QCOMPARE(m_log, log);
    }

    void noEventIsNotHandled()
    {
        QCOMPARE(CarbonHotkeyController::handleHotKeyEvent(nullptr), platform::kEventNotHandled);
    }

    void foreignEventsReachAnotherHandler()
    {
        // Installed before ours: asked after it, so it only sees what ours passes on.
        int seen = 0;
        m_hotKeys->installHandler([&seen](const platform::HotKeyEvent *) {
            ++seen;
            return platform::kHotKeyNoError;
        });
        CarbonHotkeyController::registerHotkey(kQuit, {}, {});
        CarbonHotkeyController::registerHotkey(kQuit, {}, {});
        m_hotKeys->post({ platform::HotKeyIdentifier { 0x41424344, 1 }, platform::kHotKeyPressed });
        m_hotKeys->press(kQ, kCommand);
        platform::MainQueue::drain();
        QCOMPARE(seen, 1);
    }

private:
    std::unique_ptr<platform::MemoryHotKeys> m_hotKeys;
    std::unique_ptr<platform::ScopedHotKeys> m_guard;
    QStringList m_log;
};

QTEST_MAIN(HotkeyControllerTest)
#include "hotkeycontroller_test.moc"
