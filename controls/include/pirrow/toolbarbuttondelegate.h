#pragma once

namespace pirrow {

class ToolbarButton;

/// Told when a `ToolbarButton` is clicked, after the button's own handling.
class ToolbarButtonDelegate {
public:
    virtual ~ToolbarButtonDelegate() = default;
    virtual void toolbarButtonClicked(ToolbarButton &button) = 0;
};

} // namespace pirrow
