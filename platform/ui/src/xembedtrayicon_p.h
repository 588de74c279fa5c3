#pragma once

#include "platform/ui/trayicon.h"

#include <QPixmap>
#include <QRasterWindow>
#include <QTimer>

#include <memory>

namespace platform::ui {

/// The window an X11 system tray embeds for one icon (XEmbed): it shows the picture of the icon's
/// size, centred, over the tray's own background, shows the tooltip while the pointer rests on it,
/// and turns presses into clicks.
///
/// Qt's X11 platform treats a window named "QSystemTrayIconSysWindow" as a tray icon: it gives it the
/// tray's visual and maps it only once the tray has taken it in. The window sends the dock request.
/// Where that visual has no alpha channel the window takes its parent's background (ParentRelative)
/// and draws the picture over a copy of it.
class XEmbedTrayWindow : public QRasterWindow {
    Q_OBJECT
public:
    static constexpr int kToolTipDelayMilliseconds = 700;

    explicit XEmbedTrayWindow(TrayIcon &icon);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;

private:
    TrayIcon &m_icon;
    bool m_alpha = false;
    QPixmap m_background;
    QTimer m_toolTip;
};

/// A tray icon in an X11 system tray.
class XEmbedTrayIcon : public TrayIcon {
    Q_OBJECT
public:
    XEmbedTrayIcon();
    ~XEmbedTrayIcon() override;

    QWindow *window() const { return m_window.get(); }

protected:
    void presented(Change change) override;

private:
    std::unique_ptr<XEmbedTrayWindow> m_window;
};

} // namespace platform::ui
