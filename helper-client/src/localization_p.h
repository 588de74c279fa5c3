#pragma once

#include <QString>

namespace dorsk {

/// The text of `key` in this library's resource bundle (the key itself when untranslated).
QString localized(const QString &key);

} // namespace dorsk
