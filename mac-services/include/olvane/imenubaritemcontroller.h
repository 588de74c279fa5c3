#pragma once

#include <platform/ui/image.h>

#include <QList>

#include <memory>

namespace platform::ui {
class View;
}

namespace olvane {

class MenuBarDelegate;
class MenuBarItem;

/// Owns the ordered status items a program shows: the main item first, then the others in the
/// order they were added. Main thread only.
class IMenuBarItemController {
public:
    virtual ~IMenuBarItemController() = default;

    virtual std::shared_ptr<MenuBarDelegate> delegate() const = 0;
    virtual void setDelegate(std::shared_ptr<MenuBarDelegate> delegate) = 0;

    /// A copy of the list.
    virtual QList<std::shared_ptr<MenuBarItem>> items() const = 0;
    /// The main item; none when the list is empty.
    virtual std::shared_ptr<MenuBarItem> firstItem() const = 0;
    /// Whether the first item's button looks dark; false when the list is empty.
    virtual bool isDark() const = 0;
    /// Whether the status bar is shown at all.
    virtual bool isMenuBarVisible() const = 0;
    virtual int count() const = 0;

    /// Appends the item (duplicates allowed) and tells the delegate.
    virtual void add(const std::shared_ptr<MenuBarItem> &item) = 0;
    /// Takes every item but the main one off the bar and out of the list, telling the delegate once
    /// per item and once more at the end; nothing with one item or none.
    virtual void removeAdditionalItems() = 0;
    /// Takes the item's status item off the bar, drops every entry of it from the list and tells the
    /// delegate, also when the item was not listed.
    virtual void remove(const std::shared_ptr<MenuBarItem> &item) = 0;
    /// A new item showing the image; not added to the list.
    virtual std::shared_ptr<MenuBarItem> makeImageItem(const platform::ui::Image &image) = 0;
    /// A new item hosting the view; not added to the list.
    virtual std::shared_ptr<MenuBarItem> makeViewItem(platform::ui::View *view) = 0;
    /// The item at the index; none outside 0 … count − 1.
    virtual std::shared_ptr<MenuBarItem> item(int index) const = 0;
    /// Removes the main item (the first), ending the appearance observation; others stay.
    virtual void removeMainItem() = 0;
};

} // namespace olvane
