#pragma once

#include <platform/ui/menuitem.h>

namespace olvane {

/// Menu item helpers.
class MenuItemExtensions {
public:
    /// A new separator item (the caller owns it, or the menu it is added to).
    static platform::ui::MenuItem *separator() { return platform::ui::MenuItem::separator(); }

    MenuItemExtensions() = delete;
};

} // namespace olvane
