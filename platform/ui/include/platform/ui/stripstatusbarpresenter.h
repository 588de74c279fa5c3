#pragma once

#include "platform/ui/statusbarpresenter.h"

#include <QList>
#include <QRect>

#include <memory>

class QWidget;

namespace platform::ui {

class StatusItem;
class StatusStripWindow;

/// Shows the bar where the desktop has no system tray: a small frameless window that stays on top at
/// the top right of the primary screen, as high as the bar is thick, with the visible items side by
/// side at their own widths. As in a menu bar the oldest item sits at the right edge and newer ones
/// follow to its left; items that do not fit on the screen are left out, newest first. A click on an
/// item is a click at the item's bottom-left corner, so its menu drops down below it. The window is
/// hidden while no item is visible. Natively on Wayland, where a program cannot place its windows,
/// it is an ordinary window the user moves.
class StripStatusBarPresenter : public StatusBarPresenter {
    Q_OBJECT
public:
    /// Gap between items and at both ends, in points.
    static constexpr double kSpacing = 4;

    explicit StripStatusBarPresenter(StatusBar &bar);
    ~StripStatusBarPresenter() override;

    bool suits(const TrayHosts &hosts) const override;

    QWidget *window() const;
    /// Where the item lies in the window (pixels from its top left); empty when it is not shown.
    QRect itemRect(const StatusItem *item) const;

private:
    std::unique_ptr<StatusStripWindow> m_window;
};

} // namespace platform::ui
