#pragma once

#include "olvane/app.h"
#include "platform/desktop/workspace.h"

#include <QString>

#include <optional>

namespace olvane {

/// Questions about and actions on other applications, through `platform::Workspace::current()`.
/// Main thread only; synchronous; failures give the neutral result.
class Apps {
public:
    Apps() = delete;

    /// The name and icon of a bundle found in an archive.
    struct Product {
        QString name;
        platform::ui::Image icon;
    };

    /// Starts the application bundle at `path`; nothing is reported.
    static void open(const QString &path);
    /// The first running application (in the workspace's order) whose bundle identifier is exactly `bundleIdentifier`.
    static std::optional<platform::RunningApplication> runningApplication(const QString &bundleIdentifier);
    static bool isRunning(const QString &bundleIdentifier);
    /// Asks the first such application to quit; false when none runs or the request failed.
    static bool terminate(const QString &bundleIdentifier);
    /// Whether a process's command name is exactly `name`.
    static bool isProcessRunning(const QString &name);
    /// Every application bundle below the applications folder (users' Library folders left out),
    /// with its nested bundles.
    static QList<std::shared_ptr<App>> installedApps(bool skipAppleApps);
    /// The ".app", ".appex" and ".xpc" bundles inside a bundle, without their own children.
    static QList<std::shared_ptr<App>> nestedApps(const QUrl &bundleUrl, bool skipAppleApps);
    /// "CFBundleIdentifier" of the bundle's Contents/Info.plist.
    static std::optional<QString> bundleIdentifier(const QUrl &bundleUrl);
    /// The first ".app" below the folder's "Products" subfolder.
    static std::optional<Product> productInArchive(const QUrl &folder);
};

} // namespace olvane
