#pragma once

#include "olvane/iautostartcontroller.h"

#include <QString>

#include <memory>
#include <optional>

namespace olvane {

/// The start-at-login controller for this system, as the application builds it: from version 13 the
/// application's own login service (moving the launcher `starterIdentifier` over), before that the
/// launcher login item `starterIdentifier` for the application `bundleIdentifier`. The version is
/// `platform::SystemVersion::current()`.
std::unique_ptr<IAutoStartController> makeAutoStartController(
    const std::optional<QString> &bundleIdentifier, const QString &starterIdentifier);

} // namespace olvane
