#pragma once

#include "dorsk/updateinfo.h"

#include <QFuture>
#include <QString>
#include <QUrl>

#include <optional>

namespace dorsk {

/// The maker's separate helper application, as far as this program deals with it: where it is
/// installed, whether it runs, which version is installed and which is offered, starting it, asking
/// it to quit and opening its download page. Nothing is kept: every call looks again.
///
/// It is installed as "Sentrel.app" in platform::Workspace::applicationsFolder(), runs with the bundle
/// identifier "com.velmorn.helper", and quits on the distributed notification "TerminateHelper".
/// Main thread.
class Sentrel {
public:
    Sentrel() = delete;

    static inline const QString bundleIdentifier = QStringLiteral("com.velmorn.helper");
    static inline const QString bundleName = QStringLiteral("Sentrel.app");
    static inline const QString versionKey = QStringLiteral("CFBundleShortVersionString");
    static inline const QString versionFilePath = QStringLiteral("/files/helper.json");
    /// The version given for an answer that is not a version file, and for a missing installation.
    static inline const QString noVersion = QStringLiteral("0.0.0");

    /// Where the application is installed: "<applications folder>/Sentrel.app".
    static QString installPath();
    /// The version file: the maker's web site plus versionFilePath.
    static QString versionFileUrl();
    /// The helper's own web site, whose root page is the download page: the maker's site with
    /// "sentrel." before its host, always over https.
    static QUrl downloadPage();

    /// Whether anything exists at installPath().
    static bool isInstalled();
    /// Whether a running application has exactly the helper's bundle identifier.
    static bool isRunning();
    /// "CFBundleShortVersionString" of the installed Info.plist (XML or binary), when it is a text.
    static std::optional<QString> installedVersion();

    /// Opens the installed application unless it is missing or already runs.
    static void launch();
    /// Posts "TerminateHelper" without object, whether or not the helper runs.
    static void quit();
    /// Opens the download page in the user's browser.
    static void openDownloadPage();

    /// The version offered on the web site. A transport failure fails the future (tavrin::WebError);
    /// an answer that is not a version file, whatever its status, gives noVersion.
    static QFuture<QString> serverVersion();
    /// serverVersion() against installedVersion(): an update is available when the offered version is
    /// greater (numeric comparison). Without an installed version: no update and noVersion.
    static QFuture<UpdateInfo> checkForUpdate();
};

/// Points the helper's web addresses at another site for the lifetime of the guard (tests).
class ScopedSentrelWebsite {
public:
    explicit ScopedSentrelWebsite(const QString &website);
    ~ScopedSentrelWebsite();
    ScopedSentrelWebsite(const ScopedSentrelWebsite &) = delete;
    ScopedSentrelWebsite &operator=(const ScopedSentrelWebsite &) = delete;

private:
    std::optional<QString> m_previous;
};

} // namespace dorsk
