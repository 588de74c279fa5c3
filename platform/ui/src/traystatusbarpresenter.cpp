#include "platform/ui/traystatusbarpresenter.h"

#include "platform/ui/statusbar.h"
#include "platform/ui/statusitem.h"
#include "platform/ui/traycolors.h"

#include <QCursor>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>

namespace platform::ui {

TrayStatusBarPresenter::TrayStatusBarPresenter(StatusBar &bar)
    : StatusBarPresenter(bar)
{
    // Before the first icons: they are drawn for the panel when the tray tells its colours.
    if (const std::optional<QColor> foreground = TrayColors::xembedTrayForeground())
        bar.setPanelAppearance(TrayColors::panelAppearance(*foreground));
    connect(&bar, &StatusBar::itemsChanged, this, &TrayStatusBarPresenter::sync);
    sync();
}

TrayStatusBarPresenter::~TrayStatusBarPresenter()
{
    for (const Shown &shown : std::as_const(m_icons))
        delete shown.icon;
    // What the tray told is no news to whatever shows the bar next.
    statusBar().setPanelAppearance(std::nullopt);
}

QSystemTrayIcon *TrayStatusBarPresenter::trayIcon(const StatusItem *item) const
{
    return m_icons.value(item).icon;
}

void TrayStatusBarPresenter::sync()
{
    const QList<StatusItem *> items = statusBar().items();
    for (auto it = m_icons.begin(); it != m_icons.end();) {
        if (!items.contains(const_cast<StatusItem *>(it.key()))) {
            // Released items are gone already; removed ones live on elsewhere and must stop calling in.
            delete it.value().icon;
            it = m_icons.erase(it);
        } else {
            ++it;
        }
    }
    for (StatusItem *item : items) {
        if (m_icons.contains(item))
            continue;
        auto *icon = new QSystemTrayIcon;
        m_icons.insert(item, Shown { icon, {}, {} });
        connect(icon, &QSystemTrayIcon::activated, item, [item](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::MiddleClick)
                return;
            item->click(QCursor::pos());
        });
        connect(item, &StatusItem::pictureChanged, icon, [this, item] { updateIcon(item); });
        connect(item, &StatusItem::visibilityChanged, icon, [this, item] { updateIcon(item); });
        updateIcon(item);
    }
}

void TrayStatusBarPresenter::updateIcon(StatusItem *item)
{
    const auto found = m_icons.find(item);
    if (found == m_icons.end())
        return;
    Shown &shown = *found;
    const QScreen *screen = QGuiApplication::primaryScreen();
    const double scale = screen ? screen->devicePixelRatio() : 1.0;
    const QImage picture = item->trayPicture(scale);
    // An item without width has nothing to show; a tray icon without a picture would be a blank square.
    if (!picture.isNull() && picture != shown.picture) {
        shown.picture = picture;
        shown.icon->setIcon(QIcon(QPixmap::fromImage(picture)));
        ++m_iconUpdates;
    }
    const QString toolTip = item->toolTip();
    if (toolTip != shown.toolTip) {
        shown.toolTip = toolTip;
        shown.icon->setToolTip(toolTip);
    }
    const bool visible = item->isVisible() && !picture.isNull();
    if (shown.icon->isVisible() != visible)
        shown.icon->setVisible(visible);
}

} // namespace platform::ui
