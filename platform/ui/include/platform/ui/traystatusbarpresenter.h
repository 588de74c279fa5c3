#pragma once

#include "platform/ui/statusbarpresenter.h"

#include <QImage>
#include <QList>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

namespace platform::ui {

class StatusItem;
class TrayIcon;

/// Shows the bar's shown items (visible, with a width) as tray icons, each with the item's tray
/// picture (`StatusItem::trayPicture` at every size of TrayIcon::kPictureSizes) and tooltip, handed
/// to the host in the bar's order, oldest first, as the application made them: hosts that place newer
/// icons to the left of older ones, as a menu bar does (trayer, GNOME's AppIndicator extension), show
/// them as the strip does.
///
/// The icons are places, not items: the i-th icon shows the i-th shown item. An application that
/// rebuilds its items (drops them and makes new ones with the same content) changes no icon, and an
/// icon is only made (registered with the host) or dropped when the number of shown items changes.
/// The presenter looks at the bar once per event-loop turn, so what one turn of the application does
/// reaches the host as its outcome only; the first look comes after the application's first refresh.
/// Pictures and tooltips go to the tray only when they differ from what it shows (every hand-over is a
/// round trip to the host). A click on an icon (but a middle one) is a click on its item at the point
/// the host gives, which pops up the item's own menu there. When the X11 tray tells the colours of its
/// panel (TrayColors), the bar takes that panel's appearance while XEmbed icons show it.
class TrayStatusBarPresenter : public StatusBarPresenter {
    Q_OBJECT
public:
    /// How the icons reach the tray.
    enum class Protocol {
        /// One StatusNotifierItem per icon on the session bus (or `busAddress`), registered with the
        /// watcher. Where a program cannot place its own pop-up (native Wayland) each item also
        /// exports its menu (com.canonical.dbusmenu) for the host to show.
        statusNotifierItem,
        /// An X11 system tray: each icon is a window the tray embeds.
        xembed,
        /// Nowhere: the icons keep what they are given (tests and benchmarks).
        inMemory,
    };

    /// `tray`: the X11 tray window the XEmbed icons dock in (TrayHosts::xembedTray).
    TrayStatusBarPresenter(StatusBar &bar, Protocol protocol, const QString &busAddress = {}, quint32 tray = 0);
    ~TrayStatusBarPresenter() override;

    Protocol protocol() const { return m_protocol; }
    bool suits(const TrayHosts &hosts) const override;
    void flush() override;
    /// The icons in the order the host got them: the bar's.
    QList<TrayIcon *> trayIcons() const;
    /// The icon showing the item, or none.
    TrayIcon *trayIcon(const StatusItem *item) const;
    /// How many times pictures were handed to the tray since the presenter was made.
    int iconUpdates() const { return m_iconUpdates; }

private:
    struct Place {
        std::unique_ptr<TrayIcon> icon;
        QPointer<StatusItem> item;
        QImage picture; // the smallest picture handed over last, for comparing
    };
    void scheduleSync();
    void sync();
    void show(Place &place, StatusItem *item);
    void updatePictures(Place &place);
    std::unique_ptr<TrayIcon> makeIcon();

    Protocol m_protocol;
    QString m_busAddress;
    quint32 m_tray = 0;
    bool m_exportsMenus = false;
    std::vector<Place> m_places;
    bool m_syncScheduled = false;
    int m_iconUpdates = 0;
};

} // namespace platform::ui
