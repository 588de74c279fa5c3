#pragma once

#include <QString>

namespace platform {

/// Activation tokens: the desktop's proof that the user asked for a window to come forward, which
/// Wayland compositors want before they raise one (xdg-activation; `XDG_ACTIVATION_TOKEN` for a
/// program the launcher starts).

/// The token this process was started with; read once, and taken out of the environment so that
/// programs it starts do not present it as theirs. Empty when there is none.
QString launchActivationToken();

/// Makes `token` (from a second start or a tray host) the one the next window brought forward
/// presents. Nothing for an empty token.
void adoptActivationToken(const QString &token);

} // namespace platform
