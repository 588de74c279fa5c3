#include "olvane/app.h"

#include "olvane/apps.h"
#include "olvane/fileiconmanager.h"
#include "olvane/path.h"
#include "platform/core/coding.h"
#include "platform/core/plist.h"
#include "platform/desktop/workspace.h"

#include <QFile>

namespace olvane {

namespace {

    std::optional<platform::Value::Dictionary> infoDictionary(const QUrl &bundleUrl)
    {
        QFile file(bundleUrl.toLocalFile() + QStringLiteral("/Contents/Info.plist"));
        if (!file.open(QIODevice::ReadOnly))
            return std::nullopt;
        try {
            const platform::Value info = platform::plist::parse(file.readAll());
            if (const platform::Value::Dictionary *dictionary = info.toDictionary())
                return *dictionary;
        } catch (const platform::DecodingError &) {
        }
        return std::nullopt;
    }

    std::optional<QString> text(const platform::Value::Dictionary &dictionary, const QString &key)
    {
        const auto found = dictionary.find(key);
        if (found == dictionary.end() || !found->second.isString())
            return std::nullopt;
        return found->second.toString();
    }

} // namespace

App::App(QString appName, QString bundleIdentifier)
    : name(std::move(appName))
    , icon(FileIconManager::shared().appIcon(name))
    , identifier(std::move(bundleIdentifier))
    , baseUrl(QUrl::fromLocalFile(QStringLiteral("%1/%2.app").arg(platform::Workspace::applicationsFolder(), name)))
{
}

std::shared_ptr<App> App::fromBundle(const QUrl &bundleUrl, bool includeChildren, bool skipAppleApps)
{
    const std::optional<platform::Value::Dictionary> info = infoDictionary(bundleUrl);
    if (!info)
        return nullptr;
    const std::optional<QString> bundleIdentifier = text(*info, QStringLiteral("CFBundleIdentifier"));
    if (!bundleIdentifier)
        return nullptr;
    if (skipAppleApps && bundleIdentifier->startsWith(QStringLiteral("com.apple.")))
        return nullptr;
    QString appName = bundleUrl.adjusted(QUrl::StripTrailingSlash).fileName();
    appName.remove(QStringLiteral(".app"));
    auto app = std::make_shared<App>(appName, *bundleIdentifier);
    app->binaryFile = bundleUrl.adjusted(QUrl::StripTrailingSlash);
    app->version = text(*info, QStringLiteral("CFBundleShortVersionString"));
    app->copyright = text(*info, QStringLiteral("NSHumanReadableCopyright"));
    app->installed = Path::creationDate(bundleUrl.toLocalFile());
    if (includeChildren)
        app->children = Apps::nestedApps(bundleUrl, skipAppleApps);
    return app;
}

quint64 App::size(const std::optional<QUrl> &url)
{
    if (!url)
        return 0;
    switch (Path::pathType(url->toLocalFile())) {
    case PathType::file:
        return Path::fileSize(*url);
    case PathType::directory:
        return Path::folderSize(*url);
    case PathType::invalid:
        break;
    }
    return 0;
}

quint64 App::cachesSize() const
{
    quint64 total = 0;
    for (const QUrl &cache : caches)
        total += size(cache);
    return total;
}

quint64 App::totalSize() const
{
    return size(binaryFile) + size(container) + size(preferences) + size(savedState) + cachesSize();
}

} // namespace olvane
