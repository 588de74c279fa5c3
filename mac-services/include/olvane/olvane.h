#pragma once

#include <QString>

namespace olvane {

/// The name of this library's resource bundle.
inline const QString kBundleName = QStringLiteral("Olvane");

} // namespace olvane
