#include "localization_p.h"
#include "platform/core/bundle.h"

namespace fennic {

QString localized(const QString &key)
{
    return platform::Bundle::module(QStringLiteral("Fennic")).localizedString(key);
}

} // namespace fennic
