#pragma once

#include "platform/registry/powersources.h"

#include <QString>

#include <memory>

namespace platform {

namespace powersupply {
    class SupplyDirectory;
}

/// The power sources of a Linux machine, read from sysfs: the machine's batteries, read as one (as the
/// SysfsRegistry shows them as the smart battery), are the one source, described with the keys and units of
/// `powersource`; the adapters (Mains and USB supplies) give its power state and the adapter's watts.
///
/// copyInfo() reads everything that can change at once into the snapshot (what cannot, such as the
/// design capacity, only when a supply appears); a machine without a battery gives a snapshot with an
/// empty list. Main thread only.
class SysfsPowerSources final : public PowerSources {
public:
    /// `root` is where sysfs is mounted.
    explicit SysfsPowerSources(QString root);
    /// On the default root (SysfsRegistry::defaultRoot()).
    SysfsPowerSources();
    ~SysfsPowerSources() override;
    SysfsPowerSources(const SysfsPowerSources &) = delete;
    SysfsPowerSources &operator=(const SysfsPowerSources &) = delete;

    const QString &root() const { return m_root; }

    std::unique_ptr<PowerSourcesInfo> copyInfo() override;
    Value list(const PowerSourcesInfo &info) override;
    Value description(const PowerSourcesInfo &info, const Value &source) override;

private:
    QString m_root;
    // Shared with the registry on the same root.
    std::shared_ptr<powersupply::SupplyDirectory> m_supplies;
};

} // namespace platform
