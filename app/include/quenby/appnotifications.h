#pragma once

#include <QString>
#include <QtGlobal>

namespace quenby {

/// Posted (without object) after a display setting changed: the status items are built anew.
inline constexpr auto kModeChanged = "ModeChanged";
/// Posted by a device row of the status menu when it is clicked, with the row's identifier hash
/// (`identifierHash`) as an integer object.
inline constexpr auto kMenuBarItemClicked = "MenuBarItemClicked";

/// The hash of a device identifier (a serial, or "internal") that travels with "MenuBarItemClicked";
/// equal texts give equal numbers within one run of the program.
qint64 identifierHash(const QString &identifier);
/// The same hash narrowed to a menu item's tag.
int identifierTag(const QString &identifier);

} // namespace quenby
