#pragma once

#include "dorsk/sensor.h"
#include "platform/core/bundle.h"

#include <QList>

#include <array>

namespace dorsk {

/// Sensor catalogues: JSON arrays of sensors (the coding of Sensor) named "Temperatures",
/// "Voltages", "Currents" and "Powers" with the extension "json" in a resource bundle.
///
/// Where each file lies is looked up once, when the catalogues are made, and kept (a missing one is
/// remembered as missing); its contents are read on every access. A missing, unreadable or malformed catalogue
/// gives an empty list.
class SensorCatalogues {
public:
    explicit SensorCatalogues(const platform::Bundle &bundle);

    QList<Sensor> temperatures() const;
    QList<Sensor> voltages() const;
    QList<Sensor> currents() const;
    QList<Sensor> powers() const;
    /// The four catalogues in that order, duplicates kept.
    QList<Sensor> all() const;

private:
    enum Catalogue { Temperatures, Voltages, Currents, Powers, CatalogueCount };
    QList<Sensor> read(Catalogue catalogue) const;

    /// Empty for a catalogue the bundle lacks.
    std::array<QString, CatalogueCount> m_paths;
};

/// The catalogues shipped in this library's resource bundle, found on first use.
class Sensors {
public:
    Sensors() = delete;

    static QList<Sensor> temperatures();
    static QList<Sensor> voltages();
    static QList<Sensor> currents();
    static QList<Sensor> powers();
    static QList<Sensor> all();

private:
    static const SensorCatalogues &shipped();
};

} // namespace dorsk
