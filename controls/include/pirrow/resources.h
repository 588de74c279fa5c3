#pragma once

#include <platform/core/bundle.h>

#include <QString>

namespace pirrow {

/// The library's resource bundle, "Pirrow_Pirrow.bundle", found on first use and kept for the rest
/// of the run. Stops the program with "unable to find bundle named Pirrow_Pirrow" when it is missing.
const platform::Bundle &moduleBundle();

/// The library's localised text for `key` (the key itself when no table has it).
QString localized(const QString &key);

} // namespace pirrow
