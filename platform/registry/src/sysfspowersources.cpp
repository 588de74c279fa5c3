#include "platform/registry/sysfspowersources.h"

#include "platform/registry/sysfsregistry.h"
#include "powersupply_p.h"

namespace platform {

namespace {
    class SysfsPowerSourcesInfo final : public PowerSourcesInfo {
    public:
        std::vector<Value> descriptions;
    };
}

SysfsPowerSources::SysfsPowerSources(QString root)
    : m_root(std::move(root))
    , m_supplies(powersupply::SupplyDirectory::shared(m_root))
{
}

SysfsPowerSources::~SysfsPowerSources() = default;

SysfsPowerSources::SysfsPowerSources()
    : SysfsPowerSources(SysfsRegistry::defaultRoot())
{
}

std::unique_ptr<PowerSourcesInfo> SysfsPowerSources::copyInfo()
{
    auto info = std::make_unique<SysfsPowerSourcesInfo>();
    const auto supplies = m_supplies->current();
    if (const auto &batteries = supplies.systemBatteries; !batteries.empty()) {
        std::vector<SysfsAttributes> adapters;
        for (const auto &adapter : supplies.adapters)
            adapters.push_back(m_supplies->attributes(adapter));
        std::vector<SysfsAttributes> members;
        for (const auto &battery : batteries)
            members.push_back(m_supplies->attributes(battery));
        // The batteries are one source, named after the first.
        // One battery is read in place, so that what it read is remembered.
        if (members.size() == 1) {
            info->descriptions.emplace_back(
                powersupply::powerSourceDescription(batteries.front(), members.front(), adapters));
        } else {
            info->descriptions.emplace_back(powersupply::powerSourceDescription(
                batteries.front(), powersupply::combinedBatteries(members), adapters));
        }
        for (size_t i = 0; i < batteries.size(); ++i)
            m_supplies->remember(batteries[i], members[i]);
    }
    return info;
}

Value SysfsPowerSources::list(const PowerSourcesInfo &info)
{
    const auto *ours = dynamic_cast<const SysfsPowerSourcesInfo *>(&info);
    if (!ours)
        return {};
    Value::Array sources;
    for (size_t i = 0; i < ours->descriptions.size(); ++i)
        sources.emplace_back(static_cast<qint64>(i));
    return Value(std::move(sources));
}

Value SysfsPowerSources::description(const PowerSourcesInfo &info, const Value &source)
{
    const auto *ours = dynamic_cast<const SysfsPowerSourcesInfo *>(&info);
    const auto index = source.isInteger() ? source.toInteger() : std::nullopt;
    if (!ours || !index || *index < 0 || *index >= static_cast<qint64>(ours->descriptions.size()))
        return {};
    return ours->descriptions[static_cast<size_t>(*index)];
}

} // namespace platform
