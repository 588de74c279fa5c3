#pragma once

namespace platform::ui {

class Menu;
class MenuItem;

/// Told about a menu's tracking: opening, the highlighted row, closing. Every call comes before the
/// change shows (`menuWillHighlightItem` while the old row is still highlighted) except
/// `menuDidClose`. Menus hold their delegate weakly.
class MenuDelegate {
public:
    virtual ~MenuDelegate() = default;
    virtual void menuWillOpen(Menu &menu);
    virtual void menuDidClose(Menu &menu);
    /// `item` is none when the pointer leaves every row that can be highlighted.
    virtual void menuWillHighlightItem(Menu &menu, MenuItem *item);
};

} // namespace platform::ui
