#include "fennic/classofdevice.h"

#include <QTest>

using namespace fennic;
using T = BluetoothDeviceType;

Q_DECLARE_METATYPE(fennic::MajorClass)
Q_DECLARE_METATYPE(fennic::BluetoothDeviceType)

namespace {
qint64 raw(int major, int minor, std::int64_t serviceBits = 0)
{
    return qint64((serviceBits << 13) | (std::int64_t(major) << 8) | (std::int64_t(minor) << 2));
}
}

class ClassOfDeviceTest : public QObject {
    Q_OBJECT
private slots:
    void decode_data()
    {
        QTest::addColumn<qint64>("value");
        QTest::addColumn<MajorClass>("major");
        QTest::addColumn<T>("category");
        QTest::addColumn<T>("deviceType");
        QTest::newRow("peripheral keyboard") << raw(5, 16) << MajorClass::peripheral << T::keyboard << T::uncategorized;
        QTest::newRow("peripheral pointing joystick")
            << raw(5, 33) << MajorClass::peripheral << T::pointingDevice << T::joystick;
        QTest::newRow("peripheral combo digitizer")
            << raw(5, 53) << MajorClass::peripheral << T::comboKeyboardPointingDevice << T::digitizerTablet;
        QTest::newRow("peripheral sensing")
            << raw(5, 4) << MajorClass::peripheral << T::notKeyboardPointingDevice << T::sensingDevice;
        QTest::newRow("headset") << raw(4, 1) << MajorClass::audioVideo << T::unknown << T::wearableHeadsetDevice;
        QTest::newRow("headphones") << raw(4, 6) << MajorClass::audioVideo << T::unknown << T::headphones;
        QTest::newRow("service bits ignored")
            << raw(4, 6, 0x7FF) << MajorClass::audioVideo << T::unknown << T::headphones;
        QTest::newRow("audio reserved 17") << raw(4, 17) << MajorClass::audioVideo << T::unknown << T::reserved;
        QTest::newRow("audio toy 18") << raw(4, 18) << MajorClass::audioVideo << T::unknown << T::gamingOrToy;
        QTest::newRow("audio beyond table") << raw(4, 19) << MajorClass::audioVideo << T::unknown << T::unknown;
        QTest::newRow("smartphone") << raw(2, 3) << MajorClass::phone << T::unknown << T::smartphone;
        QTest::newRow("phone beyond table") << raw(2, 6) << MajorClass::phone << T::unknown << T::unknown;
        QTest::newRow("computer 0") << raw(1, 0) << MajorClass::computer << T::unknown << T::tablet;
        QTest::newRow("computer 3") << raw(1, 3) << MajorClass::computer << T::unknown << T::unknown;
        QTest::newRow("toy game") << raw(8, 4) << MajorClass::toy << T::unknown << T::game;
        QTest::newRow("toy beyond table") << raw(8, 5) << MajorClass::toy << T::unknown << T::unknown;
        QTest::newRow("health 0") << raw(9, 0) << MajorClass::health << T::unknown << T::uncategorized;
        QTest::newRow("health scale") << raw(9, 3) << MajorClass::health << T::unknown << T::weighingScale;
        QTest::newRow("health 14") << raw(9, 14) << MajorClass::health << T::unknown << T::personalMobilityDevice;
        QTest::newRow("health 15") << raw(9, 15) << MajorClass::health << T::unknown << T::uncategorized;
        QTest::newRow("network access point") << raw(3, 1) << MajorClass::unknown << T::unknown << T::unknown;
        QTest::newRow("imaging") << raw(6, 4) << MajorClass::unknown << T::unknown << T::unknown;
        QTest::newRow("wearable") << raw(7, 1) << MajorClass::unknown << T::unknown << T::unknown;
    }

    void decode()
    {
        QFETCH(qint64, value);
        QFETCH(MajorClass, major);
        QFETCH(T, category);
        QFETCH(T, deviceType);
        const ClassOfDevice fromRaw(value);
        QCOMPARE(fromRaw.rawValue(), value);
        QCOMPARE(fromRaw.major(), major);
        QCOMPARE(fromRaw.category(), category);
        QCOMPARE(fromRaw.deviceType(), deviceType);
        const ClassOfDevice fromParts(int((value >> 8) & 0x1F), int((value >> 2) & 0x3F));
        QCOMPARE(fromParts.rawValue(), std::int64_t(0));
        QCOMPARE(fromParts.major(), major);
        QCOMPARE(fromParts.deviceType(), deviceType);
    }

    void givenParts()
    {
        const ClassOfDevice device(MajorClass::toy, T::keyboard, T::robot);
        QCOMPARE(device.rawValue(), std::int64_t(0));
        QCOMPARE(device.major(), MajorClass::toy);
        QCOMPARE(device.category(), T::keyboard);
        QCOMPARE(device.deviceType(), T::robot);
    }
};

QTEST_GUILESS_MAIN(ClassOfDeviceTest)
#include "classofdevice_test.moc"
