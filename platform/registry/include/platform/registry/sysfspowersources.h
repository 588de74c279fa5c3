#pragma once

#include "platform/registry/powersources.h"

#include <QString>

namespace platform {

/// The power sources of a Linux machine, read from sysfs: the machine's battery (the one the
/// SysfsRegistry shows as the smart battery) is the one source, described with the keys and units of
/// `powersource`; the adapters (Mains and USB supplies) give its power state and the adapter's watts.
///
/// copyInfo() reads everything at once into the snapshot; a machine without a battery gives a
/// snapshot with an empty list. Main thread only.
class SysfsPowerSources final : public PowerSources {
public:
    /// `root` is where sysfs is mounted.
    explicit SysfsPowerSources(QString root);
    /// On the default root (SysfsRegistry::defaultRoot()).
    SysfsPowerSources();

    const QString &root() const { return m_root; }

    std::unique_ptr<PowerSourcesInfo> copyInfo() override;
    Value list(const PowerSourcesInfo &info) override;
    Value description(const PowerSourcesInfo &info, const Value &source) override;

private:
    QString m_root;
};

} // namespace platform
