#pragma once

#include <QString>

namespace platform {

/// printf-style formatting that never follows the user's locale: decimal point ".", no grouping,
/// whatever LC_NUMERIC or QLocale say. Every text the system builds from numbers with a fixed format
/// ("%d%%", "%.2f", "%ld %%") goes through it; `%s` takes UTF-8. Checked by the compiler like printf.
QString format(const char *format, ...) __attribute__((format(printf, 1, 2)));

} // namespace platform
