#include "dorsk/memoryhelperdatamodel.h"

#include "platform/core/coding.h"
#include "platform/core/json.h"

#include <QFile>

namespace dorsk {

using platform::Value;

namespace {
    template <typename List> Value::Array encodedAll(const List &records)
    {
        Value::Array array;
        for (const auto &record : records)
            array.push_back(record.encoded());
        return array;
    }

    template <typename Device> Value::Array encodedDevices(const std::vector<std::shared_ptr<Device>> &devices)
    {
        Value::Array array;
        for (const auto &device : devices)
            if (device)
                array.push_back(device->encoded());
        return array;
    }

    template <typename Record> QList<Record> decodeAll(const Value::Array &array)
    {
        QList<Record> records;
        for (const Value &element : array)
            records.append(Record::decode(element));
        return records;
    }

    template <typename Device> std::vector<std::shared_ptr<Device>> decodeDevices(const Value::Array &array)
    {
        std::vector<std::shared_ptr<Device>> devices;
        for (const Value &element : array)
            devices.push_back(Device::decode(element));
        return devices;
    }

    // The whole list, or nothing when one element does not decode.
    template <typename Result, typename Decode> std::optional<Result> readable(const Value::Array *array, Decode decode)
    {
        if (!array)
            return std::nullopt;
        try {
            return decode(*array);
        } catch (const platform::DecodingError &) {
            return std::nullopt;
        }
    }

    void decodeAny(SensorDataModelKey key, const Value::Array &array)
    {
        switch (key) {
        case SensorDataModelKey::sensors:
            decodeAll<Sensor>(array);
            break;
        case SensorDataModelKey::fans:
            decodeAll<Fan>(array);
            break;
        case SensorDataModelKey::traffic:
            decodeAll<ProcessTrafficInfo>(array);
            break;
        case SensorDataModelKey::singleBatteryDevices:
            decodeDevices<fennic::SingleBatteryDevice>(array);
            break;
        case SensorDataModelKey::doubleBatteryDevices:
            decodeDevices<fennic::DoubleBatteryDevice>(array);
            break;
        }
    }
}

void MemoryHelperDataModel::loadFixture(const Value &document)
{
    const auto section = QString::fromLatin1(kFixtureSection);
    const auto *members = document.toDictionary();
    if (!members)
        throw platform::DecodingError(QStringLiteral("fixture: the document is not an object"));
    const Value *store = document.find(section);
    if (!store)
        return;
    const auto *lists = store->toDictionary();
    if (!lists)
        throw platform::DecodingError(QStringLiteral("%1: not an object").arg(section));

    std::map<SensorDataModelKey, Value::Array> loaded;
    for (const auto &[name, value] : *lists) {
        const auto key = sensorDataModelKeyFromRawValue(name);
        if (!key)
            throw platform::DecodingError(QStringLiteral("%1.%2: not a key of the store").arg(section, name));
        const auto *array = value.toArray();
        if (!array)
            throw platform::DecodingError(QStringLiteral("%1.%2: not an array").arg(section, name));
        for (std::size_t i = 0; i < array->size(); ++i) {
            try {
                decodeAny(*key, Value::Array { (*array)[i] });
            } catch (const platform::DecodingError &error) {
                throw platform::DecodingError(
                    QStringLiteral("%1.%2[%3]: %4").arg(section, name).arg(i).arg(QString::fromUtf8(error.what())));
            }
        }
        loaded.emplace(*key, *array);
    }
    m_lists = std::move(loaded);
}

void MemoryHelperDataModel::loadFixtureFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw platform::DecodingError(QStringLiteral("%1: %2").arg(path, file.errorString()));
    loadFixture(platform::json::parse(file.readAll()));
}

void MemoryHelperDataModel::clear() { m_lists.clear(); }

void MemoryHelperDataModel::setSensors(const QList<Sensor> &sensors)
{
    m_lists[SensorDataModelKey::sensors] = encodedAll(sensors);
}

void MemoryHelperDataModel::setFans(const QList<Fan> &fans) { m_lists[SensorDataModelKey::fans] = encodedAll(fans); }

void MemoryHelperDataModel::setTraffic(const QList<ProcessTrafficInfo> &traffic)
{
    m_lists[SensorDataModelKey::traffic] = encodedAll(traffic);
}

void MemoryHelperDataModel::setSingleBatteryDevices(const SingleBatteryDevices &devices)
{
    m_lists[SensorDataModelKey::singleBatteryDevices] = encodedDevices(devices);
}

void MemoryHelperDataModel::setDoubleBatteryDevices(const DoubleBatteryDevices &devices)
{
    m_lists[SensorDataModelKey::doubleBatteryDevices] = encodedDevices(devices);
}

std::optional<QList<Sensor>> MemoryHelperDataModel::sensors() const
{
    return readable<QList<Sensor>>(list(SensorDataModelKey::sensors), decodeAll<Sensor>);
}

std::optional<QList<Fan>> MemoryHelperDataModel::fans() const
{
    return readable<QList<Fan>>(list(SensorDataModelKey::fans), decodeAll<Fan>);
}

std::optional<QList<ProcessTrafficInfo>> MemoryHelperDataModel::traffic() const
{
    return readable<QList<ProcessTrafficInfo>>(list(SensorDataModelKey::traffic), decodeAll<ProcessTrafficInfo>);
}

std::optional<SingleBatteryDevices> MemoryHelperDataModel::singleBatteryDevices() const
{
    return readable<SingleBatteryDevices>(
        list(SensorDataModelKey::singleBatteryDevices), decodeDevices<fennic::SingleBatteryDevice>);
}

std::optional<DoubleBatteryDevices> MemoryHelperDataModel::doubleBatteryDevices() const
{
    return readable<DoubleBatteryDevices>(
        list(SensorDataModelKey::doubleBatteryDevices), decodeDevices<fennic::DoubleBatteryDevice>);
}

void MemoryHelperDataModel::setList(SensorDataModelKey key, std::optional<Value::Array> records)
{
    if (records)
        m_lists[key] = std::move(*records);
    else
        m_lists.erase(key);
}

const Value::Array *MemoryHelperDataModel::list(SensorDataModelKey key) const
{
    ++m_reads;
    const auto it = m_lists.find(key);
    return it == m_lists.end() ? nullptr : &it->second;
}

} // namespace dorsk
