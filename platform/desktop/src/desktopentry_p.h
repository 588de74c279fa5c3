#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <utility>
#include <vector>

// Reading and writing freedesktop desktop entries: the file format of autostart entries.
namespace platform::desktopentry {

/// The keys of the "[Desktop Entry]" group with their raw (still escaped) values, or nothing when
/// the bytes are not a well-formed desktop entry: not UTF-8, a line that is neither comment, group
/// header nor key=value, a key outside a group, a repeated group or key, or a first group that is
/// not "[Desktop Entry]".
std::optional<std::map<QString, QString>> parseMainGroup(const QByteArray &bytes);

/// The escapes of string values: \s \n \t \r \\. An unknown escape is kept as written.
QString unescapeString(const QString &raw);
QString escapeString(const QString &text);

/// Splits an (unescaped) Exec value into its arguments, undoing the quoting and "%%". Nothing when
/// a quote is left open or stands inside an unquoted argument, or when there is no argument.
std::optional<QStringList> splitExec(const QString &exec);
/// One Exec argument, quoted so that `splitExec` gives it back unchanged.
QString quoteExecArgument(const QString &argument);

/// A "[Desktop Entry]" group with these keys and (unescaped) values, in this order.
QByteArray write(const std::vector<std::pair<QString, QString>> &keys);

} // namespace platform::desktopentry
