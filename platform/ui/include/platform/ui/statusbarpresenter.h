#pragma once

#include <QObject>
#include <QtGlobal>

#include <memory>

namespace platform::ui {

class StatusBar;

/// The tray hosts a desktop offers at a moment.
struct TrayHosts {
    /// A StatusNotifierItem host is registered with the session bus's watcher.
    bool statusNotifierHost = false;
    /// The window of the X11 system tray that owns the tray selection of the display the program runs
    /// on; 0 for none. A tray started anew is another window, which the icons must dock in again.
    quint32 xembedTray = 0;
};

/// Shows a status bar's items on the desktop and turns the user's clicks into `StatusItem::click`.
/// A presenter follows the bar from construction on: items made, removed, hidden, redrawn.
class StatusBarPresenter : public QObject {
    Q_OBJECT
public:
    ~StatusBarPresenter() override;

    StatusBar &statusBar() const { return m_bar; }

    /// Whether this process shows a status bar at all: only a widget application on a real screen
    /// (not the "offscreen" and "minimal" platforms).
    static bool desktopShowsStatusBar();
    /// What suits a desktop with `hosts`: none where the desktop shows no status bar, a tray
    /// presenter with StatusNotifierItems where a host is registered, else one with XEmbed icons where
    /// an X11 tray runs, else a strip presenter.
    static std::unique_ptr<StatusBarPresenter> forDesktop(StatusBar &bar, const TrayHosts &hosts);
    /// Whether this presenter is the kind `forDesktop` makes for `hosts`.
    virtual bool suits(const TrayHosts &hosts) const = 0;
    /// Shows the bar's changes now where they wait for the event loop's next pass (the first items of
    /// a start, which would otherwise wait behind everything else queued while the program started).
    virtual void flush() { }

protected:
    explicit StatusBarPresenter(StatusBar &bar);

private:
    StatusBar &m_bar;
};

} // namespace platform::ui
