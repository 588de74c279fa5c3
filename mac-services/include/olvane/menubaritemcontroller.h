#pragma once

#include "olvane/imenubaritemcontroller.h"

#include <platform/ui/statusbar.h>

#include <QMetaObject>

namespace platform::ui {
class Menu;
class StatusItem;
} // namespace platform::ui

namespace olvane {

/// The status-item controller: from construction on its first item is the main item, whose status
/// item is `MenuBar::mainStatusItem()` and whose button's appearance the controller follows. When
/// that appearance changes, every hosted view of every item is laid out again (in list order) and
/// then the delegate hears `menuBarAppearanceChanged` with the new darkness.
///
/// Items live on `bar` (default: the process's status bar); the application holds the controller as
/// an IMenuBarItemController for its whole run.
class MenuBarItemController : public IMenuBarItemController {
public:
    /// With a main item of empty content.
    explicit MenuBarItemController(platform::ui::StatusBar &bar = platform::ui::StatusBar::system());
    /// Without a main item when `createMainItem` is false: the list stays empty and nothing is followed.
    explicit MenuBarItemController(
        bool createMainItem, platform::ui::StatusBar &bar = platform::ui::StatusBar::system());
    /// With a main item showing the image.
    explicit MenuBarItemController(
        const platform::ui::Image &image, platform::ui::StatusBar &bar = platform::ui::StatusBar::system());
    /// With a main item hosting the view.
    explicit MenuBarItemController(
        platform::ui::View *view, platform::ui::StatusBar &bar = platform::ui::StatusBar::system());
    /// With a main item hosting the views.
    explicit MenuBarItemController(
        const QList<platform::ui::View *> &views, platform::ui::StatusBar &bar = platform::ui::StatusBar::system());
    ~MenuBarItemController() override;
    MenuBarItemController(const MenuBarItemController &) = delete;
    MenuBarItemController &operator=(const MenuBarItemController &) = delete;

    std::shared_ptr<MenuBarDelegate> delegate() const override { return m_delegate; }
    void setDelegate(std::shared_ptr<MenuBarDelegate> delegate) override { m_delegate = std::move(delegate); }
    QList<std::shared_ptr<MenuBarItem>> items() const override { return m_items; }
    std::shared_ptr<MenuBarItem> firstItem() const override;
    bool isDark() const override;
    /// Always true: a desktop's status area does not hide itself the way a full-screen menu bar does.
    bool isMenuBarVisible() const override;
    int count() const override { return int(m_items.size()); }
    void add(const std::shared_ptr<MenuBarItem> &item) override;
    void removeAdditionalItems() override;
    void remove(const std::shared_ptr<MenuBarItem> &item) override;
    std::shared_ptr<MenuBarItem> makeImageItem(const platform::ui::Image &image) override;
    std::shared_ptr<MenuBarItem> makeViewItem(platform::ui::View *view) override;
    std::shared_ptr<MenuBarItem> item(int index) const override;
    void removeMainItem() override;

    /// The first item's menu (none when the list is empty).
    std::shared_ptr<platform::ui::Menu> menu() const;
    void setMenu(std::shared_ptr<platform::ui::Menu> menu);
    /// The first item's length (0 when the list is empty).
    double length() const;
    void setLength(double length);

private:
    void appearanceChanged();
    void start(std::shared_ptr<MenuBarItem> mainItem);
    void stopObserving();
    void dropFromList(const MenuBarItem *item);

    platform::ui::StatusBar &m_bar;
    std::shared_ptr<MenuBarDelegate> m_delegate;
    QList<std::shared_ptr<MenuBarItem>> m_items;
    QMetaObject::Connection m_appearanceObservation;
};

} // namespace olvane
