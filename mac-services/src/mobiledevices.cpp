#include "olvane/mobiledevices.h"

#include "mobiledevicetables_p.h"

namespace olvane {

namespace {
    std::optional<QString> iconFile(const char *icon)
    {
        if (!icon)
            return std::nullopt;
        return QStringLiteral("com.apple.%1.icns").arg(QLatin1String(icon));
    }

    const ModelRow *findRow(const std::vector<ModelRow> &table, const QString &key)
    {
        for (const ModelRow &row : table) {
            if (key == QLatin1String(row.key))
                return &row;
        }
        return nullptr;
    }

    template <typename Kind>
    std::unique_ptr<MobileDevice> lookUp(
        const std::vector<ModelRow> &table, const QString &key, const ModelRow *fallback)
    {
        const ModelRow *row = findRow(table, key);
        if (!row)
            row = fallback;
        if (!row)
            return nullptr;
        return std::make_unique<Kind>(
            QString::fromUtf8(row->name), QString::fromUtf8(row->shortName), iconFile(row->icon));
    }
}

std::unique_ptr<MobileDevice> MobileDevices::device(const QString &modelIdentifier)
{
    if (modelIdentifier.contains(QLatin1String("iPhone")))
        return lookUp<Phone>(phoneTable(), modelIdentifier, &genericPhone());
    if (modelIdentifier.contains(QLatin1String("iPod")))
        return lookUp<Audio>(iPodTable(), modelIdentifier, nullptr);
    if (modelIdentifier.contains(QLatin1String("iPad")))
        return lookUp<Tablet>(tabletTable(), modelIdentifier, &genericTablet());
    if (modelIdentifier.contains(QLatin1String("Watch")))
        return lookUp<Watch>(watchTable(), modelIdentifier, &genericWatch());
    return nullptr;
}

} // namespace olvane
