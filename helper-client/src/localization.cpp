#include "localization_p.h"
#include "platform/core/bundle.h"

namespace dorsk {

QString localized(const QString &key) { return platform::Bundle::module(QStringLiteral("Dorsk")).localizedString(key); }

} // namespace dorsk
