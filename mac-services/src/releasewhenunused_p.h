#pragma once

namespace platform::ui {
class View;
}

namespace olvane {

/// Destroys `view` once control is back in the event loop, unless it has been put into a view (or
/// any widget) again by then.
void releaseWhenUnused(platform::ui::View *view);

} // namespace olvane
