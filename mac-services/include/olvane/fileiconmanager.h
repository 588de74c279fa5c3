#pragma once

#include "platform/ui/image.h"

#include <QCache>
#include <QString>
#include <QUrl>

#include <optional>

namespace olvane {

/// Icons of applications by name, cached for bundles of the applications folder.
///
/// An application's icon is the first ".icns" file under its bundle's Contents/Resources: read from
/// the system applications folder on every call, else the workspace's icon of the bundle in the
/// applications folder (cached; the cache may drop entries at any time). Main thread only.
class FileIconManager {
public:
    /// The process's instance, over "/System/Applications" and `platform::Workspace::applicationsFolder()`.
    static FileIconManager &shared();

    FileIconManager(QString systemApplicationsFolder, QString applicationsFolder);

    /// For a bundle URL (its last component ends with ".app") the workspace's icon of the bundle;
    /// for a path inside a bundle the icon of the application the first ".app" component names.
    std::optional<platform::ui::Image> icon(const QUrl &url);
    /// The icon of the application `name` (without ".app").
    std::optional<platform::ui::Image> appIcon(const QString &name);
    /// The first ".icns" file under `folder` (depth-first, hidden items and package contents skipped).
    static std::optional<QUrl> firstIconFile(const QUrl &folder);

    QCache<QString, platform::ui::Image> &cache() { return m_cache; }

private:
    QString m_systemApplicationsFolder;
    QString m_applicationsFolder;
    QCache<QString, platform::ui::Image> m_cache;
};

} // namespace olvane
