#include "platform/core/uuid.h"

#include <QUuid>

namespace platform {

QString uuidString()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

} // namespace platform
