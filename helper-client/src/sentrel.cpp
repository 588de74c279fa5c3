#include "dorsk/sentrel.h"

#include "dorsk/helpernotifications.h"
#include "dorsk/serverversion.h"
#include "olvane/distributednotifications.h"
#include "platform/core/coding.h"
#include "platform/core/json.h"
#include "platform/core/plist.h"
#include "platform/desktop/workspace.h"
#include "tavrin/support.h"
#include "tavrin/version.h"
#include "tavrin/webrequest.h"

#include <QFile>
#include <QFileInfo>


namespace dorsk {

namespace {
    std::optional<QString> s_website;

    QString website() { return s_website.value_or(tavrin::Support::website); }

    QString decodedVersion(const QByteArray &body)
    {
        try {
            return ServerVersion::decode(platform::json::parse(body)).version;
        } catch (const platform::DecodingError &) {
            return Sentrel::noVersion;
        }
    }
}

QString Sentrel::installPath() { return platform::Workspace::applicationsFolder() + QLatin1Char('/') + bundleName; }

QString Sentrel::versionFileUrl() { return website() + versionFilePath; }

QUrl Sentrel::downloadPage()
{
    QUrl url(website());
    url.setScheme(QStringLiteral("https"));
    url.setHost(QStringLiteral("sentrel.") + url.host());
    url.setPath(QStringLiteral("/"));
    return url;
}

bool Sentrel::isInstalled() { return QFileInfo::exists(installPath()); }

bool Sentrel::isRunning() { return platform::Workspace::current().isApplicationRunning(bundleIdentifier); }

std::optional<QString> Sentrel::installedVersion()
{
    if (!isInstalled())
        return std::nullopt;
    QFile file(installPath() + QStringLiteral("/Contents/Info.plist"));
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    try {
        const platform::Value info = platform::plist::parse(file.readAll());
        const platform::Value::Dictionary *dictionary = info.toDictionary();
        if (!dictionary || dictionary->empty())
            return std::nullopt;
        return info[versionKey].toString();
    } catch (const platform::DecodingError &) {
        return std::nullopt;
    }
}

void Sentrel::launch()
{
    if (!isInstalled() || isRunning())
        return;
    platform::Workspace::current().openApplication(installPath());
}

void Sentrel::quit() { olvane::DistributedNotifications::post(HelperNotifications::terminateHelper); }

void Sentrel::openDownloadPage()
{
    const QUrl page = downloadPage();
    if (page.isValid())
        platform::Workspace::current().openUrl(page);
}

QFuture<QString> Sentrel::serverVersion()
{
    return tavrin::WebRequest::fetch(versionFileUrl()).then([](const tavrin::WebResponse &response) {
        return decodedVersion(response.data);
    });
}

QFuture<UpdateInfo> Sentrel::checkForUpdate()
{
    return serverVersion().then([](const QString &offered) {
        const std::optional<QString> installed = installedVersion();
        if (!installed)
            return UpdateInfo { false, noVersion };
        return UpdateInfo { tavrin::Version::isGreater(tavrin::Version(offered), tavrin::Version(*installed)),
            offered };
    });
}

ScopedSentrelWebsite::ScopedSentrelWebsite(const QString &site)
    : m_previous(s_website)
{
    s_website = site;
}

ScopedSentrelWebsite::~ScopedSentrelWebsite() { s_website = m_previous; }

} // namespace dorsk
