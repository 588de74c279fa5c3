#pragma once

namespace pirrow {

class HoverButton;

/// Told when a `HoverButton` is clicked, after the button's own handling.
class HoverButtonDelegate {
public:
    virtual ~HoverButtonDelegate() = default;
    virtual void hoverButtonClicked(HoverButton &button) = 0;
};

} // namespace pirrow
