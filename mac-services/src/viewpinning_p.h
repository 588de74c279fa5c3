#pragma once

namespace platform::ui {
class View;
}

namespace olvane {

/// Ties the view's four edges to its superview's (top, bottom, leading, trailing, in that order) and
/// stops its frame being taken as given; nothing without a superview.
void pinToSuperview(platform::ui::View *view);

/// Destroys `view` once control is back in the event loop, unless it has been put into a view (or
/// any widget) again by then.
void releaseWhenUnused(platform::ui::View *view);

} // namespace olvane
