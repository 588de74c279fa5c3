#include "appdelegate.h"

#include "olvane/apps.h"
#include "olvane/distributednotifications.h"
#include "olvane/loginitemautostartcontroller.h"
#include "platform/core/bundle.h"
#include "platform/desktop/workspace.h"

#include <QDir>

#include <cstdio>
#include <cstdlib>

namespace quenbylauncher {

namespace {
    // The launcher lies at <App>.app/Contents/Library/LoginItems/<Launcher>.app.
    constexpr qsizetype kDepthInsideApplication = 4;
}

AppDelegate::AppDelegate(QString bundlePath, QObject *parent)
    : QObject(parent)
    , m_mainIdentifier(QStringLiteral("com.velmorn.quenby"))
    , m_bundlePath(bundlePath.isEmpty() ? platform::Bundle::main().path() : std::move(bundlePath))
{
}

void AppDelegate::applicationDidFinishLaunching() { startMainApplication(); }

void AppDelegate::startMainApplication()
{
    if (olvane::Apps::isRunning(m_mainIdentifier)) {
        terminate();
        return;
    }

    // Registered before the application is opened, so that its "killme" finds us listening.
    olvane::DistributedNotifications::addObserver(
        this, [this](const olvane::DistributedNotifications::Notification &) { terminate(); }, olvane::kKillMe,
        m_mainIdentifier);

    const auto application = mainApplicationPath(m_bundlePath);
    if (!application) {
        // Not placed inside an application bundle: there is nothing to start and nobody will send "killme".
        std::fprintf(stderr, "QuenbyLauncher: %s does not lie inside an application bundle; nothing to start\n",
            qPrintable(QDir::toNativeSeparators(m_bundlePath)));
        emit terminationRequested(EXIT_FAILURE);
        return;
    }
    platform::Workspace::current().openApplication(*application);
}

void AppDelegate::terminate() { emit terminationRequested(EXIT_SUCCESS); }

std::optional<QString> AppDelegate::mainApplicationPath(const QString &bundlePath)
{
    const QString cleaned = QDir::cleanPath(bundlePath);
    const QStringList parts = cleaned.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (parts.size() <= kDepthInsideApplication)
        return std::nullopt;
    const QString kept = parts.first(parts.size() - kDepthInsideApplication).join(QLatin1Char('/'));
    return cleaned.startsWith(QLatin1Char('/')) ? QLatin1Char('/') + kept : kept;
}

} // namespace quenbylauncher
