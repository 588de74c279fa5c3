#pragma once

#include "platform/ui/geometry.h"

#include <QPointer>
#include <QVariantMap>

namespace platform::ui {

class View;

/// A region of a view that reports the mouse entering, leaving and moving inside it to its owner.
/// The option bits are the usual ones: a tracking area for enter and exit events that is always
/// active is `mouseEnteredAndExited | activeAlways` (0x81). The `active…` options are accepted and
/// treated alike: areas are always active here.
class TrackingArea {
public:
    enum Option : unsigned {
        mouseEnteredAndExited = 0x01,
        mouseMoved = 0x02,
        cursorUpdate = 0x04,
        activeWhenFirstResponder = 0x10,
        activeInKeyWindow = 0x20,
        activeInActiveApp = 0x40,
        activeAlways = 0x80,
        assumeInside = 0x100,
        /// Follow the view's visible rectangle (its bounds) instead of `rect`.
        inVisibleRect = 0x200,
        enabledDuringMouseDrag = 0x400
    };

    /// `owner` receives the events; none means the view the area is added to.
    TrackingArea(const Rect &rect, unsigned options, View *owner = nullptr, QVariantMap userInfo = {});

    Rect rect() const { return m_rect; }
    unsigned options() const { return m_options; }
    View *owner() const { return m_owner; }
    QVariantMap userInfo() const { return m_userInfo; }
    /// Whether the pointer was inside at the last event.
    bool isInside() const { return m_inside; }

private:
    friend class View;
    Rect m_rect;
    unsigned m_options;
    QPointer<View> m_owner;
    QVariantMap m_userInfo;
    bool m_inside = false;
};

} // namespace platform::ui
