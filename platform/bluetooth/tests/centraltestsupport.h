#pragma once

#include "platform/bluetooth/memorycentral.h"

#include <QCoreApplication>

namespace platform {

/// Runs the event loop at least once (so other queued calls run too), then until the central has
/// nothing waiting; false when it never settles.
inline bool drain(const MemoryCentral &central, int maxRounds = 1000)
{
    QCoreApplication::processEvents();
    for (int i = 0; i < maxRounds && !central.isIdle(); ++i)
        QCoreApplication::processEvents();
    return central.isIdle();
}

} // namespace platform
