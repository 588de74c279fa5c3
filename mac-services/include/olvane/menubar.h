#pragma once

#include <platform/ui/color.h>

#include <memory>
#include <utility>

namespace platform::ui {
class StatusItem;
}

namespace olvane {

class MenuBarItemController;

/// Status-bar metrics and the look of the status bar, read anew on every call from the process's
/// status bar (`platform::ui::StatusBar::system()`) and from the main status item that a
/// MenuBarItemController registers. Main thread only; never instantiated.
class MenuBar {
public:
    MenuBar() = delete;

    /// The status bar's thickness in points.
    static double thickness();
    /// The same as `thickness`.
    static double barHeight();
    static double halfThickness();
    /// Half the thickness twice over: the thickness, read twice.
    static double fullThickness();
    /// (half the thickness minus half the thickness, half the thickness): the first is 0 unless
    /// the thickness changes between its two reads.
    static std::pair<double, double> halfOffset();
    static double firstPadding();
    static void setFirstPadding(double padding);
    static double secondPadding();
    static void setSecondPadding(double padding);
    /// thickness + second padding + first padding.
    static double paddedThickness();

    /// Whether the main status item's button has a dark appearance; false without a main item.
    static bool isDark();
    /// White on a dark bar, black on a light one.
    static platform::ui::Color textColor();

    /// The status item of the controller's main item, or none.
    static std::shared_ptr<platform::ui::StatusItem> mainStatusItem();

private:
    friend class MenuBarItemController;
    static void setMainStatusItem(std::shared_ptr<platform::ui::StatusItem> item);
};

} // namespace olvane
