#include "olvane/apps.h"

#include "olvane/directory.h"
#include "olvane/path.h"
#include "platform/core/coding.h"
#include "platform/core/plist.h"

#include <QFile>

namespace olvane {

void Apps::open(const QString &path) { platform::Workspace::current().openApplication(path); }

std::optional<platform::RunningApplication> Apps::runningApplication(const QString &bundleIdentifier)
{
    for (const platform::RunningApplication &app : platform::Workspace::current().runningApplications()) {
        if (app.bundleIdentifier == bundleIdentifier)
            return app;
    }
    return std::nullopt;
}

bool Apps::isRunning(const QString &bundleIdentifier) { return runningApplication(bundleIdentifier).has_value(); }

bool Apps::terminate(const QString &bundleIdentifier)
{
    const std::optional<platform::RunningApplication> app = runningApplication(bundleIdentifier);
    return app && platform::Workspace::current().terminate(*app);
}

bool Apps::isProcessRunning(const QString &name)
{
    return platform::Workspace::current().processNames().contains(name);
}

QList<std::shared_ptr<App>> Apps::installedApps(bool skipAppleApps)
{
    QList<std::shared_ptr<App>> apps;
    for (const QUrl &folder : Path::folders(Directory::url(Directory::applications), true)) {
        if (std::shared_ptr<App> app = App::fromBundle(folder, true, skipAppleApps))
            apps.append(std::move(app));
    }
    return apps;
}

QList<std::shared_ptr<App>> Apps::nestedApps(const QUrl &bundleUrl, bool skipAppleApps)
{
    QList<std::shared_ptr<App>> apps;
    for (const QUrl &item : Path::folders(bundleUrl)) {
        const QString name = item.adjusted(QUrl::StripTrailingSlash).fileName();
        if (!name.endsWith(QStringLiteral(".app")) && !name.endsWith(QStringLiteral(".appex"))
            && !name.endsWith(QStringLiteral(".xpc")))
            continue;
        if (std::shared_ptr<App> app = App::fromBundle(item, false, skipAppleApps))
            apps.append(std::move(app));
    }
    return apps;
}

std::optional<QString> Apps::bundleIdentifier(const QUrl &bundleUrl)
{
    QFile file(bundleUrl.toLocalFile() + QStringLiteral("/Contents/Info.plist"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    try {
        const platform::Value info = platform::plist::parse(file.readAll());
        const platform::Value::Dictionary *dictionary = info.toDictionary();
        if (!dictionary)
            return std::nullopt;
        const auto found = dictionary->find(QStringLiteral("CFBundleIdentifier"));
        if (found == dictionary->end() || !found->second.isString())
            return std::nullopt;
        return found->second.toString();
    } catch (const platform::DecodingError &) {
        return std::nullopt;
    }
}

std::optional<Apps::Product> Apps::productInArchive(const QUrl &folder)
{
    const QUrl products = Path::appending(folder, { QStringLiteral("Products") });
    for (const QUrl &item : Path::folders(products)) {
        QString name = item.adjusted(QUrl::StripTrailingSlash).fileName();
        if (!name.endsWith(QStringLiteral(".app")))
            continue;
        name.remove(QStringLiteral(".app"));
        return Product { name,
            platform::Workspace::current().iconForFile(item.adjusted(QUrl::StripTrailingSlash).toLocalFile()) };
    }
    return std::nullopt;
}

} // namespace olvane
