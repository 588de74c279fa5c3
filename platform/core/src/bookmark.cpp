#include "platform/core/bookmark.h"

#include "platform/core/plist.h"
#include "platform/core/value.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdint>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {
    const QString kPath = QStringLiteral("path");
    const QString kDevice = QStringLiteral("device");
    const QString kInode = QStringLiteral("inode");

    void fail(QString *error, const QString &text)
    {
        if (error)
            *error = text;
    }

    std::optional<struct stat> statOf(const QString &path)
    {
        struct stat st { };
        if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
            return std::nullopt;
        return st;
    }
}

std::optional<QByteArray> Bookmark::create(const QUrl &url, unsigned, QString *error)
{
    const QString path = url.isLocalFile() ? QDir::cleanPath(url.toLocalFile()) : QString();
    const std::optional<struct stat> st = statOf(path);
    if (!st) {
        fail(error,
            QStringLiteral("The file \u201c%1\u201d couldn\u2019t be opened because there is no such file.")
                .arg(url.isLocalFile() ? QFileInfo(path).fileName() : url.toString()));
        return std::nullopt;
    }
    return plist::serialize(Value(Value::Dictionary {
        { kPath, Value(path) },
        { kDevice, Value(static_cast<long long>(static_cast<std::int64_t>(st->st_dev))) },
        { kInode, Value(static_cast<long long>(static_cast<std::int64_t>(st->st_ino))) },
    }));
}

std::optional<ResolvedBookmark> Bookmark::resolve(const QByteArray &data, unsigned, QString *error)
{
    const QString corrupted = QStringLiteral("The bookmark data is corrupted.");
    Value value;
    try {
        value = plist::parse(data);
    } catch (const std::exception &) {
        fail(error, corrupted);
        return std::nullopt;
    }
    const std::optional<QString> path = value[kPath].toString();
    if (!path || !QDir::isAbsolutePath(*path)) {
        fail(error, corrupted);
        return std::nullopt;
    }
    const std::optional<struct stat> st = statOf(*path);
    if (!st) {
        fail(error,
            QStringLiteral("The file \u201c%1\u201d couldn\u2019t be opened because there is no such file.")
                .arg(QFileInfo(*path).fileName()));
        return std::nullopt;
    }
    // Property-list integers are signed; both numbers are kept as their 64-bit patterns.
    const bool same = value[kDevice].toInteger() == std::optional<std::int64_t>(static_cast<std::int64_t>(st->st_dev))
        && value[kInode].toInteger() == std::optional<std::int64_t>(static_cast<std::int64_t>(st->st_ino));
    QString urlPath = QDir::cleanPath(*path);
    if (S_ISDIR(st->st_mode) && !urlPath.endsWith(QLatin1Char('/')))
        urlPath += QLatin1Char('/');
    return ResolvedBookmark { QUrl::fromLocalFile(urlPath), !same };
}

bool Bookmark::startAccessingSecurityScopedResource(const QUrl &url)
{
    if (!url.isLocalFile())
        return false;
    const QByteArray path = QFile::encodeName(QDir::cleanPath(url.toLocalFile()));
    return !path.isEmpty() && ::access(path.constData(), R_OK) == 0;
}

void Bookmark::stopAccessingSecurityScopedResource(const QUrl &) { }

} // namespace platform
