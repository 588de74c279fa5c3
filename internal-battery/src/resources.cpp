#include "ammerl/resources.h"

namespace ammerl {

const platform::Bundle &moduleBundle()
{
    return platform::Bundle::module(QStringLiteral("Ammerl"));
}

QString localized(const QString &key)
{
    return moduleBundle().localizedString(key);
}

} // namespace ammerl
