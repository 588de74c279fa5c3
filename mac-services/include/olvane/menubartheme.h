#pragma once

#include <QString>

#include <optional>

namespace olvane {

/// The two looks of the status bar, with their raw texts "light" and "dark".
enum class MenuBarTheme { light, dark };

QString rawValue(MenuBarTheme theme);
/// The theme whose raw text is exactly `raw` (case-sensitive), else none.
std::optional<MenuBarTheme> menuBarTheme(const QString &raw);

} // namespace olvane
