#include "olvane/fileiconmanager.h"

#include "platform/desktop/workspace.h"

#include <QDir>
#include <QFileInfo>

namespace olvane {

namespace {

    // Folders the desktop shows as one item; their insides are not searched.
    bool isPackage(const QFileInfo &info)
    {
        static const QStringList kPackageSuffixes { QStringLiteral("app"), QStringLiteral("appex"),
            QStringLiteral("bundle"), QStringLiteral("framework"), QStringLiteral("plugin"), QStringLiteral("xpc") };
        return info.isDir() && kPackageSuffixes.contains(info.suffix());
    }

    std::optional<QString> findIconFile(const QString &folder)
    {
        const QFileInfoList entries = QDir(folder).entryInfoList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System, QDir::Name | QDir::DirsLast);
        for (const QFileInfo &entry : entries) {
            if (entry.fileName().endsWith(QStringLiteral(".icns")))
                return entry.absoluteFilePath();
            if (entry.isDir() && !entry.isSymLink() && !isPackage(entry)) {
                if (std::optional<QString> found = findIconFile(entry.absoluteFilePath()))
                    return found;
            }
        }
        return std::nullopt;
    }

} // namespace

FileIconManager &FileIconManager::shared()
{
    // An empty applications folder follows the workspace's setting on every call.
    static FileIconManager manager(QStringLiteral("/System/Applications"), QString());
    return manager;
}

FileIconManager::FileIconManager(QString systemApplicationsFolder, QString applicationsFolder)
    : m_systemApplicationsFolder(std::move(systemApplicationsFolder))
    , m_applicationsFolder(std::move(applicationsFolder))
    , m_cache(256)
{
}

std::optional<platform::ui::Image> FileIconManager::icon(const QUrl &url)
{
    const QString path = url.path();
    if (path.endsWith(QStringLiteral(".app")))
        return platform::Workspace::current().iconForFile(path);
    const QStringList components = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (QString component : components) {
        if (component.endsWith(QStringLiteral(".app")))
            return appIcon(component.remove(QStringLiteral(".app")));
    }
    return std::nullopt;
}

std::optional<platform::ui::Image> FileIconManager::appIcon(const QString &name)
{
    if (const platform::ui::Image *cached = m_cache.object(name))
        return *cached;

    const QString systemResources
        = QStringLiteral("%1/%2.app/Contents/Resources").arg(m_systemApplicationsFolder, name);
    if (const std::optional<QUrl> file = firstIconFile(QUrl::fromLocalFile(systemResources))) {
        const platform::ui::Image image = platform::ui::Image::fromFile(file->toLocalFile());
        if (image.hasContent())
            return image;
    }

    const QString applications
        = m_applicationsFolder.isEmpty() ? platform::Workspace::applicationsFolder() : m_applicationsFolder;
    const QString bundle = QStringLiteral("%1/%2.app").arg(applications, name);
    const std::optional<QUrl> file
        = firstIconFile(QUrl::fromLocalFile(bundle + QStringLiteral("/Contents/Resources/")));
    const platform::ui::Image image = platform::Workspace::current().iconForFile(file ? file->toLocalFile() : bundle);
    m_cache.insert(name, new platform::ui::Image(image));
    return image;
}

std::optional<QUrl> FileIconManager::firstIconFile(const QUrl &folder)
{
    if (!folder.isLocalFile() || !QFileInfo(folder.toLocalFile()).isDir())
        return std::nullopt;
    if (const std::optional<QString> found = findIconFile(folder.toLocalFile()))
        return QUrl::fromLocalFile(*found);
    return std::nullopt;
}

} // namespace olvane
