#pragma once

#include "platform/ui/appearance.h"

#include <QColor>
#include <QList>

#include <optional>

namespace platform::ui {

/// What an X11 system tray tells its icons about its panel.
///
/// A tray manager may set `_NET_SYSTEM_TRAY_COLORS` on the window that owns its selection
/// (`_NET_SYSTEM_TRAY_S<screen>`): twelve CARDINALs, the red, green and blue (0 to 65535 each) of the
/// foreground, error, warning and success colours its symbolic icons should take. The foreground is
/// the one that says whether the panel is dark. StatusNotifierItem hosts tell nothing of the kind.
class TrayColors {
public:
    TrayColors() = delete;

    /// The foreground of the property's values; none when there are fewer than three or a channel is
    /// above 65535 (a property that is not what it claims to be says nothing).
    static std::optional<QColor> foregroundFromProperty(const QList<quint32> &values);
    /// The foreground the tray manager of the first screen asks for, read now on the application's X
    /// connection; none without X, without a tray manager, or when it sets no (or a malformed) property.
    static std::optional<QColor> xembedTrayForeground();
    /// The appearance of a panel whose icons are drawn in `foreground`: dark for a light foreground.
    static Appearance panelAppearance(const QColor &foreground);
};

} // namespace platform::ui
