#include "dorsk/sensors.h"

#include "platform/core/coding.h"
#include "platform/core/json.h"

#include <QFile>

namespace dorsk {

namespace {
    const char *const kResourceNames[] = { "Temperatures", "Voltages", "Currents", "Powers" };
}

SensorCatalogues::SensorCatalogues(const platform::Bundle &bundle)
{
    for (int i = 0; i < CatalogueCount; ++i)
        m_paths[i] = bundle.pathForResource(QString::fromLatin1(kResourceNames[i]), QStringLiteral("json"));
}

QList<Sensor> SensorCatalogues::read(Catalogue catalogue) const
{
    const QString &path = m_paths[catalogue];
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    try {
        const platform::Value document = platform::json::parse(file.readAll());
        const platform::Value::Array *array = document.toArray();
        if (!array)
            return {};
        QList<Sensor> sensors;
        sensors.reserve(static_cast<qsizetype>(array->size()));
        for (const platform::Value &element : *array)
            sensors.append(Sensor::decode(element));
        return sensors;
    } catch (const platform::DecodingError &) {
        return {};
    }
}

QList<Sensor> SensorCatalogues::temperatures() const { return read(Temperatures); }

QList<Sensor> SensorCatalogues::voltages() const { return read(Voltages); }

QList<Sensor> SensorCatalogues::currents() const { return read(Currents); }

QList<Sensor> SensorCatalogues::powers() const { return read(Powers); }

QList<Sensor> SensorCatalogues::all() const { return temperatures() + voltages() + currents() + powers(); }

const SensorCatalogues &Sensors::shipped()
{
    static const SensorCatalogues catalogues(platform::Bundle::module(QStringLiteral("Dorsk")));
    return catalogues;
}

QList<Sensor> Sensors::temperatures() { return shipped().temperatures(); }

QList<Sensor> Sensors::voltages() { return shipped().voltages(); }

QList<Sensor> Sensors::currents() { return shipped().currents(); }

QList<Sensor> Sensors::powers() { return shipped().powers(); }

QList<Sensor> Sensors::all() { return shipped().all(); }

} // namespace dorsk
