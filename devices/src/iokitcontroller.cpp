#include "fennic/iokitcontroller.h"

#include <tavrin/constants.h>

namespace fennic {

IOKitController::IOKitController(platform::Registry &registry)
    : m_registry(registry)
{
}

std::optional<QString> IOKitController::manufacturerForAddress(const QString &address)
{
    if (auto it = m_manufacturers.constFind(address); it != m_manufacturers.constEnd())
        return *it;
    auto services = m_registry.matchingServices(appleBluetoothDevice);
    if (!services)
        return std::nullopt;
    for (const auto &service : *services) {
        const auto serviceAddress = service.property(deviceAddress);
        if (!serviceAddress || serviceAddress->toString() != address)
            continue;
        const auto descriptorList = service.property(descriptors);
        if (!descriptorList)
            continue;
        const auto *device = descriptorList->find(deviceDescriptor);
        if (!device || !device->isDictionary())
            continue;
        const auto *text = device->find(manufacturer);
        if (!text || !text->isString())
            continue;
        m_manufacturers.insert(address, *text->toString());
        return *text->toString();
    }
    return std::nullopt;
}

std::optional<DeviceProperties> IOKitController::propertiesForUniqueId(const QString &uniqueId)
{
    if (auto it = m_deviceProperties.constFind(uniqueId); it != m_deviceProperties.constEnd())
        return *it;
    auto services = m_registry.matchingServices(serviceName);
    if (!services)
        return std::nullopt;
    std::optional<std::int64_t> usage;
    std::optional<QString> maker;
    for (const auto &service : *services) {
        const auto id = service.property(physicalUniqueId);
        const auto primary = service.property(primaryUsageKey);
        const auto text = service.property(manufacturerKey);
        if (!id || id->toString() != uniqueId || !primary || !primary->isInteger())
            continue;
        usage = primary->toInteger();
        if (text && text->isString())
            maker = text->toString();
    }
    if (!usage)
        return std::nullopt;
    const DeviceProperties properties { *usage, maker.value_or(tavrin::kNoValue) };
    m_deviceProperties.insert(uniqueId, properties);
    return properties;
}

} // namespace fennic
