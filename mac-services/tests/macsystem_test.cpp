#include "olvane/macsystem.h"
#include "platform/core/bundle.h"
#include "platform/core/coding.h"
#include "platform/core/systemversion.h"

#include <tavrin/diskutilities.h>

#include <QTest>

using olvane::MacSystem;

class MacSystemTest : public QObject {
    Q_OBJECT

private slots:
    void symbolName_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("symbol");
        QTest::newRow("studio") << "Mac13,1"
                                << "macstudio";
        QTest::newRow("other Mac13") << "Mac13,2"
                                     << "desktopcomputer";
        QTest::newRow("air") << "MacBookAir10,1"
                             << "laptopcomputer";
        QTest::newRow("pro laptop") << "MacBookPro18,3"
                                    << "laptopcomputer";
        QTest::newRow("plain MacBook") << "MacBook10,1"
                                       << "desktopcomputer";
        QTest::newRow("iMac") << "iMac21,1"
                              << "desktopcomputer";
        QTest::newRow("mini") << "Macmini9,1"
                              << "macmini";
        QTest::newRow("first Mac Pro") << "MacPro5,1"
                                       << "macpro.gen1";
        QTest::newRow("cylinder") << "MacPro6,1"
                                  << "macpro.gen2";
        QTest::newRow("tower") << "MacPro7,1"
                               << "macpro.gen3";
        QTest::newRow("a PC") << "ThinkPad X1"
                              << "desktopcomputer";
    }

    void symbolName()
    {
        QFETCH(QString, model);
        QFETCH(QString, symbol);
        const QString kept = MacSystem::model();
        MacSystem::setModel(model);
        QCOMPARE(MacSystem::symbolName(), symbol);
        MacSystem::setModel(kept);
    }

    void names_data()
    {
        QTest::addColumn<int>("systemMajor");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QString>("description");
        QTest::newRow("11") << 11 << "macOS Big Sur"
                            << "macOS Big Sur 11.0.0";
        QTest::newRow("14") << 14 << "macOS Sonoma"
                            << "macOS Sonoma 14.0.0";
        QTest::newRow("15 has no current name") << 15 << "Unknown system version"
                                                << "Unknown system version 15.0.0";
        QTest::newRow("10") << 10 << "Unknown system version"
                            << "Unknown system version 10.0.0";
    }

    void names()
    {
        QFETCH(int, systemMajor);
        QFETCH(QString, current);
        QFETCH(QString, description);
        platform::Bundle::setPreferredLanguages({ "en" });
        platform::ScopedSystemVersion version(systemMajor);
        QCOMPARE(MacSystem::majorVersion(), std::optional<int>(systemMajor));
        QCOMPARE(MacSystem::currentMacOSName(), current);
        QCOMPARE(MacSystem::versionDescription(), description);
        QCOMPARE(MacSystem::macOSVersionText(), QStringLiteral("macOS %1.0.0").arg(systemMajor));
        platform::Bundle::setPreferredLanguages({});
    }

    void kernelNames_data()
    {
        QTest::addColumn<int>("kernel");
        QTest::addColumn<QString>("name");
        QTest::newRow("8") << 8 << "macOS Tiger";
        QTest::newRow("17") << 17 << "macOS High Sierra";
        QTest::newRow("20") << 20 << "macOS Big Sur";
        QTest::newRow("24") << 24 << "macOS Sequoia";
        QTest::newRow("7") << 7 << "Unknown system version";
        QTest::newRow("25") << 25 << "Unknown system version";
    }

    void kernelNames()
    {
        QFETCH(int, kernel);
        QFETCH(QString, name);
        platform::Bundle::setPreferredLanguages({ "en" });
        QCOMPARE(MacSystem::macOSName(kernel), name);
        platform::Bundle::setPreferredLanguages({});
    }

    void coresAndArchitecture()
    {
        const QString kept = MacSystem::machine();
        MacSystem::setMachine(QStringLiteral("x86_64"));
        QVERIFY(!MacSystem::isAppleSilicon());
        QCOMPARE(MacSystem::efficiencyCoreCount(), std::optional<int>());
        QCOMPARE(MacSystem::performanceCoreCount(), std::optional<int>());
        MacSystem::setMachine(QStringLiteral("arm64"));
        QVERIFY(MacSystem::isAppleSilicon());
        QVERIFY(MacSystem::efficiencyCoreCount().has_value());
        MacSystem::setMachine(kept);
        QVERIFY(!MacSystem::machine().isEmpty());
        QVERIFY(MacSystem::machine() != QLatin1String("aarch64"));
        const QString expected = MacSystem::machine().startsWith(QLatin1String("arm")) ? QStringLiteral("Apple Silicon")
                                                                                       : QStringLiteral("Intel");
        QCOMPARE(MacSystem::architecture(), expected);
    }

    void storedFactsCanBeReplaced()
    {
        MacSystem::setHardwareDetails(
            olvane::AppleHardwareDetails { "M1", "MacBook Air", "MacBook Air (M1, 2020)", "A" });
        QCOMPARE(MacSystem::hardwareDetails()->marketingModel, QStringLiteral("MacBook Air (M1, 2020)"));
        MacSystem::setComputerName(QStringLiteral("Desk"));
        QCOMPARE(MacSystem::computerName(), QStringLiteral("Desk"));
        MacSystem::setThreadCount(12);
        QCOMPARE(MacSystem::threadCount(), quint8(12));

        const olvane::AppleHardwareDetails details { "p", "d", "m", "x" };
        QCOMPARE(olvane::AppleHardwareDetails::decode(details.encoded()), details);
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError,
            olvane::AppleHardwareDetails::decode(platform::Value(
                platform::Value::Dictionary { { QStringLiteral("processor"), platform::Value("p") } })));
    }

    void factsOfThisMachine()
    {
        QVERIFY(MacSystem::physicalMemory() > 0);
        QCOMPARE(MacSystem::physicalMemoryText(), tavrin::DiskUtilities::byteCountString(MacSystem::physicalMemory()));
        QVERIFY(MacSystem::uptimeText() != QLatin1String("-"));
        QVERIFY(MacSystem::timeSinceBootText() != QLatin1String("-"));
        QVERIFY(MacSystem::activeProcessorCount() > 0);
        QVERIFY(MacSystem::logicalCores() > 0);
        QVERIFY(!MacSystem::cpuBrand().isEmpty());
        QVERIFY(!MacSystem::hostName().isEmpty());
        QCOMPARE(MacSystem::bigSurPicture(), std::optional<platform::ui::Image>());
    }
};

QTEST_MAIN(MacSystemTest)
#include "macsystem_test.moc"
