#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace platform::virtualkeycodes {

/// The Linux input event code of the key at the position of a virtual key code; none for codes
/// without a key on PC keyboards. An X11 keycode is this code plus 8.
std::optional<quint16> evdevCode(quint16 virtualKeyCode);

/// What the key types on a US layout without modifiers; none for unknown codes.
std::optional<QString> usCharacter(quint16 virtualKeyCode);

} // namespace platform::virtualkeycodes
