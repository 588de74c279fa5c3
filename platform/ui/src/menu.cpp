#include "platform/ui/menu.h"

#include "menupopup_p.h"
#include "platform/ui/mouseevent.h"
#include "platform/ui/view.h"

#include <QMenu>

namespace platform::ui {

Menu::Menu(const QString &title, QObject *parent)
    : QObject(parent)
    , m_title(title)
{
}

Menu::~Menu()
{
    // The on-screen menu goes first: it hands the rows' views back before the items destroy them.
    m_popup.reset();
    const QList<MenuItem *> items = m_items;
    m_items.clear();
    for (MenuItem *item : items) {
        item->setMenu(nullptr);
        delete item;
    }
}

MenuItem *Menu::itemAt(int index) const { return index >= 0 && index < m_items.size() ? m_items.at(index) : nullptr; }

MenuItem *Menu::itemWithTag(int tag) const
{
    for (MenuItem *item : m_items)
        if (item->tag() == tag)
            return item;
    return nullptr;
}

void Menu::adopt(MenuItem *item)
{
    if (Menu *old = item->menu(); old && old != this)
        old->forgetItem(item);
    else if (old == this)
        m_items.removeOne(item);
    item->setParent(this);
    item->setMenu(this);
}

void Menu::addItem(MenuItem *item) { insertItem(item, int(m_items.size())); }

MenuItem *Menu::addItem(const QString &title, Action action)
{
    auto *item = new MenuItem(title, std::move(action));
    addItem(item);
    return item;
}

void Menu::insertItem(MenuItem *item, int index)
{
    if (!item)
        return;
    adopt(item);
    m_items.insert(std::clamp(index, 0, int(m_items.size())), item);
    emit itemsChanged();
}

void Menu::removeItem(MenuItem *item)
{
    if (!item || item->menu() != this)
        return;
    delete item; // the item tells this menu on its way out
}

void Menu::removeItemAt(int index) { removeItem(itemAt(index)); }

void Menu::removeAllItems()
{
    if (m_items.isEmpty())
        return;
    const QList<MenuItem *> items = m_items;
    m_items.clear();
    m_highlighted = nullptr;
    for (MenuItem *item : items) {
        item->setMenu(nullptr);
        delete item;
    }
    emit itemsChanged();
}

void Menu::forgetItem(MenuItem *item)
{
    if (m_highlighted == item)
        m_highlighted = nullptr;
    item->setMenu(nullptr);
    if (m_items.removeOne(item))
        emit itemsChanged();
}

void Menu::open()
{
    if (m_open)
        return;
    if (auto d = delegate())
        d->menuWillOpen(*this);
    m_open = true;
    emit opened();
}

void Menu::highlightItem(MenuItem *item)
{
    if (!m_open)
        return;
    if (item && (item->menu() != this || !item->isEnabled()))
        item = nullptr;
    if (item == m_highlighted)
        return;
    if (auto d = delegate())
        d->menuWillHighlightItem(*this, item);
    // The delegate may have closed the menu or removed rows.
    if (!m_open || (item && item->menu() != this))
        return;
    MenuItem *old = m_highlighted;
    m_highlighted = item;
    if (old)
        old->setHighlighted(false);
    if (item)
        item->setHighlighted(true);
    emit highlightChanged(item);
}

void Menu::clickItem(MenuItem *item)
{
    if (!item || item->menu() != this || !item->isEnabled())
        return;
    if (View *root = item->view()) {
        const Point centre = root->bounds().center();
        // Hit testing starts in the coordinates the row's frame is given in.
        const Point inFrame = root->frame().origin + (centre - root->bounds().origin);
        View *hit = root->hitTest(inFrame);
        if (!hit)
            hit = root;
        MouseEvent event;
        event.location = hit->convertPoint(centre, root);
        event.locationInWindow = root->convertPointTo(centre, nullptr);
        // As on screen: a view that leaves the click unhandled passes it to its superview.
        const QPointer<View> target(hit);
        target->dispatchMouseDown(event);
        if (target)
            target->dispatchMouseUp(event);
        return;
    }
    const QPointer<MenuItem> guard(item);
    cancelTracking();
    if (guard)
        guard->sendAction();
}

void Menu::cancelTracking()
{
    if (!m_open)
        return;
    m_open = false;
    if (MenuItem *old = std::exchange(m_highlighted, nullptr))
        old->setHighlighted(false);
    if (auto d = delegate())
        d->menuDidClose(*this);
    emit closed();
}

bool Menu::performActionForItemAt(int index)
{
    MenuItem *item = itemAt(index);
    return item && item->sendAction();
}

void Menu::popUp(const QPoint &globalPos)
{
    if (!m_popup)
        m_popup = std::make_unique<MenuPopup>(*this);
    m_popup->showAt(globalPos);
}

QMenu *Menu::presentedMenu() const { return m_popup ? m_popup->menu() : nullptr; }

} // namespace platform::ui
