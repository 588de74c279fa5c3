#include "quenby/settings.h"
#include "quenby/utilities.h"

#include <platform/core/userdefaults.h>
#include <platform/core/value.h>

#include <QTest>

using platform::Value;
using quenby::Settings;

namespace {
platform::UserDefaults &defaults() { return platform::UserDefaults::standard(); }
}

class SettingsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<platform::ScopedUserDefaultsDirectory> m_dir;

private slots:
    void init()
    {
        m_dir = std::make_unique<platform::ScopedUserDefaultsDirectory>();
        Settings::reload();
    }
    void cleanup()
    {
        Settings::reload();
        m_dir.reset();
    }

    void appModeReadsOnlyZeroToThree_data()
    {
        QTest::addColumn<Value>("stored");
        QTest::addColumn<int>("mode");
        QTest::newRow("missing") << Value() << 0;
        QTest::newRow("three") << Value(3) << 3;
        QTest::newRow("seven") << Value(7) << 0;
        QTest::newRow("negative") << Value(-1) << 0;
        QTest::newRow("integral real") << Value(2.0) << 2;
        QTest::newRow("text of a number") << Value("1") << 1;
        QTest::newRow("a list") << Value(Value::Array { Value(2) }) << 0;
    }
    void appModeReadsOnlyZeroToThree()
    {
        QFETCH(Value, stored);
        QFETCH(int, mode);
        defaults().set(QString::fromLatin1(quenby::kAppModeKey), stored);
        QCOMPARE(Settings::appMode(), mode);
    }

    void thresholdFallsBackToTwenty_data()
    {
        QTest::addColumn<Value>("stored");
        QTest::addColumn<int>("threshold");
        QTest::newRow("missing") << Value() << 20;
        QTest::newRow("zero") << Value(0) << 20;
        QTest::newRow("thirty-five") << Value(35) << 35;
        QTest::newRow("largest byte") << Value(255) << 255;
        QTest::newRow("beyond a byte") << Value(300) << 20;
        QTest::newRow("a multiple of 256") << Value(512) << 20;
        QTest::newRow("negative") << Value(-5) << 20;
        QTest::newRow("not a number") << Value("low") << 20;
    }
    void thresholdFallsBackToTwenty()
    {
        QFETCH(Value, stored);
        QFETCH(int, threshold);
        defaults().set(QString::fromLatin1(quenby::kThresholdKey), stored);
        QCOMPARE(int(Settings::threshold()), threshold);
    }

    // Every switch: missing reads false, a stored value is kept for the run, and a setter writes the
    // defaults and the kept value together.
    void switches_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("which");
        QTest::newRow("notifications") << quenby::kEnableNotificationsKey << 0;
        QTest::newRow("level colours") << quenby::kUseLevelColorsKey << 1;
        QTest::newRow("bars") << quenby::kBarModeKey << 2;
        QTest::newRow("imperial") << quenby::kImperialKey << 3;
        QTest::newRow("single item") << quenby::kSingleItemKey << 4;
        QTest::newRow("vertical colours") << quenby::kUseVerticalColorsKey << 5;
    }
    void switches()
    {
        QFETCH(QString, key);
        QFETCH(int, which);
        using Getter = bool (*)();
        using Setter = void (*)(bool);
        const Getter getters[] = { Settings::enableNotifications, Settings::useLevelColors, Settings::barMode,
            Settings::imperial, Settings::singleItem, Settings::useVerticalColors };
        const Setter setters[] = { Settings::setEnableNotifications, Settings::setUseLevelColors, Settings::setBarMode,
            Settings::setImperial, Settings::setSingleItem, Settings::setUseVerticalColors };
        const auto get = getters[which];
        const auto set = setters[which];

        QCOMPARE(get(), false);
        defaults().set(key, true);
        QCOMPARE(get(), false); // read once per run
        Settings::reload();
        QCOMPARE(get(), true);

        set(false);
        QCOMPARE(get(), false);
        QCOMPARE(defaults().boolean(key), false);
        set(true);
        Settings::reload();
        QCOMPARE(get(), true);
    }

    void otherValuesSurviveARestart()
    {
        Settings::setAppMode(3);
        Settings::setThreshold(35);
        QCOMPARE(Settings::appMode(), 3);
        Settings::reload();
        QCOMPARE(Settings::appMode(), 3);
        QCOMPARE(int(Settings::threshold()), 35);
    }

    void firstStartFlagIsOnlyStored()
    {
        QVERIFY(!Settings::wasStarted());
        Settings::markStarted();
        QVERIFY(!Settings::wasStarted());
        QVERIFY(defaults().boolean(QString::fromLatin1(quenby::kWasStartedKey)));
        Settings::reload();
        QVERIFY(Settings::wasStarted());
    }

    void customNames()
    {
        Settings::setCustomName(QStringLiteral("aa-01"), QStringLiteral("Desk mouse"));
        Settings::setCustomName(QStringLiteral("bb-02"), QStringLiteral("Pad"));
        Settings::setCustomName(QStringLiteral("aa-01"), QString());

        const QMap<QString, QString> expected { { QStringLiteral("bb-02"), QStringLiteral("Pad") } };
        QCOMPARE(Settings::customNames(), expected);
        const auto stored = defaults().dictionary(QString::fromLatin1(quenby::kCustomNamesKey));
        QVERIFY(stored);
        QCOMPARE(stored->size(), std::size_t(1));
        QVERIFY(stored->at(QStringLiteral("bb-02")) == Value("Pad"));

        Settings::reload();
        QCOMPARE(Settings::customNames(), expected);
    }

    void customNamesSkipEmptyAndOddEntries()
    {
        defaults().set(QString::fromLatin1(quenby::kCustomNamesKey),
            Value(Value::Dictionary { { QStringLiteral("a"), Value("Kept") }, { QStringLiteral("b"), Value("") },
                { QStringLiteral("c"), Value(4) } }));
        const QMap<QString, QString> expected { { QStringLiteral("a"), QStringLiteral("Kept") } };
        QCOMPARE(Settings::loadCustomNames(), expected);

        // A name set afterwards keeps the readable one.
        Settings::setCustomName(QStringLiteral("d"), QStringLiteral("New"));
        Settings::reload();
        QCOMPARE(Settings::customNames().value(QStringLiteral("a")), QStringLiteral("Kept"));
        QCOMPARE(Settings::customNames().size(), 2);

        defaults().set(QString::fromLatin1(quenby::kCustomNamesKey), Value("not a dictionary"));
        QVERIFY(Settings::loadCustomNames().isEmpty());
    }

    void ignoredDevices()
    {
        const auto key = QString::fromLatin1(quenby::kIgnoredDevicesKey);
        Settings::addIgnoredDevice(QStringLiteral("x"));
        Settings::addIgnoredDevice(QStringLiteral("x"));
        QCOMPARE(Settings::ignoredDevices(), QStringList { QStringLiteral("x") });
        QCOMPARE(defaults().stringArray(key), QStringList { QStringLiteral("x") });

        // Adding starts from the stored list: an entry written meanwhile by someone else stays.
        defaults().set(key, Value(Value::Array { Value("x"), Value("y"), Value("x") }));
        Settings::addIgnoredDevice(QStringLiteral("internal"));
        QCOMPARE(Settings::ignoredDevices(),
            (QStringList {
                QStringLiteral("x"), QStringLiteral("y"), QStringLiteral("x"), QStringLiteral("internal") }));

        Settings::removeIgnoredDevice(QStringLiteral("x"));
        const QStringList rest { QStringLiteral("y"), QStringLiteral("internal") };
        QCOMPARE(Settings::ignoredDevices(), rest);
        QCOMPARE(defaults().stringArray(key), rest);
        QVERIFY(Settings::isIgnored(QStringLiteral("internal")));
        QVERIFY(!Settings::isIgnored(QStringLiteral("x")));
        Settings::reload();
        QCOMPARE(Settings::ignoredDevices(), rest);
    }

    // This run read the names (or the list) at start; another copy of the program, or the user in another
    // window, then stores an entry of its own. Changing ours must keep theirs.
    void anEntryStoredByASecondWriterSurvives_data()
    {
        QTest::addColumn<bool>("names");
        QTest::newRow("custom names") << true;
        QTest::newRow("ignored devices") << false;
    }
    void anEntryStoredByASecondWriterSurvives()
    {
        QFETCH(bool, names);
        const QString key = QString::fromLatin1(names ? quenby::kCustomNamesKey : quenby::kIgnoredDevicesKey);
        if (names) {
            Settings::setCustomName(QStringLiteral("aa-01"), QStringLiteral("Desk mouse"));
            QCOMPARE(Settings::customNames().size(), 1);
        } else {
            Settings::addIgnoredDevice(QStringLiteral("aa-01"));
            QCOMPARE(Settings::ignoredDevices().size(), 1);
        }

        platform::UserDefaults second(defaults().domain()); // the same file, written by someone else
        if (names)
            second.set(key,
                Value(Value::Dictionary { { QStringLiteral("aa-01"), Value("Desk mouse") },
                    { QStringLiteral("bb-02"), Value("Kitchen keyboard") } }));
        else
            second.set(key, Value(Value::Array { Value("aa-01"), Value("bb-02") }));

        if (names)
            Settings::setCustomName(QStringLiteral("aa-01"), QStringLiteral("Office mouse"));
        else
            Settings::addIgnoredDevice(QStringLiteral("cc-03"));

        if (names) {
            const QMap<QString, QString> expected { { QStringLiteral("aa-01"), QStringLiteral("Office mouse") },
                { QStringLiteral("bb-02"), QStringLiteral("Kitchen keyboard") } };
            QCOMPARE(Settings::customNames(), expected);
            Settings::reload();
            QCOMPARE(Settings::customNames(), expected);
        } else {
            const QStringList expected { QStringLiteral("aa-01"), QStringLiteral("bb-02"), QStringLiteral("cc-03") };
            QCOMPARE(Settings::ignoredDevices(), expected);
            Settings::reload();
            QCOMPARE(Settings::ignoredDevices(), expected);
        }
    }

    void ignoredDevicesSkipOddElements()
    {
        const auto key = QString::fromLatin1(quenby::kIgnoredDevicesKey);
        defaults().set(key, Value(Value::Array { Value("a"), Value(3), Value("b") }));
        QCOMPARE(Settings::loadIgnoredDevices(), (QStringList { QStringLiteral("a"), QStringLiteral("b") }));
        defaults().set(key, Value("a"));
        QVERIFY(Settings::loadIgnoredDevices().isEmpty());
    }

    void levelColor_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<bool>("useLevelColors");
        QTest::addColumn<bool>("dark");
        QTest::addColumn<bool>("charging");
        QTest::addColumn<QColor>("color");
        const QColor red(255, 0, 40);
        QTest::newRow("plain on dark") << 5 << false << true << false << QColor(Qt::white);
        QTest::newRow("plain on light") << 5 << false << false << false << QColor(Qt::black);
        QTest::newRow("20 is green") << 20 << true << false << false << QColor(0, 156, 0);
        QTest::newRow("20 on dark") << 20 << true << true << false << QColor(16, 172, 16);
        QTest::newRow("19 is red") << 19 << true << false << false << red;
        QTest::newRow("19 on dark is red") << 19 << true << true << false << red;
        QTest::newRow("charging at 5 is green") << 5 << true << false << true << QColor(0, 156, 0);
        QTest::newRow("0 is red") << 0 << true << false << false << red;
    }
    void levelColor()
    {
        QFETCH(int, level);
        QFETCH(bool, useLevelColors);
        QFETCH(bool, dark);
        QFETCH(bool, charging);
        QFETCH(QColor, color);
        QCOMPARE(quenby::Utilities::levelColor(std::uint8_t(level), useLevelColors, dark, charging), color);
    }

    // The limit stays 19 whatever the threshold says.
    void levelColorIgnoresThreshold()
    {
        Settings::setThreshold(50);
        QCOMPARE(quenby::Utilities::levelColor(30, true, false, false), QColor(0, 156, 0));
    }
};

QTEST_GUILESS_MAIN(SettingsTest)
#include "settings_test.moc"
