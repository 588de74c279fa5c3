#pragma once

#include <initializer_list>
#include <xcb/xcb.h>

namespace platform::xcb {

/// The X server connection of the application's windows; null when the application does not run
/// on X (no QGuiApplication, another platform plugin, the offscreen platform).
xcb_connection_t *connection();
/// The root window of the connection's first screen; 0 without one.
xcb_window_t rootWindow(xcb_connection_t *connection);
/// The atom of `name`, made when the server has none yet; XCB_ATOM_NONE when the server does not answer.
/// The application's own connection asks the server once per name (main thread only).
xcb_atom_t atom(xcb_connection_t *connection, const char *name);
/// Asks the application's connection for the atoms of `names` not known yet, all in one round trip, so
/// that `atom` answers them without one. Does nothing for any other connection.
void internAtoms(xcb_connection_t *connection, std::initializer_list<const char *> names);
/// Sends the application's connection the questions for the atoms of `names` not known or asked yet,
/// without waiting: `atom` and `internAtoms` take the answers, which have come meanwhile. Does nothing
/// for any other connection.
void askAtoms(xcb_connection_t *connection, std::initializer_list<const char *> names);
/// The window owning the selection `name` now; XCB_NONE for none.
xcb_window_t selectionOwner(xcb_connection_t *connection, const char *name);

} // namespace platform::xcb
