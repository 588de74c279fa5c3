#pragma once

#include "platform/core/value.h"

#include <QString>

#include <optional>

namespace platform::detail {

/// The dictionary in `<bundle>/Contents/Info.plist` (XML or binary); empty when the file is missing,
/// unreadable, malformed or not a dictionary.
std::optional<Value::Dictionary> infoDictionary(const QString &bundlePath);

/// The bundle directory (`…/Name.app`) of an executable at `…/Name.app/Contents/MacOS/<file>`; empty
/// for any other path.
std::optional<QString> bundleOfExecutable(const QString &executablePath);

} // namespace platform::detail
