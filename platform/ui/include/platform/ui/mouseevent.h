#pragma once

#include "platform/ui/geometry.h"

#include <Qt>

namespace platform::ui {

class TrackingArea;

/// A mouse event as a view receives it. Locations are in y-up points.
struct MouseEvent {
    /// In the coordinates of the view the event is delivered to.
    Point location;
    /// In the coordinates of the top-level window (origin bottom left).
    Point locationInWindow;
    Qt::MouseButton button = Qt::LeftButton;
    Qt::KeyboardModifiers modifiers;
    int clickCount = 1;
    /// For entered and exited events: the tracking area that caused them.
    const TrackingArea *trackingArea = nullptr;
};

/// A scroll-wheel or trackpad scroll as a view receives it. Deltas are in points and follow the
/// fingers: a positive `deltaY` shows what lies towards the top of the content, a positive `deltaX`
/// what lies towards its left.
struct ScrollWheelEvent {
    /// In the coordinates of the view the event is delivered to.
    Point location;
    double deltaX = 0;
    double deltaY = 0;
    /// True for trackpads (pixel deltas), false for wheel notches.
    bool hasPreciseScrollingDeltas = false;
    Qt::KeyboardModifiers modifiers;
};

} // namespace platform::ui
