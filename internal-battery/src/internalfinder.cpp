#include "ammerl/internalfinder.h"

#include "ammerl/appleinternalbattery.h"
#include "ammerl/legacyinternalbattery.h"

namespace ammerl {

InternalFinder::InternalFinder(platform::Registry &registry, platform::PowerSources &sources)
    : m_sources(&sources)
    , m_serviceInternal(registry.firstMatchingService(QStringLiteral("AppleSmartBattery")))
{
}

bool InternalFinder::batteryPresent()
{
    if (m_batteryPresent)
        return *m_batteryPresent;

    // A system that gives no information or no list at all is asked again next time: a passing
    // failure must not hide the battery for the rest of the process.
    auto info = m_sources->copyInfo();
    if (!info)
        return false;
    const platform::Value list = m_sources->list(*info);
    if (list.isNull())
        return false;

    const auto *sources = list.toArray();
    m_batteryPresent = sources && !sources->empty();
    return *m_batteryPresent;
}

std::unique_ptr<InternalBattery> InternalFinder::find()
{
    if (!batteryPresent() || !m_serviceInternal.isValid())
        return nullptr;

    std::optional<QString> controller;
    {
        const platform::RegistryEntry parent = m_serviceInternal.parent();
        if (!parent.isValid())
            return nullptr;
        if (auto providerClass = parent.property(QStringLiteral("IOProviderClass")))
            controller = providerClass->toString();
    }
    if (controller == QLatin1String("IOSMBusController"))
        return std::make_unique<LegacyInternalBattery>(m_serviceInternal, *m_sources);
    if (controller == QLatin1String("AppleSMC"))
        return std::make_unique<AppleInternalBattery>(m_serviceInternal, *m_sources);
    return nullptr;
}

} // namespace ammerl
