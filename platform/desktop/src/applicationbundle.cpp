#include "applicationbundle_p.h"
#include "platform/core/coding.h"
#include "platform/core/plist.h"

#include <QFile>

namespace platform::detail {

std::optional<Value::Dictionary> infoDictionary(const QString &bundlePath)
{
    QFile file(bundlePath + QStringLiteral("/Contents/Info.plist"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    try {
        Value info = plist::parse(file.readAll());
        if (const Value::Dictionary *dict = info.toDictionary())
            return *dict;
    } catch (const DecodingError &) {
    }
    return std::nullopt;
}

std::optional<QString> bundleOfExecutable(const QString &executablePath)
{
    const qsizetype slash = executablePath.lastIndexOf(QLatin1Char('/'));
    if (slash <= 0 || slash == executablePath.size() - 1)
        return std::nullopt;
    const QString folder = executablePath.left(slash);
    static const QString kMacOS = QStringLiteral("/Contents/MacOS");
    if (!folder.endsWith(kMacOS))
        return std::nullopt;
    const QString bundle = folder.chopped(kMacOS.size());
    if (!bundle.endsWith(QLatin1String(".app")) || bundle.endsWith(QLatin1String("/.app")))
        return std::nullopt;
    return bundle;
}

} // namespace platform::detail
