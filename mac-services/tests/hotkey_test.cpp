#include "olvane/hotkey.h"
#include "platform/desktop/keyboardlayout.h"

#include <QSet>
#include <QTest>

using olvane::Hotkey;
using olvane::Key;
using olvane::ModifierFlags;

class HotkeyTest : public QObject {
    Q_OBJECT

private slots:
    void modifierConversion_data()
    {
        QTest::addColumn<quint64>("flags");
        QTest::addColumn<qint64>("carbon");
        QTest::addColumn<QString>("description");
        QTest::newRow("none") << quint64(0) << qint64(0) << QString();
        QTest::newRow("command") << quint64(ModifierFlags::command) << qint64(256) << QStringLiteral("\u2318");
        QTest::newRow("all four in symbol order")
            << quint64(ModifierFlags::command | ModifierFlags::shift | ModifierFlags::option | ModifierFlags::control)
            << qint64(256 + 512 + 2048 + 4096) << QStringLiteral("\u2303\u2325\u21E7\u2318");
        QTest::newRow("caps lock and function dropped")
            << quint64(ModifierFlags::capsLock | ModifierFlags::function | ModifierFlags::option) << qint64(2048)
            << QStringLiteral("\u2325");
    }

    void modifierConversion()
    {
        QFETCH(quint64, flags);
        QFETCH(qint64, carbon);
        QFETCH(QString, description);
        QCOMPARE(ModifierFlags { flags }.carbonModifiers(), carbon);
        QCOMPARE(ModifierFlags { flags }.description(), description);
        QCOMPARE(ModifierFlags::fromCarbonModifiers(carbon).carbonModifiers(), carbon);
    }

    void carbonInitialiserKeepsOnlyTheFourModifierBits()
    {
        const Hotkey hotkey(12, 256 | 512 | 1 | 0x10000);
        QCOMPARE(hotkey.carbonModifiers, qint64(256 | 512));
        QVERIFY(!hotkey.id.has_value());
        QCOMPARE(hotkey.keyToCharacterMapping.size(), size_t(35));
        QCOMPARE(hotkey.keyToKeyEquivalentString.size(), size_t(21));
    }

    void texts_data()
    {
        QTest::addColumn<qint64>("keyCode");
        QTest::addColumn<quint64>("flags");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("keyEquivalent");
        const quint64 command = ModifierFlags::command;
        QTest::newRow("command Q: layout letter upper-cased")
            << Key::q.rawValue << command << QStringLiteral("\u2318Q") << QStringLiteral("q");
        QTest::newRow("no modifiers: key text alone")
            << Key::q.rawValue << quint64(0) << QStringLiteral("Q") << QStringLiteral("q");
        QTest::newRow("return: one symbol")
            << Key::returnKey.rawValue << command << QStringLiteral("\u2318\u21A9") << QStringLiteral("\u21A9");
        QTest::newRow("space: display text wins")
            << Key::space.rawValue << quint64(0) << QStringLiteral("\u23B5") << QStringLiteral("\u23B5");
        QTest::newRow("help: letter and combining circle are one character")
            << Key::help.rawValue << quint64(0) << QStringLiteral("?\u20DD") << QStringLiteral("?\u20DD");
        QTest::newRow("F5: key equivalent character") << Key::F5.rawValue << quint64(ModifierFlags::shift)
                                                      << QStringLiteral("\u21E7F5") << QStringLiteral("\uF708");
        QTest::newRow("F12") << Key::F12.rawValue << quint64(0) << QStringLiteral("F12") << QStringLiteral("\uF70F");
        QTest::newRow("F20") << Key::F20.rawValue << quint64(0) << QStringLiteral("F20") << QStringLiteral("\uF717");
        QTest::newRow("key the layout does not know")
            << qint64(52) << command << QStringLiteral("\u2318\uFFFD") << QString();
        QTest::newRow("key code out of range") << qint64(70000) << quint64(0) << QStringLiteral("\uFFFD") << QString();
    }

    void texts()
    {
        QFETCH(qint64, keyCode);
        QFETCH(quint64, flags);
        QFETCH(QString, description);
        QFETCH(QString, keyEquivalent);
        platform::MemoryKeyboardLayout layout;
        layout.setCharacter(Key::q.rawValue, QStringLiteral("q"));
        platform::ScopedKeyboardLayout guard(layout);

        const Hotkey hotkey(std::nullopt, Key { keyCode }, ModifierFlags { flags });
        QCOMPARE(hotkey.description(), description);
        QCOMPARE(hotkey.keyEquivalent(), keyEquivalent);
    }

    void characterAsksTheLayoutOnlyWithoutTableEntry()
    {
        platform::MemoryKeyboardLayout layout;
        layout.setCharacter(Key::a.rawValue, QStringLiteral("a"));
        layout.setCharacter(Key::y.rawValue, QStringLiteral("z")); // a German layout swaps Y and Z
        layout.setCharacter(Key::returnKey.rawValue, QStringLiteral("\r"));
        platform::ScopedKeyboardLayout guard(layout);

        QCOMPARE(Hotkey::character(Key::returnKey.rawValue, Hotkey::defaultKeyToCharacterMapping()),
            std::optional<QString>(QStringLiteral("\u21A9")));
        QCOMPARE(layout.lookups(), 0);
        QCOMPARE(Hotkey::character(Key::returnKey.rawValue, {}), std::optional<QString>(QStringLiteral("\r")));
        QCOMPARE(Hotkey::character(Key::y.rawValue, {}), std::optional<QString>(QStringLiteral("z")));
        QCOMPARE(Hotkey(std::nullopt, Key::y, {}).description(), QStringLiteral("Z"));

        layout.setAvailable(false);
        QCOMPARE(Hotkey::character(Key::a.rawValue, {}), std::optional<QString>());
        QCOMPARE(Hotkey::character(-1, {}), std::optional<QString>());
    }

    void usLayoutWithoutDisplayServer()
    {
        // The offscreen platform has no X server: the system layout falls back to US.
        QCOMPARE(Hotkey::character(Key::q.rawValue, {}), std::optional<QString>(QStringLiteral("q")));
        QCOMPARE(Hotkey::character(Key::leftBracket.rawValue, {}), std::optional<QString>(QStringLiteral("[")));
        QCOMPARE(Hotkey::character(Key::F1.rawValue, {}), std::optional<QString>(QString()));
        QCOMPARE(Hotkey::character(52, {}), std::optional<QString>());
    }

    void equalityAndHashingTakeEveryField()
    {
        const Hotkey plain(std::nullopt, Key::q, ModifierFlags { ModifierFlags::command });
        Hotkey tagged = plain;
        tagged.id = QStringLiteral("quit");
        Hotkey otherTable = plain;
        otherTable.keyToCharacterMapping.erase(Key::returnKey);
        const Hotkey fromCarbon(Key::q.rawValue, 256);

        QCOMPARE(plain, fromCarbon);
        QCOMPARE(qHash(plain), qHash(fromCarbon));
        QVERIFY(plain != tagged);
        QVERIFY(plain != otherTable);
        Hotkey emptyId = plain;
        emptyId.id = QString();
        QVERIFY(plain != emptyId);
        QCOMPARE((QSet<Hotkey> { plain, fromCarbon, tagged, otherTable, emptyId }).size(), 4);
    }
};

QTEST_MAIN(HotkeyTest)
#include "hotkey_test.moc"
