#pragma once

#include <QByteArray>
#include <QString>

#include <map>

namespace platform {

/// The key/value pairs of the bytes of a `.strings` file: UTF-8, or UTF-16/UTF-8 after a byte-order
/// mark. Malformed entries are skipped.
std::map<QString, QString> parseStringsFile(const QByteArray &bytes);

} // namespace platform
