#pragma once

#include "dorsk/ihelperdatamodel.h"
#include "dorsk/sensordatamodelkey.h"
#include "platform/core/userdefaults.h"

#include <QString>

#include <memory>
#include <optional>

namespace dorsk {

/// The application group the helper application shares its readings in.
inline const QString kHelperSuiteName = QStringLiteral("group.Q4RT8ZB2NX.com.velmorn.helper");

/// The helper's store on a user-defaults suite. Each list is one data value under its key: a binary
/// property list whose top level is an array with one dictionary per record (the records' own
/// coding), nothing added. No other key is touched.
///
/// Without a suite (it could not be opened) every write does nothing and every read gives no value.
/// Nothing is cached. Main thread.
class HelperDataModel : public IHelperDataModel {
public:
    /// On the suite kHelperSuiteName.
    HelperDataModel();
    /// On the given suite (null: none).
    explicit HelperDataModel(std::shared_ptr<platform::UserDefaults> userDefaults);

    const std::shared_ptr<platform::UserDefaults> &userDefaults() const { return m_userDefaults; }
    void setUserDefaults(std::shared_ptr<platform::UserDefaults> userDefaults)
    {
        m_userDefaults = std::move(userDefaults);
    }

    void clear() override;
    void setSensors(const QList<Sensor> &sensors) override;
    void setFans(const QList<Fan> &fans) override;
    void setTraffic(const QList<ProcessTrafficInfo> &traffic) override;
    void setSingleBatteryDevices(const SingleBatteryDevices &devices) override;
    void setDoubleBatteryDevices(const DoubleBatteryDevices &devices) override;

    std::optional<QList<Sensor>> sensors() const override;
    std::optional<QList<Fan>> fans() const override;
    std::optional<QList<ProcessTrafficInfo>> traffic() const override;
    std::optional<SingleBatteryDevices> singleBatteryDevices() const override;
    std::optional<DoubleBatteryDevices> doubleBatteryDevices() const override;

    /// Stores a value under the key's text as it is; no value removes the key.
    virtual void setValue(SensorDataModelKey key, const std::optional<platform::Value> &value);

private:
    void store(SensorDataModelKey key, const platform::Value::Array &records);
    /// The stored list's elements, or empty when there is none or it is not a property-list array.
    std::optional<platform::Value::Array> load(SensorDataModelKey key) const;

    std::shared_ptr<platform::UserDefaults> m_userDefaults;
};

} // namespace dorsk
