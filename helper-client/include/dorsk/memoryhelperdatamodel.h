#pragma once

#include "dorsk/ihelperdatamodel.h"
#include "dorsk/sensordatamodelkey.h"
#include "platform/core/value.h"

#include <QString>

#include <map>

namespace dorsk {

/// The helper's store held in memory, for tests and simulated machines. Each list is kept as the
/// records' keyed dictionaries and decoded on every read, like the shared store: a read gives no value
/// when the list is absent or one of its elements does not decode. Main thread.
class MemoryHelperDataModel final : public IHelperDataModel {
public:
    /// The fixture section that holds a machine's helper store.
    static constexpr auto kFixtureSection = "helperStore";

    /// Replaces every list with those of a fixture document's "helperStore" section: an object whose
    /// members are store keys ("sensors", "fans", "traffic", "singleBatteryDevices",
    /// "doubleBatteryDevices"), each an array of records in their keyed coding; a key not named is
    /// absent. A document without the section changes nothing. All or nothing: throws DecodingError
    /// naming the place when the document is not an object, the section is not an object, a member is
    /// not a store key or not an array, or a record does not decode.
    void loadFixture(const platform::Value &document);
    /// Reads and parses a JSON fixture file, then loads it as above. Throws DecodingError when the
    /// file cannot be read or is not JSON.
    void loadFixtureFile(const QString &path);

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

    /// The stored list under a key as it is (no value: absent); tests store lists that do not decode.
    void setList(SensorDataModelKey key, std::optional<platform::Value::Array> records);
    /// Reads so far, all keys together.
    int reads() const { return m_reads; }

private:
    const platform::Value::Array *list(SensorDataModelKey key) const;

    std::map<SensorDataModelKey, platform::Value::Array> m_lists;
    mutable int m_reads = 0;
};

} // namespace dorsk
