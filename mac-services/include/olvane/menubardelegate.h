#pragma once

namespace olvane {

/// Told by a status-item controller about its items. The controller holds its delegate strongly.
class MenuBarDelegate {
public:
    virtual ~MenuBarDelegate() = default;
    /// The list of items changed.
    virtual void menuBarItemsChanged() = 0;
    /// The status bar's look changed; the items' hosted views have been laid out again already.
    virtual void menuBarAppearanceChanged(bool isDark) = 0;
};

} // namespace olvane
