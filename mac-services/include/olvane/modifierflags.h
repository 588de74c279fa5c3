#pragma once

#include <QString>
#include <QtGlobal>

namespace olvane {

/// The modifier flags of a keyboard event, in the bit values of the platform's event type, and their
/// conversion to and from the hot-key modifier mask (command 256, shift 512, option 2048, control 4096).
struct ModifierFlags {
    quint64 rawValue = 0;

    static constexpr quint64 capsLock = 1 << 16;
    static constexpr quint64 shift = 1 << 17;
    static constexpr quint64 control = 1 << 18;
    static constexpr quint64 option = 1 << 19;
    static constexpr quint64 command = 1 << 20;
    static constexpr quint64 numericPad = 1 << 21;
    static constexpr quint64 help = 1 << 22;
    static constexpr quint64 function = 1 << 23;

    static constexpr qint64 carbonCommand = 256;
    static constexpr qint64 carbonShift = 512;
    static constexpr qint64 carbonOption = 2048;
    static constexpr qint64 carbonControl = 4096;

    constexpr bool contains(quint64 flag) const { return (rawValue & flag) == flag; }
    friend constexpr bool operator==(ModifierFlags a, ModifierFlags b) { return a.rawValue == b.rawValue; }

    /// The hot-key mask of control, option, shift and command; every other flag is dropped.
    qint64 carbonModifiers() const;
    static ModifierFlags fromCarbonModifiers(qint64 carbonModifiers);
    /// "⌃", "⌥", "⇧", "⌘" for the flags that are set, always in that order.
    QString description() const;
};

} // namespace olvane
