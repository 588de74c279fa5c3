#include "olvane/menubaritemcontroller.h"

#include "olvane/menubar.h"
#include "olvane/menubardelegate.h"
#include "olvane/menubaritem.h"

#include <platform/ui/menu.h>
#include <platform/ui/statusbarbutton.h>
#include <platform/ui/statusitem.h>
#include <platform/ui/view.h>

namespace olvane {

MenuBarItemController::MenuBarItemController(platform::ui::StatusBar &bar)
    : m_bar(bar)
{
    start(std::make_shared<MenuBarItem>(bar));
}

MenuBarItemController::MenuBarItemController(bool createMainItem, platform::ui::StatusBar &bar)
    : m_bar(bar)
{
    if (createMainItem)
        start(std::make_shared<MenuBarItem>(bar));
}

MenuBarItemController::MenuBarItemController(const platform::ui::Image &image, platform::ui::StatusBar &bar)
    : m_bar(bar)
{
    start(std::make_shared<MenuBarItem>(image, bar));
}

MenuBarItemController::MenuBarItemController(platform::ui::View *view, platform::ui::StatusBar &bar)
    : m_bar(bar)
{
    start(std::make_shared<MenuBarItem>(view, bar));
}

MenuBarItemController::MenuBarItemController(const QList<platform::ui::View *> &views, platform::ui::StatusBar &bar)
    : m_bar(bar)
{
    start(std::make_shared<MenuBarItem>(views, bar));
}

MenuBarItemController::~MenuBarItemController()
{
    MenuBar::setMainStatusItem(nullptr);
    stopObserving();
}

void MenuBarItemController::start(std::shared_ptr<MenuBarItem> mainItem)
{
    add(mainItem);
    MenuBar::setMainStatusItem(mainItem->item());
    platform::ui::StatusBarButton *button = mainItem->item()->button();
    m_appearanceObservation = QObject::connect(
        button, &platform::ui::StatusBarButton::effectiveAppearanceChanged, button, [this] { appearanceChanged(); });
    // The observation starts by reporting the appearance it finds.
    appearanceChanged();
}

void MenuBarItemController::stopObserving()
{
    QObject::disconnect(m_appearanceObservation);
    m_appearanceObservation = {};
}

void MenuBarItemController::appearanceChanged()
{
    for (const auto &item : std::as_const(m_items)) {
        const QList<platform::ui::View *> views = item->item()->button()->subviews();
        for (platform::ui::View *view : views)
            view->layout();
    }
    if (m_delegate)
        m_delegate->menuBarAppearanceChanged(isDark());
}

std::shared_ptr<MenuBarItem> MenuBarItemController::firstItem() const
{
    return m_items.isEmpty() ? nullptr : m_items.first();
}

bool MenuBarItemController::isDark() const { return !m_items.isEmpty() && m_items.first()->isDark(); }

bool MenuBarItemController::isMenuBarVisible() const { return true; }

void MenuBarItemController::add(const std::shared_ptr<MenuBarItem> &item)
{
    m_items.append(item);
    if (m_delegate)
        m_delegate->menuBarItemsChanged();
}

void MenuBarItemController::dropFromList(const MenuBarItem *item)
{
    m_items.removeIf([item](const std::shared_ptr<MenuBarItem> &entry) { return entry.get() == item; });
}

void MenuBarItemController::remove(const std::shared_ptr<MenuBarItem> &item)
{
    if (!item)
        return;
    m_bar.removeStatusItem(item->item().get());
    dropFromList(item.get());
    if (m_delegate)
        m_delegate->menuBarItemsChanged();
}

void MenuBarItemController::removeAdditionalItems()
{
    if (m_items.size() == 1)
        return;
    const QList<std::shared_ptr<MenuBarItem>> snapshot = m_items;
    if (snapshot.isEmpty())
        return;
    for (qsizetype i = 1; i < snapshot.size(); ++i) {
        m_bar.removeStatusItem(snapshot.at(i)->item().get());
        dropFromList(snapshot.at(i).get());
        if (m_delegate)
            m_delegate->menuBarItemsChanged();
    }
    if (m_delegate)
        m_delegate->menuBarItemsChanged();
}

std::shared_ptr<MenuBarItem> MenuBarItemController::makeImageItem(const platform::ui::Image &image)
{
    return std::make_shared<MenuBarItem>(image, m_bar);
}

std::shared_ptr<MenuBarItem> MenuBarItemController::makeViewItem(platform::ui::View *view)
{
    return std::make_shared<MenuBarItem>(view, m_bar);
}

std::shared_ptr<MenuBarItem> MenuBarItemController::item(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr;
}

void MenuBarItemController::removeMainItem()
{
    if (m_items.isEmpty())
        return;
    stopObserving();
    MenuBar::setMainStatusItem(nullptr);
    const std::shared_ptr<MenuBarItem> main = m_items.first();
    remove(main);
}

std::shared_ptr<platform::ui::Menu> MenuBarItemController::menu() const
{
    return m_items.isEmpty() ? nullptr : m_items.first()->menu();
}

void MenuBarItemController::setMenu(std::shared_ptr<platform::ui::Menu> menu)
{
    if (!m_items.isEmpty())
        m_items.first()->setMenu(std::move(menu));
}

double MenuBarItemController::length() const { return m_items.isEmpty() ? 0 : m_items.first()->length(); }

void MenuBarItemController::setLength(double length)
{
    if (!m_items.isEmpty())
        m_items.first()->setLength(length);
}

} // namespace olvane
