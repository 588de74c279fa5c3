#pragma once

#include "pirrow/otherapp.h"

#include <QFuture>
#include <QList>
#include <QString>
#include <QUrl>

#include <memory>
#include <optional>

namespace pirrow {

class OtherAppsViewController;

/// The maker's promotion of its other applications: its developer page at the store, and the list
/// of its applications that the maker's web site serves for the other-apps panel. Never instantiated.
class Marketing {
public:
    Marketing() = delete;

    /// The path of the list on the maker's site.
    static inline const QString appsPath = QStringLiteral("/files/apps.json");
    /// The store's host and the maker's number there.
    static inline const QString storeHost = QStringLiteral("apps.store.example");
    static inline const QString developerIdentifier = QStringLiteral("1436815702");

    /// "https://<store host>/us/developer/velmorn/id<number>": the store's page of the maker, in the browser.
    static QString developerPageText();
    /// The maker's site (`tavrin::Support::website`, or a ScopedMarketingWebsite's) plus appsPath.
    static QString appsUrl();

    /// Opens the developer page with the workspace; nothing when the text does not parse.
    static void openDeveloperPage();
    /// The initial controller of the storyboard "OtherApps" when it is an OtherAppsViewController.
    static std::unique_ptr<OtherAppsViewController> makeOtherAppsViewController();
    /// The maker's list without the entries whose bundle identifier is exactly `filter`, in the order
    /// served. Never fails: a failed request, an answer that is not the list (whatever its status) or
    /// any malformed entry gives the empty list. Finishes from the event loop.
    static QFuture<QList<OtherApp>> fetchOtherApps(const std::optional<QString> &filter = std::nullopt);
    /// The filtering step alone.
    static QList<OtherApp> filtered(QList<OtherApp> apps, const std::optional<QString> &filter);
};

/// Points the other-apps list at another site for the lifetime of the guard (tests).
class ScopedMarketingWebsite {
public:
    explicit ScopedMarketingWebsite(const QString &website);
    ~ScopedMarketingWebsite();
    ScopedMarketingWebsite(const ScopedMarketingWebsite &) = delete;
    ScopedMarketingWebsite &operator=(const ScopedMarketingWebsite &) = delete;

private:
    std::optional<QString> m_previous;
};

} // namespace pirrow
