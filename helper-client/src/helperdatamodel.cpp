#include "dorsk/helperdatamodel.h"

#include "platform/core/coding.h"
#include "platform/core/plist.h"

namespace dorsk {

using platform::Value;

namespace {
    template <typename List> Value::Array encodedAll(const List &records)
    {
        Value::Array array;
        array.reserve(static_cast<std::size_t>(records.size()));
        for (const auto &record : records)
            array.push_back(record.encoded());
        return array;
    }

    template <typename Device> Value::Array encodedDevices(const std::vector<std::shared_ptr<Device>> &devices)
    {
        Value::Array array;
        array.reserve(devices.size());
        for (const auto &device : devices)
            if (device)
                array.push_back(device->encoded());
        return array;
    }

    // One element that does not decode makes the whole list unreadable.
    template <typename Record> std::optional<QList<Record>> decodedAll(const std::optional<Value::Array> &array)
    {
        if (!array)
            return std::nullopt;
        try {
            QList<Record> records;
            records.reserve(static_cast<qsizetype>(array->size()));
            for (const Value &element : *array)
                records.append(Record::decode(element));
            return records;
        } catch (const platform::DecodingError &) {
            return std::nullopt;
        }
    }

    template <typename Device>
    std::optional<std::vector<std::shared_ptr<Device>>> decodedDevices(const std::optional<Value::Array> &array)
    {
        if (!array)
            return std::nullopt;
        try {
            std::vector<std::shared_ptr<Device>> devices;
            devices.reserve(array->size());
            for (const Value &element : *array)
                devices.push_back(Device::decode(element));
            return devices;
        } catch (const platform::DecodingError &) {
            return std::nullopt;
        }
    }
}

HelperDataModel::HelperDataModel()
    : HelperDataModel(platform::UserDefaults::suite(kHelperSuiteName))
{
}

HelperDataModel::HelperDataModel(std::shared_ptr<platform::UserDefaults> userDefaults)
    : m_userDefaults(std::move(userDefaults))
{
}

void HelperDataModel::clear()
{
    for (SensorDataModelKey key : kAllSensorDataModelKeys)
        setValue(key, std::nullopt);
}

void HelperDataModel::setSensors(const QList<Sensor> &sensors)
{
    store(SensorDataModelKey::sensors, encodedAll(sensors));
}

void HelperDataModel::setFans(const QList<Fan> &fans) { store(SensorDataModelKey::fans, encodedAll(fans)); }

void HelperDataModel::setTraffic(const QList<ProcessTrafficInfo> &traffic)
{
    store(SensorDataModelKey::traffic, encodedAll(traffic));
}

void HelperDataModel::setSingleBatteryDevices(const SingleBatteryDevices &devices)
{
    store(SensorDataModelKey::singleBatteryDevices, encodedDevices(devices));
}

void HelperDataModel::setDoubleBatteryDevices(const DoubleBatteryDevices &devices)
{
    store(SensorDataModelKey::doubleBatteryDevices, encodedDevices(devices));
}

std::optional<QList<Sensor>> HelperDataModel::sensors() const
{
    return decodedAll<Sensor>(load(SensorDataModelKey::sensors));
}

std::optional<QList<Fan>> HelperDataModel::fans() const { return decodedAll<Fan>(load(SensorDataModelKey::fans)); }

std::optional<QList<ProcessTrafficInfo>> HelperDataModel::traffic() const
{
    return decodedAll<ProcessTrafficInfo>(load(SensorDataModelKey::traffic));
}

std::optional<SingleBatteryDevices> HelperDataModel::singleBatteryDevices() const
{
    return decodedDevices<fennic::SingleBatteryDevice>(load(SensorDataModelKey::singleBatteryDevices));
}

std::optional<DoubleBatteryDevices> HelperDataModel::doubleBatteryDevices() const
{
    return decodedDevices<fennic::DoubleBatteryDevice>(load(SensorDataModelKey::doubleBatteryDevices));
}

void HelperDataModel::setValue(SensorDataModelKey key, const std::optional<Value> &value)
{
    if (!m_userDefaults)
        return;
    if (value && !value->isNull())
        m_userDefaults->set(rawValue(key), *value);
    else
        m_userDefaults->remove(rawValue(key));
}

void HelperDataModel::store(SensorDataModelKey key, const Value::Array &records)
{
    std::optional<Value> data;
    try {
        data = Value(platform::plist::serialize(Value(records), platform::plist::Format::Binary));
    } catch (const std::exception &) {
        // A list that cannot be encoded must not leave an older list behind as if it were current.
    }
    setValue(key, data);
}

std::optional<Value::Array> HelperDataModel::load(SensorDataModelKey key) const
{
    if (!m_userDefaults)
        return std::nullopt;
    const std::optional<QByteArray> data = m_userDefaults->data(rawValue(key));
    if (!data)
        return std::nullopt;
    try {
        Value list = platform::plist::parse(*data);
        if (Value::Array *array = list.toArray())
            return std::move(*array);
    } catch (const platform::DecodingError &) {
    }
    return std::nullopt;
}

} // namespace dorsk
