#include "olvane/macsystem.h"
#include "olvane/systemroot.h"
#include "platform/core/bundle.h"
#include "platform/core/coding.h"

#include <platform/registry/memoryregistry.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using olvane::MacSystem;
using olvane::ScopedSystemRoot;

namespace {
// A machine of tests/data/machines; "none" is a root with nothing in it.
QString machine(const QString &name)
{
    if (name == QLatin1String("none"))
        return QStringLiteral(QUENBY_TEST_DATA "/machines/none-such");
    return QStringLiteral(QUENBY_TEST_DATA "/machines/") + name;
}

bool copyTree(const QString &from, const QString &to)
{
    QDir source(from);
    if (!QDir().mkpath(to))
        return false;
    for (const QFileInfo &entry : source.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir() ? !copyTree(entry.filePath(), target) : !QFile::copy(entry.filePath(), target))
            return false;
    }
    return true;
}
}

class MacSystemTest : public QObject {
    Q_OBJECT

    // No registry entry of the platform's expert device: the serial number comes from the firmware.
    platform::MemoryRegistry m_registry;
    std::unique_ptr<platform::ScopedRegistry> m_registryGuard;

private slots:
    void initTestCase()
    {
        m_registryGuard = std::make_unique<platform::ScopedRegistry>(m_registry);
        platform::Bundle::setPreferredLanguages({ "en" });
    }

    void cleanupTestCase()
    {
        platform::Bundle::setPreferredLanguages({});
        m_registryGuard.reset();
    }

    void symbolName_data()
    {
        QTest::addColumn<QString>("machine");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("symbol");
        QTest::newRow("studio") << "desktop"
                                << "Mac13,1"
                                << "macstudio";
        QTest::newRow("other Mac13") << "desktop"
                                     << "Mac13,2"
                                     << "desktopcomputer";
        QTest::newRow("air") << "desktop"
                             << "MacBookAir10,1"
                             << "laptopcomputer";
        QTest::newRow("pro laptop") << "desktop"
                                    << "MacBookPro18,3"
                                    << "laptopcomputer";
        QTest::newRow("plain MacBook") << "desktop"
                                       << "MacBook10,1"
                                       << "desktopcomputer";
        QTest::newRow("iMac") << "desktop"
                              << "iMac21,1"
                              << "desktopcomputer";
        QTest::newRow("mini") << "desktop"
                              << "Macmini9,1"
                              << "macmini";
        QTest::newRow("first Mac Pro") << "desktop"
                                       << "MacPro5,1"
                                       << "macpro.gen1";
        QTest::newRow("cylinder") << "desktop"
                                  << "MacPro6,1"
                                  << "macpro.gen2";
        QTest::newRow("tower") << "desktop"
                               << "MacPro7,1"
                               << "macpro.gen3";
        QTest::newRow("a PC in a desktop case") << "desktop"
                                                << "ThinkPad X1"
                                                << "desktopcomputer";
        QTest::newRow("a PC in a notebook case") << "laptop"
                                                 << "20XW00GLGE"
                                                 << "laptopcomputer";
        QTest::newRow("a Mac's own rule comes first") << "laptop"
                                                      << "MacPro7,1"
                                                      << "macpro.gen3";
        QTest::newRow("no chassis type") << "none"
                                         << "Some Board"
                                         << "desktopcomputer";
    }

    void symbolName()
    {
        QFETCH(QString, machine);
        QFETCH(QString, model);
        QFETCH(QString, symbol);
        ScopedSystemRoot root(::machine(machine));
        MacSystem::setModel(model);
        QCOMPARE(MacSystem::symbolName(), symbol);
    }

    void systemNameAndVersion_data()
    {
        QTest::addColumn<QString>("machine");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("versionString");
        QTest::addColumn<std::optional<int>>("major");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("productVersion");
        QTest::newRow("release with a version") << "laptop"
                                                << "Debian GNU/Linux"
                                                << "Version 12" << std::optional<int>(12) << "Debian GNU/Linux 12"
                                                << "12";
        QTest::newRow("version and build")
            << "arm"
            << "Fedora Linux"
            << "Version 40 (Build 2024.1)" << std::optional<int>(40) << "Fedora Linux 40 (Build 2024.1)"
            << "40";
        QTest::newRow("rolling release from /usr/lib")
            << "desktop"
            << "Arch Linux"
            << "Version rolling" << std::optional<int>() << "Arch Linux rolling"
            << "-";
        QTest::newRow("no release file") << "none"
                                         << "Linux"
                                         << "Version -" << std::optional<int>() << "Linux -"
                                         << "-";
    }

