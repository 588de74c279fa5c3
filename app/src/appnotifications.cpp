#include "quenby/appnotifications.h"

#include <QHash>

namespace quenby {

qint64 identifierHash(const QString &identifier) { return static_cast<qint64>(qHash(identifier, 0)); }

int identifierTag(const QString &identifier) { return static_cast<int>(identifierHash(identifier)); }

} // namespace quenby
