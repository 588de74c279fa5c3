#pragma once

#include "fennic/batterydevice.h"

namespace fennic {

/// A device with two units, such as a left and a right earbud.
class DoubleBatteryDevice : public BatteryDevice {
public:
    /// Named like headphones when the name is empty; the vendor identifier only picks the manufacturer
    /// (the record's own vendorId stays empty); a type text that names a kind sets the kind.
    DoubleBatteryDevice(const QString &name, const QString &serial, std::uint16_t vendorId,
        std::optional<std::int64_t> productId, std::optional<std::uint8_t> firstLevel,
        std::optional<std::uint8_t> secondLevel, const std::optional<QString> &typeText = std::nullopt);

    /// Both level keys must be present: a number from 0 to 255, or null for an absent level.
    static std::shared_ptr<DoubleBatteryDevice> decode(const platform::Value &value);

    std::optional<std::uint8_t> firstLevel() const { return m_firstLevel; }
    void setFirstLevel(std::optional<std::uint8_t> level) { m_firstLevel = level; }
    std::optional<std::uint8_t> secondLevel() const { return m_secondLevel; }
    void setSecondLevel(std::optional<std::uint8_t> level) { m_secondLevel = level; }

    /// Symbol names of the two units, chosen by name on every call.
    QString leftImageName() const;
    QString rightImageName() const;
    platform::ui::Image leftImage() const;
    platform::ui::Image rightImage() const;

    /// The base keys, then "firstLevel" and "secondLevel", each written as null when absent.
    void encode(platform::KeyedEncoder &encoder) const override;

private:
    DoubleBatteryDevice(BaseFields fields, std::optional<std::uint8_t> first, std::optional<std::uint8_t> second);

    std::optional<std::uint8_t> m_firstLevel;
    std::optional<std::uint8_t> m_secondLevel;
};

} // namespace fennic
