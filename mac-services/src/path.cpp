#include "olvane/path.h"

#include "fileurl_p.h"
#include "olvane/directory.h"
#include "olvane/urlextensions.h"

#include <platform/core/systemversion.h>
#include <platform/desktop/fileicons.h>
#include <platform/desktop/workspace.h>
#include <tavrin/urlextensions.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <functional>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace olvane {

namespace {
    struct Entry {
        QString path;
        bool isDirectory = false;
        bool readable = true; // whether the item's own metadata could be read
    };

    void printLine(const QString &text)
    {
        const QByteArray line = text.toLocal8Bit() + '\n';
        std::fwrite(line.constData(), 1, size_t(line.size()), stdout);
        std::fflush(stdout);
    }

    QString errorText(const QString &path, int error)
    {
        return QStringLiteral("The item \u201c%1\u201d couldn\u2019t be read: %2")
            .arg(QFileInfo(path).fileName(), QString::fromLocal8Bit(std::strerror(error)));
    }

    bool isHidden(const QString &name) { return name.startsWith(QLatin1Char('.')); }

    bool isPackage(const QString &name)
    {
        static const QStringList suffixes { QStringLiteral(".app"), QStringLiteral(".bundle"),
            QStringLiteral(".framework"), QStringLiteral(".plugin"), QStringLiteral(".appex"), QStringLiteral(".xpc"),
            QStringLiteral(".kext"), QStringLiteral(".prefPane") };
        return std::any_of(suffixes.begin(), suffixes.end(), [&](const QString &s) { return name.endsWith(s); });
    }

    // The entries of one folder in name order, or the error number when it cannot be listed.
    std::optional<QList<Entry>> listFolder(const QString &folder, int *error)
    {
        DIR *dir = ::opendir(QFile::encodeName(folder).constData());
        if (!dir) {
            *error = errno;
            return std::nullopt;
        }
        QList<Entry> entries;
        const QString prefix = folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
        while (const dirent *d = ::readdir(dir)) {
            const QString name = QFile::decodeName(d->d_name);
            if (name == QLatin1String(".") || name == QLatin1String(".."))
                continue;
            Entry entry { prefix + name };
            struct stat st { };
            if (::lstat(QFile::encodeName(entry.path).constData(), &st) == 0)
                entry.isDirectory = S_ISDIR(st.st_mode);
            else
                entry.readable = false;
            entries.append(entry);
        }
        ::closedir(dir);
        std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.path < b.path; });
        return entries;
    }

    struct WalkOptions {
        bool skipHidden = false;
        bool skipPackageDescendants = false;
    };

    // Every item below `root`, each folder before its contents; folders that cannot be listed are
    // passed over. The visitor returns false to stop. False when the root cannot be listed.
    bool walk(const QString &root, WalkOptions options, const std::function<bool(const Entry &)> &visit)
    {
        int error = 0;
        const std::optional<QList<Entry>> top = listFolder(root, &error);
        if (!top)
            return false;
        std::function<bool(const QList<Entry> &)> descend = [&](const QList<Entry> &entries) {
            for (const Entry &entry : entries) {
                const QString name = QFileInfo(entry.path).fileName();
                if (options.skipHidden && isHidden(name))
                    continue;
                if (!visit(entry))
                    return false;
                if (!entry.isDirectory || (options.skipPackageDescendants && isPackage(name)))
                    continue;
                int ignored = 0;
                if (const auto below = listFolder(entry.path, &ignored); below && !descend(*below))
                    return false;
            }
            return true;
        };
        descend(*top);
        return true;
    }

    bool insideUserLibrary(const QString &path)
    {
        const QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
        // With "/" as the first component, the fourth is parts[2].
        return parts.size() > 2 && parts.at(2) == QLatin1String("Library");
    }

    QUrl urlOf(const Entry &entry) { return fileurl::make(entry.path, entry.isDirectory); }

    QList<QUrl> deepList(const QUrl &folder, WalkOptions options, const std::function<bool(const Entry &)> &keep)
    {
        QList<QUrl> result;
        walk(fileurl::path(folder), options, [&](const Entry &entry) {
            if (keep(entry))
                result.append(urlOf(entry));
            return true;
        });
        return result;
    }

    bool endsWith(const Entry &entry, const QString &suffix)
    {
        return QFileInfo(entry.path).fileName().endsWith(suffix);
    }
}

PathType Path::pathType(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return PathType::invalid;
    return info.isDir() ? PathType::directory : PathType::file;
}

bool Path::isDirectory(const QString &path) { return pathType(path) == PathType::directory; }

bool Path::exists(const QString &path) { return pathType(path) != PathType::invalid; }

bool Path::exists(const QUrl &url) { return exists(fileurl::path(url)); }

QList<QUrl> Path::contents(const QUrl &folder, bool directories) { return contents(folder, directories, false); }

QList<QUrl> Path::contents(const QUrl &folder, bool directories, bool excludingUserLibrary)
{
    const QString path = fileurl::path(folder);
    int error = 0;
    const std::optional<QList<Entry>> entries = listFolder(path, &error);
    if (!entries) {
        printLine(errorText(path, error));
        return {};
    }
    QList<QUrl> result;
    for (const Entry &entry : *entries) {
        if (isHidden(QFileInfo(entry.path).fileName()) || entry.isDirectory != directories)
            continue;
        if (excludingUserLibrary && insideUserLibrary(entry.path))
            continue;
        result.append(urlOf(entry));
    }
    return result;
}

QList<QUrl> Path::folders(const QUrl &folder) { return folders(folder, false); }

