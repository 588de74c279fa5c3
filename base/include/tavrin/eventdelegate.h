#pragma once

namespace platform::ui {
class View;
}

namespace tavrin {

/// Told by a custom view (a row of a status menu) that the user clicked it. Views hold their event
/// delegate weakly (`std::weak_ptr<EventDelegate>`) and call it after their own mouse-up handling,
/// only while it is alive.
class EventDelegate {
public:
    virtual ~EventDelegate() = default;
    virtual void viewClicked(platform::ui::View *sender) = 0;
};

} // namespace tavrin
