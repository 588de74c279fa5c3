#pragma once

#include "fennic/devicetype.h"
#include "fennic/uuid.h"
#include "platform/core/coding.h"
#include "platform/ui/image.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace fennic {

/// A device with a battery that is not the computer itself: the one record type every finder produces
/// and every view reads. Shared by reference (`std::shared_ptr`); main thread only.
///
/// Two records are equal when their serials are equal ignoring letter case; nothing else counts, not
/// even the record's class. Records cross stores and files as keyed dictionaries (`encoded()`,
/// `decode()`), the format the helper application writes.
class BatteryDevice {
public:
    /// Every field at its default, then the type, then the name: a missing or empty name becomes the
    /// localised name of the kind ("UNKNOWN" for undefined and Low Energy).
    explicit BatteryDevice(DeviceType type, const std::optional<QString> &name = std::nullopt);
    virtual ~BatteryDevice();
    BatteryDevice(const BatteryDevice &) = delete;
    BatteryDevice &operator=(const BatteryDevice &) = delete;

    /// Decodes a base record; throws platform::DecodingError when a required key is missing or null, a
    /// value has the wrong type or range, or "type" is not a kind's raw text.
    static std::shared_ptr<BatteryDevice> decode(const platform::Value &value);

    bool isCharging() const { return m_isCharging; }
    void setCharging(bool charging) { m_isCharging = charging; }
    /// A model identifier known to the finder; never encoded.
    const std::optional<QString> &internalName() const { return m_internalName; }
    void setInternalName(std::optional<QString> name) { m_internalName = std::move(name); }
    DeviceType type() const { return m_type; }
    void setType(DeviceType type) { m_type = type; }
    /// Charge in percent; empty when the device reports none.
    std::optional<std::uint8_t> batteryLevel() const { return m_batteryLevel; }
    void setBatteryLevel(std::optional<std::uint8_t> level) { m_batteryLevel = level; }
    const UUID &id() const { return m_id; }
    const QString &name() const { return m_name; }
    void setName(QString name) { m_name = std::move(name); }
    std::optional<std::int64_t> productId() const { return m_productId; }
    void setProductId(std::optional<std::int64_t> id) { m_productId = id; }
    std::optional<std::uint16_t> vendorId() const { return m_vendorId; }
    void setVendorId(std::optional<std::uint16_t> id) { m_vendorId = id; }
    /// The record's key everywhere: an address, a peripheral identifier or the helper's text.
    const QString &serial() const { return m_serial; }
    void setSerial(QString serial) { m_serial = std::move(serial); }
    const std::optional<QString> &manufacturer() const { return m_manufacturer; }
    void setManufacturer(std::optional<QString> manufacturer) { m_manufacturer = std::move(manufacturer); }

    /// The system-symbol name of the record's picture, chosen anew on every call by kind and name
    /// (symbols that older systems lack are avoided there).
    virtual QString imageName() const;
    /// The system-symbol image of imageName().
    platform::ui::Image image() const;

    /// Writes the record's keys; optional fields only when present.
    virtual void encode(platform::KeyedEncoder &encoder) const;
    platform::Value encoded() const;

    bool operator==(const BatteryDevice &other) const;
    /// Hash of the lowercased serial: equal records hash alike.
    std::size_t hashValue() const;

    /// Demonstration records, built once.
    static const std::vector<std::shared_ptr<BatteryDevice>> &testDevices();

protected:
    /// The base keys of a record, read in full before anything is stored.
    struct BaseFields {
        bool isCharging = false;
        DeviceType type = DeviceType::undefined;
        std::optional<std::uint8_t> batteryLevel;
        QString name;
        std::optional<std::int64_t> productId;
        QString serial;
        std::optional<QString> manufacturer;
        std::optional<std::uint16_t> vendorId;
    };
    static BaseFields decodeBase(const platform::KeyedDecoder &decoder);
    /// A decoded record: the fields as read, nothing derived.
    explicit BatteryDevice(BaseFields fields);

    /// The symbol chosen from kind and name alone, for subclasses that fall back to it.
    QString baseImageName() const;
    /// The symbol of a device whose kind neither its type nor its name tells.
    static constexpr const char *kGenericSymbol = "dot.radiowaves.right";

private:
    bool m_isCharging = false;
    std::optional<QString> m_internalName;
    DeviceType m_type = DeviceType::undefined;
    std::optional<std::uint8_t> m_batteryLevel;
    UUID m_id;
    QString m_name;
    std::optional<std::int64_t> m_productId;
    std::optional<std::uint16_t> m_vendorId;
    QString m_serial;
    std::optional<QString> m_manufacturer;
};

std::size_t qHash(const BatteryDevice &device, std::size_t seed);

} // namespace fennic
