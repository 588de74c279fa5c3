#pragma once

#include <QString>

namespace fennic {

/// The text of `key` in this library's resource bundle (the key itself when untranslated).
QString localized(const QString &key);

} // namespace fennic
