#pragma once

#include <xcb/xcb.h>

namespace platform::xcb {

/// The X server connection of the application's windows; null when the application does not run
/// on X (no QGuiApplication, another platform plugin, the offscreen platform).
xcb_connection_t *connection();
/// The root window of the connection's first screen; 0 without one.
xcb_window_t rootWindow(xcb_connection_t *connection);
/// The atom of `name`, made when the server has none yet; XCB_ATOM_NONE when the server does not answer.
xcb_atom_t atom(xcb_connection_t *connection, const char *name);

} // namespace platform::xcb
