#pragma once

#include "platform/ui/statusbarpresenter.h"

#include <QHash>
#include <QImage>
#include <QSystemTrayIcon>

#include <memory>

namespace platform::ui {

class StatusItem;

/// Shows each visible item that has a width as a tray icon (StatusNotifierItem or the X11 system
/// tray, as Qt finds) whose icon is the item's tray picture (`StatusItem::trayPicture`: the item's
/// picture where it fits the tray's square, else a rendition made for the square) and whose tooltip
/// is the item's. Icon and tooltip are handed to the tray only when they differ from what it shows:
/// every hand-over is a round trip to the tray host. Any click on the icon (left, right or double) is
/// a click on the item at the pointer, which pops up the item's own menu: the desktop's menu export
/// would drop the custom rows. When the X11 tray tells the colours of its panel (TrayColors), the bar
/// takes that panel's appearance while the presenter shows it.
class TrayStatusBarPresenter : public StatusBarPresenter {
    Q_OBJECT
public:
    explicit TrayStatusBarPresenter(StatusBar &bar);
    ~TrayStatusBarPresenter() override;

    /// The tray icon of an item on the bar, or none.
    QSystemTrayIcon *trayIcon(const StatusItem *item) const;
    /// How many times an icon was handed to the tray since the presenter was made.
    int iconUpdates() const { return m_iconUpdates; }

private:
    struct Shown {
        QSystemTrayIcon *icon = nullptr;
        QImage picture;
        QString toolTip;
    };
    void sync();
    void updateIcon(StatusItem *item);

    QHash<const StatusItem *, Shown> m_icons;
    int m_iconUpdates = 0;
};

} // namespace platform::ui
