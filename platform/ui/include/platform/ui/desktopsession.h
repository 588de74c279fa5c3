#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace platform::ui {

/// Which Qt platform the program asks for on the user's desktop session.
///
/// A status-bar program needs to place its own windows: the strip at the top right, above others and
/// reserving its room, and its menu at the point where the tray host says the user clicked. X11
/// lets it, native Wayland does not. On a Wayland session the program therefore runs through XWayland
/// wherever the session offers it (DISPLAY is set), unless the user chose a platform
/// (QT_QPA_PLATFORM). Natively on Wayland its tray items offer their menus over D-Bus and the strip is
/// an ordinary window (see TrayStatusBarPresenter, StripStatusBarPresenter).
class DesktopSession {
public:
    /// The platform to ask for ("xcb"), or empty to leave the choice to Qt.
    static QString platformFor(const QProcessEnvironment &environment);
};

} // namespace platform::ui