    void systemNameAndVersion()
    {
        QFETCH(QString, machine);
        QFETCH(QString, name);
        QFETCH(QString, versionString);
        QFETCH(std::optional<int>, major);
        QFETCH(QString, description);
        QFETCH(QString, productVersion);
        ScopedSystemRoot root(::machine(machine));
        QCOMPARE(MacSystem::currentMacOSName(), name);
        QCOMPARE(MacSystem::versionString(), versionString);
        QCOMPARE(MacSystem::majorVersion(), major);
        QCOMPARE(MacSystem::versionDescription(), description);
        QCOMPARE(MacSystem::macOSVersionText(), description);
        QCOMPARE(MacSystem::productVersion(), productVersion);
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
        QCOMPARE(MacSystem::macOSName(kernel), name);
    }

    void factsOfTheMachine_data()
    {
        QTest::addColumn<QString>("machine");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("marketingName");
        QTest::addColumn<QString>("serialNumber");
        QTest::addColumn<QString>("computerName");
        QTest::addColumn<QString>("hostName");
        QTest::addColumn<QString>("cpuBrand");
        QTest::addColumn<int>("threads");
        QTest::addColumn<int>("physicalCores");
        QTest::addColumn<quint64>("memory");
        QTest::addColumn<int>("thermalState");
        QTest::newRow("laptop: name kept in the version field, fan running")
            << "laptop"
            << "20XW00GLGE"
            << "ThinkPad X1 Carbon Gen 9"
            << "PF2ABCDE"
            << "Alice's Laptop"
            << "alice-x1"
            << "11th Gen Intel(R) Core(TM) i7-1165G7 @ 2.80GHz" << 4 << 2 << quint64(16318480) * 1024 << 1;
        QTest::newRow("desktop: unfilled firmware fields, throttled")
            << "desktop"
            << "System Product Name"
            << "-"
            << "-"
            << "tower"
            << "tower"
            << "AMD Ryzen 9 5950X 16-Core Processor" << 1 << 1 << quint64(0) << 2;
        QTest::newRow("nothing readable") << "none"
                                          << "-"
                                          << "-"
                                          << "-"
                                          << "Unknown computer"
                                          << "-"
                                          << "-" << 0 << 0 << quint64(0) << 0;
    }

    void factsOfTheMachine()
    {
        QFETCH(QString, machine);
        QFETCH(QString, model);
        QFETCH(QString, marketingName);
        QFETCH(QString, serialNumber);
        QFETCH(QString, computerName);
        QFETCH(QString, hostName);
        QFETCH(QString, cpuBrand);
        QFETCH(int, threads);
        QFETCH(int, physicalCores);
        QFETCH(quint64, memory);
        QFETCH(int, thermalState);
        ScopedSystemRoot root(::machine(machine));
        MacSystem::setMachine(QStringLiteral("x86_64"));
        QCOMPARE(MacSystem::model(), model);
        QCOMPARE(MacSystem::marketingName(), marketingName);
        QCOMPARE(MacSystem::serialNumber(), serialNumber);
        QCOMPARE(MacSystem::computerName(), computerName);
        QCOMPARE(MacSystem::hostName(), hostName);
        QCOMPARE(MacSystem::cpuBrand(), cpuBrand);
        QCOMPARE(int(MacSystem::threadCount()), threads);
        QCOMPARE(int(MacSystem::logicalCores()), threads);
        QCOMPARE(int(MacSystem::physicalCores()), physicalCores);
        QCOMPARE(MacSystem::physicalMemory(), memory);
        QCOMPARE(MacSystem::thermalState(), thermalState);
    }

