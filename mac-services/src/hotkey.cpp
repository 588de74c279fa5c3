#include "olvane/hotkey.h"

#include "platform/desktop/keyboardlayout.h"

#include <QTextBoundaryFinder>

namespace olvane {

namespace {

    Hotkey::KeyTexts makeCharacterMapping()
    {
        Hotkey::KeyTexts table {
            { Key::returnKey, QStringLiteral("\u21A9") },
            { Key::deleteKey, QStringLiteral("\u232B") },
            { Key::forwardDelete, QStringLiteral("\u2326") },
            { Key::end, QStringLiteral("\u2198") },
            { Key::escape, QStringLiteral("\u238B") },
            { Key::help, QStringLiteral("?\u20DD") },
            { Key::home, QStringLiteral("\u2196") },
            { Key::space, QStringLiteral("\u23B5") },
            { Key::tab, QStringLiteral("\u21E5") },
            { Key::pageUp, QStringLiteral("\u21DE") },
            { Key::pageDown, QStringLiteral("\u21DF") },
            { Key::upArrow, QStringLiteral("\u2191") },
            { Key::rightArrow, QStringLiteral("\u2192") },
            { Key::downArrow, QStringLiteral("\u2193") },
            { Key::leftArrow, QStringLiteral("\u2190") },
        };
        const Key functionKeys[]
            = { Key::F1, Key::F2, Key::F3, Key::F4, Key::F5, Key::F6, Key::F7, Key::F8, Key::F9, Key::F10, Key::F11,
                  Key::F12, Key::F13, Key::F14, Key::F15, Key::F16, Key::F17, Key::F18, Key::F19, Key::F20 };
        int number = 1;
        for (Key key : functionKeys)
            table[key] = QStringLiteral("F%1").arg(number++);
        return table;
    }

    Hotkey::KeyTexts makeKeyEquivalents()
    {
        Hotkey::KeyTexts table { { Key::space, QStringLiteral(" ") } };
        const Key functionKeys[]
            = { Key::F1, Key::F2, Key::F3, Key::F4, Key::F5, Key::F6, Key::F7, Key::F8, Key::F9, Key::F10, Key::F11,
                  Key::F12, Key::F13, Key::F14, Key::F15, Key::F16, Key::F17, Key::F18, Key::F19, Key::F20 };
        char16_t character = 0xF704; // the function-key characters of menu key equivalents, F1 onwards
        for (Key key : functionKeys)
            table[key] = QString(QChar(character++));
        return table;
    }

    // Characters as a reader counts them: "?⃝" (a letter and a combining circle) is one.
    qsizetype graphemeCount(const QString &text)
    {
        QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
        qsizetype count = 0;
        while (finder.toNextBoundary() > 0)
            ++count;
        return count;
    }

    size_t hashTable(const Hotkey::KeyTexts &table, size_t seed)
    {
        for (const auto &[key, text] : table)
            seed = qHashMulti(seed, key.rawValue, text);
        return seed;
    }

} // namespace

const Hotkey::KeyTexts &Hotkey::defaultKeyToCharacterMapping()
{
    static const KeyTexts table = makeCharacterMapping();
    return table;
}

const Hotkey::KeyTexts &Hotkey::defaultKeyToKeyEquivalentString()
{
    static const KeyTexts table = makeKeyEquivalents();
    return table;
}

Hotkey::Hotkey(std::optional<QString> identifier, Key key, ModifierFlags modifiers)
    : Hotkey(key.rawValue, modifiers.carbonModifiers())
{
    id = std::move(identifier);
}

Hotkey::Hotkey(qint64 keyCode, qint64 modifiers)
    : carbonKeyCode(keyCode)
    , carbonModifiers(ModifierFlags::fromCarbonModifiers(modifiers).carbonModifiers())
    , keyToCharacterMapping(defaultKeyToCharacterMapping())
    , keyToKeyEquivalentString(defaultKeyToKeyEquivalentString())
{
}

std::optional<QString> Hotkey::character(qint64 keyCode, const KeyTexts &table)
{
    const auto found = table.find(Key { keyCode });
    if (found != table.end())
        return found->second;
    if (keyCode < 0 || keyCode > 0xffff)
        return std::nullopt;
    return platform::KeyboardLayout::current().character(quint16(keyCode));
}

QString Hotkey::description() const
{
    const std::optional<QString> text = character(carbonKeyCode, keyToCharacterMapping);
    return modifierFlags().description() + (text ? text->toUpper() : QStringLiteral("\uFFFD"));
}

QString Hotkey::keyEquivalent() const
{
    const QString text = character(carbonKeyCode, keyToCharacterMapping).value_or(QString());
    if (graphemeCount(text) < 2)
        return text;
    const auto found = keyToKeyEquivalentString.find(Key { carbonKeyCode });
    return found != keyToKeyEquivalentString.end() ? found->second : QString();
}

size_t qHash(const Hotkey &hotkey, size_t seed)
{
    seed = hotkey.id ? qHashMulti(seed, true, *hotkey.id) : qHashMulti(seed, false);
    seed = qHashMulti(seed, hotkey.carbonKeyCode, hotkey.carbonModifiers);
    seed = hashTable(hotkey.keyToCharacterMapping, seed);
    return hashTable(hotkey.keyToKeyEquivalentString, seed);
}

} // namespace olvane
