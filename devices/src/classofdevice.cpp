#include "fennic/classofdevice.h"

#include <array>
#include <cstddef>

namespace fennic {

using T = BluetoothDeviceType;

ClassOfDevice::ClassOfDevice(std::int64_t rawValue)
    : m_rawValue(rawValue)
{
    decode(static_cast<int>((rawValue >> 8) & 0x1F), static_cast<int>((rawValue >> 2) & 0x3F));
}

ClassOfDevice::ClassOfDevice(int majorNumber, int minorNumber) { decode(majorNumber, minorNumber); }

ClassOfDevice::ClassOfDevice(MajorClass major, BluetoothDeviceType category, BluetoothDeviceType deviceType)
    : m_major(major)
    , m_category(category)
    , m_deviceType(deviceType)
{
}

void ClassOfDevice::decode(int majorNumber, int minorNumber)
{
    m_major = MajorClass::unknown;
    m_category = T::unknown;
    m_deviceType = T::unknown;
    switch (majorNumber) {
    case 1:
        m_major = MajorClass::computer;
        computer(minorNumber);
        break;
    case 2:
        m_major = MajorClass::phone;
        phone(minorNumber);
        break;
    case 4:
        m_major = MajorClass::audioVideo;
        audioVideo(minorNumber);
        break;
    case 5:
        m_major = MajorClass::peripheral;
        peripheral(minorNumber);
        break;
    case 8:
        m_major = MajorClass::toy;
        toy(minorNumber);
        break;
    case 9:
        m_major = MajorClass::health;
        health(minorNumber);
        break;
    default:
        break;
    }
}

void ClassOfDevice::computer(int minor) { m_deviceType = minor == 0 ? T::tablet : T::unknown; }

void ClassOfDevice::phone(int minor)
{
    static constexpr std::array kinds { T::uncategorized, T::cellular, T::cordless, T::smartphone,
        T::wiredModemOrVoiceGateay, T::commonIsdnAccess };
    m_deviceType = minor >= 0 && minor < int(kinds.size()) ? kinds[std::size_t(minor)] : T::unknown;
}

void ClassOfDevice::audioVideo(int minor)
{
    static constexpr std::array kinds { T::uncategorized, T::wearableHeadsetDevice, T::handsFreeDevice, T::reserved,
        T::microphone, T::loudspeaker, T::headphones, T::portableAudio, T::carAudio, T::setTopBox, T::hifiAudioDevice,
        T::vcr, T::videoCamera, T::camcorder, T::videoMonitor, T::videoDisplayAndLoudspeaker, T::videoConferencing,
        T::reserved, T::gamingOrToy };
    m_deviceType = minor >= 0 && minor < int(kinds.size()) ? kinds[std::size_t(minor)] : T::unknown;
}

void ClassOfDevice::peripheral(int minor)
{
    static constexpr std::array categories { T::notKeyboardPointingDevice, T::keyboard, T::pointingDevice,
        T::comboKeyboardPointingDevice };
    m_category = categories[std::size_t((minor >> 4) & 0x3)];
    switch (minor & 0x5) {
    case 0:
        m_deviceType = T::uncategorized;
        break;
    case 1:
        m_deviceType = T::joystick;
        break;
    case 4:
        m_deviceType = T::sensingDevice;
        break;
    case 5:
        m_deviceType = T::digitizerTablet;
        break;
    }
}

void ClassOfDevice::toy(int minor)
{
    static constexpr std::array kinds { T::robot, T::vehicle, T::dollActionFigure, T::controller, T::game };
    m_deviceType = minor >= 0 && minor < int(kinds.size()) ? kinds[std::size_t(minor)] : T::unknown;
}

void ClassOfDevice::health(int minor)
{
    static constexpr std::array kinds { T::uncategorized, T::bloodPressure, T::thermometer, T::weighingScale,
        T::glucoseMeter, T::pulseOximeter, T::heartPulseRateMonitor, T::healthDataDisplay, T::stepCounter,
        T::bodyCompositionAnalyzer, T::medicationMonitor, T::kneeProsthesis, T::ankleProsthesis,
        T::genenericHealthManager, T::personalMobilityDevice };
    m_deviceType = minor >= 0 && minor < int(kinds.size()) ? kinds[std::size_t(minor)] : T::uncategorized;
}

} // namespace fennic