    void thermalStateFollowsTheHighestTripReached_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<int>("temperature");
        QTest::addColumn<int>("state");
        QTest::newRow("below every point") << "critical" << 50000 << 0;
        QTest::newRow("at an active point") << "active" << 70000 << 1;
        QTest::newRow("past a passive point") << "passive" << 80000 << 2;
        QTest::newRow("at a hot point") << "hot" << 70000 << 3;
        QTest::newRow("past the critical point") << "critical" << 99000 << 3;
        QTest::newRow("unreadable temperature") << "critical" << -1 << 0;
    }

    void thermalStateFollowsTheHighestTripReached()
    {
        QFETCH(QString, type);
        QFETCH(int, temperature);
        QFETCH(int, state);
        QTemporaryDir tree;
        const QString zone = tree.path() + "/sys/class/thermal/thermal_zone0";
        QVERIFY(QDir().mkpath(zone));
        const auto write = [&zone](const char *name, const QByteArray &text) {
            QFile file(zone + '/' + name);
            return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
        };
        QVERIFY(write("temp", temperature < 0 ? QByteArray("n/a\n") : QByteArray::number(temperature) + '\n'));
        QVERIFY(write("trip_point_0_type", type.toUtf8() + '\n'));
        QVERIFY(write("trip_point_0_temp", "70000\n"));
        ScopedSystemRoot root(tree.path());
        QCOMPARE(MacSystem::thermalState(), state);
    }

    void coresOfEachType_data()
    {
        QTest::addColumn<QString>("machine");
        QTest::addColumn<QString>("uname");
        QTest::addColumn<std::optional<int>>("efficiency");
        QTest::addColumn<std::optional<int>>("performance");
        QTest::newRow("ARM with both kinds") << "arm"
                                             << "arm64" << std::optional<int>(2) << std::optional<int>(1);
        QTest::newRow("ARM without such cores: zero") << "laptop"
                                                      << "arm64" << std::optional<int>(0) << std::optional<int>(0);
        QTest::newRow("Intel: none, whatever the tree says")
            << "arm"
            << "x86_64" << std::optional<int>() << std::optional<int>();
    }

    void coresOfEachType()
    {
        QFETCH(QString, machine);
        QFETCH(QString, uname);
        QFETCH(std::optional<int>, efficiency);
        QFETCH(std::optional<int>, performance);
        ScopedSystemRoot root(::machine(machine));
        MacSystem::setMachine(uname);
        QCOMPARE(MacSystem::isAppleSilicon(), uname == QLatin1String("arm64"));
        QCOMPARE(MacSystem::efficiencyCoreCount(), efficiency);
        QCOMPARE(MacSystem::performanceCoreCount(), performance);
    }

    void armMarketingNameIsTheDeviceTreeModel()
    {
        ScopedSystemRoot root(machine("arm"));
        MacSystem::setMachine(QStringLiteral("arm64"));
        QCOMPARE(MacSystem::marketingName(), QStringLiteral("Apple MacBook Air (M1, 2020)"));
        QCOMPARE(int(MacSystem::threadCount()), 3);
        QCOMPARE(int(MacSystem::physicalCores()), 3); // no core ids: one core per processor
    }

    void timeSinceBoot()
    {
        {
            ScopedSystemRoot root(machine("laptop"));
            const QString text = MacSystem::timeSinceBootText();
            QVERIFY2(text != QLatin1String("-") && !text.isEmpty(), qPrintable(text));
        }
        ScopedSystemRoot root(machine("desktop"));
        QCOMPARE(MacSystem::timeSinceBootText(), QStringLiteral("-"));
    }

    void factsAreKeptUntilTheRootChanges()
    {
        QTemporaryDir tree;
        QVERIFY(copyTree(machine("laptop"), tree.path()));
        {
            ScopedSystemRoot root(tree.path());
            QCOMPARE(MacSystem::computerName(), QStringLiteral("Alice's Laptop"));
            QVERIFY(QFile::remove(tree.path() + "/etc/machine-info"));
            QCOMPARE(MacSystem::computerName(), QStringLiteral("Alice's Laptop")); // kept
            MacSystem::setComputerName(QStringLiteral("Desk"));
            QCOMPARE(MacSystem::computerName(), QStringLiteral("Desk"));
        }
        // Back at the machine itself and again at the tree: worked out anew from what is there now.
        ScopedSystemRoot root(tree.path());
        QCOMPARE(MacSystem::computerName(), QStringLiteral("alice-x1"));
    }

    void hardwareDetailsCoding()
    {
        const olvane::AppleHardwareDetails details { "p", "d", "m", "x" };
        QCOMPARE(olvane::AppleHardwareDetails::decode(details.encoded()), details);
        QVERIFY_THROWS_EXCEPTION(platform::DecodingError,
            olvane::AppleHardwareDetails::decode(platform::Value(
                platform::Value::Dictionary { { QStringLiteral("processor"), platform::Value("p") } })));
    }
};

QTEST_MAIN(MacSystemTest)
#include "macsystem_test.moc"
