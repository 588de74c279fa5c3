#include "fennic/bluetoothfinder.h"

#include "fennic/manufacturers.h"
#include "fennic/singlebatterydevice.h"

#include <QSet>

namespace fennic {

namespace {
    const QString kAccessoryCategory = QStringLiteral("Accessory Category");

    bool anyTextValueEquals(const platform::Value::Dictionary &dict, const QString &text)
    {
        for (const auto &[key, value] : dict) {
            if (const auto s = value.toString(); s && *s == text)
                return true;
        }
        return false;
    }

    DeviceType kindOf(const platform::Value::Dictionary &dict, const std::optional<QString> &name)
    {
        if (auto it = dict.find(kAccessoryCategory); it != dict.end()) {
            if (const auto text = it->second.toString()) {
                if (const auto type = deviceTypeFromRawText(*text))
                    return *type;
            }
        }
        if (anyTextValueEquals(dict, BluetoothFinder::mouseIdentifier)
            || anyTextValueEquals(dict, BluetoothFinder::mouseIdentifierUsb))
            return DeviceType::mouse;
        if (anyTextValueEquals(dict, BluetoothFinder::keyboardIdentifier))
            return DeviceType::keyboard;
        for (const auto &[key, value] : dict) {
            if (const auto s = value.toString(); s && s->toLower().contains(QLatin1String("keyboard")))
                return DeviceType::keyboard;
        }
        for (const auto &[key, value] : dict) {
            if (key.toLower().contains(QLatin1String("keyboard")))
                return DeviceType::keyboard;
        }
        if (name) {
            const QString lower = name->toLower();
            if (lower.contains(QLatin1String("keyboard")) || lower.contains(QLatin1String("tastatur")))
                return DeviceType::keyboard;
        }
        return DeviceType::trackpad;
    }

    std::optional<QString> textOf(const platform::Value::Dictionary &dict, const char *key)
    {
        auto it = dict.find(QLatin1String(key));
        return it == dict.end() ? std::nullopt : it->second.toString();
    }

    const platform::Value *numberOf(const platform::Value::Dictionary &dict, const char *key)
    {
        auto it = dict.find(QLatin1String(key));
        return it != dict.end() && it->second.isNumber() ? &it->second : nullptr;
    }
}

BluetoothFinder::BluetoothFinder(platform::Registry &registry)
    : m_registry(registry)
{
}

const QStringList &BluetoothFinder::registryClasses()
{
    static const QStringList s_classes {
        QStringLiteral("AppleDeviceManagementHIDEventService"),
        QStringLiteral("IOAppleBluetoothHIDDriver"),
        QStringLiteral("AppleBluetoothHIDKeyboard"),
        QStringLiteral("AppleHSBluetoothDevice"),
        QStringLiteral("BNBTrackpadDevice"),
        QStringLiteral("BNBMouseDevice"),
    };
    return s_classes;
}

void BluetoothFinder::refresh()
{
    m_devices.clear();
    m_devices = findDevices();
}

std::vector<std::shared_ptr<BatteryDevice>> BluetoothFinder::findDevices()
{
    std::vector<std::shared_ptr<BatteryDevice>> found;
    QSet<QString> seen; // lowercased serials: the records' own equality
    for (const QString &className : registryClasses()) {
        for (auto &device : devicesForClass(className)) {
            const QString key = device->serial().toLower();
            if (seen.contains(key))
                continue;
            seen.insert(key);
            found.push_back(std::move(device));
        }
    }
    return found;
}

std::vector<std::shared_ptr<BatteryDevice>> BluetoothFinder::devicesForClass(const QString &className)
{
    std::vector<std::shared_ptr<BatteryDevice>> out;
    const auto dictionaries = registryProperties(className);
    if (!dictionaries)
        return out;
    for (const auto &dict : *dictionaries) {
        const auto address = textOf(dict, "DeviceAddress");
        const auto *percent = numberOf(dict, "BatteryPercent");
        const auto transport = textOf(dict, "Transport");
        const auto *vendor = numberOf(dict, "VendorID");
        auto productIt = dict.find(QStringLiteral("ProductID"));
        const auto product = productIt == dict.end() ? std::nullopt : productIt->second.toInteger();
        if (!address || !percent || !transport || !vendor || !product)
            continue;
        const auto name = textOf(dict, "Product");

        auto device = std::make_shared<SingleBatteryDevice>(kindOf(dict, name), name, *percent);
        device->setProductId(*product);
        device->setCharging(*transport == QLatin1String("USB"));
        device->setSerial(*address);
        device->setManufacturer(Manufacturers::name(*vendor->toTruncated<std::uint16_t>()));
        out.push_back(std::move(device));
    }
    return out;
}

std::optional<std::vector<platform::Value::Dictionary>> BluetoothFinder::registryProperties(const QString &className)
{
    auto services = m_registry.matchingServices(className);
    if (!services)
        return std::nullopt;
    std::vector<platform::Value::Dictionary> out;
    for (auto &service : *services) {
        auto properties = service.properties();
        if (!properties)
            continue;
        const platform::RegistryEntry parent = service.parent();
        const platform::RegistryEntry grandparent = parent ? parent.parent() : platform::RegistryEntry();
        if (grandparent) {
            if (const auto outer = grandparent.properties()) {
                auto it = outer->find(kAccessoryCategory);
                if (it != outer->end() && it->second.isString())
                    (*properties)[kAccessoryCategory] = it->second;
                else
                    properties->erase(kAccessoryCategory);
            }
        }
        out.push_back(std::move(*properties));
        service.reset();
    }
    if (out.empty())
        return std::nullopt;
    return out;
}

} // namespace fennic
