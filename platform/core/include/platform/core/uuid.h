#pragma once

#include <QString>

namespace platform {

/// A new random (version 4) UUID in its standard text form: 36 characters, upper-case hexadecimal
/// with hyphens, e.g. "1B4E28BA-2FA1-41D2-883F-0016D3CCA427".
QString uuidString();

} // namespace platform
