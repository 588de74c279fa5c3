#include "olvane/mobiledevices.h"

#include <QTest>

using olvane::MobileDevice;
using olvane::MobileDevices;

namespace {
QString kindOf(const MobileDevice *device)
{
    if (!device)
        return QStringLiteral("none");
    if (dynamic_cast<const olvane::Phone *>(device))
        return QStringLiteral("Phone");
    if (dynamic_cast<const olvane::Tablet *>(device))
        return QStringLiteral("Tablet");
    if (dynamic_cast<const olvane::Watch *>(device))
        return QStringLiteral("Watch");
    if (dynamic_cast<const olvane::Audio *>(device))
        return QStringLiteral("Audio");
    return QStringLiteral("other");
}
}

class MobileDevicesTest : public QObject {
    Q_OBJECT
private slots:
    void device_data()
    {
        QTest::addColumn<QString>("identifier");
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shortName");
        QTest::addColumn<QString>("icon"); // "" = none

        QTest::newRow("phone") << "iPhone12,1"
                               << "Phone"
                               << "iPhone 11"
                               << "iPhone 11"
                               << "com.apple.iphone-11-1.icns";
        QTest::newRow("first phone has no icon") << "iPhone1,1"
                                                 << "Phone"
                                                 << "iPhone"
                                                 << "iPhone"
                                                 << "";
        QTest::newRow("newest phone") << "iPhone16,2"
                                      << "Phone"
                                      << "iPhone 15 Pro Max"
                                      << "15 Pro Max"
                                      << "com.apple.iphone-15-pro-2.icns";
        QTest::newRow("unknown phone: generic") << "iPhone99,9"
                                                << "Phone"
                                                << "iPhone"
                                                << "iPhone"
                                                << "com.apple.iphone-14-pro-2.icns";
        QTest::newRow("no trimming") << " iPhone12,1"
                                     << "Phone"
                                     << "iPhone"
                                     << "iPhone"
                                     << "com.apple.iphone-14-pro-2.icns";
        QTest::newRow("phone word wins over tablet") << "iPhone-iPad1,1"
                                                     << "Phone"
                                                     << "iPhone"
                                                     << "iPhone"
                                                     << "com.apple.iphone-14-pro-2.icns";
        QTest::newRow("ipod") << "iPod7,1"
                              << "Audio"
                              << "6th Gen iPod"
                              << "iPod 6"
                              << "com.apple.ipod-touch-6-6b6a6d.icns";
        QTest::newRow("unknown ipod: nothing") << "iPod6,1"
                                               << "none"
                                               << ""
                                               << ""
                                               << "";
        QTest::newRow("tablet with suffix") << "iPad14,3-A"
                                            << "Tablet"
                                            << "iPad Pro 11 inch 4th Gen"
                                            << "iPad Pro"
                                            << "com.apple.ipad-pro-11-1.icns";
        QTest::newRow("tablet row with several keys") << "iPad13,10"
                                                      << "Tablet"
                                                      << "iPad Pro 12.9 inch 5th Gen"
                                                      << "iPad Pro"
                                                      << "com.apple.ipad-pro-12point9-2.icns";
        QTest::newRow("tablet without suffix: generic") << "iPad14,3"
                                                        << "Tablet"
                                                        << "iPad"
                                                        << "iPad"
                                                        << "com.apple.ipad-pro-12point9-2.icns";
        QTest::newRow("watch") << "Watch6,18"
                               << "Watch"
                               << "Apple Watch Ultra"
                               << "Watch Ultra"
                               << "com.apple.watch-u-8.icns";
        QTest::newRow("watch row between 6,1 and 6,3") << "Watch6,2"
                                                       << "Watch"
                                                       << "Apple Watch Series 6 44mm case (GPS)"
                                                       << "Watch 6"
                                                       << "com.apple.watch-series6-2.icns";
        QTest::newRow("unknown watch: generic") << "Watch9,9"
                                                << "Watch"
                                                << "Apple Watch"
                                                << "Apple Watch"
                                                << "com.apple.watch-placeholder.icns";
        QTest::newRow("lower case matches no word") << "iphone12,1"
                                                    << "none"
                                                    << ""
                                                    << ""
                                                    << "";
        QTest::newRow("empty") << ""
                               << "none"
                               << ""
                               << ""
                               << "";
        QTest::newRow("other device") << "MacBookPro18,3"
                                      << "none"
                                      << ""
                                      << ""
                                      << "";
    }

    void device()
    {
        QFETCH(QString, identifier);
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, shortName);
        QFETCH(QString, icon);
        const auto device = MobileDevices::device(identifier);
        QCOMPARE(kindOf(device.get()), kind);
        if (!device)
            return;
        QCOMPARE(device->name(), name);
        QCOMPARE(device->shortName(), shortName);
        QCOMPARE(device->iconName().value_or(QString()), icon);
        QCOMPARE(device->iconName().has_value(), !icon.isEmpty());
    }

    void everyCallMakesANewObject()
    {
        auto a = MobileDevices::device(QStringLiteral("iPad8,1"));
        auto b = MobileDevices::device(QStringLiteral("iPad8,1"));
        QVERIFY(a && b && a.get() != b.get());
        a->setShortName(QStringLiteral("changed"));
        QCOMPARE(b->shortName(), QStringLiteral("iPad Pro"));
        QCOMPARE(MobileDevices::device(QStringLiteral("iPad8,1"))->shortName(), QStringLiteral("iPad Pro"));
    }
};

QTEST_GUILESS_MAIN(MobileDevicesTest)
#include "mobiledevices_test.moc"
