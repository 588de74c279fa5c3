#include "platform/ui/statusbar.h"

#include "platform/ui/statusbarpresenter.h"
#include "platform/ui/statusitem.h"

#include <QCoreApplication>
#include <QPointer>

namespace platform::ui {

namespace {
    StatusBar *s_installed = nullptr;
    QPointer<StatusBar> s_process;
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
        // Parented to the application, so that its tray icons and windows go before the application does.
        s_process = new StatusBar(QCoreApplication::instance());
        s_process->setPresenter(StatusBarPresenter::forDesktop(*s_process));
    }
    return *s_process;
}

void StatusBar::setThickness(double thickness)
{
    if (m_thickness == thickness || !(thickness > 0))
        return;
    m_thickness = thickness;
    emit thicknessChanged(thickness);
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

void StatusBar::setPresenter(std::unique_ptr<StatusBarPresenter> presenter) { m_presenter = std::move(presenter); }

ScopedStatusBar::ScopedStatusBar(StatusBar &bar)
    : m_previous(s_installed)
{
    s_installed = &bar;
}

ScopedStatusBar::~ScopedStatusBar() { s_installed = m_previous; }

} // namespace platform::ui
