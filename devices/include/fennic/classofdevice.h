#pragma once

#include <cstdint>

namespace fennic {

/// The major device classes of a Bluetooth Class of Device value.
enum class MajorClass { unknown, peripheral, computer, phone, audioVideo, toy, health };

/// Minor device kinds. The spelling of every case is part of the interface.
enum class BluetoothDeviceType {
    unknown,
    reserved,
    uncategorized,
    cellular,
    cordless,
    smartphone,
    wiredModemOrVoiceGateay,
    commonIsdnAccess,
    wearableHeadsetDevice,
    handsFreeDevice,
    microphone,
    loudspeaker,
    headphones,
    portableAudio,
    carAudio,
    setTopBox,
    hifiAudioDevice,
    vcr,
    videoCamera,
    camcorder,
    videoMonitor,
    videoDisplayAndLoudspeaker,
    videoConferencing,
    gamingOrToy,
    notKeyboardPointingDevice,
    keyboard,
    pointingDevice,
    comboKeyboardPointingDevice,
    gamepad,
    joystick,
    remoteControl,
    sensingDevice,
    digitizerTablet,
    cardReader,
    digitalPen,
    handheldScannerForBarCodes,
    handheldGesturalInputDevice,
    tablet,
    wearableComputer,
    robot,
    vehicle,
    dollActionFigure,
    controller,
    game,
    bloodPressure,
    thermometer,
    weighingScale,
    glucoseMeter,
    pulseOximeter,
    heartPulseRateMonitor,
    healthDataDisplay,
    stepCounter,
    bodyCompositionAnalyzer,
    medicationMonitor,
    kneeProsthesis,
    ankleProsthesis,
    genenericHealthManager,
    personalMobilityDevice,
};

/// A decoded Bluetooth Class of Device: the major class, and for peripherals a category, plus the minor
/// kind. Service-class bits are ignored.
class ClassOfDevice {
public:
    /// Decodes a 24-bit Class of Device value (major class in bits 8-12, minor class in bits 2-7).
    explicit ClassOfDevice(std::int64_t rawValue);
    /// Decodes major and minor class numbers; rawValue() is 0.
    ClassOfDevice(int majorNumber, int minorNumber);
    /// Takes the parts as given; rawValue() is 0.
    ClassOfDevice(MajorClass major, BluetoothDeviceType category, BluetoothDeviceType deviceType);

    std::int64_t rawValue() const { return m_rawValue; }
    void setRawValue(std::int64_t value) { m_rawValue = value; }
    MajorClass major() const { return m_major; }
    void setMajor(MajorClass major) { m_major = major; }
    BluetoothDeviceType category() const { return m_category; }
    void setCategory(BluetoothDeviceType category) { m_category = category; }
    BluetoothDeviceType deviceType() const { return m_deviceType; }
    void setDeviceType(BluetoothDeviceType type) { m_deviceType = type; }

private:
    void decode(int majorNumber, int minorNumber);
    void health(int minor);
    void phone(int minor);
    void toy(int minor);
    void peripheral(int minor);
    void audioVideo(int minor);
    void computer(int minor);

    std::int64_t m_rawValue = 0;
    MajorClass m_major = MajorClass::unknown;
    BluetoothDeviceType m_category = BluetoothDeviceType::unknown;
    BluetoothDeviceType m_deviceType = BluetoothDeviceType::unknown;
};

} // namespace fennic
