#pragma once

#include <platform/ui/color.h>
#include <platform/ui/view.h>

#include <memory>

namespace pirrow {

/// View helpers of the controls.
class ViewExtensions {
public:
    /// Whether the view's effective appearance name, lower-cased, contains "dark".
    static bool isDark(const platform::ui::View &view);
    /// Gives the view a layer with rounded corners.
    static void roundCorners(platform::ui::View &view, double radius = 8);
    /// Rounded corners and the layer's background colour (resolved against the view's appearance now).
    static void roundCornersWithBackground(platform::ui::View &view, const platform::ui::Color &color, double radius);
    /// Gives the view a layer with `color` as its background (resolved against the view's appearance now).
    static void setLayerBackgroundColor(platform::ui::View &view, const platform::ui::Color &color);
    /// Removes every subview (destroyed from the event loop unless put into a view again).
    static void removeAllSubviews(platform::ui::View &view);
    /// Ties the view's edges to its superview's; nothing without a superview.
    static void pinToSuperview(platform::ui::View &view);
    /// A view of `content`'s size that shows `overlay` only where `content` has paint; `content` itself
    /// is not shown. It owns both.
    static std::unique_ptr<platform::ui::View> maskedOverlay(
        std::unique_ptr<platform::ui::View> content, std::unique_ptr<platform::ui::View> overlay);

    ViewExtensions() = delete;
};

} // namespace pirrow
