#include "ammerl/batterycondition.h"
#include "ammerl/batterykey.h"

#include "platform/core/bundle.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using ammerl::BatteryCondition;
using ammerl::BatteryKey;

class BatteryKeyTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { platform::Bundle::setPreferredLanguages({}); }

    void keysInOrder()
    {
        const QStringList expected { "TIME_TO_FULL", "TIME_UNTIL_EMPTY", "AVG_TIME_TO_EMPTY", "CELL_VOLTAGES",
            "MANUFACTURER", "MANUFACTURE_DATE", "DESIGN_CAPACITY", "MAX_CAPACITY", "CURRENT_CAPACITY", "CYCLE_COUNT",
            "DESIGN_CYCLE_COUNT", "AC_POWERED", "IS_CHARGING", "IS_CHARGED", "AMPERAGE", "VOLTAGE", "WATTS", "HEALTH",
            "TEMPERATURE", "CHARGE", "CONDITION", "POWER_SUPPLY_WATTAGE", "DISCHARGE_RATE", "CHARGE_RATE",
            "CHARGING_VOLTAGE", "VAC_VOLTAGE_LIMIT", "CHARGING_CURRENT", "ADAPTER", "SERIAL_NUMBER", "DESCRIPTION",
            "NAME", "IS_WIRELESS", "HARDWARE_VERSION" };
        QStringList keys;
        for (BatteryKey key : ammerl::allBatteryKeys())
            keys << ammerl::localizationKey(key);
        QCOMPARE(keys, expected);
        QCOMPARE(ammerl::allBatteryKeys().front(), BatteryKey::timeToFull);
        QCOMPARE(ammerl::allBatteryKeys().back(), BatteryKey::hardwareVersion);
    }

    void everyKeyIsTranslated_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << "en";
        QTest::newRow("German") << "de";
    }

    void everyKeyIsTranslated()
    {
        QFETCH(QString, language);
        platform::Bundle::setPreferredLanguages({ language });
        const auto bundle = platform::Bundle::find(QStringLiteral("Ammerl"));
        QVERIFY(bundle);
        const QString path = bundle->resourcePath() + "/" + language + ".lproj/Localizable.strings";
        QFile file(path);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(path));
        const auto table = platform::parseStrings(QString::fromUtf8(file.readAll()));

        for (BatteryKey key : ammerl::allBatteryKeys()) {
            const QString k = ammerl::localizationKey(key);
            QVERIFY2(table.count(k), qPrintable(language + ": no text for " + k));
            QCOMPARE(ammerl::title(key), table.at(k));
        }
        for (const char *k : { "GOOD", "FAIR", "POOR" })
            QVERIFY2(table.count(k), qPrintable(language + ": no text for " + k));
    }

    void titles_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<BatteryKey>("key");
        QTest::addColumn<QString>("title");

        QTest::newRow("time to empty, English") << "en" << BatteryKey::timeToEmpty << "Time until Empty";
        QTest::newRow("time to empty, German") << "de" << BatteryKey::timeToEmpty << "Zeit bis leer";
        QTest::newRow("serial, English") << "en" << BatteryKey::serial << "Serial Number";
        QTest::newRow("serial, German") << "de" << BatteryKey::serial << "Seriennummer";
        QTest::newRow("power supply, English") << "en" << BatteryKey::connectedPowerSupply << "Power Adapter Wattage";
        QTest::newRow("power supply, German") << "de" << BatteryKey::connectedPowerSupply << "Leistung des Netzteils";
    }

    void titles()
    {
        QFETCH(QString, language);
        QFETCH(BatteryKey, key);
        QFETCH(QString, title);
        platform::Bundle::setPreferredLanguages({ language });
        QCOMPARE(ammerl::title(key), title);
    }

    void conditionTitles_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<BatteryCondition>("condition");
        QTest::addColumn<QString>("title");

        QTest::newRow("good, English") << "en" << BatteryCondition::good << "Good";
        QTest::newRow("fair, English") << "en" << BatteryCondition::fair << "Fair";
        QTest::newRow("poor, English") << "en" << BatteryCondition::poor << "Poor";
        QTest::newRow("good, German") << "de" << BatteryCondition::good << "Gut";
        QTest::newRow("poor, German") << "de" << BatteryCondition::poor << "Schlecht";
    }

    void conditionTitles()
    {
        QFETCH(QString, language);
        QFETCH(BatteryCondition, condition);
        QFETCH(QString, title);
        platform::Bundle::setPreferredLanguages({ language });
        QCOMPARE(ammerl::title(condition), title);
    }

    void aBundleWithoutTheKeyGivesTheKey()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("en.lproj"));
        QFile strings(dir.path() + "/en.lproj/Localizable.strings");
        QVERIFY(strings.open(QIODevice::WriteOnly));
        strings.write("\"NAME\" = \"Label\";\n");
        strings.close();

        platform::Bundle::setPreferredLanguages({ "en" });
        const platform::Bundle bundle(dir.path());
        QCOMPARE(ammerl::title(BatteryKey::name, bundle), QStringLiteral("Label"));
        QCOMPARE(ammerl::title(BatteryKey::timeToEmpty, bundle), QStringLiteral("TIME_UNTIL_EMPTY"));
        QCOMPARE(ammerl::title(BatteryCondition::fair, bundle), QStringLiteral("FAIR"));
    }

    void conditionsFromTheirForms_data()
    {
        QTest::addColumn<QString>("health");
        QTest::addColumn<qlonglong>("raw");
        QTest::addColumn<int>("expected"); // -1: none

        QTest::newRow("good") << "Good" << 0LL << 0;
        QTest::newRow("fair") << "Fair" << 1LL << 1;
        QTest::newRow("poor") << "Poor" << 2LL << 2;
        QTest::newRow("other letter case, raw 3") << "POOR" << 3LL << -1;
        QTest::newRow("empty, raw -1") << "" << -1LL << -1;
    }

    void conditionsFromTheirForms()
    {
        QFETCH(QString, health);
        QFETCH(qlonglong, raw);
        QFETCH(int, expected);
        const auto toInt = [](std::optional<BatteryCondition> c) { return c ? int(*c) : -1; };
        QCOMPARE(toInt(ammerl::batteryConditionFromHealth(health)), expected);
        QCOMPARE(toInt(ammerl::batteryConditionFromRaw(raw)), expected);
    }
};

QTEST_GUILESS_MAIN(BatteryKeyTest)
#include "batterykey_test.moc"
