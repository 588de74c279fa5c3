#include "platform/ui/menuitem.h"

#include "platform/ui/menu.h"
#include "platform/ui/view.h"

#include <QVariant>

namespace platform::ui {

namespace {
    // The root view of a row carries the item it belongs to.
    constexpr const char *kMenuItemProperty = "platformUiMenuItem";
} // namespace

MenuItem::MenuItem(const QString &title, Action action, QObject *parent)
    : QObject(parent)
    , m_title(title)
{
    m_targetAction.setAction(std::move(action));
}

MenuItem::~MenuItem()
{
    if (m_menu)
        m_menu->forgetItem(this);
}

MenuItem *MenuItem::separator()
{
    auto *item = new MenuItem;
    item->m_separator = true;
    item->m_enabled = false;
    return item;
}

void MenuItem::setTitle(const QString &title)
{
    if (m_title == title)
        return;
    m_title = title;
    emit changed();
}

void MenuItem::setTarget(QObject *target)
{
    m_targetAction.setTarget(target);
    emit changed();
}

void MenuItem::setAction(Action action)
{
    m_targetAction.setAction(std::move(action));
    emit changed();
}

void MenuItem::setTag(int tag)
{
    if (m_tag == tag)
        return;
    m_tag = tag;
    emit changed();
}

void MenuItem::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    emit changed();
}

void MenuItem::setView(View *view)
{
    if (view == m_view.get())
        return;
    if (m_view)
        m_view->setProperty(kMenuItemProperty, QVariant());
    // A view that sits in another view leaves it: the row is its own top.
    if (view)
        view->removeFromSuperview();
    m_view.reset(view);
    if (m_view) {
        m_view->setProperty(kMenuItemProperty, QVariant::fromValue(static_cast<QObject *>(this)));
        m_view->setNeedsDisplay();
    }
    emit changed();
}

void MenuItem::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    if (m_view)
        m_view->setNeedsDisplay();
}

bool MenuItem::sendAction()
{
    if (!isEnabled())
        return false;
    return m_targetAction.send(this);
}

MenuItem *MenuItem::enclosingMenuItem(const View *view)
{
    const View *top = view;
    while (top && top->superview())
        top = top->superview();
    if (!top)
        return nullptr;
    auto *item = qobject_cast<MenuItem *>(top->property(kMenuItemProperty).value<QObject *>());
    return item && item->view() == top ? item : nullptr;
}

} // namespace platform::ui
