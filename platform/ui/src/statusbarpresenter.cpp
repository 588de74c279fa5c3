#include "platform/ui/statusbarpresenter.h"

#include "platform/ui/stripstatusbarpresenter.h"
#include "platform/ui/traystatusbarpresenter.h"

#include <QApplication>
#include <QSystemTrayIcon>

namespace platform::ui {

StatusBarPresenter::StatusBarPresenter(StatusBar &bar)
    : m_bar(bar)
{
}

StatusBarPresenter::~StatusBarPresenter() = default;

std::unique_ptr<StatusBarPresenter> StatusBarPresenter::forDesktop(StatusBar &bar)
{
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return nullptr;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return nullptr;
    if (QSystemTrayIcon::isSystemTrayAvailable())
        return std::make_unique<TrayStatusBarPresenter>(bar);
    return std::make_unique<StripStatusBarPresenter>(bar);
}

} // namespace platform::ui