QList<QUrl> Path::folders(const QUrl &folder, bool excludingUserLibrary)
{
    QList<QUrl> result;
    walk(fileurl::path(folder), { true, true }, [&](const Entry &entry) {
        if (!entry.readable) {
            printLine(errorText(entry.path, ENOENT));
            return false;
        }
        if (entry.isDirectory && !(excludingUserLibrary && insideUserLibrary(entry.path)))
            result.append(urlOf(entry));
        return true;
    });
    return result;
}

QList<QUrl> Path::items(const QUrl &folder)
{
    return deepList(folder, { true, true }, [](const Entry &) { return true; });
}

QList<QUrl> Path::items(const QUrl &folder, const QString &suffix)
{
    return deepList(folder, { true, false }, [&](const Entry &entry) { return endsWith(entry, suffix); });
}

QList<QUrl> Path::files(const QUrl &folder)
{
    return deepList(folder, { true, true }, [](const Entry &entry) { return !entry.isDirectory; });
}

QList<QUrl> Path::files(const QUrl &folder, const QString &suffix)
{
    return deepList(
        folder, { true, true }, [&](const Entry &entry) { return !entry.isDirectory && endsWith(entry, suffix); });
}

QList<QUrl> Path::containers(bool excludingApple)
{
    QList<QUrl> folders = contents(fileurl::make(Directory::path(Directory::containers), true), true);
    if (excludingApple) {
        folders.removeIf(
            [](const QUrl &url) { return fileurl::lastComponent(url).startsWith(QLatin1String("com.apple.")); });
    }
    return folders;
}

qint64 Path::itemCount(const QUrl &folder, bool directories)
{
    qint64 count = 0;
    std::function<void(const QUrl &)> countBelow = [&](const QUrl &dir) {
        for (const QUrl &item : contents(dir, directories)) {
            ++count;
            if (directories && !UrlExtensions::isSymbolicLink(item))
                countBelow(item);
        }
        if (!directories) {
            for (const QUrl &sub : contents(dir, true)) {
                if (!UrlExtensions::isSymbolicLink(sub))
                    countBelow(sub);
            }
        }
    };
    for (const QUrl &top : contents(folder, true, true)) {
        if (!UrlExtensions::isSymbolicLink(top) && !insideUserLibrary(fileurl::path(top)))
            countBelow(top);
    }
    return count;
}

std::uint64_t Path::fileSize(const QUrl &url)
{
    struct stat st { };
    if (!url.isLocalFile() || ::lstat(QFile::encodeName(fileurl::path(url)).constData(), &st) != 0)
        return 0;
    return S_ISDIR(st.st_mode) ? 0 : std::uint64_t(st.st_size);
}

std::uint64_t Path::folderSize(const QUrl &url)
{
    std::uint64_t total = 0;
    walk(fileurl::path(url), {}, [&](const Entry &entry) {
        if (entry.isDirectory || !entry.readable)
            return true;
        struct stat st { };
        if (::lstat(QFile::encodeName(entry.path).constData(), &st) == 0) {
            const auto size = std::uint64_t(st.st_size);
            total = size > std::numeric_limits<std::uint64_t>::max() - total ? std::numeric_limits<std::uint64_t>::max()
                                                                             : total + size;
        }
        return true;
    });
    return total;
}

std::optional<QDateTime> Path::creationDate(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.birthTime().isValid())
        return std::nullopt;
    return info.birthTime();
}

std::optional<QDateTime> Path::modificationDate(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() || !info.lastModified().isValid())
        return std::nullopt;
    return info.lastModified();
}

std::optional<QDateTime> Path::lastUsedDate(const QString &path)
{
    if (path.isEmpty() || ::access(QFile::encodeName(path).constData(), R_OK) != 0)
        return std::nullopt;
    const QDateTime used = QFileInfo(path).lastRead();
    if (!used.isValid())
        return std::nullopt;
    return used;
}

std::optional<platform::ui::Image> Path::icon(const QUrl &url)
{
    const QString path = fileurl::path(url);
    if (platform::SystemVersion::current().isAtLeast(12)) {
        const std::optional<platform::UniformType> type = tavrin::UrlExtensions::contentType(url);
        if (!type)
            return std::nullopt;
        QString mimeType = type->preferredMimeType();
        if (mimeType.isEmpty() && type->conforms(platform::UniformType::folder()))
            mimeType = QStringLiteral("inode/directory");
        return platform::FileIcons::iconForContentType(mimeType);
    }
    return platform::FileIcons::iconForFileType(QFileInfo(path).suffix());
}

platform::ui::Image Path::icon(const QString &path) { return platform::Workspace::current().iconForFile(path); }

bool Path::remove(const QUrl &url)
{
    const QString path = fileurl::path(url);
    const QFileInfo info(path);
    int error = 0;
    if (info.isDir() && !info.isSymLink()) {
        if (!QDir(path).removeRecursively())
            error = EACCES;
    } else if (::unlink(QFile::encodeName(path).constData()) != 0) {
        error = errno;
    }
    if (error != 0)
        printLine(errorText(path, error));
    return !QFileInfo::exists(path);
}

QUrl Path::appending(const QUrl &base, const QStringList &components)
{
    const bool inferFromText = platform::SystemVersion::current().isAtLeast(13);
    QUrl url = base;
    for (const QString &component : components) {
        const bool marked = component.endsWith(QLatin1Char('/'));
        QUrl next = fileurl::appending(url, component, marked);
        if (!marked && !inferFromText && QFileInfo(fileurl::path(next)).isDir())
            next = fileurl::appending(url, component, true);
        url = next;
    }
    return url;
}

} // namespace olvane
