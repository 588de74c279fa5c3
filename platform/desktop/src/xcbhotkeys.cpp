#include "platform/desktop/xcbhotkeys.h"

#include "virtualkeycodes_p.h"
#include "xcbconnection_p.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <array>
#include <cstdlib>
#include <map>

namespace platform {

namespace {

    // Caps Lock and Num Lock change the state of every key event; a grab is made for each combination of them.
    constexpr quint16 kNumLock = XCB_MOD_MASK_2;
    constexpr std::array<quint16, 4> kLockVariants { 0, XCB_MOD_MASK_LOCK, kNumLock, XCB_MOD_MASK_LOCK | kNumLock };

    quint16 xModifiers(quint32 modifiers)
    {
        quint16 mask = 0;
        if (modifiers & kHotKeyShift)
            mask |= XCB_MOD_MASK_SHIFT;
        if (modifiers & kHotKeyControl)
            mask |= XCB_MOD_MASK_CONTROL;
        if (modifiers & kHotKeyOption)
            mask |= XCB_MOD_MASK_1;
        if (modifiers & kHotKeyCommand)
            mask |= XCB_MOD_MASK_4;
        return mask;
    }

    struct Grab {
        xcb_keycode_t keycode = 0;
        quint16 modifiers = 0;
        auto operator<=>(const Grab &) const = default;
    };

} // namespace

struct XcbHotKeys::Private : QAbstractNativeEventFilter {
    struct Registration {
        Grab grab;
        HotKeyIdentifier identifier;
    };

    explicit Private(XcbHotKeys *owner)
        : q(owner)
    {
    }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const auto *event = static_cast<const xcb_generic_event_t *>(message);
        const quint8 type = event->response_type & 0x7f;
        if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE)
            return false;
        const auto *key = reinterpret_cast<const xcb_key_press_event_t *>(event);
        const Grab pressed { key->detail, quint16(key->state & ~(XCB_MOD_MASK_LOCK | kNumLock) & 0xff) };
        bool ours = false;
        for (const auto &[ref, registration] : registrations) {
            if (registration.grab != pressed)
                continue;
            ours = true;
            const HotKeyEvent hotKeyEvent { registration.identifier,
                type == XCB_KEY_PRESS ? kHotKeyPressed : kHotKeyReleased };
            q->dispatch(&hotKeyEvent);
        }
        return ours;
    }

    int grab(xcb_connection_t *connection, const Grab &wanted)
    {
        const xcb_window_t root = xcb::rootWindow(connection);
        if (!root)
            return kHotKeyInvalid;
        std::array<xcb_void_cookie_t, kLockVariants.size()> cookies {};
        for (size_t i = 0; i < kLockVariants.size(); ++i) {
            cookies[i] = xcb_grab_key_checked(connection, 1, root, wanted.modifiers | kLockVariants[i], wanted.keycode,
                XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        }
        bool taken = false;
        for (const xcb_void_cookie_t &cookie : cookies) {
            if (xcb_generic_error_t *error = xcb_request_check(connection, cookie)) {
                taken = true;
                std::free(error);
            }
        }
        if (taken) {
            ungrab(connection, wanted);
            return kHotKeyExists;
        }
        return kHotKeyNoError;
    }

    static void ungrab(xcb_connection_t *connection, const Grab &grab)
    {
        const xcb_window_t root = xcb::rootWindow(connection);
        for (quint16 variant : kLockVariants)
            xcb_ungrab_key(connection, grab.keycode, root, grab.modifiers | variant);
        // A round trip: once it returns, the server has given the keys back and other programs may grab them.
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }

    XcbHotKeys *q;
    std::map<Ref, Registration> registrations;
    std::map<Grab, int> grabCounts;
    Ref nextRef = 0;
    bool filterInstalled = false;
};

XcbHotKeys::XcbHotKeys(QObject *parent)
    : HotKeys(parent)
    , d(std::make_unique<Private>(this))
{
}

XcbHotKeys::~XcbHotKeys()
{
    if (xcb_connection_t *connection = xcb::connection()) {
        for (const auto &[grab, count] : d->grabCounts)
            Private::ungrab(connection, grab);
    }
    if (d->filterInstalled && QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(d.get());
}

bool XcbHotKeys::isAvailable() const { return xcb::connection() != nullptr; }

int XcbHotKeys::registerHotKey(quint32 keyCode, quint32 modifiers, HotKeyIdentifier identifier, Ref *ref)
{
    xcb_connection_t *connection = xcb::connection();
    if (!connection || keyCode > 0xffff)
        return kHotKeyInvalid;
    const std::optional<quint16> evdev = virtualkeycodes::evdevCode(quint16(keyCode));
    if (!evdev || *evdev + 8 > 255)
        return kHotKeyInvalid;
    const Grab wanted { xcb_keycode_t(*evdev + 8), xModifiers(modifiers) };
    // The server refuses nothing to the client that already holds the grab; count our own uses instead.
    if (d->grabCounts[wanted] == 0) {
        const int status = d->grab(connection, wanted);
        if (status != kHotKeyNoError) {
            d->grabCounts.erase(wanted);
            return status;
        }
    }
    ++d->grabCounts[wanted];
    if (!d->filterInstalled) {
        QCoreApplication::instance()->installNativeEventFilter(d.get());
        d->filterInstalled = true;
    }
    d->registrations[++d->nextRef] = { wanted, identifier };
    if (ref)
        *ref = d->nextRef;
    return kHotKeyNoError;
}

int XcbHotKeys::unregisterHotKey(Ref ref)
{
    const auto found = d->registrations.find(ref);
    if (found == d->registrations.end())
        return kHotKeyInvalid;
    const Grab grab = found->second.grab;
    d->registrations.erase(found);
    if (--d->grabCounts[grab] == 0) {
        d->grabCounts.erase(grab);
        if (xcb_connection_t *connection = xcb::connection())
            Private::ungrab(connection, grab);
    }
    return kHotKeyNoError;
}

} // namespace platform
