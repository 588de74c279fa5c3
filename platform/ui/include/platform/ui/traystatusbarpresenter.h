#pragma once

#include "platform/ui/statusbarpresenter.h"

#include <QHash>
#include <QSystemTrayIcon>

#include <memory>

namespace platform::ui {

class StatusItem;

/// Shows each visible item that has a width as a tray icon (StatusNotifierItem or the X11 system tray, as Qt finds)
/// whose icon is the item's picture, renewed whenever the picture changes. Any click on the icon
/// (left, right or double) is a click on the item at the pointer, which pops up the item's own
/// menu: the desktop's menu export would drop the custom rows.
class TrayStatusBarPresenter : public StatusBarPresenter {
    Q_OBJECT
public:
    explicit TrayStatusBarPresenter(StatusBar &bar);
    ~TrayStatusBarPresenter() override;

    /// The tray icon of an item on the bar, or none.
    QSystemTrayIcon *trayIcon(const StatusItem *item) const;

private:
    void sync();
    void updateIcon(StatusItem *item);

    QHash<const StatusItem *, QSystemTrayIcon *> m_icons;
};

} // namespace platform::ui
