#pragma once

namespace pirrow {

class ToggleButton;

/// Told when a `ToggleButton` is clicked, after the button's own handling.
class ToggleButtonDelegate {
public:
    virtual ~ToggleButtonDelegate() = default;
    virtual void toggleButtonClicked(ToggleButton &button) = 0;
};

} // namespace pirrow
