// Key grabs on a real X server: the test starts a private Xvfb and runs on Qt's xcb platform.
// Without an X server the same backend must refuse every registration.
#include "platform/desktop/hotkeys.h"
#include "platform/desktop/keyboardlayout.h"
#include "platform/desktop/xcbhotkeys.h"
#include "offscreenthenx.h"

#include <QAbstractEventDispatcher>
#include <QTest>

#include <cstdlib>
#include <xcb/xcb.h>

using namespace platform;

namespace {

constexpr quint32 kQ = 12; // virtual key code of the Q key
constexpr xcb_keycode_t kQKeycode = 24; // its X keycode on the evdev keyboard model
constexpr quint16 kSuper = XCB_MOD_MASK_4;

/// A second X client, as another program that grabs keys.
class OtherClient {
public:
    OtherClient()
        : m_connection(xcb_connect(nullptr, nullptr))
        , m_root(xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root)
    {
    }
    ~OtherClient() { xcb_disconnect(m_connection); }

    /// True when the server let this client grab the key.
    bool grab(xcb_keycode_t keycode, quint16 modifiers)
    {
        const xcb_void_cookie_t cookie = xcb_grab_key_checked(
            m_connection, 1, m_root, modifiers, keycode, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        xcb_generic_error_t *error = xcb_request_check(m_connection, cookie);
        std::free(error);
        return error == nullptr;
    }

    void ungrab(xcb_keycode_t keycode, quint16 modifiers)
    {
        xcb_ungrab_key(m_connection, keycode, m_root, modifiers);
        xcb_flush(m_connection);
    }

private:
    xcb_connection_t *m_connection;
    xcb_window_t m_root;
};

bool filterKeyEvent(quint8 type, xcb_keycode_t keycode, quint16 state)
{
    xcb_key_press_event_t event {};
    event.response_type = type;
    event.detail = keycode;
    event.state = state;
    qintptr result = 0;
    return QAbstractEventDispatcher::instance()->filterNativeEvent("xcb_generic_event_t", &event, &result);
}

} // namespace

class XcbHotKeysTest : public QObject {
    Q_OBJECT

public:
    explicit XcbHotKeysTest(bool onX)
        : m_onX(onX)
    {
    }

private slots:
    void withoutXServerNothingIsGrabbed()
    {
        if (m_onX)
            QSKIP("runs on X");
        XcbHotKeys hotKeys;
        HotKeys::Ref ref = 0;
        QVERIFY(!hotKeys.isAvailable());
        QCOMPARE(hotKeys.registerHotKey(kQ, kHotKeyCommand, { 1, 1 }, &ref), kHotKeyInvalid);
        QCOMPARE(ref, HotKeys::Ref(0));
        QVERIFY(qobject_cast<XcbHotKeys *>(&HotKeys::current()));
    }

    void grabHoldsTheKeyUntilTheLastRegistrationGoes()
    {
        if (!m_onX)
            QSKIP("needs Xvfb");
        XcbHotKeys hotKeys;
        OtherClient other;
        QVERIFY(hotKeys.isAvailable());
        HotKeys::Ref first = 0;
        HotKeys::Ref second = 0;
        QCOMPARE(hotKeys.registerHotKey(kQ, kHotKeyCommand, { 1, 1 }, &first), kHotKeyNoError);
        QCOMPARE(hotKeys.registerHotKey(kQ, kHotKeyCommand, { 1, 2 }, &second), kHotKeyNoError);
        QVERIFY(first != second);

        QVERIFY(!other.grab(kQKeycode, kSuper));
        QVERIFY(!other.grab(kQKeycode, kSuper | XCB_MOD_MASK_LOCK)); // the Caps Lock variant too
        QCOMPARE(hotKeys.unregisterHotKey(first), kHotKeyNoError);
        QVERIFY(!other.grab(kQKeycode, kSuper)); // the second registration still holds it
        QCOMPARE(hotKeys.unregisterHotKey(second), kHotKeyNoError);
        QVERIFY(other.grab(kQKeycode, kSuper));
        QCOMPARE(hotKeys.unregisterHotKey(second), kHotKeyInvalid);
    }

    void keyTakenByAnotherProgramIsRefused()
    {
        if (!m_onX)
            QSKIP("needs Xvfb");
        XcbHotKeys hotKeys;
        OtherClient other;
        QVERIFY(other.grab(kQKeycode, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_2));
        HotKeys::Ref ref = 0;
        QCOMPARE(hotKeys.registerHotKey(kQ, kHotKeyControl, { 1, 1 }, &ref), kHotKeyExists);
        QCOMPARE(ref, HotKeys::Ref(0));
        // The variants that were granted before the refusal are given back.
        other.ungrab(kQKeycode, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_2);
        QVERIFY(other.grab(kQKeycode, XCB_MOD_MASK_CONTROL));
        QCOMPARE(hotKeys.registerHotKey(52, 0, { 1, 1 }, &ref), kHotKeyInvalid); // no such key on a PC keyboard
    }

    void keyEventsReachTheHandlers_data()
    {
        QTest::addColumn<quint8>("type");
        QTest::addColumn<quint16>("state");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QList<quint32>>("kinds");
        QTest::newRow("press") << quint8(XCB_KEY_PRESS) << kSuper << true << QList<quint32> { kHotKeyPressed };
        QTest::newRow("release") << quint8(XCB_KEY_RELEASE) << kSuper << true << QList<quint32> { kHotKeyReleased };
        QTest::newRow("with caps and num lock")
            << quint8(XCB_KEY_PRESS) << quint16(kSuper | XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2) << true
            << QList<quint32> { kHotKeyPressed };
        QTest::newRow("other modifiers") << quint8(XCB_KEY_PRESS) << quint16(kSuper | XCB_MOD_MASK_SHIFT) << false
                                         << QList<quint32>();
    }

    void keyEventsReachTheHandlers()
    {
        if (!m_onX)
            QSKIP("needs Xvfb");
        QFETCH(quint8, type);
        QFETCH(quint16, state);
        QFETCH(bool, taken);
        QFETCH(QList<quint32>, kinds);
        XcbHotKeys hotKeys;
        HotKeys::Ref ref = 0;
        QCOMPARE(hotKeys.registerHotKey(kQ, kHotKeyCommand, { 0x5651484B, 7 }, &ref), kHotKeyNoError);
        QList<quint32> seen;
        hotKeys.installHandler([&seen](const HotKeyEvent *event) {
            if (event->identifier == HotKeyIdentifier { 0x5651484B, 7 })
                seen << event->kind;
            return kHotKeyNoError;
        });

        QCOMPARE(filterKeyEvent(type, kQKeycode, state), taken);
        QCOMPARE(seen, kinds);
    }

    void layoutReadsTheServersKeyboard()
    {
        if (!m_onX)
            QSKIP("needs Xvfb");
        // Xvfb's keyboard is a US one.
        QCOMPARE(KeyboardLayout::current().character(kQ), std::optional<QString>(QStringLiteral("q")));
        QCOMPARE(KeyboardLayout::current().character(36), std::optional<QString>(QStringLiteral("\r")));
        QCOMPARE(KeyboardLayout::current().character(63), std::optional<QString>());
    }

private:
    bool m_onX;
};

int main(int argc, char **argv) { return runOffscreenThenOnX<XcbHotKeysTest>(argc, argv); }

#include "xcbhotkeys_test.moc"
