#include "tavrin/resources.h"

namespace tavrin {

const platform::Bundle &moduleBundle() { return platform::Bundle::module(QStringLiteral("Tavrin")); }

QString localized(const QString &key) { return moduleBundle().localizedString(key); }

} // namespace tavrin
