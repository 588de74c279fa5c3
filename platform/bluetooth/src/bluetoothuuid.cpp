#include "platform/bluetooth/bluetoothuuid.h"

namespace platform {

namespace {
    // The Bluetooth base identifier, 0000xxxx-0000-1000-8000-00805F9B34FB.
    constexpr quint16 kBase2 = 0x0000;
    constexpr quint16 kBase3 = 0x1000;
    constexpr uchar kBase4[8] = { 0x80, 0x00, 0x00, 0x80, 0x5F, 0x9B, 0x34, 0xFB };

    bool isHex(const QString &text)
    {
        for (QChar c : text) {
            if (!((c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F')))
                return false;
        }
        return true;
    }

    QUuid fromBase(quint32 value)
    {
        return QUuid(value, kBase2, kBase3, kBase4[0], kBase4[1], kBase4[2], kBase4[3], kBase4[4], kBase4[5], kBase4[6],
            kBase4[7]);
    }
}

BluetoothUuid BluetoothUuid::fromString(const QString &text)
{
    if ((text.size() == 4 || text.size() == 8) && isHex(text))
        return BluetoothUuid(fromBase(text.toUInt(nullptr, 16)));
    if (text.size() == 36) {
        const QUuid uuid = QUuid::fromString(text);
        if (!uuid.isNull())
            return BluetoothUuid(uuid);
    }
    return {};
}

BluetoothUuid BluetoothUuid::fromShort(quint16 assignedNumber) { return BluetoothUuid(fromBase(assignedNumber)); }

QString BluetoothUuid::toString() const
{
    const QUuid base = fromBase(m_uuid.data1);
    if (!isNull() && m_uuid == base && m_uuid.data1 <= 0xFFFF)
        return QStringLiteral("%1").arg(m_uuid.data1, 4, 16, QLatin1Char('0')).toUpper();
    return m_uuid.toString(QUuid::WithoutBraces).toUpper();
}

} // namespace platform
