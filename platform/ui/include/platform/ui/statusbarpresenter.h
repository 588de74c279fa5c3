#pragma once

#include <QObject>

#include <memory>

namespace platform::ui {

class StatusBar;

/// Shows a status bar's items on the desktop and turns the user's clicks into `StatusItem::click`.
/// A presenter follows the bar from construction on: items made, removed, hidden, redrawn.
class StatusBarPresenter : public QObject {
    Q_OBJECT
public:
    ~StatusBarPresenter() override;

    StatusBar &statusBar() const { return m_bar; }

    /// What suits this process's desktop: none without a widget application on a real screen (the
    /// "offscreen" and "minimal" platforms), a tray presenter when the desktop has a system tray,
    /// else a strip presenter.
    static std::unique_ptr<StatusBarPresenter> forDesktop(StatusBar &bar);

protected:
    explicit StatusBarPresenter(StatusBar &bar);

private:
    StatusBar &m_bar;
};

} // namespace platform::ui
