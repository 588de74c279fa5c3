#pragma once

#include "platform/core/value.h"

#include <QByteArray>

namespace platform::json {

/// Parses a JSON document (object or array at the top, or any JSON value). Integers without a
/// fraction or exponent read as integers, other numbers as reals. Throws DecodingError on bad input.
Value parse(const QByteArray &bytes);

/// Serialises a value. Data becomes base64 text and dates ISO 8601 text, as JSON has neither.
QByteArray serialize(const Value &value, bool compact = true);

} // namespace platform::json
