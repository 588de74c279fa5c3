#pragma once

#include <platform/core/bundle.h>

#include <QString>

namespace tavrin {

/// The library's resource bundle, "Tavrin_Tavrin.bundle", found on first use and kept for the rest
/// of the run. Stops the program with "unable to find bundle named Tavrin_Tavrin" when it is missing.
const platform::Bundle &moduleBundle();

/// The library's localised text for `key` (the key itself when no table has it).
QString localized(const QString &key);

} // namespace tavrin
