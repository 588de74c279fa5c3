#pragma once

#include "dorsk/fan.h"
#include "dorsk/processtrafficinfo.h"
#include "dorsk/sensor.h"
#include "fennic/doublebatterydevice.h"
#include "fennic/singlebatterydevice.h"

#include <QList>

#include <memory>
#include <optional>
#include <vector>

namespace dorsk {

using SingleBatteryDevices = std::vector<std::shared_ptr<fennic::SingleBatteryDevice>>;
using DoubleBatteryDevices = std::vector<std::shared_ptr<fennic::DoubleBatteryDevice>>;

/// The store the helper application shares with this program: five lists, each written whole and
/// read whole. Writes and reads never fail towards the caller: a read gives no value when the list is
/// absent or does not decode, in full, as that list. Every read sees what any process stored last.
class IHelperDataModel {
public:
    virtual ~IHelperDataModel() = default;

    /// Removes all five lists.
    virtual void clear() = 0;
    virtual void setSensors(const QList<Sensor> &sensors) = 0;
    virtual void setFans(const QList<Fan> &fans) = 0;
    virtual void setTraffic(const QList<ProcessTrafficInfo> &traffic) = 0;
    virtual void setSingleBatteryDevices(const SingleBatteryDevices &devices) = 0;
    virtual void setDoubleBatteryDevices(const DoubleBatteryDevices &devices) = 0;

    virtual std::optional<QList<Sensor>> sensors() const = 0;
    virtual std::optional<QList<Fan>> fans() const = 0;
    virtual std::optional<QList<ProcessTrafficInfo>> traffic() const = 0;
    virtual std::optional<SingleBatteryDevices> singleBatteryDevices() const = 0;
    virtual std::optional<DoubleBatteryDevices> doubleBatteryDevices() const = 0;
};

} // namespace dorsk
