#include "platform/core/format.h"

#include <cstdarg>

namespace platform {

QString format(const char *fmt, ...)
{
    // Qt's printf formats numbers with the C locale itself, unlike the C library's.
    va_list args;
    va_start(args, fmt);
    QString text = QString::vasprintf(fmt, args);
    va_end(args);
    return text;
}

} // namespace platform
