#pragma once

#include <QString>
#include <QtGlobal>

#include <map>
#include <optional>

namespace platform {

/// The user's current keyboard layout, asked which character a key shows.
///
/// Keys are virtual key codes: positions on the keyboard named as on the Mac keyboard (0 is the key
/// of "a" on a US layout, 12 that of "q", 36 Return, 122 F1), whatever the layout prints on them.
/// Main thread only; synchronous.
class KeyboardLayout {
public:
    virtual ~KeyboardLayout();

    /// The text the key types without modifiers on the current layout: empty when the key types
    /// nothing printable, no value when no layout can be read or the key is unknown.
    virtual std::optional<QString> character(quint16 virtualKeyCode) const = 0;

    /// The layout of this process: the one installed by a ScopedKeyboardLayout, else the X server's
    /// when the application runs on one, else a US layout.
    static KeyboardLayout &current();
};

/// Installs a layout for the lifetime of the guard, then restores the previous one.
class ScopedKeyboardLayout {
public:
    explicit ScopedKeyboardLayout(KeyboardLayout &layout);
    ~ScopedKeyboardLayout();
    ScopedKeyboardLayout(const ScopedKeyboardLayout &) = delete;
    ScopedKeyboardLayout &operator=(const ScopedKeyboardLayout &) = delete;

private:
    KeyboardLayout *m_previous;
};

/// A layout for tests: the characters the test sets, and no value for every other key (or for
/// all keys while unavailable).
class MemoryKeyboardLayout final : public KeyboardLayout {
public:
    std::optional<QString> character(quint16 virtualKeyCode) const override;

    void setCharacter(quint16 virtualKeyCode, const QString &text);
    void setAvailable(bool available) { m_available = available; }
    int lookups() const { return m_lookups; }

private:
    std::map<quint16, QString> m_characters;
    bool m_available = true;
    mutable int m_lookups = 0;
};

} // namespace platform
