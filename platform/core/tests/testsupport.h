#pragma once

#include "platform/core/value.h"

#include <QTest>

namespace platform {
// Lets QCOMPARE print both sides of a failed Value comparison.
inline char *toString(const Value &v)
{
    return QTest::toString(v.debugText());
}
}
