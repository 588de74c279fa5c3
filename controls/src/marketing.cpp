#include "pirrow/marketing.h"

#include "pirrow/otherappsviewcontroller.h"
#include "pirrow/storyboards.h"

#include <olvane/storyboardextensions.h>
#include <platform/core/coding.h>
#include <platform/core/json.h>
#include <platform/desktop/workspace.h>
#include <tavrin/support.h>
#include <tavrin/webrequest.h>

namespace pirrow {

namespace {
    std::optional<QString> s_website;

    QString website() { return s_website.value_or(tavrin::Support::website); }

    QList<OtherApp> decodeList(const QByteArray &body)
    {
        try {
            return OtherApps::decode(platform::json::parse(body)).apps;
        } catch (const platform::DecodingError &) {
            return {};
        }
    }
}

QString Marketing::developerPageText()
{
    // No Linux desktop handles the store application's own scheme; the same page opens in the browser.
    return QStringLiteral("https://") + storeHost + QStringLiteral("/us/developer/velmorn/id") + developerIdentifier;
}

QString Marketing::appsUrl() { return website() + appsPath; }

void Marketing::openDeveloperPage()
{
    const QUrl url(developerPageText(), QUrl::StrictMode);
    if (!url.isValid())
        return;
    platform::Workspace::current().openUrl(url);
}

std::unique_ptr<OtherAppsViewController> Marketing::makeOtherAppsViewController()
{
    registerStoryboards();
    return olvane::StoryboardExtensions::instantiateInitial<OtherAppsViewController>(
        QString::fromLatin1(kOtherAppsStoryboard));
}

QList<OtherApp> Marketing::filtered(QList<OtherApp> apps, const std::optional<QString> &filter)
{
    if (filter)
        apps.removeIf([&](const OtherApp &app) { return app.bundleIdentifier == *filter; });
    return apps;
}

QFuture<QList<OtherApp>> Marketing::fetchOtherApps(const std::optional<QString> &filter)
{
    return tavrin::WebRequest::fetch(appsUrl())
        .then([filter](const tavrin::WebResponse &response) { return filtered(decodeList(response.data), filter); })
        .onFailed([] { return QList<OtherApp>(); });
}

ScopedMarketingWebsite::ScopedMarketingWebsite(const QString &site)
    : m_previous(s_website)
{
    s_website = site;
}

ScopedMarketingWebsite::~ScopedMarketingWebsite() { s_website = m_previous; }

} // namespace pirrow
