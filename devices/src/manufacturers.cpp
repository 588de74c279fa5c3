#include "fennic/manufacturers.h"

#include "localization_p.h"

#include <QHash>

namespace fennic {

namespace {
    const QHash<std::uint16_t, QString> &table()
    {
        static const QHash<std::uint16_t, QString> s_table {
            { 0x004C, QStringLiteral("Apple Inc.") },
            { 0x009E, QStringLiteral("Bose Corporation") },
            { 0x046D, QStringLiteral("Logitech Inc.") },
            { 0x012D, QStringLiteral("Sony Corporation") },
        };
        return s_table;
    }
}

std::optional<QString> Manufacturers::name(std::uint16_t vendorId)
{
    auto it = table().constFind(vendorId);
    if (it == table().constEnd())
        return std::nullopt;
    return *it;
}

QString Manufacturers::manufacturerName(std::uint16_t vendorId)
{
    return name(vendorId).value_or(localized(QStringLiteral("UNKNOWN_MANUFACTURER")));
}

} // namespace fennic
