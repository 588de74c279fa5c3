#pragma once

#include <optional>

namespace olvane {

class MenuBarItem;

/// Told when a status item is shown or hidden. Items hold their delegate weakly.
class MenuBarItemDelegate {
public:
    virtual ~MenuBarItemDelegate() = default;
    /// `visible` is the new visibility, none when the change did not carry one.
    virtual void menuBarItemVisibilityChanged(MenuBarItem &item, std::optional<bool> visible) = 0;
};

} // namespace olvane
