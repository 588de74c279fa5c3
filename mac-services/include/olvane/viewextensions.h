#pragma once

#include <platform/ui/view.h>

namespace olvane {

/// View helpers.
class ViewExtensions {
public:
    /// Nothing without a superview; else stops taking the frame as given and activates four constraints,
    /// in this order: top, bottom, leading and trailing equal to the superview's.
    static void pinToSuperview(platform::ui::View &view);
    /// As `pinToSuperview`, with the constants added as given: top + `top`, bottom + `bottom`, leading
    /// + `left`, trailing + `right` (a positive bottom or right value moves that edge outward).
    static void pinToSuperviewWithInsets(
        platform::ui::View &view, double top, double left, double bottom, double right);
    /// Nothing without a superview; else centres the view in it at `width` × `height`.
    static void centerInSuperview(platform::ui::View &view, double width, double height);
    /// Removes every subview; the removed views are destroyed once control is back in the event loop,
    /// unless they have been put into a view again by then.
    static void removeAllSubviews(platform::ui::View &view);
    /// Whether the view's effective appearance is exactly the dark one ("NSAppearanceNameDarkAqua").
    static bool isDark(const platform::ui::View &view);
    /// Moves the anchor point of the view's layer (unit coordinates) while keeping the layer where it
    /// is on screen; nothing without a layer.
    static void setAnchorPoint(platform::ui::View &view, double x, double y);

    ViewExtensions() = delete;
};

} // namespace olvane
