#include "tavrin/bundleextensions.h"

namespace tavrin {

namespace {
    std::optional<QString> infoText(const platform::Bundle &bundle, const QString &key)
    {
        const std::optional<platform::Value> info = bundle.infoDictionary();
        if (!info)
            return std::nullopt;
        const auto *dict = info->toDictionary();
        if (!dict)
            return std::nullopt;
        const auto it = dict->find(key);
        if (it == dict->end())
            return std::nullopt;
        return it->second.toString();
    }
} // namespace

QString BundleExtensions::appName(const platform::Bundle &bundle)
{
    return infoText(bundle, QStringLiteral("CFBundleName")).value_or(QStringLiteral("Unknown App"));
}

QString BundleExtensions::appVersion(const platform::Bundle &bundle)
{
    return infoText(bundle, QStringLiteral("CFBundleShortVersionString")).value_or(QStringLiteral("Unknown Version"));
}

} // namespace tavrin
