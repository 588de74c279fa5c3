#include "pirrow/resources.h"

namespace pirrow {

const platform::Bundle &moduleBundle() { return platform::Bundle::module(QStringLiteral("Pirrow")); }

QString localized(const QString &key) { return moduleBundle().localizedString(key); }

} // namespace pirrow
