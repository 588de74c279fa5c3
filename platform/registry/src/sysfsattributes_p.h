#pragma once

#include <QHash>
#include <QString>

#include <optional>

namespace platform {

/// The attribute files of one sysfs directory, each read at most once per object: a reading made of
/// several attributes sees them as they were when it first asked. Reads never fail loudly: a missing,
/// unreadable or blank attribute is empty.
class SysfsAttributes {
public:
    explicit SysfsAttributes(QString directory);

    const QString &directory() const { return m_directory; }

    /// The attribute's text without surrounding white space.
    std::optional<QString> text(const QString &name) const;
    /// The attribute as a decimal integer; empty when its text is not one.
    std::optional<qint64> integer(const QString &name) const;

    /// The text of a file, whole; empty when it cannot be read.
    static std::optional<QByteArray> readFile(const QString &path);

private:
    QString m_directory;
    mutable QHash<QString, std::optional<QString>> m_texts;
};

} // namespace platform
