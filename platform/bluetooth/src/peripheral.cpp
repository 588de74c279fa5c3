#include "platform/bluetooth/peripheral.h"

namespace platform {

Peripheral::Peripheral(QObject *parent)
    : QObject(parent)
{
}

Peripheral::~Peripheral() = default;

QString Peripheral::identifierString() const { return identifier().toString(QUuid::WithoutBraces).toUpper(); }

} // namespace platform
