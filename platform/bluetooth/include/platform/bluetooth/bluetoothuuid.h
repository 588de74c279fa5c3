#pragma once

#include <QString>
#include <QUuid>

namespace platform {

/// A Bluetooth attribute identifier (service or characteristic). Short forms ("180F", "0000180F") stand
/// for the full identifier in the Bluetooth base range, and compare equal to it.
class BluetoothUuid {
public:
    BluetoothUuid() = default;
    explicit BluetoothUuid(const QUuid &uuid)
        : m_uuid(uuid)
    {
    }
    /// From 4 or 8 hex digits or the 36-character form; anything else gives a null identifier.
    static BluetoothUuid fromString(const QString &text);
    static BluetoothUuid fromShort(quint16 assignedNumber);

    bool isNull() const { return m_uuid.isNull(); }
    QUuid toUuid() const { return m_uuid; }
    /// Upper case: the 4-digit form for identifiers in the base range, else the 36-character form.
    QString toString() const;

    bool operator==(const BluetoothUuid &other) const { return m_uuid == other.m_uuid; }
    bool operator!=(const BluetoothUuid &other) const { return !(*this == other); }

private:
    QUuid m_uuid;
};

inline size_t qHash(const BluetoothUuid &uuid, size_t seed = 0) { return qHash(uuid.toUuid(), seed); }

} // namespace platform
