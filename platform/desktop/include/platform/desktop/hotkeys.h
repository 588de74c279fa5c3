#pragma once

#include <QObject>
#include <QtGlobal>

#include <functional>
#include <map>
#include <optional>

namespace platform {

/// Statuses of the hot-key calls and event handlers.
inline constexpr int kHotKeyNoError = 0;
/// A handler did not take the event; the next handler is asked.
inline constexpr int kEventNotHandled = -9874;
/// The event carries no hot-key identifier.
inline constexpr int kEventParameterNotFound = -9870;
/// Another program holds the key combination.
inline constexpr int kHotKeyExists = -9878;
/// The key cannot be grabbed here: no display server with key grabs, or no such key.
inline constexpr int kHotKeyInvalid = -9879;

/// Modifier mask bits of a hot key.
inline constexpr quint32 kHotKeyCommand = 256;
inline constexpr quint32 kHotKeyShift = 512;
inline constexpr quint32 kHotKeyOption = 2048;
inline constexpr quint32 kHotKeyControl = 4096;

/// The caller's name for a registration: a four-character signature and a number.
struct HotKeyIdentifier {
    quint32 signature = 0;
    quint32 id = 0;
    bool operator==(const HotKeyIdentifier &) const = default;
};

/// Event kinds of a registered key.
inline constexpr quint32 kHotKeyPressed = 5;
inline constexpr quint32 kHotKeyReleased = 6;

/// One press or release of a registered key.
struct HotKeyEvent {
    std::optional<HotKeyIdentifier> identifier;
    quint32 kind = kHotKeyPressed;
};

/// System-wide key combinations that reach this program whichever window has the keyboard.
///
/// Keys are virtual key codes (see KeyboardLayout), modifiers the kHotKey… mask bits (others are
/// ignored). Main thread only. Registration answers at once with a status; events arrive later from
/// the event loop and go to the installed handlers, newest first, until one returns something other
/// than kEventNotHandled.
class HotKeys : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<int(const HotKeyEvent *event)>;
    /// A registration; 0 is none.
    using Ref = quint64;

    /// Whether events can be delivered at all (a display server that grabs keys is there).
    virtual bool isAvailable() const = 0;
    /// Grabs the combination; on kHotKeyNoError `*ref` names the registration. The same
    /// combination may be registered more than once by this program; each registration hears it.
    virtual int registerHotKey(quint32 keyCode, quint32 modifiers, HotKeyIdentifier identifier, Ref *ref) = 0;
    virtual int unregisterHotKey(Ref ref) = 0;

    /// Installs a handler for the events of every registration; the number removes it again.
    quint64 installHandler(Handler handler);
    void removeHandler(quint64 handler);

    /// The hot keys of this process: the ones installed by a ScopedHotKeys, else key grabs on the
    /// X server the application runs on (registration fails with kHotKeyInvalid elsewhere).
    static HotKeys &current();

protected:
    explicit HotKeys(QObject *parent = nullptr);
    /// Hands an event to the handlers; the status of the one that took it, else kEventNotHandled.
    int dispatch(const HotKeyEvent *event);

private:
    std::map<quint64, Handler> m_handlers;
    quint64 m_nextHandler = 0;
};

/// Installs hot keys for the lifetime of the guard, then restores the previous ones.
class ScopedHotKeys {
public:
    explicit ScopedHotKeys(HotKeys &hotKeys);
    ~ScopedHotKeys();
    ScopedHotKeys(const ScopedHotKeys &) = delete;
    ScopedHotKeys &operator=(const ScopedHotKeys &) = delete;

private:
    HotKeys *m_previous;
};

} // namespace platform
