#include "olvane/menubartheme.h"

namespace olvane {

QString rawValue(MenuBarTheme theme)
{
    return theme == MenuBarTheme::dark ? QStringLiteral("dark") : QStringLiteral("light");
}

std::optional<MenuBarTheme> menuBarTheme(const QString &raw)
{
    if (raw == QLatin1String("light"))
        return MenuBarTheme::light;
    if (raw == QLatin1String("dark"))
        return MenuBarTheme::dark;
    return std::nullopt;
}

} // namespace olvane
