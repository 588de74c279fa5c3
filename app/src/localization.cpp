#include "localization_p.h"

#include <platform/core/bundle.h>

namespace quenby {

QString localized(const QString &key)
{
    return platform::Bundle::module(QStringLiteral("QuenbyApp")).localizedString(key);
}

} // namespace quenby
