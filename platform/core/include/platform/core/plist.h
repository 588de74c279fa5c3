#pragma once

#include "platform/core/value.h"

#include <QByteArray>

namespace platform::plist {

/// Property lists have no null: an absent optional that a record writes as null is spelled as the
/// string "$null", the way the original platform's property-list encoder spells it, and reads back
/// as a null Value. A real string "$null" therefore also reads back as null.
inline constexpr auto kNullMarker = "$null";

enum class Format { Binary, Xml };

/// Parses XML or binary property-list bytes (the format is detected). Throws DecodingError for
/// anything that is not a whole, well-formed property list.
Value parse(const QByteArray &bytes);

/// Serialises a value; binary is the default format of keyed coding into property lists.
QByteArray serialize(const Value &value, Format format = Format::Binary);

} // namespace platform::plist
