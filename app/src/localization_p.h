#pragma once

#include <QString>

namespace quenby {

/// The application's text for `key` from its resource bundle (the key itself when untranslated).
QString localized(const QString &key);

} // namespace quenby
