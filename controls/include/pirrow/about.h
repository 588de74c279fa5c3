#pragma once

#include <platform/core/value.h>

#include <QString>

#include <optional>

namespace pirrow {

/// The about panel: the program's name, version and copyright line and a privacy text, shown in the
/// shared gradient dialog.
class About {
public:
    About() = delete;

    /// Shows the panel from a program's information dictionary (its Info.plist): "CFBundleName" as
    /// subtitle, "CFBundleShortVersionString" as focus text and "NSHumanReadableCopyright" in the
    /// content. Without a dictionary, or when any of the three is missing or not a text, nothing
    /// is shown.
    static void show(const std::optional<platform::Value> &infoDictionary, const QString &privacyText);
};

} // namespace pirrow
