#include "platform/ui/stripstatusbarpresenter.h"

#include "statusstripwindow_p.h"

namespace platform::ui {

StripStatusBarPresenter::StripStatusBarPresenter(StatusBar &bar)
    : StatusBarPresenter(bar)
    , m_window(std::make_unique<StatusStripWindow>(bar))
{
}

StripStatusBarPresenter::~StripStatusBarPresenter() = default;

bool StripStatusBarPresenter::suits(const TrayHosts &hosts) const
{
    return !hosts.statusNotifierHost && !hosts.xembedTray;
}

QWidget *StripStatusBarPresenter::window() const { return m_window.get(); }

QRect StripStatusBarPresenter::itemRect(const StatusItem *item) const { return m_window->itemRect(item); }

} // namespace platform::ui
