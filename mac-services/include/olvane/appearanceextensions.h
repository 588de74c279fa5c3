#pragma once

namespace olvane {

/// Appearance helpers.
class AppearanceExtensions {
public:
    /// Whether the current drawing appearance's name, lower-cased, contains "dark".
    static bool isDark();

    AppearanceExtensions() = delete;
};

} // namespace olvane
