#pragma once

#include "olvane/key.h"
#include "olvane/modifierflags.h"

#include <QString>

#include <map>
#include <optional>

namespace olvane {

/// A global keyboard shortcut: a key and modifiers, with the texts that show it to the user.
/// Equality and hashing take all five fields, the caller's `id` included.
class Hotkey {
public:
    using KeyTexts = std::map<Key, QString>;

    /// Display texts of the special keys (Return "↩", arrows, "F1"...).
    static const KeyTexts &defaultKeyToCharacterMapping();
    /// Menu key-equivalent strings of Space and the function keys.
    static const KeyTexts &defaultKeyToKeyEquivalentString();

    Hotkey(std::optional<QString> id, Key key, ModifierFlags modifiers);
    /// Keeps only the command, shift, option and control bits of `carbonModifiers`.
    Hotkey(qint64 carbonKeyCode, qint64 carbonModifiers);

    std::optional<QString> id;
    qint64 carbonKeyCode = 0;
    qint64 carbonModifiers = 0;
    KeyTexts keyToCharacterMapping;
    KeyTexts keyToKeyEquivalentString;

    ModifierFlags modifierFlags() const { return ModifierFlags::fromCarbonModifiers(carbonModifiers); }
    /// Modifier symbols followed by the key's text in upper case ("⌘Q"); "�" for a key without text.
    QString description() const;
    /// The key's text when it is a single character, else its key-equivalent string, else "".
    QString keyEquivalent() const;

    /// The text of `keyCode`: the table's entry, else what the current keyboard layout shows for the
    /// key without modifiers (possibly empty); none when neither knows the key.
    static std::optional<QString> character(qint64 keyCode, const KeyTexts &table);

    bool operator==(const Hotkey &) const = default;
};

size_t qHash(const Hotkey &hotkey, size_t seed = 0);

} // namespace olvane

template <> struct std::hash<olvane::Hotkey> {
    size_t operator()(const olvane::Hotkey &hotkey) const noexcept { return olvane::qHash(hotkey); }
};
