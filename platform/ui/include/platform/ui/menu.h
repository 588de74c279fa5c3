#pragma once

#include "platform/ui/menudelegate.h"
#include "platform/ui/menuitem.h"

#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>

#include <memory>

class QMenu;

namespace platform::ui {

class MenuPopup;

/// An ordered list of menu items, with the tracking state of a menu the user opens, moves over and
/// clicks. The menu owns its items.
///
/// Tracking is a model of its own, so tests drive it without a display: `open`, `highlightItem`
/// (the pointer over a row, or over none), `clickItem`, `cancelTracking`. `popUp` shows the menu on
/// screen as a QMenu (custom rows as QWidgetActions hosting the items' views) whose opening, hovering,
/// clicks and closing drive the same model, so the delegate hears the same calls either way.
/// Main thread only; every delegate call is made inside the call that caused it.
class Menu : public QObject {
    Q_OBJECT
public:
    explicit Menu(const QString &title = {}, QObject *parent = nullptr);
    ~Menu() override;

    QString title() const { return m_title; }
    void setTitle(const QString &title) { m_title = title; }

    // Items
    QList<MenuItem *> items() const { return m_items; }
    int numberOfItems() const { return int(m_items.size()); }
    MenuItem *itemAt(int index) const;
    /// The index of the item, −1 when it is not in this menu.
    int indexOfItem(const MenuItem *item) const { return int(m_items.indexOf(const_cast<MenuItem *>(item))); }
    /// The first item with the tag, or none.
    MenuItem *itemWithTag(int tag) const;
    /// Appends the item and takes ownership (it leaves any other menu first).
    void addItem(MenuItem *item);
    /// Appends a new titled item and answers it.
    MenuItem *addItem(const QString &title, Action action = {});
    void insertItem(MenuItem *item, int index);
    /// Removes and destroys the item (nothing when it is not in this menu).
    void removeItem(MenuItem *item);
    void removeItemAt(int index);
    /// Removes and destroys every item.
    void removeAllItems();

    // Delegate
    std::shared_ptr<MenuDelegate> delegate() const { return m_delegate.lock(); }
    void setDelegate(const std::weak_ptr<MenuDelegate> &delegate) { m_delegate = delegate; }

    // Tracking
    bool isOpen() const { return m_open; }
    /// The highlighted item while open, or none.
    MenuItem *highlightedItem() const { return m_highlighted; }
    /// Starts tracking (the delegate hears `menuWillOpen`); nothing when already open.
    void open();
    /// Moves the highlight to `item`, or to none for a null item, a separator, a disabled item or an
    /// item of another menu. Nothing when closed or when the highlight stays where it is.
    void highlightItem(MenuItem *item);
    /// A click on the row. A row with a custom view gets the mouse down and up in its view, at the
    /// view's centre, and the menu stays open (the view decides). Any other enabled row closes the
    /// menu and then sends its action. Nothing for separators, disabled rows or other menus' items.
    void clickItem(MenuItem *item);
    /// Ends tracking: the highlight goes silently, the delegate hears `menuDidClose`, and a menu shown
    /// on screen closes. Nothing when not open.
    void cancelTracking();
    /// Sends the action of the item at `index` as a click on a plain row would, without opening.
    bool performActionForItemAt(int index);

    // On screen
    /// Shows the menu as a QMenu with its top-left corner at `globalPos` (desktop pixels) and returns
    /// at once; the QMenu stays until the menu closes. Opens tracking if it is not open yet.
    void popUp(const QPoint &globalPos);
    /// The QMenu showing this menu once `popUp` made it, else none.
    QMenu *presentedMenu() const;

signals:
    /// Items were added, removed or reordered.
    void itemsChanged();
    void opened();
    void closed();
    void highlightChanged(platform::ui::MenuItem *item);

private:
    friend class MenuItem;
    void forgetItem(MenuItem *item);
    void adopt(MenuItem *item);

    QString m_title;
    QList<MenuItem *> m_items;
    std::weak_ptr<MenuDelegate> m_delegate;
    bool m_open = false;
    MenuItem *m_highlighted = nullptr;
    std::unique_ptr<MenuPopup> m_popup;
};

} // namespace platform::ui
