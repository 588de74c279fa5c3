#include "platform/ui/statusbarpresenter.h"

#include "platform/ui/stripstatusbarpresenter.h"
#include "platform/ui/traystatusbarpresenter.h"

#include <QApplication>

namespace platform::ui {

StatusBarPresenter::StatusBarPresenter(StatusBar &bar)
    : m_bar(bar)
{
}

StatusBarPresenter::~StatusBarPresenter() = default;

bool StatusBarPresenter::desktopShowsStatusBar()
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

std::unique_ptr<StatusBarPresenter> StatusBarPresenter::forDesktop(StatusBar &bar, const TrayHosts &hosts)
{
    if (!desktopShowsStatusBar())
        return nullptr;
    if (hosts.statusNotifierHost)
        return std::make_unique<TrayStatusBarPresenter>(bar, TrayStatusBarPresenter::Protocol::statusNotifierItem);
    if (hosts.xembedTray)
        return std::make_unique<TrayStatusBarPresenter>(
            bar, TrayStatusBarPresenter::Protocol::xembed, QString(), hosts.xembedTray);
    return std::make_unique<StripStatusBarPresenter>(bar);
}

} // namespace platform::ui
