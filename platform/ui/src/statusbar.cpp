#include "platform/ui/statusbar.h"

#include "platform/ui/statusbarpresenter.h"
#include "platform/ui/statusitem.h"
#include "trayhostwatcher_p.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QPointer>

namespace platform::ui {

namespace {
    StatusBar *s_installed = nullptr;
    QPointer<StatusBar> s_process;
    // Made by prepareSystem, waiting for the process's bar.
    QPointer<TrayHostWatcher> s_preparedWatcher;
} // namespace

StatusBar::StatusBar(QObject *parent)
    : QObject(parent)
{
}

StatusBar::~StatusBar()
{
    m_presenter.reset();
    for (StatusItem *item : std::as_const(m_items))
        item->m_bar = nullptr;
    m_items.clear();
}

StatusBar &StatusBar::system()
{
    if (s_installed)
        return *s_installed;
    if (!s_process) {
        // Parented to the application, and taken down at the start of its destructor: the application's
        // children only go after QApplication has torn its widgets down, too late for the strip's
        // window (deleting a widget then crashes). Post routines run before that teardown.
        s_process = new StatusBar(QCoreApplication::instance());
        if (QCoreApplication::instance())
            qAddPostRoutine([] { delete s_process.data(); });
        if (StatusBarPresenter::desktopShowsStatusBar()) {
            // A panel with a tray may come after the program (at login) or go (a panel restart): follow it
            // between the tray and the strip.
            TrayHostWatcher *watcher = s_preparedWatcher;
            if (watcher)
                watcher->setParent(s_process);
            else
                watcher = new TrayHostWatcher(QDBusConnection::sessionBus(), s_process);
            const auto hosts = [watcher] {
                return TrayHosts { watcher->hasStatusNotifierHost(), watcher->xembedTray() };
            };
            s_process->setPresenter(StatusBarPresenter::forDesktop(*s_process, hosts()));
            QObject::connect(watcher, &TrayHostWatcher::changed, s_process, [hosts] {
                StatusBar &bar = *s_process;
                // Only a change of kind makes a new presenter: icons made again would flash in the host.
                if (bar.presenter() && bar.presenter()->suits(hosts()))
                    return;
                bar.setPresenter(StatusBarPresenter::forDesktop(bar, hosts()));
            });
        }
    }
    return *s_process;
}

void StatusBar::prepareSystem()
{
    if (s_process || s_preparedWatcher || !StatusBarPresenter::desktopShowsStatusBar())
        return;
    s_preparedWatcher = new TrayHostWatcher(QDBusConnection::sessionBus(), QCoreApplication::instance());
}

void StatusBar::setThickness(double thickness)
{
    if (m_thickness == thickness || !(thickness > 0))
        return;
    m_thickness = thickness;
    emit thicknessChanged(thickness);
}

void StatusBar::setPanelAppearance(std::optional<Appearance> appearance)
{
    if (m_panelAppearance == appearance)
        return;
    m_panelAppearance = appearance;
    emit panelAppearanceChanged();
}

std::shared_ptr<StatusItem> StatusBar::statusItem(double length)
{
    std::shared_ptr<StatusItem> item(new StatusItem(this, length));
    m_items.append(item.get());
    emit itemsChanged();
    return item;
}

void StatusBar::removeStatusItem(StatusItem *item)
{
    if (!item || item->m_bar != this)
        return;
    forget(item);
}

void StatusBar::forget(StatusItem *item)
{
    item->m_bar = nullptr;
    // Off the bar, the item no longer follows its thickness.
    disconnect(item);
    if (m_items.removeOne(item))
        emit itemsChanged();
}

void StatusBar::setPresenter(std::unique_ptr<StatusBarPresenter> presenter)
{
    // The old one goes first: its tray icons or window must be gone before the new ones show.
    m_presenter.reset();
    m_presenter = std::move(presenter);
    emit presenterChanged();
}

ScopedStatusBar::ScopedStatusBar(StatusBar &bar)
    : m_previous(s_installed)
{
    s_installed = &bar;
}

ScopedStatusBar::~ScopedStatusBar() { s_installed = m_previous; }

} // namespace platform::ui
